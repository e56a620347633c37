#include "ir/press_tracker.h"

namespace ir {

PressTracker::Judged PressTracker::judge(const std::string& code, Arrival arrival, std::uint32_t at) {
    if (arrival == Arrival::held) {
        if (!heardAny_ || code != pressCode_) return Judged::stray;
        lastAt_ = at;
        return Judged::held;
    }
    // Unsigned: a clock that wrapped still gives the time between.
    const bool soon = heardAny_ && at - lastAt_ <= samePressMs;
    heardAny_ = true;
    lastAt_ = at;
    const bool holds = arrival != Arrival::press && soon &&
                       (code == pressCode_ || (isHeldKeyCode_ && isHeldKeyCode_(code)));
    if (holds) return Judged::held;
    pressCode_ = code;
    return Judged::press;
}

}  // namespace ir
