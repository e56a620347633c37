#include "ir/com_func.h"

#include <utility>

namespace ir {

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

void ComFunc::fail(const char* text, std::string why, Reporting reporting) {
    // The first failure of a sequence is its reason: the later steps fail
    // because of it.
    if (lastFailure_.empty()) lastFailure_ = std::move(why);
    if (!text) return;
    if (reporting == Reporting::held) held_.emplace_back(text);
    if (reporting == Reporting::shown && showMessage_) showMessage_(text, "Eroare");
}

void ComFunc::showHeldReports() {
    // Taken first: a box may let another sequence begin and keep its own.
    const std::vector<std::string> reports = std::exchange(held_, {});
    if (showMessage_)
        for (const std::string& text : reports) showMessage_(text, "Eroare");
}

bool ComFunc::OpenComPort(int port, std::uint32_t baudRate, Reporting reporting) {
    // A port still open would leak its handle: the caller closes first, but
    // an open over an open port must not lose the old one.
    CloseComPort();
    lastFailure_.clear();
    handle_ = serial_.open(devicePath(port));
    const std::string name = portName(port);
    if (!isOpen()) {
        CloseComPort();
        fail("Nu pot deschide port", name + " could not be opened", reporting);
        return false;
    }
    const platform::PortHandle h = handle_;
    // The queues and the time-outs have always failed without a box.
    if (!serial_.setupQueues(h, queueSize, queueSize) || !serial_.setTimeouts(h, timeouts)) {
        CloseComPort();
        fail(nullptr, name + " could not be set up", reporting);
        return false;
    }
    if (!serial_.setLineSettings(h, lineSettings(baudRate))) {
        CloseComPort();
        fail("Eroare setare", name + " could not be set up", reporting);
        return false;
    }
    reader_ = serial_.reader(h);
    if (!reader_) {
        CloseComPort();
        fail("Nu pot deschide port", name + " could not be read", reporting);
        return false;
    }
    return true;
}

void ComFunc::CloseComPort() {
    reader_.reset();
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
    // Only a write that failed is reported, as it always was; but the
    // receiver counts as initialised only when both bytes went out.
    if (!serial_.write(handle_, init, sizeof init, written)) {
        fail("Eroare initializare", "the receiver did not take its start", reporting);
        return false;
    }
    if (written != sizeof init) fail(nullptr, "the receiver did not take its start", reporting);
    return written == sizeof init;
}

ReadOutcome ComFunc::ReadComByte(std::uint8_t& destination, std::uint32_t waitMs) {
    if (!reader_) return ReadOutcome::lost;
    switch (reader_->read(destination, waitMs)) {
        case platform::ByteRead::byte: return ReadOutcome::byte;
        case platform::ByteRead::interrupted: return ReadOutcome::interrupted;
        case platform::ByteRead::failed: return ReadOutcome::lost;
        case platform::ByteRead::nothing: break;
    }
    // Some systems keep answering reads with nothing once the device has
    // gone; its error state tells.
    return serial_.lineAlive(handle_) ? ReadOutcome::nothing : ReadOutcome::lost;
}

void ComFunc::InterruptReads() {
    if (reader_) reader_->interrupt();
}

void ComFunc::ResumeReads() {
    if (reader_) reader_->resume();
}

}  // namespace ir
