// The player client and the activator against real processes under Wine:
// the stand-in player (run_under_wine.sh says where, in ZAV_STANDIN_PLAYER
// and, copied under "C:\Program Files", in ZAV_PLAYER_PATH; a decoy
// C:\Program.exe marks ZAV_DECOY_MARKER if it is ever started).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "control/a_mixer.h"
#include "control/activ_app.h"
#include "control/winamp_control.h"
#include "framework/application.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_mixer.h"
#include "platform/win32/win32_player_windows.h"

namespace {

using control::TActivApp;
using control::TAudioMixer;
using control::TWinampControl;

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool waitFor(const std::function<bool()>& done, DWORD ms = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
    return true;
}

bool playerWindow() {
    return FindWindowA("Winamp v1.x", nullptr) != nullptr;
}

std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string l; std::getline(in, l);)
        if (!l.empty()) out.push_back(l.back() == '\r' ? l.substr(0, l.size() - 1) : l);
    return out;
}

TEST(PlayerUnderWine, TheRealClientSendsOneMessagePerCallToTheStandInPlayer) {
    const std::string standin = env("ZAV_STANDIN_PLAYER");
    ASSERT_FALSE(standin.empty()) << "run through tests/win32/run_under_wine.sh";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "standin_messages.log";
    DeleteFileA(log.c_str());
    std::string commandLine = "\"" + standin + "\" --log \"" + log + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(standin.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    ASSERT_TRUE(waitFor(playerWindow));

    win32::Win32PlayerWindows windows;
    TWinampControl player(nullptr, "WinampControl", windows);
    using Play = TWinampControl::PlayState;
    EXPECT_TRUE(player.IsRunning());
    EXPECT_TRUE(player.Play());
    EXPECT_EQ(player.Status(), Play::playing);
    Sleep(1100);
    const std::int32_t position = player.PositionMs();
    EXPECT_GE(position, 1000) << "the position advances while playing";
    EXPECT_LT(position, 2000);
    EXPECT_TRUE(player.Pause());
    EXPECT_EQ(player.Status(), Play::paused);
    EXPECT_TRUE(player.Stop());
    EXPECT_EQ(player.Status(), Play::stopped);
    EXPECT_TRUE(player.NextTrack());
    EXPECT_EQ(player.TrackNumber(), 2);
    EXPECT_TRUE(player.PreviousTrack());
    EXPECT_TRUE(player.SetTrackNumber(5));
    EXPECT_EQ(player.TrackNumber(), 5);
    // A 64-bit player's addresses do not fit the answer's 32 bits: only the
    // 32-bit build, as shipped, beside the 32-bit stand-in reads them.
    const auto five = player.GetTitle(5), three = player.GetTitle(3);
    if (sizeof(void*) == 4) {
        EXPECT_EQ(five, "Stand-in track 5") << "the title of the index asked for";
        EXPECT_EQ(three, "Stand-in track 3");
    }
    EXPECT_TRUE(player.ToggleShuffle());
    EXPECT_TRUE(player.IsShuffleOn());
    EXPECT_TRUE(player.ToggleRepeat());
    EXPECT_TRUE(player.IsRepeatOn());
    EXPECT_TRUE(player.FastForward());
    EXPECT_TRUE(player.Rewind());
    EXPECT_TRUE(player.ClosePlayer());
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0) << "40001 closes the player";
    CloseHandle(pi.hProcess);
    EXPECT_FALSE(player.IsRunning());
    EXPECT_FALSE(player.Play());

    EXPECT_EQ(lines(log), (std::vector<std::string>{
                              "0 0 0",       "273 40045 0", "1024 0 104",  "1024 0 105",  "273 40046 0",
                              "1024 0 104",  "273 40047 0", "1024 0 104",  "273 40048 0", "1024 0 125",
                              "273 40044 0", "1024 4 121",  "1024 0 125",  "1024 4 212",  "1024 2 212",
                              "273 40023 0", "1024 0 250",  "273 40022 0", "1024 0 251",  "273 40148 0",
                              "273 40144 0", "273 40001 0"}))
        << "exactly one message per call, in order";
}

TEST(ActivatorUnderWine, StartsTheStandInFromItsPathUnderProgramFiles) {
    const std::string path = env("ZAV_PLAYER_PATH");
    const std::string marker = env("ZAV_DECOY_MARKER");
    ASSERT_FALSE(path.empty()) << "run through tests/win32/run_under_wine.sh";
    ASSERT_NE(path.find(' '), std::string::npos);
    ASSERT_FALSE(playerWindow());

    win32::Win32Host host(GetModuleHandleA(nullptr));
    fw::Application app(host);
    win32::Win32Launcher launcher;
    auto& activ = app.create<TActivApp>("ActivApp", launcher);
    activ.setExePath(path);
    activ.ActivateApp();
    EXPECT_TRUE(waitFor(playerWindow)) << "the player was started from " << path;
    Sleep(500);
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES)
        << "C:\\Program.exe was never started";

    win32::Win32PlayerWindows windows;
    TWinampControl(nullptr, "WinampControl", windows).ClosePlayer();
    EXPECT_TRUE(waitFor([] { return !playerWindow(); }));
}

// The runner starts a sound server, over which Wine lists mixer devices
// (each process with a master output of its own); without one there are none.
TEST(MixerUnderWine, OpensTheFirstDeviceWhereThereIsOneAndAnswersFalseWithoutOne) {
    win32::Win32Host host(GetModuleHandleA(nullptr));
    win32::Win32Mixer api(host);
    TAudioMixer mixer(nullptr, "AudioMixer", api);
    bool muted = true;
    if (api.count() == 0) {
        EXPECT_EQ(mixer.MixerId(), -1);
        EXPECT_FALSE(mixer.GetMute(0, -1, muted));
        EXPECT_FALSE(muted);
        return;
    }
    EXPECT_EQ(mixer.MixerId(), 0);
    ASSERT_TRUE(mixer.SetMute(0, -1, true));
    ASSERT_TRUE(mixer.GetMute(0, -1, muted));
    EXPECT_TRUE(muted) << "the master output's mute reads back what was set";
    EXPECT_TRUE(mixer.SetMute(0, -1, false));
}

}  // namespace
