#include "platform/key_vocabulary.h"

#include <array>
#include <optional>

#include "framework/convert.h"

namespace platform {

namespace {

struct NamedKey {
    unsigned vk;
    const char* name;
    KeyKind kind;
};

constexpr KeyKind T = KeyKind::typing;
constexpr KeyKind C = KeyKind::command;
constexpr KeyKind M = KeyKind::modifier;

// Letters, digits and F-keys are named by rule below; these by the table.
constexpr std::array namedKeys{
    NamedKey{0x08, "BACK", T},          NamedKey{0x09, "TAB", T},
    NamedKey{0x0C, "CLEAR", T},         NamedKey{0x0D, "ENTER", T},
    NamedKey{0x13, "PAUSE", T},         NamedKey{0x14, "CAPS_LOCK", M},
    NamedKey{0x1B, "ESCAPE", T},        NamedKey{0x20, "SPACE", T},
    NamedKey{0x21, "PAGE_UP", T},       NamedKey{0x22, "PAGE_DOWN", T},
    NamedKey{0x23, "END", T},           NamedKey{0x24, "HOME", T},
    NamedKey{0x25, "LEFT", T},          NamedKey{0x26, "UP", T},
    NamedKey{0x27, "RIGHT", T},         NamedKey{0x28, "DOWN", T},
    NamedKey{0x2C, "PRINT_SCREEN", T},  NamedKey{0x2D, "INSERT", T},
    NamedKey{0x2E, "DELETE", T},        NamedKey{0x2F, "HELP", T},
    NamedKey{0x5D, "APPS", T},          NamedKey{0x5F, "SLEEP", C},
    NamedKey{0x6A, "MULTIPLY", T},      NamedKey{0x6B, "ADD", T},
    NamedKey{0x6C, "SEPARATOR", T},     NamedKey{0x6D, "SUBTRACT", T},
    NamedKey{0x6E, "DECIMAL", T},       NamedKey{0x6F, "DIVIDE", T},
    NamedKey{0x90, "NUM_LOCK", M},      NamedKey{0x91, "SCROLL_LOCK", M},
    NamedKey{0xA6, "BROWSER_BACK", C},  NamedKey{0xA7, "BROWSER_FORWARD", C},
    NamedKey{0xA8, "BROWSER_REFRESH", C}, NamedKey{0xA9, "BROWSER_STOP", C},
    NamedKey{0xAA, "BROWSER_SEARCH", C}, NamedKey{0xAB, "BROWSER_FAVORITES", C},
    NamedKey{0xAC, "BROWSER_HOME", C},  NamedKey{0xAD, "VOLUME_MUTE", C},
    NamedKey{0xAE, "VOLUME_DOWN", C},   NamedKey{0xAF, "VOLUME_UP", C},
    NamedKey{0xB0, "MEDIA_NEXT_TRACK", C}, NamedKey{0xB1, "MEDIA_PREV_TRACK", C},
    NamedKey{0xB2, "MEDIA_STOP", C},    NamedKey{0xB3, "MEDIA_PLAY_PAUSE", C},
    NamedKey{0xB4, "LAUNCH_MAIL", C},   NamedKey{0xB5, "LAUNCH_MEDIA_SELECT", C},
    NamedKey{0xB6, "LAUNCH_APP1", C},   NamedKey{0xB7, "LAUNCH_APP2", C},
    NamedKey{0xBA, "OEM_1", T},         NamedKey{0xBB, "OEM_PLUS", T},
    NamedKey{0xBC, "OEM_COMMA", T},     NamedKey{0xBD, "OEM_MINUS", T},
    NamedKey{0xBE, "OEM_PERIOD", T},    NamedKey{0xBF, "OEM_2", T},
    NamedKey{0xC0, "OEM_3", T},         NamedKey{0xDB, "OEM_4", T},
    NamedKey{0xDC, "OEM_5", T},         NamedKey{0xDD, "OEM_6", T},
    NamedKey{0xDE, "OEM_7", T},         NamedKey{0xDF, "OEM_8", T},
    NamedKey{0xE2, "OEM_102", T},       NamedKey{0xFA, "PLAY", C},
    NamedKey{0xFB, "ZOOM", C},
};

const NamedKey* tableEntry(unsigned vk) {
    for (const NamedKey& k : namedKeys)
        if (k.vk == vk) return &k;
    return nullptr;
}

bool isModifierKey(unsigned vk) {
    return (vk >= 0x10 && vk <= 0x12) || (vk >= 0xA0 && vk <= 0xA5) || vk == 0x5B || vk == 0x5C;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

KeyKind keyKind(unsigned vk) {
    if (isModifierKey(vk)) return KeyKind::modifier;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || (vk >= 0x60 && vk <= 0x69)) return KeyKind::typing;
    if (vk >= 0x70 && vk <= 0x7B) return KeyKind::typing;   // F1-F12: programs' own keys
    if (vk >= 0x7C && vk <= 0x87) return KeyKind::command;  // F13-F24: on no keyboard one types on
    if (const NamedKey* k = tableEntry(vk)) return k->kind;
    return KeyKind::unnamed;
}

std::string keyName(unsigned vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
    if (vk >= 0x60 && vk <= 0x69) return "NUMPAD" + std::to_string(vk - 0x60);
    if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
    if (isModifierKey(vk)) return {};
    const NamedKey* k = tableEntry(vk);
    return k ? k->name : std::string();
}

unsigned keyNamed(std::string_view name) {
    if (name.empty()) return 0;
    for (unsigned vk = 1; vk < 0xFF; ++vk)
        if (keyKind(vk) != KeyKind::modifier && keyName(vk) == name) return vk;
    return 0;
}

unsigned keyForUsage(HidUsage usage) {
    if (usage.page != 0x0C) return 0;
    switch (usage.usage) {
        case 0xCD: return 0xB3;   // Play/Pause
        case 0xB5: return 0xB0;   // Scan Next Track
        case 0xB6: return 0xB1;   // Scan Previous Track
        case 0xB7: return 0xB2;   // Stop
        case 0xE2: return 0xAD;   // Mute
        case 0xE9: return 0xAF;   // Volume Increment
        case 0xEA: return 0xAE;   // Volume Decrement
        case 0x183: return 0xB5;  // AL Consumer Control Configuration
        case 0x18A: return 0xB4;  // AL Email Reader
        case 0x192: return 0xB7;  // AL Calculator
        case 0x194: return 0xB6;  // AL Local Machine Browser
        case 0x221: return 0xAA;  // AC Search
        case 0x223: return 0xAC;  // AC Home
        case 0x224: return 0xA6;  // AC Back
        case 0x225: return 0xA7;  // AC Forward
        case 0x226: return 0xA9;  // AC Stop
        case 0x227: return 0xA8;  // AC Refresh
        case 0x22A: return 0xAB;  // AC Bookmarks
        default: return 0;
    }
}

std::string deviceId(std::string_view systemName) {
    auto field = [&](std::string_view tag) -> std::optional<unsigned> {
        for (std::size_t at = 0; at + tag.size() + 4 <= systemName.size(); ++at) {
            bool same = true;
            for (std::size_t i = 0; i < tag.size() && same; ++i) same = upper(systemName[at + i]) == tag[i];
            if (!same) continue;
            std::string digits(systemName.substr(at + tag.size(), 4));
            for (char& c : digits) c = upper(c);
            return fw::upperHexValue(digits, 4);
        }
        return std::nullopt;
    };
    const auto vendor = field("VID_");
    const auto product = field("PID_");
    if (!vendor || !product) return {};
    return fw::upperHexText(*vendor, 4) + ":" + fw::upperHexText(*product, 4);
}

}  // namespace platform
