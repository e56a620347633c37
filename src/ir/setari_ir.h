// TFormaSetari: the IR setup dialog. Made hidden at start and shown
// modally by the main window, it sets the receiver's COM port, turns the
// receiver on or off, chooses whether the main window starts in the
// notification area, and learns IR codes: while it is shown, every
// complete code from the receive thread appears in its code field, and
// "Learn IR code" stores that code under the command chosen in the list.
#pragma once

#include <string>

#include "app/services.h"
#include "framework/form.h"
#include "framework/std_controls.h"
#include "framework/timer.h"

class TFormaSetari : public fw::Form {
public:
    TFormaSetari(fw::Component* owner, app::Services& services);
    ~TFormaSetari() override;

    void FormCreate(fw::Component& sender);
    void TimerInitTexteTimer(fw::Component& sender);
    void ButtonSaveIRClick(fw::Component& sender);
    void ButtonOkClick(fw::Component& sender);
    void SaveCodIr(const std::string& name, const std::string& code);
    void ReadDialogSettings();

    fw::SpinEdit& SEPort() const;
    fw::CheckBox& CheckBoxActivare() const;
    fw::CheckBox& CheckBoxMinimizat() const;
    fw::ComboBox& CBComenziIR() const;
    fw::Edit& EditComIr() const;
    fw::Memo& MemoCod() const;

protected:
    void visibilityChanged() override;

private:
    app::Services& services_;
};
