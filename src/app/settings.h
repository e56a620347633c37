// The program's settings and their one store. The settings file,
// "ir_zav.ini" beside the executable, holds the COM port, whether the
// receiver is on, whether the window starts in the notification area,
// whether learned codes carry out their commands, and the learned IR code
// of each command. The store keeps the settings record that the main
// window, the setup dialog and the handset share, and is the only writer of
// the file: every user action that changes a setting is one atomic write of
// the file as it is at that moment, and the record is then what was
// written. A write that fails raises its error and leaves the record as
// the file is.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace fw {
class IniFile;
}

namespace app {

struct Settings {
    int PortNumber = 1;
    bool IrEnabled = true;
    bool TrayMode = true;
    // [IR] EXECUTARE=1: a received code that was learned carries out its
    // command; anything else (or nothing) leaves codes to the setup dialog.
    bool RunCommands = false;
    std::map<std::string, std::string> LearnedCodes;  // command name -> code text
};

// What the setup dialog's "Ok" saves.
struct DialogSettings {
    int PortNumber = 1;
    bool IrEnabled = true;
    bool TrayMode = true;
    bool RunCommands = false;
};

// The configuration file's path for a program at `executable`.
std::filesystem::path configPath(const std::filesystem::path& executable);

class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& file() const { return file_; }
    const Settings& settings() const { return settings_; }

    // The record becomes what the file says now.
    void LoadSettings();
    // Port, receiver, tray mode and whether codes run commands, in one
    // write; "Unable to write to <path>" when it fails.
    void SaveSettings(const DialogSettings& values);
    // One learned code, in one write.
    void SaveCodIr(const std::string& command, const std::string& code);

private:
    void write(const std::function<void(fw::IniFile&)>& change);

    std::filesystem::path file_;
    Settings settings_;
};

}  // namespace app
