// The keys and remotes the system hears, as the system names them: the
// modifiers, what kind of key a virtual key is, its name, the HID usages of
// a remote's keys and the keys they stand for, and a device's vendor and
// product numbers. The listening on each system and the code texts of the
// learned keys both speak it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum Modifier : unsigned { ctrl = 1, alt = 2, shift = 4, win = 8 };

// What a key is to the remote.
enum class KeyKind {
    // Shift, Ctrl, Alt, Win, the locks: only ever held with another key.
    modifier,
    // Keys that type or move (letters, digits, arrows, Enter, Esc, Tab,
    // F1-F12, the editing keys): the user's own, unless bound to a device
    // or held with Ctrl, Alt or Win.
    typing,
    // Media, volume, browser and launch keys, F13 to F24: no one types
    // them, so the key alone is the code.
    command,
    // A key without a name: never a code.
    unnamed,
};

KeyKind keyKind(unsigned vk);
// The key's name ("MEDIA_PLAY_PAUSE", "F13", "A", "5"); empty for an
// unnamed key or a modifier.
std::string keyName(unsigned vk);
// The key of that name, or 0.
unsigned keyNamed(std::string_view name);

struct HidUsage {
    std::uint16_t page = 0;
    std::uint16_t usage = 0;
    bool operator==(const HidUsage&) const = default;
    bool operator<(const HidUsage& o) const { return page != o.page ? page < o.page : usage < o.usage; }
};

// The key a consumer-control usage stands for (Play/Pause is
// MEDIA_PLAY_PAUSE, Volume Increment is VOLUME_UP ...), so one press that
// a keyboard sends both ways has one code; 0 for none.
unsigned keyForUsage(HidUsage usage);

// "VVVV:PPPP" from a device's system name ("\\?\HID#VID_045E&PID_006D#...");
// empty when it names neither.
std::string deviceId(std::string_view systemName);

}  // namespace platform
