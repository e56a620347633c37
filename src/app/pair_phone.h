// TFormaPair: the "Pair a phone" window, opened from the setup dialog while
// the phone remote listens. It shows the address a phone opens with the
// pairing code in it, as a QR code for the phone's camera and as text, the
// code alone for a phone that has the page open already, how long it is
// valid, and "Paired: <name>" once a phone paired. The code is void when
// the window closes.
#pragma once

#include <string>

#include "framework/form.h"
#include "framework/listeners.h"
#include "framework/std_controls.h"
#include "framework/timer.h"
#include "web/qr_code.h"

namespace app {

class WebLink;

// A QR code drawn black on white, as large as whole pixels a module allow,
// in the middle of the control, with its quiet zone.
class QrPicture : public fw::CustomControl {
public:
    QrPicture(fw::Component* owner, std::string name) : fw::CustomControl(owner, std::move(name)) {}
    const web::QrModules& modules() const { return modules_; }
    void setModules(web::QrModules modules);
    void paint(fw::Canvas& canvas) override;

private:
    web::QrModules modules_;
};

// "Code: 482 913": the digits in two groups of three, as they are read out.
std::string codeText(const std::string& code);

class TFormaPair : public fw::Form {
public:
    TFormaPair(fw::Component* owner, WebLink& web);
    ~TFormaPair() override;

    // Opens a pairing and shows it modally until the user closes the
    // window; the code is void then. False when the remote does not
    // listen, so there is nothing to pair with.
    bool pair();
    // What the window shows for a code at an address ("http://...:8780").
    void showCode(const std::string& address, const std::string& code);

    void TimerValidTimer(fw::Component& sender);
    void ButtonCloseClick(fw::Component& sender);

    QrPicture* QrCode = nullptr;
    fw::Label* LabelAddress = nullptr;
    fw::Label* LabelCode = nullptr;
    fw::Label* LabelValid = nullptr;
    fw::Label* LabelPaired = nullptr;
    fw::Button* ButtonClose = nullptr;
    fw::Timer* TimerValid = nullptr;

private:
    WebLink& web_;
    bool paired_ = false;
    fw::Subscription pairedSeen_;
};

}  // namespace app
