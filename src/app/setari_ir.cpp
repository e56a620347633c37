#include "app/setari_ir.h"

#include "app/handset_commands.h"
#include "framework/design.h"

namespace app {
namespace {

using Row = fw::DesignRow<TFormaSetari>;
using F = TFormaSetari;
using fw::part;
using fw::place;

template <class T>
std::function<void(fw::Component&)> texts(const char* text, bool bold, int tabOrder = -1) {
    return fw::with<T>([=](T& control) {
        control.setText(text);
        control.setBold(bold);
        control.setTabOrder(tabOrder);
    });
}

void port(fw::SpinEdit& e) {
    e.setRange(1, 4);
    e.setValue(1);
    e.setBold(true);
    e.setTabOrder(1);
}

void commands(fw::ComboBox& box) {
    box.setItems(commandNamesDialogOrder());
    // Not an item: what the box shows before a choice.
    box.setText("ALEGE COMANDA");
    box.setTabOrder(4);
}

void selectedCommand(fw::Edit& e) {
    e.setTabOrder(5);
}
void code(fw::Memo& m) {
    m.setCentred(true);
    m.setTabOrder(6);
}
void every100ms(fw::Timer& t) {
    t.setInterval(100);
}

// Laid out so that nothing overlaps and every text fits with the wider
// stand-in of the classic dialog font that Wine uses: frames a few pixels
// clear of what they hold, labels a line apart.
const Row rows[] = {
    {part<&F::Bevel1>, "Bevel1", place(8, 8, 181, 96)},
    {part<&F::ButtonOk>, "ButtonOk", place(204, 184, 161, 33), "Out", &F::ButtonOkClick, texts<fw::Button>("Ok", true, 0)},
    {part<&F::LabelCom>, "LabelCom", place(24, 23, 28, 13), "", nullptr, texts<fw::Label>("Port:", true)},
    {part<&F::SEPort>, "SEPort", place(64, 16, 57, 22), "COM port number", nullptr, fw::with<fw::SpinEdit>(port)},
    {part<&F::CheckBoxActivare>, "CheckBoxActivare", place(15, 46, 167, 17), "Enable/Disable IR device", nullptr,
     texts<fw::CheckBox>("Enable/Disable IR", true, 2)},
    {part<&F::BevelSetup>, "BevelSetup", place(196, 8, 177, 130)},
    {part<&F::CBComenziIR>, "CBComenziIR", place(204, 24, 161, 21), "Select IR comand", nullptr,
     fw::with<fw::ComboBox>(commands)},
    {part<&F::LabelComIR>, "LabelComIR", place(210, 10, 75, 13), "", nullptr, texts<fw::Label>("IR command:", true)},
    {part<&F::EditComIr>, "EditComIr", place(204, 59, 161, 21), "Selected command", nullptr,
     fw::with<fw::Edit>(selectedCommand)},
    {part<&F::LabelLilsComIR>, "LabelLilsComIR", place(210, 45, 112, 13), "", nullptr,
     texts<fw::Label>("Selected command:", true)},
    {part<&F::LabelCodIr>, "LabelCodIr", place(210, 80, 50, 13), "", nullptr, texts<fw::Label>("IR code:", true)},
    {part<&F::TimerInitTexte>, "TimerInitTexte", {}, "", &F::TimerInitTexteTimer, fw::with<fw::Timer>(every100ms)},
    {part<&F::MemoCod>, "MemoCod", place(204, 94, 161, 21), "Recived IR code", nullptr, fw::with<fw::Memo>(code)},
    {part<&F::ButtonSaveIR>, "ButtonSaveIR", place(204, 144, 161, 33), "Learn IR code", &F::ButtonSaveIRClick,
     texts<fw::Button>("Learn IR code", true, 3)},
    {part<&F::CheckBoxMinimizat>, "CheckBoxMinimizat", place(15, 63, 167, 17), "Try bar mode", nullptr,
     texts<fw::CheckBox>("Try bar mode", true, 7)},
    {part<&F::CheckBoxExecutare>, "CheckBoxExecutare", place(15, 80, 167, 17),
     "Learned codes carry out their commands", nullptr, texts<fw::CheckBox>("Run learned commands", true, 8)},
    {part<&F::LabelLearned>, "LabelLearned", place(204, 119, 161, 15), "", nullptr, texts<fw::Label>("", false)},
    // Neutral content where a picture and contact labels used to be.
    {part<&F::BevelPicture>, "BevelPicture", place(8, 110, 181, 52)},
    {part<&F::LTitlu>, "LTitlu", place(16, 117, 162, 15), "", nullptr, texts<fw::Label>("Telecomanda Winamp", true)},
    {part<&F::LVersiune>, "LVersiune", place(16, 137, 162, 15), "", nullptr,
     texts<fw::Label>("ZAV Amp - 01, version " ZAV_VERSION, false)},
    {part<&F::BAutor>, "BAutor", place(8, 168, 181, 56)},
    {part<&F::LAutor>, "LAutor", place(16, 173, 162, 15), "", nullptr, texts<fw::Label>("Settings: ir_zav.ini", false)},
    {part<&F::LMail>, "LMail", place(16, 189, 162, 15), "", nullptr, texts<fw::Label>("beside zav_amp.exe", false)},
    {part<&F::LWeb>, "LWeb", place(16, 205, 162, 15), "", nullptr, texts<fw::Label>("Source: see its README", false)},
};

}  // namespace

TFormaSetari::TFormaSetari(fw::Component* owner, Services& services)
    : fw::Form(owner, "FormaSetari"), services_(services) {
    setCaption("Setup IR device");
    setHint("Setup IR");
    setBorderStyle(fw::BorderStyle::dialog);
    setClientSize({380, 230});
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    fw::applyDesign<TFormaSetari>(*this, rows);
    // The receive thread's complete codes land in the code field.
    shownCodes_ = services_.display.onShown([this](const std::string& text) {
        MemoCod->setText("");
        MemoCod->setText(text);
        showLearnedFor(text);
    });
}

TFormaSetari::~TFormaSetari() {
    services_.display.setVisible(false);
}

void TFormaSetari::visibilityChanged() {
    services_.display.setVisible(visible());
    if (visible()) CheckBoxExecutare->setChecked(services_.store.settings().RunCommands);
}

void TFormaSetari::showLearnedFor(const std::string& code) {
    std::string text;
    for (const std::string& name : commandsLearnedFor(services_.store.settings(), code))
        text += (text.empty() ? "Learned for: " : ", ") + name;
    LabelLearned->setText(text);
}

void TFormaSetari::FormCreate(fw::Component&) {
    const Settings& s = services_.store.settings();
    SEPort->setValue(s.PortNumber);  // held to 1..4
    CheckBoxActivare->setChecked(s.IrEnabled);
    CheckBoxMinimizat->setChecked(s.TrayMode);
}

void TFormaSetari::TimerInitTexteTimer(fw::Component&) {
    // The port field reaches the settings with "Ok", as the other fields
    // do: the settings always say what the file says.
    EditComIr->setText(CBComenziIR->text());
}

void TFormaSetari::SaveCodIr(const std::string& name, const std::string& code) {
    services_.store.SaveCodIr(name, code);
}

void TFormaSetari::ButtonSaveIRClick(fw::Component&) {
    const std::string name = CBComenziIR->text();
    const std::string code = MemoCod->text();
    // A failed write stops here: the code stays in its field.
    SaveCodIr(name, code);
    MemoCod->setText("");
    services_.code.clear();
    showLearnedFor(code);
}

DialogSettings TFormaSetari::ReadDialogSettings() const {
    return {SEPort->value(), CheckBoxActivare->checked(), CheckBoxMinimizat->checked(),
            CheckBoxExecutare->checked()};
}

void TFormaSetari::ButtonOkClick(fw::Component&) {
    close();
    services_.store.SaveSettings(ReadDialogSettings());
}

}  // namespace app
