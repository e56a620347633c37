#include "app/settings.h"

#include "app/commands.h"
#include "framework/ini_file.h"

namespace app {
namespace {

Settings read(const fw::IniFile& ini) {
    Settings s;
    // The port is taken as read; the receiver's open reports a bad one.
    s.PortNumber = ini.readInteger("PORT_SET", "PORT", 1);
    s.IrEnabled = ini.readInteger("IR", "ACTIVARE", 1) == 1;
    s.TrayMode = ini.readInteger("IR", "Minimizare", 1) == 1;
    s.RunCommands = ini.readInteger("IR", "EXECUTARE", 0) == 1;
    for (const Command& c : commands()) s.LearnedCodes[c.name] = ini.readString("COMENZI_IR", c.name, "");
    return s;
}

}  // namespace

std::filesystem::path configPath(const std::filesystem::path& executable) {
    return executable.parent_path() / "ir_zav.ini";
}

void SettingsStore::LoadSettings() {
    settings_ = read(fw::IniFile(file_));
}

void SettingsStore::write(const std::function<void(fw::IniFile&)>& change) {
    fw::IniFile ini(file_);
    try {
        change(ini);
    } catch (...) {
        // The accessor reads the file again after a failed write: the
        // record is the file as it is, whatever the write got to.
        settings_ = read(ini);
        throw;
    }
    // What the write just read and wrote; the file is not read again.
    settings_ = read(ini);
}

void SettingsStore::SaveSettings(const DialogSettings& v) {
    write([&](fw::IniFile& ini) {
        ini.edit([&](fw::IniDocument& d) {
            d.set("PORT_SET", "PORT", std::to_string(v.PortNumber));
            d.set("IR", "ACTIVARE", v.IrEnabled ? "1" : "0");
            d.set("IR", "MINIMIZARE", v.TrayMode ? "1" : "0");
            d.set("IR", "EXECUTARE", v.RunCommands ? "1" : "0");
        });
    });
}

void SettingsStore::SaveCodIr(const std::string& command, const std::string& code) {
    write([&](fw::IniFile& ini) { ini.writeString("COMENZI_IR", command, code); });
}

}  // namespace app
