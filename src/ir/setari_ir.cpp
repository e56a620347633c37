#include "ir/setari_ir.h"

#include "framework/design.h"
#include "framework/ini_file.h"

namespace {

using Row = fw::DesignRow<TFormaSetari>;
using F = TFormaSetari;
using fw::place;

template <class T>
std::function<void(fw::Component&)> texts(const char* text, bool bold, int tabOrder = -1) {
    return [=](fw::Component& c) {
        auto& control = static_cast<T&>(c);
        control.setText(text);
        control.setBold(bold);
        control.setTabOrder(tabOrder);
    };
}

void port(fw::Component& c) {
    auto& e = static_cast<fw::SpinEdit&>(c);
    e.setRange(1, 4);
    e.setValue(1);
    e.setBold(true);
    e.setTabOrder(1);
}

void commands(fw::Component& c) {
    auto& box = static_cast<fw::ComboBox&>(c);
    box.setItems({app::commandNamesDialogOrder.begin(), app::commandNamesDialogOrder.end()});
    // Not an item: what the box shows before a choice.
    box.setText("ALEGE COMANDA");
    box.setTabOrder(4);
}

void tabOrder(fw::Component& c, int order) { static_cast<fw::WinControl&>(c).setTabOrder(order); }
void selectedCommand(fw::Component& c) { tabOrder(c, 5); }
void code(fw::Component& c) {
    static_cast<fw::Memo&>(c).setCentred(true);
    tabOrder(c, 6);
}
void every100ms(fw::Component& c) { static_cast<fw::Timer&>(c).setInterval(100); }

const Row rows[] = {
    {fw::make<fw::Frame, F>, "Bevel1", place(8, 8, 169, 78)},
    {fw::make<fw::Button, F>, "ButtonOk", place(192, 168, 161, 33), "Out", &F::ButtonOkClick,
     texts<fw::Button>("Ok", true, 0)},
    {fw::make<fw::Label, F>, "LabelCom", place(24, 23, 28, 13), "", nullptr, texts<fw::Label>("Port:", true)},
    {fw::make<fw::SpinEdit, F>, "SEPort", place(64, 16, 57, 22), "COM port number", nullptr, port},
    {fw::make<fw::CheckBox, F>, "CheckBoxActivare", place(15, 48, 161, 17), "Enable/Disable IR device", nullptr,
     texts<fw::CheckBox>("Enable/Disable IR", true, 2)},
    {fw::make<fw::Frame, F>, "BevelSetup", place(184, 8, 177, 113)},
    {fw::make<fw::ComboBox, F>, "CBComenziIR", place(192, 24, 161, 21), "Select IR comand", nullptr, commands},
    {fw::make<fw::Label, F>, "LabelComIR", place(198, 10, 75, 13), "", nullptr, texts<fw::Label>("IR command:", true)},
    {fw::make<fw::Edit, F>, "EditComIr", place(192, 59, 161, 21), "Selected command", nullptr, selectedCommand},
    {fw::make<fw::Label, F>, "LabelLilsComIR", place(198, 45, 112, 13), "", nullptr,
     texts<fw::Label>("Selected command:", true)},
    {fw::make<fw::Label, F>, "LabelCodIr", place(198, 80, 50, 13), "", nullptr, texts<fw::Label>("IR code:", true)},
    {fw::make<fw::Timer, F>, "TimerInitTexte", {}, "", &F::TimerInitTexteTimer, every100ms},
    {fw::make<fw::Memo, F>, "MemoCod", place(192, 94, 161, 21), "Recived IR code", nullptr, code},
    {fw::make<fw::Button, F>, "ButtonSaveIR", place(192, 128, 161, 33), "Learn IR code", &F::ButtonSaveIRClick,
     texts<fw::Button>("Learn IR code", true, 3)},
    {fw::make<fw::CheckBox, F>, "CheckBoxMinimizat", place(15, 64, 121, 17), "Try bar mode", nullptr,
     texts<fw::CheckBox>("Try bar mode", true, 7)},
    // Neutral content where a picture and contact labels used to be.
    {fw::make<fw::Frame, F>, "BevelPicture", place(8, 90, 169, 65)},
    {fw::make<fw::Label, F>, "LTitlu", place(20, 104, 150, 13), "", nullptr,
     texts<fw::Label>("Telecomanda Winamp", true)},
    {fw::make<fw::Label, F>, "LVersiune", place(20, 124, 150, 13), "", nullptr,
     texts<fw::Label>("ZAV Amp - 01, version 1.0", false)},
    {fw::make<fw::Frame, F>, "BAutor", place(8, 160, 169, 45)},
    {fw::make<fw::Label, F>, "LAutor", place(16, 166, 155, 13), "", nullptr,
     texts<fw::Label>("Settings: ir_zav.ini", false)},
    {fw::make<fw::Label, F>, "LMail", place(16, 178, 155, 13), "", nullptr,
     texts<fw::Label>("beside zav_amp.exe", false)},
    {fw::make<fw::Label, F>, "LWeb", place(16, 190, 155, 13), "", nullptr,
     texts<fw::Label>("Source: see its README", false)},
};

}  // namespace

