#include "ir/code_bus.h"

namespace ir {

CodeBus::CodeBus(fw::Application& app) : app_(app), shared_(std::make_shared<Shared>()) {}

void CodeBus::feed(CodeSource source, std::string code, Arrival arrival) {
    CodeEvent event{std::move(code), source, arrival, app_.host().tickCount()};
    std::lock_guard lock(shared_->mutex);
    if (shared_->waiting.size() >= maxWaiting) shared_->waiting.pop_front();
    shared_->waiting.push_back(std::move(event));
    if (shared_->drainPosted) return;
    shared_->drainPosted = true;
    app_.post([shared = shared_] { shared->drain(); });
}

std::size_t CodeBus::waiting() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->waiting.size();
}

void CodeBus::Shared::drain() {
    {
        std::lock_guard lock(mutex);
        drainPosted = false;
    }
    // One code at a time, straight from the queue: a listener that serves
    // messages meanwhile (a message box) lets a later drain go on with the
    // next codes in their order. Each code is judged by what holds when its
    // turn comes, as a listener may open or close the dialog.
    for (;;) {
        CodeEvent event;
        {
            std::lock_guard lock(mutex);
            if (waiting.empty()) return;
            event = std::move(waiting.front());
            waiting.pop_front();
        }
        const PressTracker::Judged judged = presses.judge(event.code, event.arrival, event.receivedAt);
        if (judged == PressTracker::Judged::stray) continue;
        event.held = judged == PressTracker::Judged::held;
        if (!learning)
            carryOut(event);
        else if (!event.held)
            learn(event);
    }
}

}  // namespace ir
