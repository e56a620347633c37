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

#include "platform/key_vocabulary.h"

namespace ir {

struct KeyCode {
    unsigned vk = 0;
    unsigned modifiers = 0;  // platform::Modifier bits
    std::string device;      // "VVVV:PPPP", or empty for the key alone
    bool operator==(const KeyCode&) const = default;
};

std::string keyCodeText(const KeyCode& key);
std::optional<KeyCode> parseKeyCode(std::string_view text);

std::string hidCodeText(platform::HidUsage usage);
std::optional<platform::HidUsage> parseHidCode(std::string_view text);

}  // namespace ir
