#include "app/player_path.h"

#include "framework/convert.h"

namespace app {
namespace {

// Where the player's installer records the folder it installed into.
constexpr char installerKey[] = "Software\\Winamp";
// The program folders a 32-bit player installs under, on 64-bit and on
// 32-bit Windows.
constexpr const char* programFolders[] = {"ProgramFiles(x86)", "ProgramW6432", "ProgramFiles"};

// A folder's text as a user or an installer may write it: blanks around
// it, quotes around it, a backslash at its end.
std::string folderText(std::string_view text) {
    std::string folder(fw::trimBlanks(text));
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') folder = folder.substr(1, folder.size() - 2);
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

void addIn(std::vector<std::string>& places, const std::optional<std::string>& folder, const char* file) {
    if (!folder) return;
    const std::string f = folderText(*folder);
    if (!f.empty()) places.push_back(f + "\\" + file);
}

}  // namespace

std::vector<std::string> playerPlaces(const std::string& chosen, platform::Launcher& launcher) {
    std::vector<std::string> places;
    if (const std::string c = folderText(chosen); !c.empty()) places.push_back(c);
    places.push_back(fixedPlayerPath);
    addIn(places, launcher.userSetting(installerKey, ""), "winamp.exe");
    for (const char* variable : programFolders) addIn(places, launcher.environment(variable), "Winamp\\winamp.exe");
    return places;
}

std::optional<std::string> findPlayer(const std::string& chosen, platform::Launcher& launcher) {
    for (const std::string& place : playerPlaces(chosen, launcher))
        if (launcher.fileExists(place)) return place;
    return std::nullopt;
}

}  // namespace app
