// The code texts of the keys and remotes the system hears itself, as the
// settings file and the setup dialog's code field hold them:
//   key:MEDIA_PLAY_PAUSE        a key by its name (the system's virtual key)
//   key:CTRL+ALT+F13            with the modifiers held, in this order:
//                               CTRL, ALT, SHIFT, WIN
//   key:5@045E:006D             a key that only acts from one device, by its
//                               vendor and product numbers (a Media Center
//                               receiver's digits, a Flirc's arrows)
//   hid:FFBC:0D                 a remote's key that no key stands for, by
//                               its HID usage page and usage
// None holds a blank, a comma or "=", so they sit in a list of codes like
// the others, and each is compared exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ir {

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
// The key's name in a code ("MEDIA_PLAY_PAUSE", "F13", "A", "5"); empty
// for an unnamed key.
std::string keyName(unsigned vk);

struct KeyCode {
    unsigned vk = 0;
    unsigned modifiers = 0;  // Modifier bits
    std::string device;      // "VVVV:PPPP", or empty for the key alone
    bool operator==(const KeyCode&) const = default;
};

std::string keyCodeText(const KeyCode& key);
std::optional<KeyCode> parseKeyCode(std::string_view text);

struct HidUsage {
    std::uint16_t page = 0;
    std::uint16_t usage = 0;
    bool operator==(const HidUsage&) const = default;
    bool operator<(const HidUsage& o) const { return page != o.page ? page < o.page : usage < o.usage; }
};

std::string hidCodeText(HidUsage usage);
std::optional<HidUsage> parseHidCode(std::string_view text);

// The key a consumer-control usage stands for (Play/Pause is
// MEDIA_PLAY_PAUSE, Volume Increment is VOLUME_UP ...), so one press that
// a keyboard sends both ways has one code; 0 for none.
unsigned keyForUsage(HidUsage usage);

// "VVVV:PPPP" from a device's system name ("\\?\HID#VID_045E&PID_006D#...");
// empty when it names neither.
std::string deviceId(std::string_view systemName);

}  // namespace ir
