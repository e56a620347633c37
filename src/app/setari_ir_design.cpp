// The setup dialog's layout: one row per component, in stored order.
#include "app/setari_ir_design.h"

#include "app/commands.h"

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
    box.setItems(learnedNamesDialogOrder());
    // Not an item: what the box shows before a choice.
    box.setText("ALEGE COMANDA");
    box.setTabOrder(4);
}

void volumeKeys(fw::DropDownList& list) {
    list.setItems(volumeKeyChoices());
    list.setTabOrder(16);
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
// Offered only while the walk goes on.
std::function<void(fw::Button&)> walkButton(const char* text, int tabOrder) {
    return [=](fw::Button& b) {
        b.setText(text);
        b.setBold(true);
        b.setTabOrder(tabOrder);
        b.setVisible(false);
    };
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
    // Below the dialog's first layout, so that everything above stays where
    // it always was: the chosen command's codes, the walk's prompt, and the
    // buttons that change codes.
    {part<&F::BevelCodes>, "BevelCodes", place(8, 232, 365, 68)},
    {part<&F::LabelCodes>, "LabelCodes", place(16, 238, 349, 28), "", nullptr, texts<fw::Label>("Codes: none", false)},
    {part<&F::LabelWalk>, "LabelWalk", place(16, 268, 349, 28), "", nullptr, texts<fw::Label>("", true)},
    {part<&F::ButtonAddCode>, "ButtonAddCode", place(8, 306, 88, 27), "Add the code shown to the command's codes",
     &F::ButtonAddCodeClick, texts<fw::Button>("Add code", true, 9)},
    {part<&F::ButtonForget>, "ButtonForget", place(101, 306, 88, 27), "Forget every code of the command",
     &F::ButtonForgetClick, texts<fw::Button>("Forget", true, 10)},
    {part<&F::ButtonLearnAll>, "ButtonLearnAll", place(204, 306, 161, 27), "Learn every key of the handset in one go",
     &F::ButtonLearnAllClick, texts<fw::Button>("Learn all keys", true, 11)},
    {part<&F::ButtonSkip>, "ButtonSkip", place(8, 339, 88, 27), "Leave this command as it is and go on",
     &F::ButtonSkipClick, fw::with<fw::Button>(walkButton("Skip", 12))},
    {part<&F::CheckBoxOsd>, "CheckBoxOsd", place(15, 372, 250, 17),
     "While the remote is hidden, what a handset key did shows in the screen's corner", nullptr,
     texts<fw::CheckBox>("Show what the handset does", true, 14)},
    {part<&F::ButtonStop>, "ButtonStop", place(101, 339, 88, 27), "End the walk, keeping what was learned",
     &F::ButtonStopClick, fw::with<fw::Button>(walkButton("Stop", 13))},
    {part<&F::CheckBoxStartWithWindows>, "CheckBoxStartWithWindows", place(15, 390, 250, 17),
     "Start the remote when you log on to Windows", nullptr, texts<fw::CheckBox>("Start with Windows", true, 15)},
    {part<&F::LabelVolume>, "LabelVolume", place(16, 413, 200, 13), "", nullptr,
     texts<fw::Label>("Volume keys change:", true)},
    {part<&F::CBVolume>, "CBVolume", place(15, 429, 358, 21),
     "What the remote's volume and mute keys change", nullptr, fw::with<fw::DropDownList>(volumeKeys)},
};

}  // namespace

std::span<const fw::DesignRow<TFormaSetari>> setariIrDesign() {
    return rows;
}

}  // namespace app
