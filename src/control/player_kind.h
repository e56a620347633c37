// Which program answers the "Winamp v1.x" window, and how it differs from
// Winamp in what it understands: one table, a row per difference, each a
// known fact of that program (everything not in it is Winamp's way). A
// program is known by its process's image name and the version it answers
// (IPC_GETVERSION); one that is none of these is driven as Winamp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace control {

enum class PlayerKind { winamp, wacup, foobar2000, mediaMonkey, aimp, lightAlloy, other };

struct PlayerIdentity {
    PlayerKind kind = PlayerKind::winamp;
    std::int32_t version = 0;  // as answered; 0 when it answers none
    std::string program;       // its image's file name, when known
    bool operator==(const PlayerIdentity&) const = default;
};

// From the image's file name (any folder, any letter case) and the version.
PlayerIdentity identifyPlayer(std::string_view imageName, std::int32_t version);
// What the setup dialog says answers: "Winamp 5.9", "foobar2000 (Winamp
// bridge)", "MediaMonkey", "player.exe, answering as Winamp 5.9" ...
std::string playerName(const PlayerIdentity& player);

// What a key asks of the player.
enum class PlayerAction { rewind, fastForward, pause, shuffle, repeat, trackNumber };

// How the program does it, where it differs from Winamp: the way the
// client then takes, and the number that way uses.
struct PlayerDifference {
    PlayerKind player;
    PlayerAction action;
    enum class Way {
        // Another command id, `id`.
        command,
        // Pause while paused does not resume: `id` (play) does.
        resumeWithCommand,
        // Only switched on, with the set request `id`; off cannot be asked
        // for ("NOT SUPPORTED").
        switchOnOnly,
        // The request `id` always answers the same: nothing to read.
        unreadable,
    } way;
    std::int32_t id = 0;
};

// The row for that program and action; none: Winamp's way.
const PlayerDifference* playerDifference(PlayerKind player, PlayerAction action);

// Whether the program offers its titles as UTF-16 (request 213) beside the
// 8-bit ones (212).
bool offersWideTitles(PlayerKind player);

}  // namespace control
