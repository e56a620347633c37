// The keys the system hears as the remote turns them on and off: heard by
// default and off only with [KEYS] ENABLED=0, the learned keys taken while
// codes carry out their commands, a key by two ways playing once however
// long it is held, listening made anew after sleep, a
// refusal of the system kept, and the IR badge left to the receivers.
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
    app::KeysLink& link() { return core->keysLink(); }
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
        EXPECT_EQ(link().listening(), c.listening);
        EXPECT_EQ(keys.listener != nullptr, c.listening);
        EXPECT_FALSE(remote->badgeLit());
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

TEST_F(KeysSource, ListenAnewAfterSleepAndStopWhenTurnedOff) {
    start(runLearned);
    core->application().systemResumed();
    EXPECT_EQ(keys.listenedAgain, 1);
    remote->Dezactivare();
    EXPECT_EQ(keys.listener, nullptr);
    EXPECT_FALSE(link().listening());
    core->application().systemResumed();
    EXPECT_EQ(keys.listenedAgain, 1);  // not listening: nothing to make anew
    remote->apply();
    EXPECT_TRUE(link().listening());
}

TEST_F(KeysSource, ARefusalOfTheSystemIsKeptAndTriedAtTheNextApply) {
    keys.refuse = true;
    start(runLearned);
    EXPECT_FALSE(link().listening());
    EXPECT_EQ(link().failure(), "RegisterRawInputDevices failed (error 5)");
    keys.refuse = false;
    remote->reload();
    EXPECT_TRUE(link().listening());
    EXPECT_EQ(link().failure(), "");
}

}  // namespace
