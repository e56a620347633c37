#include "app/settings.h"

#include "app/commands.h"
#include <stdexcept>

#include "framework/convert.h"
#include "framework/ini_file.h"
#include "web/phones.h"

namespace app {
namespace {

constexpr const char* section = "COMENZI_IR";
constexpr const char* playerVolume = "player";

constexpr const char* phonesSection = "WEB_PHONES";

// A port below 1024 needs rights the program does not ask for.
int webPortOf(const std::string& text) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return defaultWebPort;
    int port = std::stoi(text);
    return port >= minWebPort && port <= maxWebPort ? port : defaultWebPort;
}

// A change that turns out to change nothing: no write.
struct Unchanged {};

Settings read(const fw::IniFile& ini) {
    Settings s;
    // The port is taken as read; the receiver's open reports a bad one.
    s.PortNumber = ini.readInteger("PORT_SET", "PORT", 1);
    s.IrEnabled = ini.readInteger("IR", "ACTIVARE", 1) == 1;
    s.TrayMode = ini.readInteger("IR", "Minimizare", 1) == 1;
    s.RunCommands = ini.readInteger("IR", "EXECUTARE", 0) == 1;
    s.Osd = ini.readString("IR", "OSD", "1") != "0";
    // Any other word, in any letter case, is the automatic choice.
    s.Volume = fw::sameText(ini.readString("PLAYER", "VOLUME", "auto"), playerVolume)
                   ? control::VolumePreference::player
                   : control::VolumePreference::automatic;
    s.PlayerPath = ini.readString("PLAYER", "PATH", "");
    s.LircAddressText = ini.readString("LIRC", "ADDRESS", "");
    s.LircAddress = ir::parseLircAddress(s.LircAddressText);
    s.KeysEnabled = ini.readString("KEYS", "ENABLED", "1") != "0";
    s.OthersByMediaKeys = ini.readString("PLAYER", "OTHERS", "0") == "1";
    s.WebEnabled = ini.readString("WEB", "ENABLED", "0") == "1";
    s.WebPort = webPortOf(ini.readString("WEB", "PORT", ""));
    s.WebAddress = ini.readString("WEB", "ADDRESS", "");
    for (const auto& [hash, line] : ini.readSection(phonesSection))
        if (auto phone = web::phoneFromLine(hash, line)) s.Phones.push_back(*phone);
    for (const std::string& name : learnedNamesLoadOrder())
        s.LearnedCodes[name] = parseCodeList(ini.readString(section, name, ""));
    return s;
}

}  // namespace

std::filesystem::path configPath(const std::filesystem::path& executable) {
    return executable.parent_path() / "ir_zav.ini";
}

void SettingsStore::LoadSettings() {
    settings_ = read(fw::IniFile(file_, files_));
}

void SettingsStore::write(const std::function<void(fw::IniFile&)>& change) {
    fw::IniFile ini(file_, files_);
    try {
        change(ini);
    } catch (const Unchanged&) {
        // Nothing to write: the file stays as it is, and the record becomes
        // what the file holds now (another program may have changed it).
        settings_ = read(ini);
        return;
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
            d.set("IR", "OSD", v.Osd ? "1" : "0");
            // On is what a file without the key means: files that never
            // turned it off stay as they were.
            if (!v.KeysEnabled || d.value("KEYS", "ENABLED")) d.set("KEYS", "ENABLED", v.KeysEnabled ? "1" : "0");
            if (v.OthersByMediaKeys || d.value("PLAYER", "OTHERS"))
                d.set("PLAYER", "OTHERS", v.OthersByMediaKeys ? "1" : "0");
            d.set("PLAYER", "VOLUME", v.Volume == control::VolumePreference::player ? playerVolume : "auto");
            // Off is what a file without the section means.
            if (v.WebEnabled || d.value("WEB", "ENABLED")) d.set("WEB", "ENABLED", v.WebEnabled ? "1" : "0");
            if (v.WebPort != defaultWebPort || d.value("WEB", "PORT"))
                d.set("WEB", "PORT", std::to_string(webPortOf(std::to_string(v.WebPort))));
            if (v.WebAddress) {
                if (v.WebAddress->empty())
                    d.remove("WEB", "ADDRESS");
                else
                    d.set("WEB", "ADDRESS", *v.WebAddress);
            }
            if (v.LircAddress) {
                if (v.LircAddress->empty())
                    d.remove("LIRC", "ADDRESS");
                else
                    d.set("LIRC", "ADDRESS", *v.LircAddress);
            }
            if (!v.PlayerPath) return;
            if (v.PlayerPath->empty()) {
                d.remove("PLAYER", "PATH");
                return;
            }
            // A folder's letters that the file's code page does not have
            // turn the file into UTF-16 (the accessor's rule).
            d.set("PLAYER", "PATH", *v.PlayerPath);
        });
    });
}

void SettingsStore::SaveCodIr(const std::string& command, const std::string& code) {
    write([&](fw::IniFile& ini) { ini.writeString(section, command, code); });
}

void SettingsStore::AddCodIr(const std::string& command, const std::string& code) {
    if (code.empty()) return;
    write([&](fw::IniFile& ini) {
        ini.edit([&](fw::IniDocument& d) {
            // The list as the file has it now, not as it was last read.
            CodeList codes = parseCodeList(d.value(section, command).value_or(""));
            if (holdsCode(codes, code)) throw Unchanged();
            if (codes.size() >= maxCodesPerCommand)
                throw std::runtime_error(command + " already has " + std::to_string(maxCodesPerCommand) + " codes");
            codes.push_back(code);
            d.set(section, command, formatCodeList(codes));
        });
    });
}

void SettingsStore::ForgetCodIr(const std::string& command) {
    write([&](fw::IniFile& ini) {
        ini.edit([&](fw::IniDocument& d) {
            if (!d.remove(section, command)) throw Unchanged();
        });
    });
}

void SettingsStore::AddPhone(const web::Phone& phone) {
    write([&](fw::IniFile& ini) {
        ini.edit([&](fw::IniDocument& d) { d.set(phonesSection, phone.hash, web::phoneLineValue(phone)); });
    });
}

void SettingsStore::ForgetPhone(const std::string& hash) {
    write([&](fw::IniFile& ini) {
        ini.edit([&](fw::IniDocument& d) {
            if (!d.remove(phonesSection, hash)) throw Unchanged();
        });
    });
}

void SettingsStore::ForgetPhones() {
    write([&](fw::IniFile& ini) {
        ini.edit([&](fw::IniDocument& d) {
            bool removed = false;
            for (const auto& [hash, line] : d.keys(phonesSection))
                while (d.remove(phonesSection, hash)) removed = true;
            if (!removed) throw Unchanged();
        });
    });
}

}  // namespace app
