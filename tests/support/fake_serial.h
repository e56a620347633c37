// A scripted serial-port double. It records every call with its arguments
// ("escape SETRTS", "sleep 100"), fails the operations a test names, plays
// received bytes, and watches for what must never happen: two reads at
// once, or a read on a handle that is closed or being closed. Safe to use
// from the receive thread and the test's thread.
//
// Bytes come either as a script (a byte, or a gap: a read that finds
// nothing) or as arrivals on a clock of the double's own, which reads and
// sleeps move instead of waiting: a read waits for the next arrival as long
// as it may, so a receive loop's timing can be replayed exactly and at once.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/serial.h"

namespace testing_support {

class FakeSerial : public platform::SerialPorts {
public:
    // Operation names: open, setupQueues, setTimeouts, setLineSettings, escape SETRTS, escape CLRRTS, escape
    // SETDTR, escape CLRDTR, read, write, and "write bytes" (the write call succeeds, no byte goes out).
    void failOn(const std::string& operation);
    void stopFailing(const std::string& operation);
    // A byte to read, or a gap (a read that finds nothing).
    void script(std::initializer_list<std::optional<std::uint8_t>> items);
    void scriptBytes(const std::vector<std::uint8_t>& bytes);
    // Each read takes this long (widens the window for races).
    std::chrono::microseconds readDuration{0};
    // Sleeps really sleep this fraction of their length (0: not at all).
    double sleepScale = 0.0;
    // A read that finds nothing really waits its time, as a port does.
    bool realWaits = false;

    // A byte arriving at `at` on the double's clock.
    void arrive(std::chrono::microseconds at, std::uint8_t byte);
    std::chrono::microseconds now() const;
    // Called, outside the double's lock, by a read that finds nothing left
    // to come (no script, no arrival).
    std::function<void()> onDrained;
    // The device of the open handles goes away: from now on lineAlive
    // answers false for them, and reads find nothing, or fail when
    // `readsFail` (as on Windows). A port opened later works.
    void loseLine(bool readsFail = false);

    std::vector<std::string> calls() const;
    void clearCalls();
    std::vector<std::string> messages() const;
    platform::LineSettings lastLineSettings() const;
    platform::Timeouts lastTimeouts() const;
    std::string lastOpened() const;
    std::vector<std::uint8_t> written() const;
    bool isOpen() const;

    int maxConcurrentReads() const { return maxReaders_.load(); }
    int readsOnClosedHandles() const { return badReads_.load(); }
    int closesDuringRead() const { return badCloses_.load(); }
    int reads() const { return reads_.load(); }

    platform::PortHandle open(const std::string& devicePath) override;
    bool setupQueues(platform::PortHandle port, std::uint32_t in, std::uint32_t out) override;
    bool setTimeouts(platform::PortHandle port, const platform::Timeouts& t) override;
    bool setLineSettings(platform::PortHandle port, const platform::LineSettings& s) override;
    bool escape(platform::PortHandle port, platform::LineFunction f) override;
    std::unique_ptr<platform::PortReader> reader(platform::PortHandle port) override;
    // Set, makes reader() fail.
    bool noReader = false;
    bool lineAlive(platform::PortHandle port) override;
    bool write(platform::PortHandle port, const std::uint8_t* data, std::uint32_t count,
               std::uint32_t& written) override;
    void close(platform::PortHandle port) override;
    void sleep(int ms) override;
    // The message boxes that the link shows, recorded among the calls;
    // while one is open, what `whileMessageBox` does happens (the posted
    // work a real box serves, the user's clicks).
    void messageBox(const std::string& text, const std::string& caption);
    std::function<void()> whileMessageBox;
    platform::ShowMessage messageBoxes() {
        return [this](const std::string& text, const std::string& caption) { messageBox(text, caption); };
    }

private:
    friend class FakeReader;
    platform::ByteRead readByte(platform::PortHandle port, std::uint8_t& byte, std::uint32_t waitMs,
                                const std::atomic<bool>& interrupted);
    bool fails(const std::string& operation) const;  // lock held
    void record(const std::string& call);            // lock held
    bool valid(platform::PortHandle port) const;     // lock held

    mutable std::mutex mutex_;
    std::condition_variable interrupts_;
    std::set<std::string> failing_;
    std::deque<std::optional<std::uint8_t>> script_;
    std::deque<std::pair<std::chrono::microseconds, std::uint8_t>> arrivals_;
    std::chrono::microseconds now_{0};
    std::set<platform::PortHandle> lostHandles_;
    bool readsFailWhenLost_ = false;
    std::vector<std::string> calls_;
    std::vector<std::string> messages_;
    platform::LineSettings lineSettings_;
    platform::Timeouts timeouts_;
    std::string lastOpened_;
    std::vector<std::uint8_t> written_;
    std::set<platform::PortHandle> openHandles_;
    std::set<platform::PortHandle> closedHandles_;
    std::set<platform::PortHandle> reading_;
    platform::PortHandle next_ = 100;
    std::atomic<int> readers_{0};
    std::atomic<int> maxReaders_{0};
    std::atomic<int> badReads_{0};
    std::atomic<int> badCloses_{0};
    std::atomic<int> reads_{0};
};

}  // namespace testing_support
