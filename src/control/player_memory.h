// A text a player answers with: an address in its own process, read from
// there with a bound. The text ends at its zero or at the bound, whichever
// comes first: its length is never taken from the player.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/player_window.h"

namespace control {

// UTF-8 of the text at `address` of the window's process, at most
// `maxChars` characters: UTF-16 when `wide`, else 8-bit in the players'
// code page. None when nothing there can be read, or it is empty.
std::optional<std::string> readPlayerText(platform::PlayerWindows& windows, fw::WindowHandle window,
                                          std::uint32_t address, bool wide, std::size_t maxChars);

}  // namespace control
