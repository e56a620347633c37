#include "app/receiver_link.h"

namespace app {

ReceiverLink::ReceiverLink(fw::Component* owner, std::string name, platform::SerialPorts& serial,
                           platform::ShowMessage showMessage, ir::CodeBus& codes)
    : fw::Component(owner, std::move(name)),
      com_(serial, std::move(showMessage)),
      receiver_(com_, code_, codes, fw::Application::of(owner)) {
    resumed_ = fw::Application::of(owner).onSystemResumed([this] { resumed(); });
    lost_ = receiver_.onLost([this] { lost(); });
    afresh_ = codes.onAfresh([this] { receiver_.dropPartial(); });
}

// The loop goes before the port it reads.
ReceiverLink::~ReceiverLink() { receiver_.stopLoop(); }

bool ReceiverLink::open(ir::Reporting reporting) {
    const bool quiet = reporting == ir::Reporting::quiet;
    lostWhy_.clear();
    // A failed open has said so itself when shown. After it, as they always
    // have, the power step fails without a word on the closed port and the
    // init write fails too, showing "Eroare initializare" (only when
    // reporting is shown).
    const bool opened = com_.OpenComPort(port_, baudRate, reporting);
    if (!opened && quiet) return false;
    com_.SetReceiverPower(true);
    if (opened) receiver_.startLoop();
    const bool started = com_.SendReceiverInit(true, reporting);
    if (!started && quiet) close();
    return opened && started;
}

void ReceiverLink::close() {
    receiver_.stopLoop();
    com_.CloseComPort();
}

void ReceiverLink::tell() {
    if (!wanted_) {
        report(SourceState::off);
        return;
    }
    if (healthy()) {
        report(SourceState::live);
        return;
    }
    const std::string& why = !lostWhy_.empty() ? lostWhy_ : com_.lastFailure();
    report(SourceState::failed, why.empty() ? ir::ComFunc::portName(port_) + " could not be opened" : why);
}

void ReceiverLink::activate(bool enabled, int port) {
    // Activated while open: closed first, so no loop ever reads a port
    // being opened again.
    if (com_.isOpen() || receiver_.loopRunning()) shutDown();
    port_ = port;
    wanted_ = enabled && port != 0;
    if (!wanted_) {
        tell();
        return;
    }
    // The failures are shown once the sequence is over: a box serves
    // messages, and whatever the user or the loop does meanwhile (close the
    // program, lose the line) then meets a receiver in one piece.
    open(ir::Reporting::held);
    tell();
    com_.showHeldReports();
}

void ReceiverLink::deactivate() {
    wanted_ = false;
    shutDown();
    tell();
}

void ReceiverLink::shutDown() {
    // The loop stops (and is waited for) before the port goes, so no read
    // ever runs on a handle being closed.
    receiver_.stopLoop();
    com_.SetReceiverPower(false);
    com_.CloseComPort();
}

void ReceiverLink::lost() {
    // Off at once; the keeping opens it again.
    if (!wanted_) return;
    close();
    lostWhy_ = ir::ComFunc::portName(port_) + " went away";
    tell();
}

void ReceiverLink::keep() {
    if (!wanted_ || healthy()) return;
    // Whatever is left of it goes first: a loop that ended, a port whose
    // "IR" did not go out.
    close();
    open(ir::Reporting::quiet);
    tell();
}

void ReceiverLink::resumed() {
    if (!wanted_) return;
    close();
    open(ir::Reporting::quiet);
    tell();
}

}  // namespace app
