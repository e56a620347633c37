// The program's settings and their one store. The settings file,
// "ir_zav.ini" beside the executable, holds the receiver's COM port and
// whether it is on, whether the window starts in the notification area,
// whether learned codes carry out their commands, whether the on-screen
// display shows them, which volume the keys change, the player's program
// file, a LIRC server's address, whether the keys and remotes the system
// hears are a source of codes, and the codes learned for each command.
// The store keeps the settings record that the remote, the setup dialog
// and the handset share, and is the only writer of the file: every user
// action that changes a setting is one atomic write of the file as it is
// at that moment, and the record is then what was written. A write that
// fails raises its error and leaves the record as the file is.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/learned_codes.h"
#include "control/master_volume.h"
#include "framework/file_system.h"
#include "ir/lirc_address.h"
#include "web/web_remote.h"

namespace fw {
class IniFile;
}

namespace app {

constexpr int defaultWebPort = 8780;
// Ports below are the system's own services'.
constexpr int minWebPort = 1024;
constexpr int maxWebPort = 65535;

struct Settings {
    int PortNumber = 1;
    bool IrEnabled = true;
    bool TrayMode = true;
    // [IR] EXECUTARE=1: a received code that was learned carries out its
    // command; anything else (or nothing) leaves codes to the setup dialog.
    bool RunCommands = false;
    // [IR] OSD: what the handset does shows on screen while the remote is
    // hidden; only 0 turns it off.
    bool Osd = true;
    // [PLAYER] VOLUME: "player" sends the volume keys to the player always;
    // anything else lets them reach the system's volume where it can be set.
    control::VolumePreference Volume = control::VolumePreference::automatic;
    // [PLAYER] PATH: the player's program file as the user chose it (UTF-8);
    // empty when not set, and the player is looked for where it installs.
    std::string PlayerPath;
    // [LIRC] ADDRESS: the LIRC or WinLIRC server whose keys come beside the
    // serial receiver's; none when empty, missing or unreadable.
    std::optional<ir::LircAddress> LircAddress;
    std::string LircAddressText;
    // [KEYS] ENABLED: the keys and remotes the system hears are a source of
    // codes; only 0 turns them off.
    bool KeysEnabled = true;
    // [PLAYER] OTHERS=1: with no Winamp window, the transport keys go out
    // as the system's media keys, for whatever player listens to them.
    bool OthersByMediaKeys = false;
    // [WEB] ENABLED=1: the phone remote listens on the home network;
    // anything else leaves it off, so nothing listens unless the user said.
    bool WebEnabled = false;
    // [WEB] PORT: 1024 to 65535; anything else is the default.
    int WebPort = defaultWebPort;
    // [WEB] ADDRESS: the address a phone is shown; empty for the PC's own
    // on the network of its default route.
    std::string WebAddress;
    // [WEB_PHONES]: the paired phones, by the hash of their tokens.
    std::vector<web::Phone> Phones;
    // Command name (or the held-key code's) -> its codes, none when none
    // were learned.
    std::map<std::string, CodeList> LearnedCodes;
};

// What the setup dialog's "Ok" saves.
struct DialogSettings {
    int PortNumber = 1;
    bool IrEnabled = true;
    bool TrayMode = true;
    bool RunCommands = false;
    bool Osd = true;
    control::VolumePreference Volume = control::VolumePreference::automatic;
    // The player's path is written only when the user chose or typed one;
    // an empty one then removes the setting.
    std::optional<std::string> PlayerPath = std::nullopt;
    // The server's address as typed (empty: off); none leaves it as it is.
    std::optional<std::string> LircAddress = std::nullopt;
    bool KeysEnabled = true;
    bool OthersByMediaKeys = false;
    bool WebEnabled = false;
    int WebPort = defaultWebPort;
    // The address as chosen (empty: the PC's own); none leaves it as it is.
    std::optional<std::string> WebAddress = std::nullopt;
};

// The configuration file's path for a program at `executable`.
std::filesystem::path configPath(const std::filesystem::path& executable);

class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file, fw::FileSystem& files = fw::standardFiles())
        : file_(std::move(file)), files_(files) {}

    const std::filesystem::path& file() const { return file_; }
    const Settings& settings() const { return settings_; }

    // The record becomes what the file says now.
    void LoadSettings();
    // Port, receiver, tray mode, whether codes run commands, whether the
    // handset's commands show on screen, where the volume keys go, the
    // player's path, the server's address and whether the system's keys are
    // heard, in one write; "Unable to write to <path>" when it fails. A
    // path that a file of 8-bit text could not hold turns such a file into
    // UTF-16, as the system's own profile calls read it.
    void SaveSettings(const DialogSettings& values);
    // The code becomes the command's only one (none for an empty code), in
    // one write.
    void SaveCodIr(const std::string& command, const std::string& code);
    // Adds the code to the command's, in one write; nothing for an empty
    // code or one the command has. A fifth code is refused: an error that
    // says so, and nothing written.
    void AddCodIr(const std::string& command, const std::string& code);
    // Removes every code of the command from the file, in one write.
    void ForgetCodIr(const std::string& command);
    // A paired phone is kept, or one or every one is forgotten, in one
    // write each.
    void AddPhone(const web::Phone& phone);
    void ForgetPhone(const std::string& hash);
    void ForgetPhones();

private:
    void write(const std::function<void(fw::IniFile&)>& change);

    std::filesystem::path file_;
    fw::FileSystem& files_;
    Settings settings_;
};

}  // namespace app
