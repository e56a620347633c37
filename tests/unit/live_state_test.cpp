// The remote's one live state: looked at for whoever watches, as often as
// the most eager watcher asks, one look serving every watcher due and none
// with no watcher; the title read only when the track moved; one change
// told with the parts it touched, a command's as one; the volume and the
// mute from their own notices and from what the keys set, never asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/remote_fixture.h"

namespace {

using app::StatePart;
using app::StateWatch;
using Parts = StateWatch::Parts;

class LiveStateTest : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    void SetUp() override {
        player.running = true;
        player.program = "winamp.exe";
        player.replies = {{0, 0x5090}, {104, 1}, {105, 61000}, {125, 41}, {250, 0}, {251, 1}};
        start("[IR]\r\nACTIVARE=0\r\n");
        changes = remote->onState([this](const app::RemoteState&, const app::StateChange& c) { told.push_back(c); });
    }
    fw::Timer& timer() { return *remote->Live->TimerLook; }
    // `ms` of time, the remote's look timer firing at its pace meanwhile.
    void pass(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 100) {
            host.now += 100;
            if (host.timerRunning(timer()) && host.now % static_cast<std::uint32_t>(host.timerInterval(timer())) == 0)
                host.fireTimer(timer());
        }
    }
    std::size_t asked(const std::string& what) const {
        return static_cast<std::size_t>(std::count(player.sent.begin(), player.sent.end(), what));
    }
    std::vector<app::StateChange> told;
    fw::Subscription changes;
};

TEST_F(LiveStateTest, NoWatcherNoLookAndTwoWatchersShareOneLook) {
    player.sent.clear();
    pass(4000);
    EXPECT_TRUE(player.sent.empty()) << "nobody watches: nothing is asked";
    EXPECT_FALSE(host.timerRunning(timer()));

    fw::Subscription display = remote->watch({2000, Parts::track});
    EXPECT_EQ(player.sent, (std::vector<std::string>{"request 0 0", "request 125 0", "request 213 41"}))
        << "at once: the name (its version once), the track and its title";
    EXPECT_EQ(remote->state().track, 42);
    player.sent.clear();
    pass(4000);
    EXPECT_EQ(player.sent, (std::vector<std::string>{"request 125 0", "request 125 0"}))
        << "the track alone every 2 s, its title not again";

    fw::Subscription window = remote->watch({500, Parts::everything});
    EXPECT_EQ(host.timerInterval(timer()), 500);
    player.sent.clear();
    pass(2000);
    EXPECT_EQ(asked("request 125 0"), 4u) << "four looks in 2 s serve both: the display asks nothing more";
    EXPECT_EQ(asked("request 104 0"), 4u);
    EXPECT_EQ(player.sent.size(), 4u * 5u) << "five questions a look";

    window.reset();
    EXPECT_EQ(host.timerInterval(timer()), 2000) << "back to the display's pace";
    display.reset();
    EXPECT_FALSE(host.timerRunning(timer()));
    player.sent.clear();
    pass(4000);
    EXPECT_TRUE(player.sent.empty());
}

TEST_F(LiveStateTest, EachChangeTellsThePartsItTouched) {
    const fw::Subscription window = remote->watch({500, Parts::everything});
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(remote->state().player, "Winamp 5.9");
    EXPECT_TRUE(remote->state().repeat);
    told.clear();
    pass(500);
    EXPECT_TRUE(told.empty()) << "nothing changed: nothing told";
    player.replies[104] = 3;
    pass(500);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].parts, unsigned{app::playPart});
    player.replies[125] = 42;
    player.replies[105] = 2000;
    pass(500);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1].parts, unsigned{app::trackPart | app::positionPart});
    EXPECT_FALSE(told[1].afterCommand);
    EXPECT_EQ(remote->state().track, 43);
    player.running = false;
    pass(500);
    EXPECT_TRUE(told.back().has(app::playerPart));
    EXPECT_EQ(remote->state().player, std::nullopt);
    EXPECT_EQ(remote->state().track, std::nullopt);
}

TEST_F(LiveStateTest, ACommandIsFollowedByOneLookAndToldAsOneChange) {
    const fw::Subscription display = remote->watch({2000, Parts::track});
    told.clear();
    player.sent.clear();
    run("TASTE 4");
    player.replies[125] = 42;
    run("ENTER");
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[0].afterCommand);
    EXPECT_EQ(told[0].parts & app::digitsPart, unsigned{app::digitsPart});
    EXPECT_EQ(told[1].parts & (app::digitsPart | app::trackPart), unsigned{app::digitsPart | app::trackPart})
        << "the digits gone and the track they chose, in one change";
    EXPECT_EQ(asked("request 104 0"), 2u) << "a look at everything after each command";
}

TEST_F(LiveStateTest, APlayerThatCannotTellItsTrackHasNoTitleAndIsNeverAskedForOne) {
    player.program = "foobar2000.exe";
    player.replies[212] = 0x3000;
    player.memory[0x3000] = std::string("The first track\0", 16);
    const fw::Subscription window = remote->watch({500, Parts::everything});
    pass(2000);
    EXPECT_EQ(remote->state().track, std::nullopt);
    EXPECT_EQ(remote->state().title, std::nullopt) << "the first track's title would be a guess";
    EXPECT_EQ(std::count_if(player.sent.begin(), player.sent.end(),
                            [](const std::string& s) { return s.rfind("request 212", 0) == 0; }),
              0);
    EXPECT_EQ(app::trackReadout(remote->state()), "--");
}

TEST_F(LiveStateTest, TheVolumeComesFromWhatTheKeysSetAndTheSystemsNoticesNeverFromALook) {
    endpoint.status = platform::EndpointStatus::noDevice;
    start("[IR]\r\nACTIVARE=0\r\n");  // the player's own volume: no device
    player.volume = 128;
    const fw::Subscription window = remote->watch({500, Parts::everything});
    EXPECT_EQ(remote->state().volume, std::nullopt) << "not known until a key or a notice";
    pass(2000);
    EXPECT_EQ(asked("request 122 -666"), 0u) << "never asked at a look";
    run("VOLUME UP");
    EXPECT_EQ(remote->state().volume, 53) << "135 of 255";
    run("MUTE");
    EXPECT_TRUE(remote->state().muted);
    EXPECT_EQ(remote->state().volume, 53) << "muted, the level the mute goes back to";

    endpoint.status = platform::EndpointStatus::bound;
    endpoint.volume = 0.25f;
    start("[IR]\r\nACTIVARE=0\r\n");
    EXPECT_EQ(remote->state().volume, 25) << "the system's level, read where it lives";
    endpoint.notifyVolume(0.5f, true);
    host.runPosted();
    EXPECT_EQ(remote->state().volume, 50);
    EXPECT_TRUE(remote->state().muted);
}

}  // namespace
