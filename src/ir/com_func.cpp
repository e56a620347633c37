#include "ir/com_func.h"

namespace ir {
namespace {

// The wait the port starts with: the receive loop's first.
constexpr std::uint32_t initialWaitMs = 50;

}  // namespace

platform::Timeouts ComFunc::timeouts(std::uint32_t waitMs) {
    return {platform::Timeouts::waitForAny, platform::Timeouts::waitForAny, waitMs, 2, 2};
}

platform::LineSettings ComFunc::lineSettings(std::uint32_t baudRate) {
    platform::LineSettings s;
    s.length = 28;
    s.baudRate = baudRate;
    // Every documented flag clear: no parity check, no flow control, RTS
    // and DTR left alone by the driver; only bits 24 and 31 of the
    // reserved field set, as the receiver's driver has always had them.
    s.flags = 0x81000000u;
    s.byteSize = 8;
    s.parity = 0;
    s.stopBits = 0;
    return s;
}

std::string ComFunc::portName(int port) { return "COM" + std::to_string(port); }

std::string ComFunc::devicePath(int port) { return "\\\\.\\" + portName(port); }

void ComFunc::fail(const char* text, Reporting reporting) {
    if (reporting == Reporting::shown) serial_.messageBox(text, "Eroare");
}

bool ComFunc::OpenComPort(int port, std::uint32_t baudRate, Reporting reporting) {
    // A port still open would leak its handle: the caller closes first, but
    // an open over an open port must not lose the old one.
    CloseComPort();
    handle_ = serial_.open(devicePath(port));
    if (!isOpen()) {
        CloseComPort();
        fail("Nu pot deschide port", reporting);
        return false;
    }
    const platform::PortHandle h = handle_;
    if (!serial_.setupQueues(h, queueSize, queueSize)) {
        CloseComPort();
        return false;
    }
    if (!serial_.setTimeouts(h, timeouts(initialWaitMs))) {
        CloseComPort();
        return false;
    }
    waitMs_ = initialWaitMs;
    if (!serial_.setLineSettings(h, lineSettings(baudRate))) {
        CloseComPort();
        fail("Eroare setare", reporting);
        return false;
    }
    return true;
}

void ComFunc::CloseComPort() {
    const platform::PortHandle h = handle_.exchange(platform::invalidPort);
    if (h != platform::invalidPort) serial_.close(h);
}

bool ComFunc::SetReceiverPower(bool on) {
    const platform::PortHandle h = handle_;
    using platform::LineFunction;
    // RTS first, in both directions; DTR only when the RTS change worked.
    bool ok = serial_.escape(h, on ? LineFunction::setRts : LineFunction::clearRts);
    if (ok) ok = serial_.escape(h, on ? LineFunction::setDtr : LineFunction::clearDtr);
    serial_.sleep(powerPauseMs);
    return ok;
}

bool ComFunc::SendReceiverInit(bool send, Reporting reporting) {
    static constexpr std::uint8_t init[] = {'I', 'R'};
    if (!send) return false;
    std::uint32_t written = 0;
    if (serial_.write(handle_, init, sizeof init, written)) return true;
    fail("Eroare initializare", reporting);
    return false;
}

ReadOutcome ComFunc::ReadComByte(std::uint8_t& destination, std::uint32_t waitMs) {
    const platform::PortHandle h = handle_;
    if (waitMs != waitMs_) {
        if (!serial_.setTimeouts(h, timeouts(waitMs))) return ReadOutcome::lost;
        waitMs_ = waitMs;
    }
    std::uint32_t got = 0;
    if (!serial_.read(h, &destination, 1, got)) return ReadOutcome::lost;
    if (got == 1) return ReadOutcome::byte;
    // Some systems keep answering reads with nothing once the device has
    // gone; its error state tells.
    return serial_.lineAlive(h) ? ReadOutcome::nothing : ReadOutcome::lost;
}

}  // namespace ir
