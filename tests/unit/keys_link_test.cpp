// The keys the system hears as the remote turns them on and off: heard by
// default and off only with [KEYS] ENABLED=0, the learned keys taken while
// codes carry out their commands (from the moment they are learned), a key
// by two ways playing once however long it is held, listening made anew
// after sleep, a refusal of the system said in words and tried again every
// 2 s, and the IR badge left to the receivers.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/remote_fixture.h"

namespace {

using platform::KeyWay;
constexpr unsigned playPause = 0xB3, volumeUp = 0xAF;
constexpr char runLearned[] = "[IR]\r\nACTIVARE=0\r\nEXECUTARE=1\r\n"
                              "[COMENZI_IR]\r\nPLAY=key:MEDIA_PLAY_PAUSE\r\nVOLUME UP=key:VOLUME_UP,hid:FFBC:0D\r\n";

class KeysSource : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    app::KeysLink& link() { return *remote->Keys; }
    int sentOf(const std::string& what) const {
        return static_cast<int>(std::count(player.sent.begin(), player.sent.end(), what));
    }
    std::uint32_t at = 5000;
};

TEST_F(KeysSource, AreHeardUnlessTurnedOff) {
    const struct {
        const char* ini;
        bool listening;
    } cases[] = {{"", true}, {"ENABLED=1\r\n", true}, {"ENABLED=no\r\n", true}, {"ENABLED=0\r\n", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        core.reset();
        keys.listener = nullptr;
        start(std::string("[IR]\r\nACTIVARE=0\r\n[KEYS]\r\n") + c.ini);
        EXPECT_EQ(link().statusText(), c.listening ? "Media keys: live" : "Media keys: off");
        EXPECT_EQ(keys.listener != nullptr, c.listening);
        EXPECT_FALSE(remote->state().badge);
    }
}

TEST_F(KeysSource, TakeTheLearnedKeysOnlyWhileCodesCarryOutCommands) {
    EXPECT_EQ(app::keysTaken(app::Settings{}), std::set<std::string>{});
    start(runLearned);
    EXPECT_EQ(app::keysTaken(*settings), (std::set<std::string>{"key:MEDIA_PLAY_PAUSE", "key:VOLUME_UP", "hid:FFBC:0D"}));
    EXPECT_TRUE(keys.press(playPause, true));
    EXPECT_TRUE(keys.press(playPause, false));
    EXPECT_FALSE(keys.press(0xB0, true));
    keys.press(0xB0, false);
    core.reset();
    start("[IR]\r\nACTIVARE=0\r\n[COMENZI_IR]\r\nPLAY=key:MEDIA_PLAY_PAUSE\r\n");
    EXPECT_FALSE(keys.press(playPause, true));  // learned, but the remote carries out nothing
}

TEST_F(KeysSource, AKeyByTwoWaysPlaysOnceHeldOrNot) {
    player.running = true;
    start(runLearned);
    keys.press(playPause, true, KeyWay::hook, {}, false, at);
    keys.press(playPause, true, KeyWay::keyboard, "046D:C31C", false, at += 2);
    for (int i = 0; i < 5; ++i) keys.press(playPause, true, KeyWay::hook, {}, false, at += 150);  // held PLAY
    keys.press(playPause, false, KeyWay::hook, {}, false, at += 10);
    keys.press(playPause, false, KeyWay::keyboard, "046D:C31C", false, at += 10);
    host.runPosted();
    EXPECT_EQ(sentOf("command 40045"), 1);
    keys.press(playPause, true, KeyWay::hook, {}, false, at += 10);  // at once again: a press of its own
    keys.press(playPause, false, KeyWay::hook, {}, false, at += 10);
    host.runPosted();
    EXPECT_EQ(sentOf("command 40045"), 2);
}

TEST_F(KeysSource, ALearnedKeyIsTakenAtOnceAndAForgottenOneLetGo) {
    start("[IR]\r\nACTIVARE=0\r\nEXECUTARE=1\r\n");
    EXPECT_FALSE(keys.press(playPause, true));
    keys.press(playPause, false);
    remote->learnCode("PLAY", "key:MEDIA_PLAY_PAUSE");
    EXPECT_TRUE(keys.press(playPause, true)) << "no reload needed";
    keys.press(playPause, false);
    remote->forgetCodes("PLAY");
    EXPECT_FALSE(keys.press(playPause, true));
    keys.press(playPause, false);
}

TEST_F(KeysSource, ListenAnewAfterSleepAndStopWhenTurnedOff) {
    start(runLearned);
    core->application().systemResumed();
    EXPECT_EQ(keys.listenedAgain, 1);
    writeIni(std::string(runLearned) + "[KEYS]\r\nENABLED=0\r\n");
    remote->reload();
    EXPECT_EQ(keys.listener, nullptr);
    EXPECT_EQ(link().statusText(), "Media keys: off");
    core->application().systemResumed();
    EXPECT_EQ(keys.listenedAgain, 1);  // not listening: nothing to make anew
    writeIni(runLearned);
    remote->reload();
    EXPECT_EQ(link().statusText(), "Media keys: live");
}

TEST_F(KeysSource, ARefusalOfTheSystemIsSaidAndTriedAgainEveryTwoSeconds) {
    keys.refuse = true;
    start(runLearned);
    EXPECT_EQ(link().statusText(), "Media keys: failed: the system refused raw input");
    EXPECT_EQ(keys.listener, nullptr);
    EXPECT_EQ(host.timerInterval(*remote->TimerSources), 2000);
    host.fireTimer(*remote->TimerSources);
    EXPECT_EQ(keys.starts, 2) << "tried again, without a word";
    EXPECT_TRUE(host.messageBoxes().empty());
    keys.refuse = false;
    host.fireTimer(*remote->TimerSources);
    EXPECT_EQ(link().statusText(), "Media keys: live");
    host.fireTimer(*remote->TimerSources);
    EXPECT_EQ(keys.starts, 3) << "live: nothing more to try";
}

}  // namespace
