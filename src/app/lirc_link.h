// LircLink: the keys of a LIRC or WinLIRC server, beside the serial
// receiver, while an address is set. Each key becomes a code text
// ("remote:button") that goes where the serial receiver's codes go: into
// the open setup dialog's code field (new presses only: a held key is not
// a second press), or past it to the handset's commands, saying whether it
// is a new press or the same key held. A repeat count above 0 with no
// arrival of that key in the 250 ms before it (the connection began
// mid-hold) is a new press. Keys wait for the GUI thread in a queue of
// their own that drops the oldest when full, so a flooding server neither
// grows memory nor freezes the window, and its last key still counts.
// Whether the server is live is told on the GUI thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "framework/application.h"
#include "ir/lirc_address.h"
#include "ir/lirc_source.h"
#include "ir/posted_code_display.h"
#include "platform/stream_socket.h"

namespace app {

class LircLink {
public:
    static constexpr std::size_t maxWaiting = 64;
    static constexpr std::chrono::milliseconds samePress{250};

    LircLink(fw::Application& app, platform::StreamSockets& sockets, ir::PostedCodeDisplay& display,
             ir::LircSource::Wait wait = ir::LircSource::sleepUnlessStopped);
    ~LircLink();

    // The server at `address`, or none: a running source stops first.
    void activate(const std::optional<ir::LircAddress>& address);
    void deactivate();
    bool live() const { return source_.live(); }
    // Keys waiting for the GUI thread.
    std::size_t waiting();
    // GUI thread: the server became live or went.
    std::function<void(bool live)> onLive;

private:
    void key(const ir::LircKey& key);
    // GUI thread: hands the waiting keys on.
    void drain();

    fw::Application& app_;
    ir::PostedCodeDisplay& display_;
    ir::LircSource source_;
    // The source's thread only.
    std::string lastCode_;
    std::chrono::steady_clock::time_point lastAt_{};
    struct Waiting {
        std::string code;
        bool held;
    };
    std::mutex queueMutex_;
    std::deque<Waiting> queue_;
    bool drainPosted_ = false;
    // Work posted to the GUI thread finds out whether the link is still there.
    std::shared_ptr<LircLink*> self_;
};

}  // namespace app
