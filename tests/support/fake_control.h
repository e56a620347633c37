// Doubles of the player window, the launcher and the window outline:
// scripted answers, and every call recorded.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/convert.h"
#include "framework/text_encoding.h"
#include "platform/launcher.h"
#include "platform/player_window.h"
#include "platform/region.h"
#include "platform/run_at_logon.h"

namespace testing_support {

// The player's window as the client sees it: there or not, replying from
// a table, logging every exchange ("ping", "command 40045", "request 104 0").
// A hung player still gets its messages (they are logged) but answers none.
class FakePlayer : public platform::PlayerWindows {
public:
    bool running = true;
    bool closesAfterLookup = false;
    // Exchanges answered before the player hangs; negative: it never does.
    int answersLeft = -1;
    // Exchanges left unanswered from now on, before it answers again (a
    // player busy for a moment).
    int busyFor = 0;
    std::map<std::int32_t, std::int32_t> replies;  // request code -> reply
    // The output volume (request 122): any argument but -666 sets it, -666
    // reads it back.
    std::int32_t volume = 200;
    std::vector<std::string> sent;
    int lookups = 0;
    // The program that owns the window, and its memory: address -> bytes.
    std::string program;
    std::map<std::uint32_t, std::string> memory;
    // A play list: when not empty, 124 answers its length and 212 / 213
    // the address of the title at the index asked for (8-bit as it is
    // given, wide as UTF-16), none outside it.
    std::vector<std::string> list;
    static constexpr std::uint32_t listAddress = 0x400000;
    static constexpr std::uint32_t wideListAddress = 0x800000;

    fw::WindowHandle findByClass(const std::string& windowClass) override {
        ++lookups;
        return running && windowClass == "Winamp v1.x" ? 0xA1 : 0;
    }
    std::optional<std::int32_t> ping(fw::WindowHandle) override { return exchange("ping", 0); }
    std::optional<std::int32_t> command(fw::WindowHandle, std::int32_t id) override {
        return exchange("command " + std::to_string(id), 0);
    }
    std::optional<std::int32_t> request(fw::WindowHandle, std::int32_t code, std::int32_t argument) override {
        constexpr std::int32_t volumeRequest = 122, askVolume = -666;
        auto it = replies.find(code);
        std::int32_t reply = code == volumeRequest ? volume : it == replies.end() ? 0 : it->second;
        if (!list.empty() && code == 124) reply = static_cast<std::int32_t>(list.size());
        if (!list.empty() && (code == 212 || code == 213))
            reply = argument >= 0 && static_cast<std::size_t>(argument) < list.size()
                        ? static_cast<std::int32_t>((code == 212 ? listAddress : wideListAddress) +
                                                    static_cast<std::uint32_t>(argument))
                        : 0;
        auto answer = exchange("request " + std::to_string(code) + " " + std::to_string(argument), reply);
        if (answer && code == volumeRequest && argument != askVolume) volume = argument;
        return answer;
    }

    // What was sent besides the questions a look asks (the version, the
    // status, the time, the track and its title, shuffle and repeat).
    std::vector<std::string> actions() const {
        static const std::vector<std::string> looks{"request 0 0",   "request 104 0", "request 105 0",
                                                    "request 125 0", "request 250 0", "request 251 0"};
        std::vector<std::string> out;
        for (const std::string& s : sent) {
            const bool title = s.rfind("request 212 ", 0) == 0 || s.rfind("request 213 ", 0) == 0;
            if (!title && std::find(looks.begin(), looks.end(), s) == looks.end()) out.push_back(s);
        }
        return out;
    }

