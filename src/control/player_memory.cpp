#include "control/player_memory.h"

#include "framework/text_encoding.h"

namespace control {

std::optional<std::string> readPlayerText(platform::PlayerWindows& windows, fw::WindowHandle window,
                                          std::uint32_t address, bool wide, std::size_t maxChars) {
    if (address == 0) return std::nullopt;
    const std::size_t unit = wide ? 2 : 1;
    const auto bytes = windows.readMemory(window, address, maxChars * unit);
    if (!bytes) return std::nullopt;
    std::size_t length = 0;
    while (length + unit <= bytes->size() && length < maxChars * unit &&
           (wide ? ((*bytes)[length] | (*bytes)[length + 1]) != 0 : (*bytes)[length] != 0))
        length += unit;
    const std::string_view text(bytes->data(), length);
    std::string utf8 = wide ? fw::utf8FromUtf16(text, false) : windows.codePage().toUtf8(text);
    if (utf8.empty()) return std::nullopt;
    return utf8;
}

}  // namespace control
