#include "support/fake_serial.h"

#include <thread>

namespace testing_support {
namespace {

const char* escapeName(platform::LineFunction f) {
    switch (f) {
        case platform::LineFunction::setRts:
            return "SETRTS";
        case platform::LineFunction::clearRts:
            return "CLRRTS";
        case platform::LineFunction::setDtr:
            return "SETDTR";
        case platform::LineFunction::clearDtr:
            return "CLRDTR";
    }
    return "?";
}

}  // namespace

void FakeSerial::failOn(const std::string& operation) {
    std::lock_guard lock(mutex_);
    failing_.insert(operation);
}

void FakeSerial::script(std::initializer_list<std::optional<std::uint8_t>> items) {
    std::lock_guard lock(mutex_);
    script_.insert(script_.end(), items.begin(), items.end());
}

void FakeSerial::scriptBytes(const std::vector<std::uint8_t>& bytes) {
    std::lock_guard lock(mutex_);
    script_.insert(script_.end(), bytes.begin(), bytes.end());
}

void FakeSerial::arrive(std::chrono::microseconds at, std::uint8_t byte) {
    std::lock_guard lock(mutex_);
    arrivals_.emplace_back(at, byte);
}

std::chrono::microseconds FakeSerial::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void FakeSerial::loseLine(bool readsFail) {
    std::lock_guard lock(mutex_);
    lostHandles_.insert(openHandles_.begin(), openHandles_.end());
    readsFailWhenLost_ = readsFail;
}

void FakeSerial::stopFailing(const std::string& operation) {
    std::lock_guard lock(mutex_);
    failing_.erase(operation);
}

std::vector<std::string> FakeSerial::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void FakeSerial::clearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

std::vector<std::string> FakeSerial::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

platform::LineSettings FakeSerial::lastLineSettings() const {
    std::lock_guard lock(mutex_);
    return lineSettings_;
}

platform::Timeouts FakeSerial::lastTimeouts() const {
    std::lock_guard lock(mutex_);
    return timeouts_;
}

std::string FakeSerial::lastOpened() const {
    std::lock_guard lock(mutex_);
    return lastOpened_;
}

std::vector<std::uint8_t> FakeSerial::written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

bool FakeSerial::isOpen() const {
    std::lock_guard lock(mutex_);
    return !openHandles_.empty();
}

bool FakeSerial::fails(const std::string& operation) const {
    return failing_.count(operation) != 0;
}

// Busy receive loops read thousands of times; the log keeps the beginning.
void FakeSerial::record(const std::string& call) {
    if (calls_.size() < 100000) calls_.push_back(call);
}

bool FakeSerial::valid(platform::PortHandle port) const {
    return openHandles_.count(port) != 0;
}

platform::PortHandle FakeSerial::open(const std::string& devicePath) {
    std::lock_guard lock(mutex_);
    record("open " + devicePath);
    lastOpened_ = devicePath;
    // Names that no device has fail, as the platform's open does.
    if (fails("open") || devicePath.find('-') != std::string::npos) return platform::invalidPort;
    const platform::PortHandle h = next_++;
    openHandles_.insert(h);
    return h;
}

bool FakeSerial::setupQueues(platform::PortHandle port, std::uint32_t in, std::uint32_t out) {
    std::lock_guard lock(mutex_);
    record("setupQueues " + std::to_string(in) + " " + std::to_string(out));
    return valid(port) && !fails("setupQueues");
}

bool FakeSerial::setTimeouts(platform::PortHandle port, const platform::Timeouts& t) {
    std::lock_guard lock(mutex_);
    record("setTimeouts");
    timeouts_ = t;
    return valid(port) && !fails("setTimeouts");
}

bool FakeSerial::setLineSettings(platform::PortHandle port, const platform::LineSettings& s) {
    std::lock_guard lock(mutex_);
    record("setLineSettings");
    lineSettings_ = s;
    return valid(port) && !fails("setLineSettings");
}

bool FakeSerial::escape(platform::PortHandle port, platform::LineFunction f) {
    std::lock_guard lock(mutex_);
    const std::string name = std::string("escape ") + escapeName(f);
    record(name);
    return valid(port) && !fails(name);
}

class FakeReader : public platform::PortReader {
public:
    FakeReader(FakeSerial& serial, platform::PortHandle port) : serial_(serial), port_(port) {}
    platform::ByteRead read(std::uint8_t& byte, std::uint32_t waitMs) override {
        return serial_.readByte(port_, byte, waitMs, interrupted_);
    }
    void interrupt() override {
        {
            std::lock_guard lock(serial_.mutex_);
            interrupted_ = true;
        }
        serial_.interrupts_.notify_all();
    }
    void resume() override { interrupted_ = false; }

private:
    FakeSerial& serial_;
    platform::PortHandle port_;
    std::atomic<bool> interrupted_{false};
};

std::unique_ptr<platform::PortReader> FakeSerial::reader(platform::PortHandle port) {
    if (noReader) return nullptr;
    return std::make_unique<FakeReader>(*this, port);
}

platform::ByteRead FakeSerial::readByte(platform::PortHandle port, std::uint8_t& byte, std::uint32_t waitMs,
                                        const std::atomic<bool>& interrupted) {
    const int now = ++readers_;
    int seen = maxReaders_.load();
    while (now > seen && !maxReaders_.compare_exchange_weak(seen, now)) {
    }
    ++reads_;
    std::optional<std::uint8_t> item;
    bool ok;
    bool drained = false;
    std::chrono::microseconds wait{0};
    {
        std::lock_guard lock(mutex_);
        record("read");
        if (closedHandles_.count(port)) ++badReads_;
        reading_.insert(port);
        const bool lost = lostHandles_.count(port) != 0;
        ok = valid(port) && !fails("read") && !(lost && readsFailWhenLost_);
        const std::chrono::milliseconds limit(waitMs);
        if (ok && !lost && !interrupted) {
            if (!script_.empty()) {
                item = script_.front();
                script_.pop_front();
            } else if (!arrivals_.empty() && arrivals_.front().first <= now_ + limit) {
                now_ = std::max(now_, arrivals_.front().first);
                item = arrivals_.front().second;
                arrivals_.pop_front();
            } else {
                now_ += limit;
                drained = arrivals_.empty();
                wait = limit;
            }
        }
    }
    if (realWaits && drained) {
        std::unique_lock lock(mutex_);
        interrupts_.wait_for(lock, wait, [&] { return interrupted.load(); });
    }
    if (readDuration.count() > 0) std::this_thread::sleep_for(readDuration);
    {
        std::lock_guard lock(mutex_);
        reading_.erase(port);
        if (ok && !valid(port)) ++badReads_;  // closed while we were reading
    }
    --readers_;
    if (drained && onDrained) onDrained();
    if (!ok) return platform::ByteRead::failed;
    if (interrupted) return platform::ByteRead::interrupted;
    if (!item) return platform::ByteRead::nothing;
    byte = *item;
    return platform::ByteRead::byte;
}

bool FakeSerial::lineAlive(platform::PortHandle port) {
    std::lock_guard lock(mutex_);
    record("lineAlive");
    return valid(port) && lostHandles_.count(port) == 0;
}

bool FakeSerial::write(platform::PortHandle port, const std::uint8_t* data, std::uint32_t count,
                       std::uint32_t& transferred) {
    std::lock_guard lock(mutex_);
    std::string call = "write";
    for (std::uint32_t i = 0; i < count; ++i) call += " " + std::to_string(data[i]);
    record(call);
    transferred = 0;
    if (!valid(port) || fails("write")) return false;
    // A line going away takes the call and none of the bytes.
    if (fails("write bytes")) return true;
    written_.insert(written_.end(), data, data + count);
    transferred = count;
    return true;
}

void FakeSerial::close(platform::PortHandle port) {
    std::lock_guard lock(mutex_);
    record("close");
    if (reading_.count(port)) ++badCloses_;
    openHandles_.erase(port);
    closedHandles_.insert(port);
}

void FakeSerial::sleep(int ms) {
    {
        std::lock_guard lock(mutex_);
        record("sleep " + std::to_string(ms));
        now_ += std::chrono::milliseconds(ms);
    }
    if (sleepScale > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(ms * 1000 * sleepScale)));
}

void FakeSerial::messageBox(const std::string& text, const std::string& caption) {
    {
        std::lock_guard lock(mutex_);
        record("messageBox " + text + " | " + caption);
        messages_.push_back(text);
    }
    // A box is modal: the GUI thread serves messages until it is closed.
    if (whileMessageBox) whileMessageBox();
}

}  // namespace testing_support
