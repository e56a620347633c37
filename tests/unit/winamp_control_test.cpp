#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "app/remote_state.h"
#include "control/winamp_control.h"
#include "support/fake_control.h"

using control::TWinampControl;
using testing_support::FakePlayer;

namespace {

struct CommandCase {
    const char* name;
    bool (TWinampControl::*op)();
    const char* message;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class Commands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Commands, SendOneMessageToThePlayerOrNothingWithoutIt) {
    FakePlayer player;
    TWinampControl control(nullptr, "WinampControl", player);
    EXPECT_TRUE((control.*GetParam().op)());
    EXPECT_EQ(player.sent, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(player.lookups, 1) << "looked up anew, once";
    player.running = false;
    player.sent.clear();
    EXPECT_FALSE((control.*GetParam().op)());
    EXPECT_TRUE(player.sent.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Commands,
    ::testing::Values(CommandCase{"Play", &TWinampControl::Play, "command 40045"},
                      CommandCase{"Pause", &TWinampControl::Pause, "command 40046"},
                      CommandCase{"Stop", &TWinampControl::Stop, "command 40047"},
                      CommandCase{"PreviousTrack", &TWinampControl::PreviousTrack, "command 40044"},
                      CommandCase{"NextTrack", &TWinampControl::NextTrack, "command 40048"},
                      CommandCase{"Rewind", &TWinampControl::Rewind, "command 40144"},
                      CommandCase{"FastForward", &TWinampControl::FastForward, "command 40148"},
                      CommandCase{"ToggleRepeat", &TWinampControl::ToggleRepeat, "command 40022"},
                      CommandCase{"ToggleShuffle", &TWinampControl::ToggleShuffle, "command 40023"},
                      CommandCase{"ClosePlayer", &TWinampControl::ClosePlayer, "command 40001"},
                      CommandCase{"IsRunning", &TWinampControl::IsRunning, "ping"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WinampControl, StatusRepliesOtherThanOneAndThreeAreNeitherPlayingNorPaused) {
    FakePlayer player;
    TWinampControl control(nullptr, "WinampControl", player);
    for (std::int32_t reply : {0, 1, 2, 3, 4, -1}) {
        player.replies[104] = reply;
        const TWinampControl::PlayState state = control.Status();
        EXPECT_EQ(state == TWinampControl::PlayState::playing, reply == 1) << reply;
        EXPECT_EQ(state == TWinampControl::PlayState::paused, reply == 3) << reply;
    }
    player.replies[250] = 1;
    player.replies[251] = 2;
    EXPECT_TRUE(control.IsShuffleOn());
    EXPECT_FALSE(control.IsRepeatOn()) << "only 1 means on";
    player.sent.clear();
    control.IsRepeatOn();
    EXPECT_EQ(player.sent, std::vector<std::string>{"request 251 0"});
}

struct TimeCase {
    std::int32_t ms;
    const char* text;
};

void PrintTo(const TimeCase& c, std::ostream* os) {
    *os << c.ms << " ms";
}

class TimeTexts : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeTexts, MinutesAndSecondsWithTruncatingDivision) {
    FakePlayer player;
    player.replies[105] = GetParam().ms;
    TWinampControl control(nullptr, "WinampControl", player);
    app::RemoteState state;
    state.player = "Winamp";
    state.positionMs = control.PositionMs();
    EXPECT_EQ(app::timeReadout(state), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Positions, TimeTexts,
                         ::testing::Values(TimeCase{0, "00:00"}, TimeCase{9999, "00:09"},
                                           TimeCase{59999, "00:59"}, TimeCase{60000, "01:00"},
                                           TimeCase{600000, "10:00"}, TimeCase{6000000, "100:00"},
                                           TimeCase{-1, "00:00"}, TimeCase{-999, "00:00"},
                                           TimeCase{-61000, "0-1:0-1"}));

TEST(WinampControl, NoPlayerReadsAsZero) {
    FakePlayer player;
    player.running = false;
    TWinampControl control(nullptr, "WinampControl", player);
    EXPECT_EQ(control.PositionMs(), 0);
    EXPECT_EQ(control.TrackNumber(), 1);
    EXPECT_FALSE(control.IsRunning());
    EXPECT_EQ(control.Status(), TWinampControl::PlayState::stopped);
    EXPECT_FALSE(control.IsShuffleOn());
    EXPECT_FALSE(control.IsRepeatOn());
    std::int32_t reply = 42;
    EXPECT_FALSE(control.QueryValue(control::winamp::Request::status, 0, reply));
    EXPECT_EQ(reply, 0);
}

TEST(WinampControl, TheTrackNumberIsOneBasedAndSentZeroBased) {
    FakePlayer player;
    TWinampControl control(nullptr, "WinampControl", player);
    player.replies[125] = 0;
    EXPECT_EQ(control.TrackNumber(), 1);
    player.replies[125] = 41;
    EXPECT_EQ(control.TrackNumber(), 42);
    player.sent.clear();
    control.SetTrackNumber(1);
    control.SetTrackNumber(0);
    control.SetTrackNumber(12);
    EXPECT_EQ(player.sent, (std::vector<std::string>{"request 121 0", "request 121 -1", "request 121 11"}));
}

TEST(WinampControl, APlayerClosingBetweenLookupAndSendFailsQuietly) {
    FakePlayer player;
    player.closesAfterLookup = true;
    player.replies[104] = 1;
    TWinampControl control(nullptr, "WinampControl", player);
    EXPECT_TRUE(control.Play()) << "the command still answers true";
    EXPECT_EQ(control.Status(), TWinampControl::PlayState::stopped) << "the query reads 0";
    EXPECT_EQ(control.PositionMs(), 0);
}

TEST(WinampControl, ASessionsExchangesShareOneLookUpWhichAnswersIsRunningAndLaterOnesLookAgain) {
    FakePlayer player;
    TWinampControl control(nullptr, "WinampControl", player);
    {
        const TWinampControl::Session session(control);
        EXPECT_TRUE(control.IsRunning());
        control.Status();
        control.PositionMs();
        EXPECT_EQ(player.lookups, 1);
        EXPECT_EQ(player.sent, (std::vector<std::string>{"request 104 0", "request 105 0"}))
            << "the look-up said the player runs: nothing asks it again";
        player.running = false;
        EXPECT_TRUE(control.Play()) << "the window found at the start of the session is used";
    }
    EXPECT_FALSE(control.Play()) << "after it, each call looks again";
    EXPECT_EQ(player.lookups, 2);
    player.running = false;
    {
        const TWinampControl::Session session(control);
        EXPECT_FALSE(control.IsRunning()) << "no player at the start: none all session";
        EXPECT_FALSE(control.Stop());
    }
}

TEST(WinampControl, AnUnansweredExchangeSilencesTheRestOfItsSessionOnly) {
    FakePlayer player;
    player.replies[104] = 1;
    player.replies[105] = 61000;
    player.answersLeft = 1;
    TWinampControl control(nullptr, "WinampControl", player);
    {
        const TWinampControl::Session session(control);
        EXPECT_TRUE(control.IsRunning());
        control.TrackNumber();
        EXPECT_TRUE(session.answered());
        EXPECT_EQ(control.Status(), TWinampControl::PlayState::stopped) << "no answer reads as 0";
        EXPECT_FALSE(session.answered());
        EXPECT_EQ(control.PositionMs(), 0);
        EXPECT_FALSE(control.Play()) << "the silent player counts as absent for the rest of the session";
        EXPECT_EQ(player.sent, (std::vector<std::string>{"request 125 0", "request 104 0"}));
    }
    player.answersLeft = -1;
    EXPECT_EQ(control.Status(), TWinampControl::PlayState::playing) << "outside the session each exchange is tried again";
    {
        const TWinampControl::Session session(control);
        EXPECT_TRUE(session.answered()) << "a new session starts without the old silence";
        EXPECT_EQ(control.Status(), TWinampControl::PlayState::playing);
    }
}

}  // namespace
