#include "app/settings.h"

#include "framework/ini_file.h"

namespace app {

const std::array<const char*, 25> commandNamesLoadOrder{
    "OPEN WINAMP", "PLAY",    "PAUSE",   "STOP",    "MUTE",    "REW",     "FF",      "PREVIOUS SONG", "NEXT SONG",
    "VOLUME UP",   "VOLUME DOWN", "REPEAT", "SHUFFLE", "ENTER", "TASTE 1", "TASTE 2", "TASTE 3", "TASTE 4",
    "TASTE 5",     "TASTE 6", "TASTE 7", "TASTE 8", "TASTE 9", "TASTE 0", "CANCEL"};

const std::array<const char*, 25> commandNamesDialogOrder{
    "OPEN WINAMP", "VOLUME DOWN", "VOLUME UP", "PREVIOUS SONG", "NEXT SONG", "REW",     "FF",
    "PLAY",        "PAUSE",       "STOP",      "MUTE",          "SHUFFLE",   "REPEAT",  "ENTER",
    "TASTE 1",     "TASTE 2",     "TASTE 3",   "TASTE 4",       "TASTE 5",   "TASTE 6", "TASTE 7",
    "TASTE 8",     "TASTE 9",     "TASTE 0",   "CANCEL"};

std::filesystem::path configPath(const std::filesystem::path& executable) {
    return executable.parent_path() / "ir_zav.ini";
}

void LoadSettings(const std::filesystem::path& file, Settings& settings) {
    const fw::IniFile ini(file);
    // The port is taken as read; the receiver's open reports a bad one.
    settings.PortNumber = ini.readInteger("PORT_SET", "PORT", 1);
    settings.IrEnabled = ini.readInteger("IR", "ACTIVARE", 1) == 1;
    settings.TrayMode = ini.readInteger("IR", "Minimizare", 1) == 1;
    settings.RunCommands = ini.readInteger("IR", "EXECUTARE", 0) == 1;
    for (const char* name : commandNamesLoadOrder) settings.LearnedCodes[name] = ini.readString("COMENZI_IR", name, "");
}

void SaveSettings(const std::filesystem::path& file, const Settings& settings) {
    fw::IniFile ini(file);
    ini.writeInteger("PORT_SET", "PORT", settings.PortNumber);
    ini.writeBool("IR", "ACTIVARE", settings.IrEnabled);
    ini.writeBool("IR", "MINIMIZARE", settings.TrayMode);
    ini.writeBool("IR", "EXECUTARE", settings.RunCommands);
}

}  // namespace app
