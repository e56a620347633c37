// The ways to the sound under Wine: the real Core Audio endpoint over the
// test's own PulseAudio server, and the choice the program makes with it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "control/a_mixer.h"
#include "control/master_volume.h"
#include "control/winamp_control.h"
#include "framework/application.h"
#include "platform/win32/win32_endpoint_volume.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_mixer.h"
#include "platform/win32/win32_player_windows.h"

namespace {

bool soundServer() {
    return std::getenv("ZAV_TEST_SOUND") != nullptr;
}

// Wine 8 has the endpoint interface and, over a sound server, a default
// playback device whose level reads (1.0) but cannot be set:
// SetMasterVolumeLevelScalar answers E_NOTIMPL. Its mute "succeeds" on a
// copy of the calling process's own, which no one hears. So the program
// must not take the system's way here, but the player's.
TEST(EndpointUnderWine, TheRealEndpointIsFoundRefusesItsLevelAndTheProgramTakesThePlayersVolume) {
    if (!soundServer()) GTEST_SKIP() << "the sound server could not start: Wine has no playback device";
    win32::ComApartment com;
    win32::Win32EndpointVolume endpoint;
    ASSERT_EQ(endpoint.bind({}), platform::EndpointStatus::bound) << "the default playback device is found";
    const auto level = endpoint.level();
    EXPECT_FALSE(level && endpoint.setLevel(*level)) << "Wine sets no system volume";

    win32::Win32Host host(GetModuleHandleA(nullptr));
    fw::Application app(host);
    win32::Win32PlayerWindows windows;
    win32::Win32Mixer mixerApi(host);
    auto& player = app.create<control::TWinampControl>("WinampControl", windows);
    auto& mixer = app.create<control::TAudioMixer>("AudioMixer", mixerApi);
    auto& volume = app.create<control::MasterVolume>("MasterVolume", endpoint, player, mixer);
    volume.choose(control::VolumePreference::automatic);
    EXPECT_EQ(volume.way(), control::VolumeWay::player);
}

TEST(EndpointUnderWine, LettingGoBeforeAnyBindingAndAfterOneLeavesNothingBound) {
    win32::ComApartment com;
    win32::Win32EndpointVolume endpoint;
    endpoint.release();
    endpoint.bind({[](float, bool) {}, [] {}});
    endpoint.release();
    EXPECT_FALSE(endpoint.level()) << "nothing is bound after letting go";
    EXPECT_FALSE(endpoint.setLevel(0.5f));
    EXPECT_FALSE(endpoint.setMuted(true));
}

}  // namespace

namespace {

TEST(EndpointUnderWine, TheBoundDeviceIsNamedTheSameAtEachBindingAndNoneOnceLetGo) {
    if (!soundServer()) GTEST_SKIP() << "the sound server could not start: Wine has no playback device";
    win32::ComApartment com;
    win32::Win32EndpointVolume endpoint;
    ASSERT_EQ(endpoint.bind({[](float, bool) {}, [] {}}), platform::EndpointStatus::bound);
    const std::string device = endpoint.device();
    EXPECT_FALSE(device.empty()) << "the system's name for the device, so that it is tried once";
    ASSERT_EQ(endpoint.bind({}), platform::EndpointStatus::bound);
    EXPECT_EQ(endpoint.device(), device);
    EXPECT_TRUE(endpoint.setMuted(true)) << "marked as ours, and so not told back to us";
    EXPECT_TRUE(endpoint.setMuted(false));
    endpoint.release();
    EXPECT_TRUE(endpoint.device().empty());
}

}  // namespace
