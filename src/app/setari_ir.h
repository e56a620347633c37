// TFormaSetari: the IR setup dialog. Made hidden at start and shown
// modally by the main window, it sets the receiver's COM port, turns the
// receiver on or off, chooses whether the main window starts in the
// notification area and whether learned codes carry out their commands,
// and learns IR codes: while it is shown, every complete code from the
// receive thread appears in its code field, with the commands it is already
// learned for beneath, and "Learn IR code" stores that code under the
// command chosen in the list.
#pragma once

#include <string>

#include "app/services.h"
#include "framework/form.h"
#include "framework/listeners.h"
#include "framework/std_controls.h"
#include "framework/timer.h"

namespace app {

class TFormaSetari : public fw::Form {
public:
    TFormaSetari(fw::Component* owner, Services& services);
    ~TFormaSetari() override;

    void FormCreate(fw::Component& sender);
    void TimerInitTexteTimer(fw::Component& sender);
    void ButtonSaveIRClick(fw::Component& sender);
    void ButtonOkClick(fw::Component& sender);
    void SaveCodIr(const std::string& name, const std::string& code);
    DialogSettings ReadDialogSettings() const;
    // "Learned for: ..." the commands the code is learned for, or nothing.
    void showLearnedFor(const std::string& code);

    // The dialog's parts, each bound by its row of the design table and
    // owned by the dialog.
    fw::Frame* Bevel1 = nullptr;
    fw::Button* ButtonOk = nullptr;
    fw::Label* LabelCom = nullptr;
    fw::SpinEdit* SEPort = nullptr;
    fw::CheckBox* CheckBoxActivare = nullptr;
    fw::Frame* BevelSetup = nullptr;
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
    fw::Frame* BevelPicture = nullptr;
    fw::Label* LTitlu = nullptr;
    fw::Label* LVersiune = nullptr;
    fw::Frame* BAutor = nullptr;
    fw::Label* LAutor = nullptr;
    fw::Label* LMail = nullptr;
    fw::Label* LWeb = nullptr;

protected:
    void visibilityChanged() override;

private:
    Services& services_;
    fw::Subscription shownCodes_;
};

}  // namespace app