    std::string programOf(fw::WindowHandle) override { return program; }
    std::optional<std::string> readMemory(fw::WindowHandle, std::uint32_t address, std::size_t bytes) override {
        for (const std::uint32_t base : {listAddress, wideListAddress})
            if (address >= base && address - base < list.size()) {
                const std::string& title = list[address - base];
                std::string text = base == listAddress ? title : fw::utf16FromUtf8(title, false);
                return (text + std::string(2, '\0')).substr(0, bytes);
            }
        const auto found = memory.find(address);
        if (found == memory.end()) return std::nullopt;
        return found->second.substr(0, bytes);
    }

private:
    std::optional<std::int32_t> exchange(std::string what, std::int32_t reply) {
        if (closesAfterLookup) return std::nullopt;
        sent.push_back(std::move(what));
        if (busyFor > 0) {
            --busyFor;
            return std::nullopt;
        }
        if (answersLeft == 0) return std::nullopt;
        if (answersLeft > 0) --answersLeft;
        return reply;
    }
};

class FakeLauncher : public platform::Launcher {
public:
    std::map<std::string, fw::WindowHandle> windows;
    std::vector<std::string> existing;
    std::vector<std::string> calls;

    fw::WindowHandle findByTitle(const std::string& title) override {
        calls.push_back("find '" + title + "'");
        auto it = windows.find(title);
        return it == windows.end() ? 0 : it->second;
    }
    void requestActivation(fw::WindowHandle w) override { calls.push_back("activate " + std::to_string(w)); }
    // The double's own private message number.
    static constexpr unsigned activationMessage = 0xC001;
    bool isActivationRequest(const fw::Message& m) const override { return m.msg == activationMessage; }
    bool fileExists(const std::string& path) override {
        return std::find(existing.begin(), existing.end(), path) != existing.end();
    }
    // What the system says when a start fails (740: the file must run as
    // administrator); none: every start works.
    std::optional<platform::LaunchFailure> startFails;
    std::optional<platform::LaunchFailure> runFile(const platform::Launch& launch) override {
        calls.push_back("run file '" + launch.file + "'");
        launches.push_back(launch);
        return startFails;
    }
    std::optional<std::string> environment(const std::string& name) override {
        auto it = variables.find(name);
        return it == variables.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<std::string> userSetting(const std::string& key, const std::string& value) override {
        auto it = registry.find(key + "|" + value);
        return it == registry.end() ? std::nullopt : std::optional(it->second);
    }
    std::vector<platform::Launch> launches;
    std::map<std::string, std::string> variables;
    // "<key>|<value name>" -> its text.
    std::map<std::string, std::string> registry;
};

// The log-on list's value: there or not, writes that fail, every change
// logged ("write <command line>", "remove").
class FakeRunAtLogon : public platform::RunAtLogon {
public:
    std::optional<std::string> value;
    bool failWrites = false;
    std::vector<std::string> changes;

    std::string place() const override { return "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"; }
    std::optional<std::string> read() override { return value; }
    bool write(const std::string& commandLine) override {
        changes.push_back("write " + commandLine);
        if (failWrites) return false;
        value = commandLine;
        return true;
    }
    bool remove() override {
        changes.push_back("remove");
        if (failWrites) return false;
        value.reset();
        return true;
    }
    // As the system compares file names, for the letters a test uses.
    bool sameFile(const std::string& a, const std::string& b) const override { return fw::sameText(a, b); }
};

class FakeRegions : public platform::Regions {
public:
    std::vector<std::string> calls;
    std::vector<std::uint8_t> lastBlock;
    bool failCreate = false;
    bool failApply = false;

    platform::RegionHandle create(const std::uint8_t* data, std::uint32_t size) override {
        calls.push_back("create " + std::to_string(size));
        lastBlock.assign(data, data + size);
        return failCreate ? 0 : next_++;
    }
    bool apply(fw::WindowHandle window, platform::RegionHandle region) override {
        calls.push_back("apply " + std::to_string(window) + " " + std::to_string(region));
        return !failApply;
    }
    std::vector<std::uint8_t> data(platform::RegionHandle) override { return lastBlock; }
    void destroy(platform::RegionHandle region) override {
        calls.push_back("destroy " + std::to_string(region));
    }

private:
    platform::RegionHandle next_ = 0x600;
};

}  // namespace testing_support
