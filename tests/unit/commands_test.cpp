// The command table and the command events: every command once in either
// order, on a key of the main window's own, who hears that it ran and
// which source asked, and commands asked for from other threads, run on
// the GUI thread in the order they came.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>
#include <utility>

#include "app/commands.h"
#include "support/case_name.h"
#include "support/program_fixture.h"

namespace {

using Strings = std::vector<std::string>;

TEST(CommandTable, BothOrdersHoldEachOfThe25NamesOnceAndEveryKeyAsksForOneCommand) {
    Strings load = app::commandNamesLoadOrder(), dialog = app::commandNamesDialogOrder();
    ASSERT_EQ(load.size(), 25u);
    std::sort(load.begin(), load.end());
    std::sort(dialog.begin(), dialog.end());
    EXPECT_EQ(load, dialog);
    EXPECT_EQ(std::unique(load.begin(), load.end()), load.end()) << "every name once";
    EXPECT_EQ(app::commandNamed("ALEGE COMANDA"), nullptr) << "the dialog's prompt is no command";
    EXPECT_EQ(app::commandNamed("play"), nullptr) << "names are matched as the table writes them";

    testing_support::ProgramFixture p;
    p.start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    std::set<const widgets::TCoolButton*> keys;
    for (const app::Command& c : app::commands()) {
        widgets::TCoolButton* key = p.form->keyFor(c);
        ASSERT_NE(key, nullptr) << c.name;
        EXPECT_EQ(p.form->commandOf(*key), &c) << "the key of " << c.name << " asks for it";
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 25u) << "a key each";
    EXPECT_EQ(p.form->commandOf(*p.form->CBSetIR), nullptr) << "the setup key runs no command";
}

class CommandEvents : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    void SetUp() override {
        player.running = true;
        std::string ini = "[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[PORT_SET]\r\nPORT=0\r\n[COMENZI_IR]\r\n";
        ini += "PLAY=AAAAA\r\nVOLUME UP=BBBBB\r\n";
        start(ini);
    }
    void receive(const std::string& code, std::uint32_t at) {
        host.now = at;
        feedSerial(code);
        host.runPosted();
    }
    static std::string sourceOf(app::CommandSource s) {
        switch (s) {
            case app::CommandSource::key: return "key";
            case app::CommandSource::receiver: return "receiver";
            case app::CommandSource::lirc: return "lirc";
            case app::CommandSource::keys: return "keys";
            case app::CommandSource::web: return "web";
        }
        return "?";
    }
    fw::Subscription record(Strings& into, const char* who) {
        return remote->onCommand([&into, who](const app::Command& c, app::CommandSource s, const app::CommandOutcome&) {
            into.push_back(std::string(who) + ": " + c.name + " by " + sourceOf(s));
        });
    }
};

TEST_F(CommandEvents, KeysAndTheHandsetAreHeardInOrderWithTheirSourceAfterTheCommandRan) {
    Strings heard;
    std::string firstSentWhenHeard;
    const fw::Subscription listening = remote->onCommand([&](const app::Command& c, app::CommandSource s,
                                                             const app::CommandOutcome&) {
        heard.push_back(std::string(c.name) + " by " + sourceOf(s));
        if (firstSentWhenHeard.empty() && !player.sent.empty()) firstSentWhenHeard = player.sent.front();
    });
    player.sent.clear();
    click(*form->CBPlay);
    EXPECT_EQ(firstSentWhenHeard, "command 40045") << "heard once the command has run";
    EXPECT_GT(player.sent.size(), 1u) << "and the player was looked at for the window";
    receive("AAAAA", 5000);
    receive("BBBBB", 6000);
    click("CB7");
    click(*form->CBSetIR);  // no command: nobody hears it
    click(*form->CBTelefon);
    host.now = 7000;
    codes->feed(ir::CodeSource::server, "tv:KEY_PLAY", ir::Arrival::press);
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"PLAY by key", "PLAY by receiver", "VOLUME UP by receiver", "TASTE 7 by key",
                              "MUTE by key"}))
        << "tv:KEY_PLAY is learned for nothing";
}

