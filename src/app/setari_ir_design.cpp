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
    b.setTabOrder(40);
    b.setDefault(true);
}

void pages(fw::TabControl& tabs) {
    tabs.setTabOrder(0);
}
void webPort(fw::SpinEdit& e) {
    e.setRange(minWebPort, maxWebPort);
    e.setValue(defaultWebPort);
    e.setBold(true);
    e.setTabOrder(23);
}
void webAddress(fw::ComboBox& box) {
    box.setTabOrder(24);
}
void phones(fw::ListBox& list) {
    list.setTabOrder(27);
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

// One settings dialog on tabs, a group to a page: the receiver with how
// each source is on the right, the handset's codes, the options and the
// phone; the title above and Ok at the bottom right of them all. Laid out
// so that nothing on a page overlaps and every text fits with the wider
// stand-in of the dialog font that Wine uses; the tab order follows the
// reading order, page by page.
const Row rows[] = {
    // Group boxes first: made first, they lie beneath what they hold.
    {part<&F::TabsSetup>, "TabsSetup", place(8, 30, 624, 26), "", nullptr, fw::with<fw::TabControl>(pages)},
    {part<&F::Bevel1>, "Bevel1", place(8, 58, 624, 212), "", nullptr, texts<fw::GroupBox>("Receiver", false)},
    {part<&F::BevelSetup>, "BevelSetup", place(8, 58, 624, 212), "", nullptr,
     texts<fw::GroupBox>("Handset codes", false)},
    {part<&F::GroupOptions>, "GroupOptions", place(8, 58, 624, 212), "", nullptr,
     texts<fw::GroupBox>("Options", false)},
    {part<&F::GroupPhone>, "GroupPhone", place(8, 58, 624, 212), "", nullptr, texts<fw::GroupBox>("Phone", false)},
    {part<&F::ButtonOk>, "ButtonOk", place(520, 280, 112, 30), "Out", &F::ButtonOkClick, fw::with<fw::Button>(ok)},
    {part<&F::LabelCom>, "LabelCom", place(20, 80, 36, 13), "", nullptr, texts<fw::Label>("Port:", true)},
    {part<&F::SEPort>, "SEPort", place(60, 76, 57, 22), "COM port number", nullptr, fw::with<fw::SpinEdit>(port)},
    {part<&F::CheckBoxActivare>, "CheckBoxActivare", place(140, 78, 180, 17), "Enable/Disable IR device", nullptr,
     texts<fw::CheckBox>("Enable/Disable IR", true, 2)},
    // How each source is, beside its setting.
    {part<&F::LabelReceiverStatus>, "LabelReceiverStatus", place(350, 74, 276, 26), "", nullptr,
     texts<fw::Label>("Receiver: off", false)},
    {part<&F::LabelLircStatus>, "LabelLircStatus", place(350, 102, 276, 26), "", nullptr,
     texts<fw::Label>("LIRC server: off", false)},
    {part<&F::LabelKeysStatus>, "LabelKeysStatus", place(350, 131, 276, 15), "", nullptr,
     texts<fw::Label>("Media keys: off", false)},
    {part<&F::LabelLirc>, "LabelLirc", place(20, 108, 200, 13), "", nullptr,
     texts<fw::Label>("LIRC / WinLIRC server (host:port)", true)},
    {part<&F::EditLirc>, "EditLirc", place(240, 104, 104, 21),
     "Where a LIRC or WinLIRC server listens; empty: none", nullptr, fw::with<fw::Edit>(lircAddress)},
    {part<&F::CheckBoxKeys>, "CheckBoxKeys", place(20, 130, 326, 17),
     "Media keys, Media Center and other remotes, and receivers that type keys: heard in the background", nullptr,
     texts<fw::CheckBox>("Media keys and remotes that Windows knows", true, 4)},
    {part<&F::CBComenziIR>, "CBComenziIR", place(20, 90, 140, 21), "Select IR comand", nullptr,
     fw::with<fw::ComboBox>(commands)},
    {part<&F::LabelComIR>, "LabelComIR", place(20, 76, 130, 13), "", nullptr, texts<fw::Label>("IR command:", true)},
    {part<&F::EditComIr>, "EditComIr", place(166, 90, 140, 21), "Selected command", nullptr,
     fw::with<fw::Edit>(selectedCommand)},
    {part<&F::LabelLilsComIR>, "LabelLilsComIR", place(166, 76, 140, 13), "", nullptr,
     texts<fw::Label>("Selected command:", true)},
    {part<&F::LabelCodIr>, "LabelCodIr", place(312, 76, 120, 13), "", nullptr, texts<fw::Label>("IR code:", true)},
    {part<&F::TimerInitTexte>, "TimerInitTexte", {}, "", &F::TimerInitTexteTimer, fw::with<fw::Timer>(every100ms)},
    {part<&F::MemoCod>, "MemoCod", place(312, 90, 128, 21), "Recived IR code", nullptr, fw::with<fw::Memo>(code)},
    {part<&F::ButtonSaveIR>, "ButtonSaveIR", place(20, 148, 112, 27), "Learn IR code", &F::ButtonSaveIRClick,
     texts<fw::Button>("Learn IR code", true, 8)},
    {part<&F::CheckBoxMinimizat>, "CheckBoxMinimizat", place(20, 78, 210, 17), "Try bar mode", nullptr,
     texts<fw::CheckBox>("Try bar mode", true, 14)},
    {part<&F::CheckBoxExecutare>, "CheckBoxExecutare", place(240, 78, 200, 17),
     "Learned codes carry out their commands", nullptr, texts<fw::CheckBox>("Run learned commands", true, 15)},
    {part<&F::LabelLearned>, "LabelLearned", place(312, 116, 128, 28), "", nullptr, texts<fw::Label>("", false)},
    {part<&F::LTitlu>, "LTitlu", place(12, 8, 150, 15), "", nullptr, texts<fw::Label>("Telecomanda Winamp", true)},
    {part<&F::LVersiune>, "LVersiune", place(170, 8, 282, 15), "", nullptr,
     texts<fw::Label>("ZAV Amp - 01, version " ZAV_VERSION, false)},
    {part<&F::LAutor>, "LAutor", place(12, 288, 316, 15), "", nullptr,
     texts<fw::Label>("Settings: ir_zav.ini beside zav_amp.exe", false)},
    {part<&F::LabelCodes>, "LabelCodes", place(20, 116, 286, 28), "", nullptr, texts<fw::Label>("Codes: none", false)},
    {part<&F::LabelWalk>, "LabelWalk", place(20, 182, 296, 28), "", nullptr, texts<fw::Label>("", true)},
    {part<&F::ButtonAddCode>, "ButtonAddCode", place(136, 148, 96, 27), "Add the code shown to the command's codes",
     &F::ButtonAddCodeClick, texts<fw::Button>("Add code", true, 9)},
    {part<&F::ButtonForget>, "ButtonForget", place(236, 148, 88, 27), "Forget every code of the command",
     &F::ButtonForgetClick, texts<fw::Button>("Forget", true, 10)},
    {part<&F::ButtonLearnAll>, "ButtonLearnAll", place(328, 148, 112, 27), "Learn every key of the handset in one go",
     &F::ButtonLearnAllClick, texts<fw::Button>("Learn all keys", true, 11)},
    {part<&F::ButtonSkip>, "ButtonSkip", place(322, 182, 56, 27), "Leave this command as it is and go on",
     &F::ButtonSkipClick, fw::with<fw::Button>(walkButton("Skip", 12))},
    {part<&F::CheckBoxOsd>, "CheckBoxOsd", place(20, 98, 210, 17),
     "While the remote is hidden, what a handset key did shows in the screen's corner", nullptr,
     texts<fw::CheckBox>("Show what the handset does", true, 16)},
    {part<&F::ButtonStop>, "ButtonStop", place(384, 182, 56, 27), "End the walk, keeping what was learned",
     &F::ButtonStopClick, fw::with<fw::Button>(walkButton("Stop", 13))},
    {part<&F::CheckBoxStartWithWindows>, "CheckBoxStartWithWindows", place(240, 98, 200, 17),
     "Start the remote when you log on to Windows", nullptr, texts<fw::CheckBox>("Start with Windows", true, 17)},
    {part<&F::LabelVolume>, "LabelVolume", place(20, 124, 136, 13), "", nullptr,
     texts<fw::Label>("Volume keys change:", true)},
    {part<&F::CBVolume>, "CBVolume", place(160, 120, 280, 21), "What the remote's volume and mute keys change", nullptr,
     fw::with<fw::DropDownList>(volumeKeys)},
    {part<&F::LabelWinamp>, "LabelWinamp", place(20, 152, 56, 13), "", nullptr, texts<fw::Label>("Winamp:", true)},
    {part<&F::EditWinamp>, "EditWinamp", place(80, 148, 282, 21), "The player the ON key starts (winamp.exe)", nullptr,
     fw::with<fw::Edit>(winampPath)},
    {part<&F::CheckBoxOthers>, "CheckBoxOthers", place(20, 178, 210, 17),
     "With no Winamp window, PLAY, PAUSE, STOP, NEXT and PREVIOUS go out as the system's media keys", nullptr,
     texts<fw::CheckBox>("Other players: media keys", true, 21)},
    {part<&F::LabelAnsweringNow>, "LabelAnsweringNow", place(20, 204, 110, 13), "", nullptr,
     texts<fw::Label>("Answering now:", true)},
    {part<&F::LabelAnswering>, "LabelAnswering", place(134, 204, 306, 13), "", nullptr,
     texts<fw::Label>("", false)},
    {part<&F::ButtonBrowse>, "ButtonBrowse", place(368, 147, 72, 24), "Choose winamp.exe", &F::ButtonBrowseClick,
     texts<fw::Button>("Browse...", false, 20)},
    // The phone remote.
    {part<&F::CheckBoxWeb>, "CheckBoxWeb", place(20, 80, 300, 17),
     "Serve the remote to phones paired with it, on the home network", nullptr,
     texts<fw::CheckBox>("Phone remote on this network", true, 22)},
    {part<&F::LabelWebStatus>, "LabelWebStatus", place(350, 74, 276, 26), "", nullptr,
     texts<fw::Label>("Phone remote: off", false)},
    {part<&F::LabelWebPort>, "LabelWebPort", place(20, 110, 36, 13), "", nullptr, texts<fw::Label>("Port:", true)},
    {part<&F::SEWebPort>, "SEWebPort", place(60, 106, 72, 22), "The port phones connect to (1024 to 65535)", nullptr,
     fw::with<fw::SpinEdit>(webPort)},
    {part<&F::LabelWebAddress>, "LabelWebAddress", place(150, 110, 60, 13), "", nullptr,
     texts<fw::Label>("Address:", true)},
    {part<&F::CBWebAddress>, "CBWebAddress", place(214, 106, 220, 21),
     "The address the phone opens; empty: the PC's address on the network of its default route", nullptr,
     fw::with<fw::ComboBox>(webAddress)},
    {part<&F::LabelWebUrl>, "LabelWebUrl", place(20, 136, 600, 15), "", nullptr, texts<fw::Label>("", false)},
    {part<&F::ButtonPair>, "ButtonPair", place(20, 158, 120, 27), "Show a code for a phone to scan",
     &F::ButtonPairClick, texts<fw::Button>("Pair a phone...", true, 25)},
    {part<&F::ButtonForgetPhones>, "ButtonForgetPhones", place(146, 158, 120, 27),
     "Every paired phone is refused from now on", &F::ButtonForgetPhonesClick,
     texts<fw::Button>("Forget phones", true, 26)},
    {part<&F::ListPhones>, "ListPhones", place(20, 192, 300, 68), "The paired phones, by name and the day they paired",
     nullptr, fw::with<fw::ListBox>(phones)},
    {part<&F::ButtonForgetPhone>, "ButtonForgetPhone", place(326, 192, 88, 27), "The chosen phone is refused from now on",
     &F::ButtonForgetPhoneClick, texts<fw::Button>("Forget", true, 28)},
    {part<&F::LabelPhones>, "LabelPhones", place(326, 226, 200, 15), "", nullptr,
     texts<fw::Label>("Paired phones: 0", false)},
};

}  // namespace

