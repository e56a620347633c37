// The volume and mute keys through each way to the sound: which way is
// chosen, the keys' rules in each way's scale, and the indicator following
// the system's notices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <thread>

#include "app/commands.h"
#include "app/osd_content.h"
#include "support/case_name.h"
#include "support/remote_fixture.h"

namespace {

using control::VolumeWay;
using platform::EndpointStatus;

class Volume : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    // The remote shown, the receiver off, and a player running.
    void begin(const std::string& extra = "") {
        player.running = true;
        start("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n" + extra);
    }
    // An endpoint whose level can be set, as on Windows with a sound card.
    void systemSound(float level = 0.5f, bool muted = false) {
        endpoint.status = EndpointStatus::bound;
        endpoint.volume = level;
        endpoint.mute = muted;
    }
    control::MasterVolume& volume() { return *remote->MasterVolume; }
    bool indicatorLit() { return remote->state().muted; }
    // Every key press of a sequence: "+" up, "-" down, "m" mute.
    void press(const std::string& keys) {
        for (char k : keys) run(k == '+' ? "VOLUME UP" : k == '-' ? "VOLUME DOWN" : "MUTE");
    }
    // The handset's command, and what the on-screen display says of it.
    app::OsdContent described(const char* command) {
        // As the display watches the player while it may show.
        const fw::Subscription watching = remote->watch({2000, app::StateWatch::Parts::track});
        const fw::Subscription heard = remote->onCommand(
            [&](const app::Command&, app::CommandSource, const app::CommandOutcome& o) { outcome = o; });
        run(command, app::CommandSource::receiver);
        return app::describeCommand(*app::commandNamed(command), remote->state(), outcome);
    }
    // What the last command described came to.
    app::CommandOutcome outcome;
    int systemLevel() const { return static_cast<int>(std::lround(endpoint.volume * 65535)); }
};

struct ChoiceCase {
    const char* what;
    const char* setting;
    EndpointStatus status;
    bool refuseLevel;
    bool refuseSetLevel;
    VolumeWay way;
};

class VolumeChoice : public Volume, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(VolumeChoice, TakesTheSystemOnlyWhereItsLevelCanBeSetAndTheOldMixerOnlyWithoutEndpoints) {
    const ChoiceCase& c = GetParam();
    endpoint.status = c.status;
    endpoint.refuseLevel = c.refuseLevel;
    endpoint.refuseSetLevel = c.refuseSetLevel;
    begin(c.setting);
    EXPECT_EQ(volume().way(), c.way);
    EXPECT_EQ(std::count(endpoint.calls.begin(), endpoint.calls.end(), "setMuted 1") +
                  std::count(endpoint.calls.begin(), endpoint.calls.end(), "setMuted 0"),
              0)
        << "the mute may succeed on a copy of our own: it proves nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, VolumeChoice,
    ::testing::Values(
        ChoiceCase{"endpoint that sets", "", EndpointStatus::bound, false, false, VolumeWay::system},
        ChoiceCase{"endpoint that refuses the level", "", EndpointStatus::bound, true, false, VolumeWay::player},
        ChoiceCase{"endpoint that reads but will not be set", "", EndpointStatus::bound, false, true,
                   VolumeWay::player},
        ChoiceCase{"no default device", "", EndpointStatus::noDevice, false, false, VolumeWay::player},
        ChoiceCase{"no endpoint interface", "", EndpointStatus::noInterface, false, false, VolumeWay::oldMixer},
        ChoiceCase{"the player asked for", "[PLAYER]\r\nVOLUME=player\r\n", EndpointStatus::bound, false, false,
                   VolumeWay::player},
        ChoiceCase{"the player asked for, before Vista", "[PLAYER]\r\nvolume=PLAYER\r\n",
                   EndpointStatus::noInterface, false, false, VolumeWay::player},
        ChoiceCase{"an unknown word", "[PLAYER]\r\nVOLUME=loud\r\n", EndpointStatus::bound, false, false,
                   VolumeWay::system}),
    testing_support::byWhat);

