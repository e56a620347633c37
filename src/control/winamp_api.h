// The player's documented remote-control interface, the one table of its
// numbers: the window class it is found by, the command ids it takes and
// the request codes it answers, and the numbers of the programs that
// answer its window in their own ways. How a command or a request travels
// to the player's window is the player seam's business
// (platform/player_window.h).
#pragma once

#include <cstdint>

namespace control::winamp {

inline constexpr char windowClass[] = "Winamp v1.x";

// Command ids the player carries out.
enum class Command : std::int32_t {
    close = 40001,
    toggleRepeat = 40022,
    toggleShuffle = 40023,
    previous = 40044,
    play = 40045,
    pause = 40046,
    stop = 40047,
    next = 40048,
    rewind = 40144,
    fastForward = 40148,
};

// Request codes, each with one argument; the player answers with a number.
enum class Request : std::int32_t {
    version = 0,            // 0x50yx for 5.yx (IPC_GETVERSION)
    status = 104,           // 1 playing, 3 paused, anything else stopped
    position = 105,         // argument 0: elapsed milliseconds
    setListPosition = 121,  // argument: the zero-based play-list index
    volume = 122,           // argument 0..255 sets the output volume; askVolume asks it
    listLength = 124,       // the number of titles in the play list
    listPosition = 125,     // the zero-based play-list index playing
    title = 212,            // argument: the index; the 8-bit title's address
    titleWide = 213,        // the same in UTF-16 (Winamp 5)
    shuffle = 250,          // 1 on
    repeat = 251,           // 1 on
};

inline constexpr std::int32_t statusPlaying = 1;
inline constexpr std::int32_t statusPaused = 3;
inline constexpr std::int32_t on = 1;
// The volume request's argument that asks instead of setting.
inline constexpr std::int32_t askVolume = -666;
inline constexpr std::int32_t maximumVolume = 255;

// foobar2000's Winamp bridge (foo_winamp_spam), where it differs.
namespace foobar2000 {
// Its 40144 and 40148 go to the first and the last track; these seek.
inline constexpr std::int32_t seekBack5s = 40154;
inline constexpr std::int32_t seekForward5s = 40158;
// It takes no 40023 or 40022; these requests read their value from
// lParam, which is the request's own number: they only ever switch on.
inline constexpr std::int32_t setShuffle = 252;
inline constexpr std::int32_t setRepeat = 253;
}  // namespace foobar2000

}  // namespace control::winamp
