// The remote's live state: what the player shows (looked at for whoever
// watches, as often as the most eager of them asks), the volume and mute
// the keys change, the digits typed and the IR badge. Every view shows this
// and nothing else; one event tells each change, with the parts that
// changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "control/winamp_control.h"

namespace app {

using PlayState = control::TWinampControl::PlayState;

struct RemoteState {
    // The program that answers the player's window, by name ("Winamp
    // 5.9"); none when no player window answers.
    std::optional<std::string> player;
    // With no player window, the transport keys go out as the system's
    // media keys, to a player that tells nothing back.
    bool mediaKeys = false;
    PlayState play = PlayState::stopped;
    // The elapsed time of the track, while a player tells it.
    std::optional<std::int32_t> positionMs;
    // The track's one-based number in the play list; none where the player
    // cannot tell it (or none answers).
    std::optional<std::int32_t> track;
    // The title of that track, where the player offers it.
    std::optional<std::string> title;
    // The volume the keys change, 0 to 100, as last heard or set; none
    // before it is known.
    std::optional<int> volume;
    bool muted = false;
    bool shuffle = false;
    bool repeat = false;
    // The digits typed on the key pad, not yet entered.
    std::string digits;
    // A source of codes that lights it (the serial receiver, a LIRC server)
    // is live.
    bool badge = false;
    bool operator==(const RemoteState&) const = default;
};

// The parts of the state, as bits of a change.
enum StatePart : unsigned {
    playerPart = 1u << 0,
    playPart = 1u << 1,
    positionPart = 1u << 2,
    trackPart = 1u << 3,
    titlePart = 1u << 4,
    volumePart = 1u << 5,
    mutedPart = 1u << 6,
    shufflePart = 1u << 7,
    repeatPart = 1u << 8,
    digitsPart = 1u << 9,
    badgePart = 1u << 10,
};

struct StateChange {
    unsigned parts = 0;  // StatePart bits
    // The look that follows a command: what the command did.
    bool afterCommand = false;
    bool has(StatePart part) const { return (parts & part) != 0; }
};

// What a view needs of the player, and how often.
struct StateWatch {
    enum class Parts {
        // The track and its title only: one question a look.
        track,
        // Everything the player tells.
        everything,
    };
    std::uint32_t everyMs = 500;
    Parts parts = Parts::everything;
};

// The read-outs' forms of the state, as the main window and the on-screen
// display show them: the elapsed time as "mm:ss" ("--:--" for a player
// that tells nothing, "00:00" with none), the track's number ("--" where
// it cannot be told), or none where nothing is to be shown.
std::string timeReadout(const RemoteState& state);
std::optional<std::string> trackReadout(const RemoteState& state);

}  // namespace app
