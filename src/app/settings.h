// The process-wide settings and their file, "ir_zav.ini" beside the
// executable: COM port, receiver on or off, start in the notification
// area, whether learned codes carry out their commands, and the learned IR
// code of each of the 25 commands.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <string>

namespace app {

// The command names in the order they are loaded...
extern const std::array<const char*, 25> commandNamesLoadOrder;
// ...and in the order the setup dialog lists them.
extern const std::array<const char*, 25> commandNamesDialogOrder;

struct Settings {
    int PortNumber = 1;
    bool IrEnabled = true;
    bool TrayMode = true;
    // [IR] EXECUTARE=1: a received code that was learned carries out its
    // command; anything else (or nothing) leaves codes to the setup dialog.
    bool RunCommands = false;
    std::map<std::string, std::string> LearnedCodes;  // command name -> code text
};

// The configuration file's path for a program at `executable`.
std::filesystem::path configPath(const std::filesystem::path& executable);

void LoadSettings(const std::filesystem::path& file, Settings& settings);
// Writes port, receiver, tray mode and whether codes run commands; raises
// "Unable to write to <path>" at the first write that fails, leaving the
// earlier ones written.
void SaveSettings(const std::filesystem::path& file, const Settings& settings);

}  // namespace app
