#include "ir/setari_ir.h"

#include "framework/design.h"

namespace {

using Row = fw::DesignRow<TFormaSetari>;

void bold(fw::Component& c) { static_cast<fw::WinControl&>(c).setBold(true); }

const Row rows[] = {
    {fw::make<fw::Frame, TFormaSetari>, "Bevel1", fw::place(8, 8, 169, 78)},
    {fw::make<fw::Label, TFormaSetari>, "LabelCom", fw::place(24, 23, 28, 13), "", nullptr,
     fw::with<fw::Label>([](fw::Label& l) {
         l.setText("Port:");
         l.setBold(true);
     })},
    {fw::make<fw::SpinEdit, TFormaSetari>, "SEPort", fw::place(64, 16, 57, 22), "COM port number", nullptr,
     fw::with<fw::SpinEdit>([](fw::SpinEdit& e) {
         e.setRange(1, 4);
         e.setValue(1);
         e.setBold(true);
         e.setTabOrder(1);
     })},
    {fw::make<fw::CheckBox, TFormaSetari>, "CheckBoxActivare", fw::place(15, 48, 161, 17), "Enable/Disable IR device",
     nullptr, fw::with<fw::CheckBox>([](fw::CheckBox& c) {
         c.setText("Enable/Disable IR");
         bold(c);
         c.setTabOrder(2);
     })},
    {fw::make<fw::CheckBox, TFormaSetari>, "CheckBoxMinimizat", fw::place(15, 64, 121, 17), "Try bar mode", nullptr,
     fw::with<fw::CheckBox>([](fw::CheckBox& c) {
         c.setText("Try bar mode");
         bold(c);
         c.setTabOrder(7);
     })},
};

}  // namespace

TFormaSetari::TFormaSetari(fw::Component* owner, app::Settings& settings)
    : fw::Form(owner, "FormaSetari"), settings_(settings) {
    setCaption("Setup IR device");
    setHint("Setup IR");
    setBorderStyle(fw::BorderStyle::dialog);
    setClientSize({368, 210});
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    fw::applyDesign<TFormaSetari>(*this, rows);
}

fw::SpinEdit& TFormaSetari::SEPort() const { return fw::component<fw::SpinEdit>(*this, "SEPort"); }
fw::CheckBox& TFormaSetari::CheckBoxActivare() const { return fw::component<fw::CheckBox>(*this, "CheckBoxActivare"); }
fw::CheckBox& TFormaSetari::CheckBoxMinimizat() const {
    return fw::component<fw::CheckBox>(*this, "CheckBoxMinimizat");
}

void TFormaSetari::FormCreate(fw::Component&) {
    SEPort().setValue(settings_.PortNumber);  // held to 1..4
    CheckBoxActivare().setChecked(settings_.IrEnabled);
    CheckBoxMinimizat().setChecked(settings_.TrayMode);
}
