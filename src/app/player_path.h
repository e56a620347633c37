// Where the player is started from: the first program file that exists of
// the one the user chose, the fixed path the remote always used, the folder
// the player's installer recorded, and the player's folder under the 32-bit
// and the 64-bit program folders.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/launcher.h"

namespace app {

// The fixed path the remote has always started the player from.
inline constexpr char fixedPlayerPath[] = "C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE";

// Every place, in the order they are tried; `chosen` is [PLAYER] PATH
// (empty: none). A variable that is not set, or is empty, adds no place.
std::vector<std::string> playerPlaces(const std::string& chosen, platform::Launcher& launcher);
// The first place whose file exists; none when the player is nowhere.
std::optional<std::string> findPlayer(const std::string& chosen, platform::Launcher& launcher);

}  // namespace app