struct SystemKeyCase {
    const char* what;
    float level;
    bool muted;
    const char* keys;
    int after;  // of 65535
    bool mutedAfter;
};

class SystemKeys : public Volume, public ::testing::WithParamInterface<SystemKeyCase> {};

TEST_P(SystemKeys, StepWithinTheRangeClearTheMuteAndToggleOnce) {
    const SystemKeyCase& c = GetParam();
    systemSound(c.level, c.muted);
    begin();
    ASSERT_EQ(volume().way(), VolumeWay::system);
    press(c.keys);
    EXPECT_NEAR(systemLevel(), c.after, 1);
    EXPECT_EQ(endpoint.mute, c.mutedAfter);
    EXPECT_EQ(indicatorLit(), c.mutedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SystemKeys,
    ::testing::Values(SystemKeyCase{"up a step", 0.5f, false, "+", 32768 + 1700, false},
                      SystemKeyCase{"down a step", 0.5f, false, "-", 32768 - 1700, false},
                      SystemKeyCase{"up at the top ends at full", 0.99f, false, "++", 65535, false},
                      SystemKeyCase{"down at the bottom ends at 0", 0.01f, false, "-", 0, false},
                      SystemKeyCase{"up clears the mute", 0.5f, true, "+", 32768 + 1700, false},
                      SystemKeyCase{"down clears the mute", 0.5f, true, "-", 32768 - 1700, false},
                      SystemKeyCase{"mute", 0.5f, false, "m", 32768, true},
                      SystemKeyCase{"mute twice", 0.5f, false, "mm", 32768, false},
                      SystemKeyCase{"mute from muted", 0.5f, true, "m", 32768, false}),
    testing_support::byWhat);

struct PlayerKeyCase {
    const char* what;
    std::int32_t level;
    const char* keys;
    std::int32_t after;
    bool mutedAfter;
};

class PlayerVolumeKeys : public Volume, public ::testing::WithParamInterface<PlayerKeyCase> {};

TEST_P(PlayerVolumeKeys, StepBySevenOf255AndMuteThroughARememberedLevel) {
    const PlayerKeyCase& c = GetParam();
    endpoint.status = EndpointStatus::noDevice;
    player.volume = c.level;
    begin();
    ASSERT_EQ(volume().way(), VolumeWay::player);
    press(c.keys);
    EXPECT_EQ(player.volume, c.after);
    EXPECT_EQ(indicatorLit(), c.mutedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PlayerVolumeKeys,
    ::testing::Values(PlayerKeyCase{"up a step", 100, "+", 107, false},
                      PlayerKeyCase{"down a step", 100, "-", 93, false},
                      PlayerKeyCase{"up at the top ends at 255", 250, "++", 255, false},
                      PlayerKeyCase{"down at the bottom ends at 0", 3, "--", 0, false},
                      PlayerKeyCase{"mute sets 0", 100, "m", 0, true},
                      PlayerKeyCase{"mute again brings the level back", 100, "mm", 100, false},
                      PlayerKeyCase{"up clears the mute from the remembered level", 100, "m+", 107, false},
                      PlayerKeyCase{"down clears the mute from the remembered level", 100, "m-", 93, false},
                      PlayerKeyCase{"found silent, unmutes to half volume", 0, "m", 128, false},
                      PlayerKeyCase{"found silent, up starts from 0", 0, "+", 7, false}),
    testing_support::byWhat);

TEST_F(Volume, APlayerMovedOffOurMuteClearsTheIndicatorWhenItsLevelIsNextRead) {
    endpoint.status = EndpointStatus::noDevice;
    player.volume = 100;
    begin();
    press("m");
    ASSERT_TRUE(indicatorLit());
    player.volume = 50;  // the user's slider in the player
    {
        const fw::Subscription watching = remote->watch({500, app::StateWatch::Parts::everything});
        EXPECT_TRUE(indicatorLit()) << "nobody asks the player's volume at a look";
    }
    press("m");
    EXPECT_EQ(player.volume, 0) << "the level read is above 0: the key mutes";
    EXPECT_TRUE(indicatorLit());
    press("m");
    EXPECT_EQ(player.volume, 50) << "back to the user's level, not ours from before";
}

TEST_F(Volume, WithNoPlayerThePlayersVolumeKeysChangeNothingAndTheDisplaySaysSo) {
    endpoint.status = EndpointStatus::noDevice;
    begin();
    player.running = false;
    player.sent.clear();
    for (const char* key : {"VOLUME UP", "MUTE"}) {
        EXPECT_EQ(described(key).title, "NO PLAYER") << key;
        EXPECT_EQ(outcome.volume, control::VolumeResult::noPlayer) << key;
    }
    EXPECT_TRUE(player.sent.empty());
    EXPECT_FALSE(indicatorLit());
    player.running = true;
    EXPECT_NE(described("PLAY").title, "NO PLAYER") << "what a volume key met is not the player's state";
}

TEST_F(Volume, TheDisplaysBarShowsTheLevelOfTheWayInUse) {
    endpoint.status = EndpointStatus::noDevice;
    player.volume = 128;
    begin();
    const app::OsdContent shown = described("VOLUME UP");
    EXPECT_EQ(shown.percent, 53) << "135 of 255";
    EXPECT_EQ(shown.number, "53");
    const app::OsdContent muted = described("MUTE");
    EXPECT_EQ(muted.title, "MUTE ON");
    EXPECT_EQ(muted.muted, true);
}

TEST_F(Volume, AWayThatFailsUnderAKeyIsChosenAgainAndTheKeyActsThroughTheNewOne) {
    systemSound(0.5f);
    player.volume = 100;
    begin();
    ASSERT_EQ(volume().way(), VolumeWay::system);
    endpoint.refuseSetLevel = true;  // the device went; its notice has not come yet
    press("+");
    EXPECT_EQ(volume().way(), VolumeWay::player);
    EXPECT_EQ(player.volume, 107) << "the press was not lost";
    EXPECT_NEAR(systemLevel(), 32768, 1);
}

TEST_F(Volume, ThePlayerSettingLeavesTheSystemsVolumeAlone) {
    systemSound(0.5f);
    player.volume = 100;
    begin("[PLAYER]\r\nVOLUME=player\r\n");
    endpoint.calls.clear();
    press("+m-");
    EXPECT_TRUE(endpoint.calls.empty());
    EXPECT_EQ(player.volume, 100) << "107, muted, then a step down from 107";
}

TEST_F(Volume, ASaveChoosesAgainWithTheNewPreferenceAndWritesIt) {
    systemSound(0.5f);
    begin();
    ASSERT_EQ(volume().way(), VolumeWay::system);
    app::DialogSettings values;
    values.IrEnabled = false;
    values.Volume = control::VolumePreference::player;
    remote->save(values, std::nullopt);
    remote->reload();
    EXPECT_EQ(volume().way(), VolumeWay::player);
    EXPECT_NE(iniText().find("[PLAYER]\r\nVOLUME=player\r\n"), std::string::npos);
    values.Volume = control::VolumePreference::automatic;
    remote->save(values, std::nullopt);
    remote->reload();
    EXPECT_EQ(volume().way(), VolumeWay::system);
    EXPECT_NE(iniText().find("VOLUME=auto\r\n"), std::string::npos);
}

TEST_F(Volume, EachDeviceIsTriedOnceForASettableLevelAndAFailureUnderAKeyTriesItAgain) {
    systemSound(0.5f);
    begin();
    const auto levelSets = [&] {
        return std::count_if(endpoint.calls.begin(), endpoint.calls.end(),
                             [](const std::string& c) { return c.starts_with("setLevel"); });
    };
    ASSERT_EQ(levelSets(), 1);
    remote->reload();
    endpoint.notifyDevices();
    core->application().processMessages();
    EXPECT_EQ(levelSets(), 1) << "the same device: nothing is set to find out again";
    endpoint.deviceName = "headphones";
    endpoint.notifyDevices();
    core->application().processMessages();
    EXPECT_EQ(levelSets(), 2) << "a new device is tried";
    EXPECT_EQ(volume().way(), VolumeWay::system);
}

// The system's notices arrive on threads of its own; the indicator and the
// choice change only on the GUI thread, when posted work runs there.
TEST_F(Volume, VolumeNoticeThreadsMoveTheIndicatorOnTheGuiThread) {
    systemSound(0.5f);
    begin();
    ASSERT_FALSE(indicatorLit());
    std::thread system([&] { endpoint.notifyVolume(0.5f, true); });
    system.join();
    EXPECT_FALSE(indicatorLit()) << "nothing changes off the GUI thread";
    core->application().processMessages();
    EXPECT_TRUE(indicatorLit()) << "muted elsewhere (the keyboard, the flyout)";
    std::thread again([&] { endpoint.notifyVolume(0.5f, false); });
    again.join();
    core->application().processMessages();
    EXPECT_FALSE(indicatorLit());
}

TEST_F(Volume, DeviceNoticeThreadsChooseTheWayAgain) {
    endpoint.status = EndpointStatus::noDevice;
    begin();
    ASSERT_EQ(volume().way(), VolumeWay::player);
    systemSound(0.5f, true);  // a sound card became the default device
    std::thread system([&] { endpoint.notifyDevices(); });
    system.join();
    EXPECT_EQ(volume().way(), VolumeWay::player);
    core->application().processMessages();
    EXPECT_EQ(volume().way(), VolumeWay::system);
    EXPECT_TRUE(indicatorLit()) << "the new device's mute shows";
    endpoint.status = EndpointStatus::noDevice;
    std::thread gone([&] { endpoint.notifyDevices(); });
    gone.join();
    core->application().processMessages();
    EXPECT_EQ(volume().way(), VolumeWay::player);
    EXPECT_FALSE(indicatorLit()) << "the player is not muted by us";
}

TEST_F(Volume, TheProgramLetsTheEndpointGoAndWhatItsNoticesPostedFindsNothingOnceItIsGone) {
    systemSound(0.5f);
    begin();
    ASSERT_TRUE(endpoint.listening());
    endpoint.notifyVolume(0.5f, true);  // posted, not run yet
    endpoint.notifyDevices();
    core->close();  // every part goes, the application stays
    EXPECT_FALSE(endpoint.listening());
    const auto calls = endpoint.calls.size();
    // What was posted runs now, with the volume gone: it reaches nothing
    // (under AddressSanitizer, a use after free would fail here).
    host.runPosted();
    EXPECT_EQ(endpoint.calls.size(), calls) << "no choice was made again for a volume that is gone";
}

}  // namespace

namespace {

TEST_F(Volume, ASliderSetsAPercentOfEitherWaysRangeThatReadsBackAsItAndClearsTheMute) {
    struct Case {
        int percent, playerLevel, systemLevel;
    };
    const Case cases[] = {{0, 0, 0}, {40, 102, 26214}, {100, 255, 65535}, {-5, 0, 0}, {250, 255, 65535}};
    for (const Case& c : cases) {
        endpoint.status = EndpointStatus::noDevice;
        player.volume = 100;
        begin();
        ASSERT_EQ(volume().way(), VolumeWay::player);
        press("m");
        EXPECT_EQ(volume().setPercent(c.percent), control::VolumeResult::done);
        EXPECT_EQ(player.volume, c.playerLevel) << c.percent;
        EXPECT_EQ(remote->state().volume, std::clamp(c.percent, 0, 100));
        EXPECT_FALSE(indicatorLit());

        systemSound(0.5f, true);
        begin();
        ASSERT_EQ(volume().way(), VolumeWay::system);
        EXPECT_EQ(volume().setPercent(c.percent), control::VolumeResult::done);
        EXPECT_EQ(systemLevel(), c.systemLevel) << c.percent;
        EXPECT_EQ(remote->state().volume, std::clamp(c.percent, 0, 100));
        EXPECT_FALSE(endpoint.mute);
    }
}

}  // namespace
