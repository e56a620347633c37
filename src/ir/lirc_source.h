// LircSource: the keys of a LIRC or WinLIRC server, read on a thread of
// their own. It connects, reads the server's lines and hands every key on;
// when the server is absent, goes away or restarts it connects again every
// 2 s, without a word, until it is stopped. It tells when it is live
// (connected), and when it is not, why: at each attempt that fails and
// when a connection ends. Both events come on the source's thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <stop_token>

#include "framework/thread.h"
#include "ir/lirc_address.h"
#include "ir/code_sink.h"
#include "ir/lirc_lines.h"
#include "platform/stream_socket.h"

namespace ir {

class LircSource {
public:
    using Wait = std::function<void(std::chrono::milliseconds, std::stop_token)>;
    static constexpr std::chrono::milliseconds retry{sourceRetryMs};
    // How long a read waits before it looks at the stop request again.
    static constexpr std::uint32_t readSliceMs = 200;
    // How long a pause between attempts sleeps before it looks again.
    static constexpr std::chrono::milliseconds stopSlice{50};

    std::function<void(const LircKey&)> onKey;
    std::function<void(bool live, const std::string& why)> onLive;

    // `wait` pauses between attempts (a stop request ends it at once); the
    // tests' own runs no clock.
    explicit LircSource(platform::StreamSockets& sockets, Wait wait = sleepUnlessStopped);
    ~LircSource() { stop(); }

    // Starts reading from `address`; a source already running stops first.
    void start(const LircAddress& address);
    // Asks the thread to stop and waits until it has.
    void stop();
    bool running() const { return thread_.running(); }
    bool live() const { return live_; }

    static void sleepUnlessStopped(std::chrono::milliseconds time, std::stop_token stop);

private:
    void run(const LircAddress& address, std::stop_token stop);
    void setLive(bool live, const std::string& why = {});

    platform::StreamSockets& sockets_;
    Wait wait_;
    std::atomic<bool> live_{false};
    fw::Thread thread_;
};

}  // namespace ir
