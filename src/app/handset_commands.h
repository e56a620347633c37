// Learned codes carrying out their commands, for users who asked for it
// ([IR] EXECUTARE=1): a complete code that the setup dialog does not take
// (it is hidden) and that is one of a command's learned codes runs that
// command through the remote, as its key does. Whether a code is a new
// press or the key held is the code bus's to decide; here a held key
// repeats only the commands that make sense repeated, each at its pace.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/settings.h"
#include "ir/code_bus.h"

namespace app {

class Remote;

// What a held remote key does, every number of it in one place.
struct HeldKeys {
    // Volume up and down run again at every arrival once held this long.
    static constexpr std::uint32_t volumeRepeatsAfterMs = 400;
    // Rewind and fast-forward run again at every second arrival once held
    // this long.
    static constexpr std::uint32_t seekRepeatsAfterMs = 500;
    // How long a key the handset pressed shows pressed on the skin.
    static constexpr int pressedLookMs = 150;
};

// How one press's command repeats while its key is held: pressed at one
// time, then told of every arrival of the key held.
class HeldRepeats {
public:
    void pressed(Repetition repetition, std::uint32_t at);
    // True when the command is to run again for the arrival at `at`.
    bool heldArrival(std::uint32_t at);

private:
    Repetition repetition_ = Repetition::once;
    std::uint32_t pressedAt_ = 0;
    int arrivalsSinceRepeating_ = 0;
};

// Which source asked, by the source its code came from.
CommandSource commandSourceOf(ir::CodeSource source);

// The names a code is learned for (commands, then the held-key code), in
// load order; none for an empty code.
std::vector<std::string> commandsLearnedFor(const Settings& settings, const std::string& code);

class HandsetCommands {
public:
    explicit HandsetCommands(Remote& remote) : remote_(remote) {}

    // A complete code the setup dialog did not take.
    void received(const ir::CodeEvent& event);

private:
    Remote& remote_;
    HeldRepeats repeats_;
    const Command* pressed_ = nullptr;  // the command of the press going on
};

}  // namespace app
