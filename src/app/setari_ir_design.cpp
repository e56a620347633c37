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
    box.setTabOrder(5);
}

void volumeKeys(fw::DropDownList& list) {
    list.setItems(volumeKeyChoices());
    list.setTabOrder(18);
}
void lircAddress(fw::Edit& e) {
    e.setTabOrder(3);
}
void winampPath(fw::Edit& e) {
    e.setTabOrder(19);
}
void ok(fw::Button& b) {
    b.setText("Ok");
    b.setBold(true);
    b.setTabOrder(22);
    b.setDefault(true);
}

void selectedCommand(fw::Edit& e) {
    e.setTabOrder(6);
}
void code(fw::Memo& m) {
    m.setCentred(true);
    m.setTabOrder(7);
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

// One settings dialog read top-down: the receiver with how each source is
// on the right, the handset's codes, the options, and Ok at the bottom
// right of them. Laid out so that nothing overlaps and every text fits
// with the wider stand-in of the dialog font that Wine uses; the tab order
// follows the reading order.
const Row rows[] = {
    // Group boxes first: made first, they lie beneath what they hold.
    {part<&F::Bevel1>, "Bevel1", place(8, 28, 624, 94), "", nullptr, texts<fw::GroupBox>("Receiver", false)},
    {part<&F::BevelSetup>, "BevelSetup", place(8, 128, 444, 166), "", nullptr,
     texts<fw::GroupBox>("Handset codes", false)},
    {part<&F::GroupOptions>, "GroupOptions", place(8, 300, 444, 168), "", nullptr,
     texts<fw::GroupBox>("Options", false)},
    {part<&F::ButtonOk>, "ButtonOk", place(340, 476, 112, 30), "Out", &F::ButtonOkClick, fw::with<fw::Button>(ok)},
    {part<&F::LabelCom>, "LabelCom", place(20, 50, 36, 13), "", nullptr, texts<fw::Label>("Port:", true)},
    {part<&F::SEPort>, "SEPort", place(60, 46, 57, 22), "COM port number", nullptr, fw::with<fw::SpinEdit>(port)},
    {part<&F::CheckBoxActivare>, "CheckBoxActivare", place(140, 48, 180, 17), "Enable/Disable IR device", nullptr,
     texts<fw::CheckBox>("Enable/Disable IR", true, 2)},
    // How each source is, beside its setting.
    {part<&F::LabelReceiverStatus>, "LabelReceiverStatus", place(350, 44, 276, 26), "", nullptr,
     texts<fw::Label>("Receiver: off", false)},
    {part<&F::LabelLircStatus>, "LabelLircStatus", place(350, 72, 276, 26), "", nullptr,
     texts<fw::Label>("LIRC server: off", false)},
    {part<&F::LabelKeysStatus>, "LabelKeysStatus", place(350, 101, 276, 15), "", nullptr,
     texts<fw::Label>("Media keys: off", false)},
    {part<&F::LabelLirc>, "LabelLirc", place(20, 78, 200, 13), "", nullptr,
     texts<fw::Label>("LIRC / WinLIRC server (host:port)", true)},
    {part<&F::EditLirc>, "EditLirc", place(240, 74, 104, 21),
     "Where a LIRC or WinLIRC server listens; empty: none", nullptr, fw::with<fw::Edit>(lircAddress)},
    {part<&F::CheckBoxKeys>, "CheckBoxKeys", place(20, 100, 326, 17),
     "Media keys, Media Center and other remotes, and receivers that type keys: heard in the background", nullptr,
     texts<fw::CheckBox>("Media keys and remotes that Windows knows", true, 4)},
    {part<&F::CBComenziIR>, "CBComenziIR", place(20, 160, 140, 21), "Select IR comand", nullptr,
     fw::with<fw::ComboBox>(commands)},
    {part<&F::LabelComIR>, "LabelComIR", place(20, 146, 130, 13), "", nullptr, texts<fw::Label>("IR command:", true)},
    {part<&F::EditComIr>, "EditComIr", place(166, 160, 140, 21), "Selected command", nullptr,
     fw::with<fw::Edit>(selectedCommand)},
    {part<&F::LabelLilsComIR>, "LabelLilsComIR", place(166, 146, 140, 13), "", nullptr,
     texts<fw::Label>("Selected command:", true)},
    {part<&F::LabelCodIr>, "LabelCodIr", place(312, 146, 120, 13), "", nullptr, texts<fw::Label>("IR code:", true)},
    {part<&F::TimerInitTexte>, "TimerInitTexte", {}, "", &F::TimerInitTexteTimer, fw::with<fw::Timer>(every100ms)},
    {part<&F::MemoCod>, "MemoCod", place(312, 160, 128, 21), "Recived IR code", nullptr, fw::with<fw::Memo>(code)},
    {part<&F::ButtonSaveIR>, "ButtonSaveIR", place(20, 218, 112, 27), "Learn IR code", &F::ButtonSaveIRClick,
     texts<fw::Button>("Learn IR code", true, 8)},
    {part<&F::CheckBoxMinimizat>, "CheckBoxMinimizat", place(20, 320, 210, 17), "Try bar mode", nullptr,
     texts<fw::CheckBox>("Try bar mode", true, 14)},
    {part<&F::CheckBoxExecutare>, "CheckBoxExecutare", place(240, 320, 200, 17),
     "Learned codes carry out their commands", nullptr, texts<fw::CheckBox>("Run learned commands", true, 15)},
    {part<&F::LabelLearned>, "LabelLearned", place(312, 186, 128, 28), "", nullptr, texts<fw::Label>("", false)},
    {part<&F::LTitlu>, "LTitlu", place(12, 8, 150, 15), "", nullptr, texts<fw::Label>("Telecomanda Winamp", true)},
    {part<&F::LVersiune>, "LVersiune", place(170, 8, 282, 15), "", nullptr,
     texts<fw::Label>("ZAV Amp - 01, version " ZAV_VERSION, false)},
    {part<&F::LAutor>, "LAutor", place(12, 484, 316, 15), "", nullptr,
     texts<fw::Label>("Settings: ir_zav.ini beside zav_amp.exe", false)},
    {part<&F::LabelCodes>, "LabelCodes", place(20, 186, 286, 28), "", nullptr, texts<fw::Label>("Codes: none", false)},
    {part<&F::LabelWalk>, "LabelWalk", place(20, 252, 296, 28), "", nullptr, texts<fw::Label>("", true)},
    {part<&F::ButtonAddCode>, "ButtonAddCode", place(136, 218, 96, 27), "Add the code shown to the command's codes",
     &F::ButtonAddCodeClick, texts<fw::Button>("Add code", true, 9)},
    {part<&F::ButtonForget>, "ButtonForget", place(236, 218, 88, 27), "Forget every code of the command",
     &F::ButtonForgetClick, texts<fw::Button>("Forget", true, 10)},
    {part<&F::ButtonLearnAll>, "ButtonLearnAll", place(328, 218, 112, 27), "Learn every key of the handset in one go",
     &F::ButtonLearnAllClick, texts<fw::Button>("Learn all keys", true, 11)},
    {part<&F::ButtonSkip>, "ButtonSkip", place(322, 252, 56, 27), "Leave this command as it is and go on",
     &F::ButtonSkipClick, fw::with<fw::Button>(walkButton("Skip", 12))},
    {part<&F::CheckBoxOsd>, "CheckBoxOsd", place(20, 340, 210, 17),
     "While the remote is hidden, what a handset key did shows in the screen's corner", nullptr,
     texts<fw::CheckBox>("Show what the handset does", true, 16)},
    {part<&F::ButtonStop>, "ButtonStop", place(384, 252, 56, 27), "End the walk, keeping what was learned",
     &F::ButtonStopClick, fw::with<fw::Button>(walkButton("Stop", 13))},
    {part<&F::CheckBoxStartWithWindows>, "CheckBoxStartWithWindows", place(240, 340, 200, 17),
     "Start the remote when you log on to Windows", nullptr, texts<fw::CheckBox>("Start with Windows", true, 17)},
    {part<&F::LabelVolume>, "LabelVolume", place(20, 366, 136, 13), "", nullptr,
     texts<fw::Label>("Volume keys change:", true)},
    {part<&F::CBVolume>, "CBVolume", place(160, 362, 280, 21), "What the remote's volume and mute keys change", nullptr,
     fw::with<fw::DropDownList>(volumeKeys)},
    {part<&F::LabelWinamp>, "LabelWinamp", place(20, 394, 56, 13), "", nullptr, texts<fw::Label>("Winamp:", true)},
    {part<&F::EditWinamp>, "EditWinamp", place(80, 390, 282, 21), "The player the ON key starts (winamp.exe)", nullptr,
     fw::with<fw::Edit>(winampPath)},
    {part<&F::CheckBoxOthers>, "CheckBoxOthers", place(20, 420, 210, 17),
     "With no Winamp window, PLAY, PAUSE, STOP, NEXT and PREVIOUS go out as the system's media keys", nullptr,
     texts<fw::CheckBox>("Other players: media keys", true, 21)},
    {part<&F::LabelAnsweringNow>, "LabelAnsweringNow", place(20, 446, 110, 13), "", nullptr,
     texts<fw::Label>("Answering now:", true)},
    {part<&F::LabelAnswering>, "LabelAnswering", place(134, 446, 306, 13), "", nullptr,
     texts<fw::Label>("", false)},
    {part<&F::ButtonBrowse>, "ButtonBrowse", place(368, 389, 72, 24), "Choose winamp.exe", &F::ButtonBrowseClick,
     texts<fw::Button>("Browse...", false, 20)},
};

}  // namespace

std::span<const fw::DesignRow<TFormaSetari>> setariIrDesign() {
    return rows;
}

}  // namespace app
