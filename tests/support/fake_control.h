// Doubles of the player window, the launcher and the window outline:
// scripted answers, and every call recorded.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/launcher.h"
#include "platform/player_window.h"
#include "platform/region.h"

namespace testing_support {

// The player's window as the client sees it: there or not, replying from
// a table, logging every message sent.
class FakePlayer : public platform::PlayerWindows {
public:
    bool running = true;
    bool closesAfterLookup = false;
    std::map<std::int32_t, std::int32_t> replies;  // WM_USER request code -> reply
    std::vector<std::string> sent;
    int lookups = 0;

    fw::WindowHandle findByClass(const std::string& windowClass) override {
        ++lookups;
        return running && windowClass == "Winamp v1.x" ? 0xA1 : 0;
    }
    std::int32_t send(fw::WindowHandle, unsigned msg, std::int32_t wParam, std::int32_t lParam) override {
        if (closesAfterLookup) return 0;
        sent.push_back(std::to_string(msg) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
        auto it = replies.find(lParam);
        return msg == 1024 && it != replies.end() ? it->second : 0;
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
    void post(fw::WindowHandle w, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        calls.push_back("post " + std::to_string(w) + " " + std::to_string(msg) + " " + std::to_string(wParam) + " " +
                        std::to_string(lParam));
    }
    bool fileExists(const std::string& path) override {
        return std::find(existing.begin(), existing.end(), path) != existing.end();
    }
    void runCommandLine(const std::string& commandLine, int show) override {
        calls.push_back("winexec '" + commandLine + "' " + std::to_string(show));
    }
    void runFile(const std::string& path, int show) override {
        calls.push_back("run file '" + path + "' " + std::to_string(show));
    }
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
    void destroy(platform::RegionHandle region) override { calls.push_back("destroy " + std::to_string(region)); }

private:
    platform::RegionHandle next_ = 0x600;
};

}  // namespace testing_support
