#include "ir/key_codes.h"

#include <array>
#include <utility>

#include "framework/convert.h"

namespace ir {

using platform::HidUsage;

namespace {

constexpr std::array<std::pair<unsigned, const char*>, 4> modifierNames{{
    {platform::ctrl, "CTRL"}, {platform::alt, "ALT"}, {platform::shift, "SHIFT"}, {platform::win, "WIN"}}};

bool isDeviceId(std::string_view device) {
    return device.size() == 9 && device[4] == ':' && fw::upperHexValue(device.substr(0, 4), 4) &&
           fw::upperHexValue(device.substr(5), 4);
}

}  // namespace

std::string keyCodeText(const KeyCode& key) {
    std::string text = "key:";
    for (const auto& [bit, name] : modifierNames)
        if (key.modifiers & bit) text += std::string(name) + "+";
    text += platform::keyName(key.vk);
    if (!key.device.empty()) text += "@" + key.device;
    return text;
}

std::optional<KeyCode> parseKeyCode(std::string_view text) {
    const std::string_view whole = text;
    if (text.substr(0, 4) != "key:") return std::nullopt;
    text.remove_prefix(4);
    KeyCode key;
    if (const std::size_t at = text.find('@'); at != std::string_view::npos) {
        key.device = std::string(text.substr(at + 1));
        text = text.substr(0, at);
    }
    for (;;) {
        const std::size_t plus = text.find('+');
        if (plus == std::string_view::npos) break;
        const std::string_view name = text.substr(0, plus);
        unsigned bit = 0;
        for (const auto& [b, n] : modifierNames)
            if (name == n) bit = b;
        if (bit == 0) return std::nullopt;
        key.modifiers |= bit;
        text.remove_prefix(plus + 1);
    }
    key.vk = platform::keyNamed(text);
    if (key.vk == 0) return std::nullopt;
    if (!key.device.empty() && !isDeviceId(key.device)) return std::nullopt;
    // Only the one spelling that is written, so texts compare exactly.
    if (keyCodeText(key) != whole) return std::nullopt;
    return key;
}

std::string hidCodeText(HidUsage usage) {
    return "hid:" + fw::upperHexText(usage.page, 4) + ":" + fw::upperHexText(usage.usage, 2);
}

std::optional<HidUsage> parseHidCode(std::string_view text) {
    if (text.substr(0, 4) != "hid:" || text.size() < 10 || text[8] != ':') return std::nullopt;
    const auto page = fw::upperHexValue(text.substr(4, 4), 4);
    const auto usage = fw::upperHexValue(text.substr(9), 4);
    if (!page || !usage) return std::nullopt;
    const HidUsage parsed{static_cast<std::uint16_t>(*page), static_cast<std::uint16_t>(*usage)};
    if (hidCodeText(parsed) != text) return std::nullopt;
    return parsed;
}

}  // namespace ir
