// The one path every code takes, whatever its source. Sources feed it from
// their own threads; each code is stamped with the time it came and waits
// in a queue that drops the oldest when full, so a source that floods
// neither grows memory nor freezes the window. On the GUI thread the bus
// decides, once for every code and in the order they came: whether it is a
// new press or the key held (its PressTracker, on the stamps' one clock),
// and where it goes: while the setup dialog learns, a new press goes to
// whoever learns (a held key is not a second press); otherwise every code
// goes to whoever carries codes out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "framework/application.h"
#include "framework/listeners.h"
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
    std::size_t waiting() const;

    // GUI thread only. Each listener hears until its subscription ends.
    void setLearning(bool learning) { shared_->learning = learning; }
    // Which codes hold whatever key was pressed (the held-key code).
    void setHeldKeyCode(std::function<bool(const std::string&)> isHeldKeyCode) {
        shared_->presses.setHeldKeyCode(std::move(isHeldKeyCode));
    }
    bool learning() const { return shared_->learning; }
    [[nodiscard]] fw::Subscription onLearn(Listener listener) { return shared_->learn.add(std::move(listener)); }
    [[nodiscard]] fw::Subscription onCarryOut(Listener listener) { return shared_->carryOut.add(std::move(listener)); }
    // The code field was emptied: a source that holds part of a code not
    // complete yet drops it, so the next code starts afresh.
    void startAfresh() { shared_->afresh(); }
    [[nodiscard]] fw::Subscription onAfresh(std::function<void()> listener) {
        return shared_->afresh.add(std::move(listener));
    }

private:
    // Shared with the drain already posted, which may outlive the bus.
    struct Shared {
        mutable std::mutex mutex;
        std::deque<CodeEvent> waiting;  // under the mutex
        bool drainPosted = false;       // under the mutex
        // GUI thread only.
        bool learning = false;
        PressTracker presses;
        fw::Listeners<void(const CodeEvent&)> learn;
        fw::Listeners<void(const CodeEvent&)> carryOut;
        fw::Listeners<void()> afresh;
        void drain();
    };
    fw::Application& app_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace ir
