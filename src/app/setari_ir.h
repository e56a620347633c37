// TFormaSetari: the IR setup dialog, a view of the remote. Made hidden at
// start and shown modally by the main window, it edits the settings (the
// receiver's COM port and whether it is on, a LIRC server's address,
// whether the keys the system hears are heard, whether the main window
// starts in the notification area, whether learned codes carry out their
// commands, the on-screen display, the volume the keys change, the player,
// starting with Windows) and saves them through the remote with Ok; Esc,
// Alt+F4 or its close command leave it as a cancel, saving nothing. Beside
// each source's setting it shows how that source is ("Receiver: live").
// It learns codes through the remote: while it is shown, every new press
// from any source appears in its code field, with the commands it is
// already learned for beneath. "Learn IR code" makes that code the chosen
// command's only one, "Add code" adds it to the command's codes (up to
// four: a key that toggles its code, a second handset), "Forget" removes
// them all, and "Learn all keys" walks through every command asking for
// its key (Esc ends the walk); each of these writes at once. A key that
// types or moves is learned only once the user said, in a question that
// names its device, that the device is a handset's receiver. The groups
// lie on tabs, one a page; Ctrl+Tab goes on to the next. The "Phone" page
// turns the phone remote on, pairs phones and forgets them; pairing and
// forgetting act at once, as learning does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/pair_phone.h"
#include "app/remote.h"
#include "framework/form.h"
#include "framework/listeners.h"
#include "framework/std_controls.h"
#include "framework/timer.h"

namespace app {

// The volume list's items, in the order of the preferences they stand for
// (automatic, player).
std::vector<std::string> volumeKeyChoices();

class TFormaSetari : public fw::Form {
public:
    TFormaSetari(fw::Component* owner, Remote& remote);
    ~TFormaSetari() override;

    // Esc during the walk ends the walk; otherwise it leaves the dialog.
    void cancelAsked() override;

    void FormCreate(fw::Component& sender);
    void TimerInitTexteTimer(fw::Component& sender);
    void ButtonSaveIRClick(fw::Component& sender);
    void ButtonOkClick(fw::Component& sender);
    void ButtonAddCodeClick(fw::Component& sender);
    void ButtonForgetClick(fw::Component& sender);
    void ButtonLearnAllClick(fw::Component& sender);
    void ButtonSkipClick(fw::Component& sender);
    void ButtonStopClick(fw::Component& sender);
    // The system's open-file dialog: the winamp.exe chosen goes into the
    // Winamp field, to be saved with Ok.
    void ButtonBrowseClick(fw::Component& sender);
    // The "Pair a phone" window, until it closes; the phones listed anew.
    void ButtonPairClick(fw::Component& sender);
    // Every phone, or the one chosen in the list, is refused from now on.
    void ButtonForgetPhonesClick(fw::Component& sender);
    void ButtonForgetPhoneClick(fw::Component& sender);
    // "Codes: ..." the codes learned for the chosen command, or "none".
    void showCodes();
    // The receiver's fields as the settings have them: at creation, and
    // when the dialog is left without Ok.
    void showSettings();
    const LearningWalk& walk() const { return remote_.walk(); }
    void SaveCodIr(const std::string& name, const std::string& code);
    DialogSettings ReadDialogSettings() const;
    // "Learned for: ..." the commands the code is learned for, or nothing.
    void showLearnedFor(const std::string& code);

