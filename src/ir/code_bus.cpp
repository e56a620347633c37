#include "ir/code_bus.h"

namespace ir {

CodeBus::CodeBus(fw::Application& app)
    : app_(app), queue_(app, maxWaiting, [this](CodeEvent& event) { arrived(event); }) {}

void CodeBus::feed(CodeSource source, std::string code, Arrival arrival) {
    queue_.push(CodeEvent{std::move(code), source, arrival, app_.host().tickCount()});
}

void CodeBus::arrived(CodeEvent& event) {
    const PressTracker::Judged judged = presses_.judge(event.code, event.arrival, event.receivedAt);
    if (judged == PressTracker::Judged::stray) return;
    event.held = judged == PressTracker::Judged::held;
    if (!learning_)
        carryOut_(event);
    else if (!event.held)
        learn_(event);
}

}  // namespace ir
