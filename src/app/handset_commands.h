// Learned codes carrying out their commands, for users who asked for it
// ([IR] EXECUTARE=1): a complete code that the setup dialog does not take
// (it is hidden) and that is one of a command's learned codes runs that
// command through the main window, as its key does, with a held remote key
// repeating only the commands that make sense repeated. A handset that sends
// a key's code once and then a repeat code while the key is held has that
// repeat code learned as the held-key code: it counts as one more arrival
// of the key it follows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/settings.h"
#include "ir/code_sink.h"

namespace app {

class TZAV_Amp;

// What a held remote key does, every number of it in one place.
struct HeldKeys {
    // A held key repeats its code about every 110 ms: the same code again
    // within this time of its last arrival is the same press held down.
    static constexpr std::uint32_t samePressMs = 250;
    // Volume up and down run again at every arrival once held this long.
    static constexpr std::uint32_t volumeRepeatsAfterMs = 400;
    // Rewind and fast-forward run again at every second arrival once held
    // this long.
    static constexpr std::uint32_t seekRepeatsAfterMs = 500;
    // How long a key the handset pressed shows pressed on the skin.
    static constexpr int pressedLookMs = 150;
};

// Tells, arrival by arrival, whether a code starts a press, repeats its
// command while held, or is only held. Codes compare as they are matched
// (a serial code whatever its letter case, a server's key exactly).
class PressTracker {
public:
    // True when the command for `code` is to run now. A server's key says
    // itself whether it is a new press; the serial receiver's are told by
    // their timing.
    bool arrival(const std::string& code, Repetition repetition, std::uint32_t at,
                 ir::Arrival kind = ir::Arrival::timed);
    // The held-key code at `at`: one more arrival of the press it follows
    // within the same-press time, true when that press's command is to run
    // now; nothing without such a press.
    bool heldArrival(std::uint32_t at);

private:
    std::string code_;
    Repetition repetition_ = Repetition::once;
    std::uint32_t lastAt_ = 0;
    std::uint32_t pressedAt_ = 0;
    bool pressing_ = false;
    int arrivalsSinceRepeating_ = 0;
};

// The names a code is learned for (commands, then the held-key code), in
// load order; none for an empty code.
std::vector<std::string> commandsLearnedFor(const Settings& settings, const std::string& code);

class HandsetCommands {
public:
    explicit HandsetCommands(TZAV_Amp& window) : window_(window) {}

    // A complete code the setup dialog did not take, received at `at`.
    void received(const std::string& code, std::uint32_t at, ir::Arrival arrival = ir::Arrival::timed);

private:
    TZAV_Amp& window_;
    PressTracker presses_;
    const Command* pressed_ = nullptr;  // the command of the press going on
};

}  // namespace app