    // The dialog's parts, each bound by its row of the design table and
    // owned by the dialog.
    // Tabs over the groups: "Receiver", "Handset codes", "Options", "Phone".
    fw::TabControl* TabsSetup = nullptr;
    // The "Receiver" group (the frame that has always held the port).
    fw::GroupBox* Bevel1 = nullptr;
    fw::Button* ButtonOk = nullptr;
    fw::Label* LabelCom = nullptr;
    fw::SpinEdit* SEPort = nullptr;
    fw::CheckBox* CheckBoxActivare = nullptr;
    // The "Handset codes" group (the frame of the learning controls).
    fw::GroupBox* BevelSetup = nullptr;
    // The "Options" group.
    fw::GroupBox* GroupOptions = nullptr;
    fw::ComboBox* CBComenziIR = nullptr;
    fw::Label* LabelComIR = nullptr;
    fw::Edit* EditComIr = nullptr;
    fw::Label* LabelLilsComIR = nullptr;
    fw::Label* LabelCodIr = nullptr;
    fw::Timer* TimerInitTexte = nullptr;
    fw::Memo* MemoCod = nullptr;
    fw::Button* ButtonSaveIR = nullptr;
    fw::CheckBox* CheckBoxMinimizat = nullptr;
    fw::CheckBox* CheckBoxExecutare = nullptr;
    fw::Label* LabelLearned = nullptr;
    fw::Label* LTitlu = nullptr;
    fw::Label* LVersiune = nullptr;
    fw::Label* LAutor = nullptr;
    fw::Label* LabelCodes = nullptr;
    fw::Label* LabelWalk = nullptr;
    fw::Button* ButtonAddCode = nullptr;
    fw::Button* ButtonForget = nullptr;
    fw::Button* ButtonLearnAll = nullptr;
    fw::Button* ButtonSkip = nullptr;
    fw::Button* ButtonStop = nullptr;
    fw::CheckBox* CheckBoxOsd = nullptr;
    fw::CheckBox* CheckBoxKeys = nullptr;
    fw::CheckBox* CheckBoxOthers = nullptr;
    fw::Label* LabelAnsweringNow = nullptr;
    // Which player answers now: "Winamp 5.9", "none: media keys" ...
    fw::Label* LabelAnswering = nullptr;
    fw::CheckBox* CheckBoxStartWithWindows = nullptr;
    fw::Label* LabelVolume = nullptr;
    fw::DropDownList* CBVolume = nullptr;
    // How each source is, beside its setting.
    fw::Label* LabelReceiverStatus = nullptr;
    fw::Label* LabelLircStatus = nullptr;
    fw::Label* LabelKeysStatus = nullptr;
    fw::Label* LabelLirc = nullptr;
    fw::Edit* EditLirc = nullptr;
    fw::Label* LabelWinamp = nullptr;
    fw::Edit* EditWinamp = nullptr;
    fw::Button* ButtonBrowse = nullptr;
    // The "Phone" group: the phone remote.
    fw::GroupBox* GroupPhone = nullptr;
    fw::CheckBox* CheckBoxWeb = nullptr;
    fw::Label* LabelWebStatus = nullptr;
    fw::Label* LabelWebPort = nullptr;
    fw::SpinEdit* SEWebPort = nullptr;
    fw::Label* LabelWebAddress = nullptr;
    fw::ComboBox* CBWebAddress = nullptr;
    // The address a phone opens, or what keeps the remote from listening.
    fw::Label* LabelWebUrl = nullptr;
    fw::Button* ButtonPair = nullptr;
    fw::Button* ButtonForgetPhones = nullptr;
    // The paired phones, "<name> (<date>)", in the order they paired.
    fw::ListBox* ListPhones = nullptr;
    fw::Button* ButtonForgetPhone = nullptr;
    fw::Label* LabelPhones = nullptr;

protected:
    void visibilityChanged() override;

private:
    void codeShown(const CodeHeard& heard);
    // Whether `code` may be learned: a key that types or moves only once
    // the user said its device is a receiver (asked here, once a device).
    bool mayLearn(const std::string& code);
    void showSources();
    // The phone remote's address or failure, and whether it can pair now.
    void showWeb();
    void showPhones();
    // The walk's prompt and buttons, and its command chosen in the list.
    void showWalk();
    // Done with the code in the field: it and the code being received go.
    void codeTaken();

    Remote& remote_;
    // Whether the log-on list started this program when the dialog opened.
    bool startsWithWindows_ = false;
    // The Winamp field's text when the dialog opened, and whether the user
    // chose a file since: a path only found is not written.
    std::string shownPlayer_;
    bool playerChosen_ = false;
    // A question about a device is open.
    bool asking_ = false;
    fw::Subscription heard_;
    fw::Subscription sources_;
    fw::Subscription paired_;
    TFormaPair* pairWindow_ = nullptr;
};

}  // namespace app
