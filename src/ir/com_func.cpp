#include "ir/com_func.h"

namespace ir {

const platform::Timeouts ComFunc::timeouts{2, 2, 2, 2, 2};

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

std::string ComFunc::portName(int port) {
    return "COM" + std::to_string(port);
}

std::string ComFunc::devicePath(int port) {
    return "\\\\.\\" + portName(port);
}

void ComFunc::fail(const char* text) {
    serial_.messageBox(text, "Eroare");
}

bool ComFunc::OpenComPort(int port, std::uint32_t baudRate) {
    // A port still open would leak its handle: the caller closes first, but
    // an open over an open port must not lose the old one.
    CloseComPort();
    handle_ = serial_.open(devicePath(port));
    if (!isOpen()) {
        CloseComPort();
        fail("Nu pot deschide port");
        return false;
    }
    const platform::PortHandle h = handle_;
    if (!serial_.setupQueues(h, queueSize, queueSize)) {
        CloseComPort();
        return false;
    }
    if (!serial_.setTimeouts(h, timeouts)) {
        CloseComPort();
        return false;
    }
    if (!serial_.setLineSettings(h, lineSettings(baudRate))) {
        CloseComPort();
        fail("Eroare setare");
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

void ComFunc::SendReceiverInit(bool send) {
    static constexpr std::uint8_t init[] = {'I', 'R'};
    if (!send) return;
    std::uint32_t written = 0;
    if (!serial_.write(handle_, init, sizeof init, written)) fail("Eroare initializare");
}

bool ComFunc::ReadComByte(std::uint8_t& destination) {
    std::uint32_t got = 0;
    const bool ok = serial_.read(handle_, &destination, 1, got) && got == 1;
    serial_.sleep(readPauseMs);
    return ok;
}

}  // namespace ir
