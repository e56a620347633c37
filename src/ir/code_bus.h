// The one path every code takes, whatever its source. Sources feed it from
// their own threads; each code is stamped with the time it came and waits
// in a bounded queue onto the GUI thread. There the bus decides, once for
// every code and in the order they came: whether it is a new press or the
// key held (its PressTracker, on the stamps' one clock), and where it
// goes: while codes are learned, a new press goes to whoever learns (a
// held key is not a second press); otherwise every code goes to whoever
// carries codes out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "framework/application.h"
#include "framework/listeners.h"
#include "framework/posted_queue.h"
#include "ir/code_sink.h"
#include "ir/press_tracker.h"

namespace ir {

struct CodeEvent {
    std::string code;
    CodeSource source = CodeSource::serial;
    Arrival arrival = Arrival::unknown;
    std::uint32_t receivedAt = 0;
    // Decided on the GUI thread: the key held, not a new press.
    bool held = false;
};

class CodeBus : public CodeSink {
public:
    static constexpr std::size_t maxWaiting = 64;
    using Listener = std::function<void(const CodeEvent&)>;

    explicit CodeBus(fw::Application& app);

    // Any thread.
    void feed(CodeSource source, std::string code, Arrival arrival) override;
    std::size_t waiting() const { return queue_.waiting(); }

    // GUI thread only. Each listener hears until its subscription ends.
    void setLearning(bool learning) { learning_ = learning; }
    // Which codes hold whatever key was pressed (the held-key code).
    void setHeldKeyCode(std::function<bool(const std::string&)> isHeldKeyCode) {
        presses_.setHeldKeyCode(std::move(isHeldKeyCode));
    }
    bool learning() const { return learning_; }
    [[nodiscard]] fw::Subscription onLearn(Listener listener) { return learn_.add(std::move(listener)); }
    [[nodiscard]] fw::Subscription onCarryOut(Listener listener) { return carryOut_.add(std::move(listener)); }
    // The code field was emptied: a source that holds part of a code not
    // complete yet drops it, so the next code starts afresh.
    void startAfresh() { afresh_(); }
    [[nodiscard]] fw::Subscription onAfresh(std::function<void()> listener) { return afresh_.add(std::move(listener)); }

private:
    // Each code is judged by what holds when its turn comes, as a listener
    // may start or end the learning.
    void arrived(CodeEvent& event);

    fw::Application& app_;
    bool learning_ = false;
    PressTracker presses_;
    fw::Listeners<void(const CodeEvent&)> learn_;
    fw::Listeners<void(const CodeEvent&)> carryOut_;
    fw::Listeners<void()> afresh_;
    // Last: it goes first, and a drain already posted then hands on nothing.
    fw::PostedQueue<CodeEvent> queue_;
};

}  // namespace ir