TFormaSetari::TFormaSetari(fw::Component* owner, app::Services& services)
    : fw::Form(owner, "FormaSetari"), services_(services) {
    setCaption("Setup IR device");
    setHint("Setup IR");
    setBorderStyle(fw::BorderStyle::dialog);
    setClientSize({368, 210});
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    fw::applyDesign<TFormaSetari>(*this, rows);
    // The receive thread's complete codes land in the code field.
    services_.display.attach([this](const std::string& text) {
        MemoCod().setText("");
        MemoCod().setText(text);
    });
}

TFormaSetari::~TFormaSetari() { services_.display.detach(); }

fw::SpinEdit& TFormaSetari::SEPort() const { return fw::component<fw::SpinEdit>(*this, "SEPort"); }
fw::CheckBox& TFormaSetari::CheckBoxActivare() const { return fw::component<fw::CheckBox>(*this, "CheckBoxActivare"); }
fw::CheckBox& TFormaSetari::CheckBoxMinimizat() const {
    return fw::component<fw::CheckBox>(*this, "CheckBoxMinimizat");
}
fw::ComboBox& TFormaSetari::CBComenziIR() const { return fw::component<fw::ComboBox>(*this, "CBComenziIR"); }
fw::Edit& TFormaSetari::EditComIr() const { return fw::component<fw::Edit>(*this, "EditComIr"); }
fw::Memo& TFormaSetari::MemoCod() const { return fw::component<fw::Memo>(*this, "MemoCod"); }

void TFormaSetari::visibilityChanged() { services_.display.setVisible(visible()); }

void TFormaSetari::FormCreate(fw::Component&) {
    const app::Settings& s = services_.settings;
    SEPort().setValue(s.PortNumber);  // held to 1..4
    CheckBoxActivare().setChecked(s.IrEnabled);
    CheckBoxMinimizat().setChecked(s.TrayMode);
}

void TFormaSetari::TimerInitTexteTimer(fw::Component&) {
    EditComIr().setText(CBComenziIR().text());
    services_.settings.PortNumber = SEPort().value();
}

void TFormaSetari::SaveCodIr(const std::string& name, const std::string& code) {
    fw::IniFile(services_.configFile).writeString("COMENZI_IR", name, code);
}

void TFormaSetari::ButtonSaveIRClick(fw::Component&) {
    const std::string name = CBComenziIR().text();
    const std::string code = MemoCod().text();
    // A failed write stops here: the code stays in its field.
    SaveCodIr(name, code);
    MemoCod().setText("");
    services_.code.clear();
}

void TFormaSetari::ReadDialogSettings() {
    app::Settings& s = services_.settings;
    s.PortNumber = SEPort().value();
    s.IrEnabled = CheckBoxActivare().checked();
    s.TrayMode = CheckBoxMinimizat().checked();
}

void TFormaSetari::ButtonOkClick(fw::Component&) {
    close();
    ReadDialogSettings();
    app::SaveSettings(services_.configFile, services_.settings);
}
