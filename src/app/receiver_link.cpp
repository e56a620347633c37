#include "app/receiver_link.h"

#include "framework/application.h"

namespace app {

ReceiverLink::ReceiverLink(fw::Component* owner, std::string name, ir::ComFunc& com, ir::IrReceiver& receiver,
                           ir::CodeBus& codes)
    : fw::Component(owner, std::move(name)), com_(com), receiver_(receiver) {
    TimerReconnect = &create<fw::Timer>("TimerReconnect");
    TimerReconnect->setEnabled(false);
    TimerReconnect->setInterval(retryMs);
    TimerReconnect->bindHandler([this](fw::Component&) { watch(); });
    resumed_ = fw::Application::of(owner).onSystemResumed([this] { resumed(); });
    lost_ = receiver_.onLost([this] { lost(); });
    afresh_ = codes.onAfresh([this] { receiver_.dropPartial(); });
}

bool ReceiverLink::open(ir::Reporting reporting) {
    const bool quiet = reporting == ir::Reporting::quiet;
    // A failed open has said so itself when shown. After it, as they always
    // have, the power step fails without a word on the closed port, the
    // badge lights, and the init write fails too, showing "Eroare
    // initializare" (only when reporting is shown).
    if (!com_.OpenComPort(port_, baudRate, reporting) && quiet) return false;
    com_.SetReceiverPower(true);
    receiver_.startLoop();
    lit(true);
    if (com_.SendReceiverInit(true, reporting)) return true;
    if (quiet) close();
    return false;
}

void ReceiverLink::close() {
    receiver_.stopLoop();
    com_.CloseComPort();
    lit(false);
}

void ReceiverLink::activate(bool enabled, int port) {
    TimerReconnect->setEnabled(false);
    // Activated while open: closed first, so no loop ever reads a port
    // being opened again.
    if (com_.isOpen() || receiver_.loopRunning()) shutDown();
    port_ = port;
    wanted_ = enabled && port != 0;
    if (!wanted_) {
        lit(false);
        return;
    }
    // The failures are shown once the sequence is over: a box serves
    // messages, and whatever the user or the loop does meanwhile (close the
    // program, lose the line) then meets a receiver in one piece.
    open(ir::Reporting::held);
    com_.showHeldReports();
    // Deactivated while a box was open: nothing more to keep.
    if (wanted_) TimerReconnect->setEnabled(true);
}

void ReceiverLink::deactivate() {
    wanted_ = false;
    TimerReconnect->setEnabled(false);
    shutDown();
}

void ReceiverLink::shutDown() {
    // The loop stops (and is waited for) before the port goes, so no read
    // ever runs on a handle being closed.
    receiver_.stopLoop();
    com_.SetReceiverPower(false);
    com_.CloseComPort();
    lit(false);
}

void ReceiverLink::lost() {
    // Dark at once; the watch opens it again.
    if (wanted_) close();
}

void ReceiverLink::watch() {
    if (!wanted_ || healthy()) return;
    // Whatever is left of it goes first: a loop that ended, a port whose
    // "IR" did not go out.
    close();
    open(ir::Reporting::quiet);
}

void ReceiverLink::resumed() {
    if (!wanted_) return;
    close();
    open(ir::Reporting::quiet);
}

}  // namespace app
