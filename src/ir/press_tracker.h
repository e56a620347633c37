// PressTracker: the one place that decides whether a code that came starts
// a press or is the key still held, from every code in the order it came
// and the time it came (the code bus's clock). A handset repeats a held
// key's code about every 110 ms: the same code again within the same-press
// time of the last arrival is the same press held. Many handsets send a
// short repeat code instead, the same for every key (the held-key code):
// within that time it holds whatever key was pressed; after a silence it
// starts a "press" of its own, which carries out nothing. A key a source
// knows is still down holds only its own press, never another's.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ir/code_sink.h"

namespace ir {

class PressTracker {
public:
    static constexpr std::uint32_t samePressMs = 250;

    // Whether a code is the held-key code; none: no code is.
    void setHeldKeyCode(std::function<bool(const std::string& code)> isHeldKeyCode) {
        isHeldKeyCode_ = std::move(isHeldKeyCode);
    }
    enum class Judged {
        press,  // it starts a press
        held,   // it holds the press going on
        // A key its source says is still down, whose press another code
        // has ended since: it holds nothing, and starts nothing.
        stray,
    };
    // What `code`, come at `at`, is. Codes from the sources come in one
    // spelling each, so they are compared exactly.
    Judged judge(const std::string& code, Arrival arrival, std::uint32_t at);

private:
    std::function<bool(const std::string&)> isHeldKeyCode_;
    bool heardAny_ = false;
    std::uint32_t lastAt_ = 0;
    // The code that started the press going on.
    std::string pressCode_;
};

}  // namespace ir
