// ReceiverLink: the serial IR receiver's whole life, as a source of codes.
// Activation opens the port with the receiver's line settings, powers the
// receiver through RTS and DTR, starts the receive loop (which feeds the
// code bus), tells its listeners it is lit and sends "IR", and then shows
// what failed; deactivation stops the loop, drops the lines, closes the
// port and tells its listeners it is dark.
//
// An activated receiver keeps itself: every 2 s it looks whether its port
// is open with a loop reading it, and when not (the loop said the port is
// gone, an opening failed, a notice never came) the same opening sequence
// is tried again, without a word, until it succeeds or the receiver is
// deactivated. The receiver counts as back only once "IR" went out whole.
// When the loop says the port is gone, or the system wakes from sleep, the
// receiver is closed at once and its listeners hear it is dark. A fresh
// start on the code bus (the setup dialog emptied its code field) drops
// the part of a code received so far.
#pragma once

#include <cstdint>

#include "app/source_link.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "framework/timer.h"
#include "ir/code_bus.h"
#include "ir/com_func.h"
#include "ir/com_thread.h"

namespace app {

class ReceiverLink : public fw::Component, public SourceLink {
public:
    static constexpr std::uint32_t baudRate = 9600;
    static constexpr int retryMs = 2000;

    ReceiverLink(fw::Component* owner, std::string name, ir::ComFunc& com, ir::IrReceiver& receiver,
                 ir::CodeBus& codes);

    // The receiver on `port`, failures shown; a port of 0 or a receiver
    // that is not enabled leaves it off.
    void activate(bool enabled, int port);
    void activate(const Settings& settings) override { activate(settings.IrEnabled, settings.PortNumber); }
    void deactivate() override;
    void resumed();
    // Activated, and not open with a loop reading: it is being tried again.
    bool reconnecting() const { return wanted_ && !healthy(); }

    // Every 2 s while activated: the receiver looked at, and opened again
    // when it is not working.
    fw::Timer* TimerReconnect = nullptr;  // owned

private:
    // The opening sequence. Reported (held), every step runs whatever the
    // open said, as activation always has; quiet, a failed step closes the
    // port again.
    bool open(ir::Reporting reporting);
    void close();
    // Loop stopped, lines dropped, port closed, dark.
    void shutDown();
    bool healthy() const { return com_.isOpen() && receiver_.loopReading(); }
    // The running loop found the port gone.
    void lost();
    void watch();

    ir::ComFunc& com_;
    ir::IrReceiver& receiver_;
    int port_ = 0;
    // Activated and not deactivated since.
    bool wanted_ = false;
    fw::Subscription resumed_;
    fw::Subscription lost_;
    fw::Subscription afresh_;
};

}  // namespace app
