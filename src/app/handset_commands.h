// Learned codes carrying out their commands, for users who asked for it
// ([IR] EXECUTARE=1): a complete code that the setup dialog does not take
// (it is hidden) and that equals a learned code runs the command of that
// name through the main window, as its key does, with a held remote key
// repeating only the commands that make sense repeated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/settings.h"

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
// command while held, or is only held. Codes compare without regard to
// letter case, as they are matched.
class PressTracker {
public:
    // True when the command for `code` is to run now.
    bool arrival(const std::string& code, Repetition repetition, std::uint32_t at);

private:
    std::string code_;
    std::uint32_t lastAt_ = 0;
    std::uint32_t pressedAt_ = 0;
    bool pressing_ = false;
    int arrivalsSinceRepeating_ = 0;
};

// The commands learned for a code, in load order; none for an empty code.
std::vector<std::string> commandsLearnedFor(const Settings& settings, const std::string& code);

class HandsetCommands {
public:
    explicit HandsetCommands(TZAV_Amp& window) : window_(window) {}

    // A complete code the setup dialog did not take, received at `at`.
    void received(const std::string& code, std::uint32_t at);

private:
    TZAV_Amp& window_;
    PressTracker presses_;
};

}  // namespace app