TEST_F(CommandEvents, TwoListenersBothHearAndEndingOneLeavesTheOther) {
    Strings heard;
    fw::Subscription first = record(heard, "first");
    fw::Subscription second = record(heard, "second");
    click(*form->CBStop);
    first.reset();
    receive("AAAAA", 5000);
    EXPECT_EQ(heard, (Strings{"first: STOP by key", "second: STOP by key", "second: PLAY by receiver"}));
    second.reset();
    click(*form->CBStop);
    EXPECT_EQ(heard.size(), 3u);
}

TEST_F(CommandEvents, TheHandsetsPressedLookIsOneListenerAmongOthers) {
    Strings heard;
    const fw::Subscription other = record(heard, "other");
    receive("AAAAA", 5000);
    EXPECT_TRUE(form->CBPlay->PressedLook()) << "the key shows the handset's press";
    EXPECT_EQ(heard, Strings{"other: PLAY by receiver"});
    host.fireTimer(*form->TimerKeyLook);
    click(*form->CBPlay);
    EXPECT_FALSE(form->CBPlay->PressedLook()) << "a click shows its own press, not the handset's look";
}

TEST_F(CommandEvents, EachSourceOfCodesIsTheSourceOfItsCommands) {
    writeIni("[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[PORT_SET]\r\nPORT=0\r\n[COMENZI_IR]\r\n"
             "PLAY=AAAAA,tv:KEY_PLAY,key:MEDIA_PLAY_PAUSE\r\n");
    remote->reload();
    Strings heard;
    const fw::Subscription listening = record(heard, "heard");
    const std::pair<ir::CodeSource, const char*> fed[] = {{ir::CodeSource::serial, "AAAAA"},
                                                          {ir::CodeSource::server, "tv:KEY_PLAY"},
                                                          {ir::CodeSource::keys, "key:MEDIA_PLAY_PAUSE"}};
    std::uint32_t at = 10000;
    for (const auto& [source, code] : fed) {
        host.now = at += 1000;
        codes->feed(source, code, ir::Arrival::press);
        host.runPosted();
    }
    EXPECT_EQ(heard, (Strings{"heard: PLAY by receiver", "heard: PLAY by lirc", "heard: PLAY by keys"}));
}

// Another thread (the web's, the next source) asks; the GUI thread runs
// each command in the order asked, and a key clicked meanwhile comes after
// what was asked before it.
TEST_F(CommandEvents, ThreadsCommandsAskedFromAnotherThreadRunOnTheGuiThreadInTheOrderAsked) {
    Strings heard;
    std::vector<std::thread::id> ranOn;
    const fw::Subscription listening = remote->onCommand(
        [&](const app::Command& c, app::CommandSource, const app::CommandOutcome&) {
            heard.push_back(c.name);
            ranOn.push_back(std::this_thread::get_id());
        });
    const app::Command& next = *app::commandNamed("NEXT SONG");
    const app::Command& previous = *app::commandNamed("PREVIOUS SONG");
    constexpr int asks = 40;
    std::thread other([&] {
        for (int i = 0; i < asks; ++i) remote->ask(i % 2 ? previous : next, app::CommandSource::keys);
    });
    other.join();
    EXPECT_TRUE(heard.empty()) << "nothing runs on the asking thread";
    click(*form->CBStop);  // what was asked first runs first
    host.runPosted();
    ASSERT_EQ(heard.size(), static_cast<std::size_t>(asks + 1));
    for (int i = 0; i < asks; ++i) EXPECT_EQ(heard[static_cast<std::size_t>(i)], i % 2 ? "PREVIOUS SONG" : "NEXT SONG");
    EXPECT_EQ(heard.back(), "STOP");
    for (const auto& id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST_F(CommandEvents, AFloodOfAskedCommandsKeepsTheLastOnesAndNeverGrows) {
    Strings heard;
    const fw::Subscription listening = record(heard, "ran");
    for (int i = 0; i < 1000; ++i) remote->ask(*app::commandNamed("TASTE 1"), app::CommandSource::keys);
    remote->ask(*app::commandNamed("CANCEL"), app::CommandSource::keys);
    host.runPosted();
    EXPECT_EQ(heard.size(), app::Remote::maxCommandsWaiting);
    EXPECT_EQ(heard.back(), "ran: CANCEL by keys") << "the newest is kept";
}

}  // namespace
