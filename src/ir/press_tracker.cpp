#include "ir/press_tracker.h"

namespace ir {

bool PressTracker::held(const std::string& code, Arrival arrival, std::uint32_t at) {
    // Unsigned: a clock that wrapped still gives the time between.
    const bool soon = heardAny_ && at - lastAt_ <= samePressMs;
    heardAny_ = true;
    lastAt_ = at;
    const bool holds = arrival == Arrival::held ||
                       (arrival != Arrival::press && soon &&
                        (code == pressCode_ || (isHeldKeyCode_ && isHeldKeyCode_(code))));
    if (!holds) pressCode_ = code;
    return holds;
}

}  // namespace ir