std::span<const fw::DesignRow<TFormaSetari>> setariIrDesign() {
    return rows;
}

std::vector<fw::TabControl::Page> setariIrPages(TFormaSetari& f) {
    return {
        {f.Bevel1,
         {f.LabelCom, f.SEPort, f.CheckBoxActivare, f.LabelReceiverStatus, f.LabelLircStatus, f.LabelKeysStatus,
          f.LabelLirc, f.EditLirc, f.CheckBoxKeys}},
        {f.BevelSetup,
         {f.LabelComIR, f.CBComenziIR, f.LabelLilsComIR, f.EditComIr, f.LabelCodIr, f.MemoCod, f.LabelCodes,
          f.LabelLearned, f.ButtonSaveIR, f.ButtonAddCode, f.ButtonForget, f.ButtonLearnAll, f.LabelWalk, f.ButtonSkip,
          f.ButtonStop}},
        {f.GroupOptions,
         {f.CheckBoxMinimizat, f.CheckBoxExecutare, f.CheckBoxOsd, f.CheckBoxStartWithWindows, f.LabelVolume,
          f.CBVolume, f.LabelWinamp, f.EditWinamp, f.ButtonBrowse, f.CheckBoxOthers, f.LabelAnsweringNow,
          f.LabelAnswering}},
        {f.GroupPhone,
         {f.CheckBoxWeb, f.LabelWebStatus, f.LabelWebPort, f.SEWebPort, f.LabelWebAddress, f.CBWebAddress,
          f.LabelWebUrl, f.ButtonPair, f.ButtonForgetPhones, f.ListPhones, f.ButtonForgetPhone, f.LabelPhones}},
    };
}

}  // namespace app
