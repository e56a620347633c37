// ReceiverLink: the serial IR receiver's whole life, as a source of codes.
// It owns the port (ir::ComFunc), the code text being received and the
// receive loop that feeds the code bus. Activation opens the port with the
// receiver's line settings, powers the receiver through RTS and DTR,
// starts the receive loop, sends "IR", and then shows what failed in the
// boxes captioned "Eroare", as it always has; deactivation stops the loop,
// drops the lines and closes the port.
//
// An activated receiver keeps itself: at every keep (every 2 s) it looks
// whether its port is open with a loop reading it, and when not (the loop
// said the port is gone, an opening failed, a notice never came) the same
// opening sequence is tried again, without a word, until it succeeds or
// the receiver is deactivated. The receiver counts as back only once "IR"
// went out whole. When the loop says the port is gone, or the system wakes
// from sleep, the receiver is closed at once. It is live while its port is
// open with a loop reading it, and lights the IR badge then. A fresh start
// on the code bus (the setup dialog emptied its code field) drops the part
// of a code received so far.
#pragma once

#include <cstdint>

#include "app/source_link.h"
#include "framework/application.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "ir/code_bus.h"
#include "ir/code_text.h"
#include "ir/com_func.h"
#include "ir/com_thread.h"
#include "platform/message_box.h"
#include "platform/serial.h"

namespace app {

class ReceiverLink : public fw::Component, public SourceLink {
public:
    static constexpr std::uint32_t baudRate = 9600;

    ReceiverLink(fw::Component* owner, std::string name, platform::SerialPorts& serial,
                 platform::ShowMessage showMessage, ir::CodeBus& codes);
    ~ReceiverLink() override;

    const char* label() const override { return "Receiver"; }
    bool lightsBadge() const override { return true; }
    // The receiver on `port`, failures shown; a port of 0 or a receiver
    // that is not enabled leaves it off.
    void activate(bool enabled, int port);
    void activate(const Settings& settings) override { activate(settings.IrEnabled, settings.PortNumber); }
    void deactivate() override;
    void keep() override;
    // Activated, and not open with a loop reading: it is being tried again.
    bool reconnecting() const { return wanted_ && !healthy(); }

    ir::ComFunc& com() { return com_; }
    ir::CodeText& codeText() { return code_; }
    ir::IrReceiver& receiver() { return receiver_; }

private:
    // The opening sequence. Reported (held), every step runs whatever the
    // open said, as activation always has; quiet, a failed step closes the
    // port again.
    bool open(ir::Reporting reporting);
    // Loop stopped, lines dropped, port closed.
    void shutDown();
    void close();
    bool healthy() const { return com_.isOpen() && receiver_.loopReading(); }
    // Live, or failed with the port's reason, as it is now.
    void tell();
    // The running loop found the port gone.
    void lost();
    void resumed();

    ir::ComFunc com_;
    ir::CodeText code_;
    ir::IrReceiver receiver_;
    int port_ = 0;
    // Activated and not deactivated since.
    bool wanted_ = false;
    std::string lostWhy_;
    fw::Subscription resumed_;
    fw::Subscription lost_;
    fw::Subscription afresh_;
};

}  // namespace app
