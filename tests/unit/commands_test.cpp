// The command table and the command events: every command once in either
// order, on a key of its own, and who hears that it ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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
        widgets::TCoolButton* key = p.form->keyFor(c.name);
        ASSERT_NE(key, nullptr) << c.name;
        EXPECT_EQ(app::commandOfKey(*p.form, *key), &c) << "the key of " << c.name << " asks for it";
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 25u) << "a key each";
    EXPECT_EQ(app::commandOfKey(*p.form, *p.form->CBSetIR), nullptr) << "the setup key runs no command";
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
    static std::string sourceOf(app::CommandSource s) { return s == app::CommandSource::key ? "key" : "handset"; }
    fw::Subscription record(Strings& into, const char* who) {
        return remote->onCommand([&into, who](const app::Command& c, app::CommandSource s) {
            into.push_back(std::string(who) + ": " + c.name + " by " + sourceOf(s));
        });
    }
};

TEST_F(CommandEvents, KeysAndTheHandsetAreHeardInOrderWithTheirSourceAfterTheCommandRan) {
    Strings heard;
    std::size_t sentWhenHeard = 0;
    const fw::Subscription listening = remote->onCommand([&](const app::Command& c, app::CommandSource s) {
        heard.push_back(std::string(c.name) + " by " + sourceOf(s));
        sentWhenHeard = player.sent.size();
    });
    player.sent.clear();
    click(*form->CBPlay);
    EXPECT_EQ(sentWhenHeard, 1u) << "heard once the command has run";
    receive("AAAAA", 5000);
    receive("BBBBB", 6000);
    click("CB7");
    click(*form->CBSetIR);  // no command: nobody hears it
    click(*form->CBTelefon);
    EXPECT_EQ(heard, (Strings{"PLAY by key", "PLAY by handset", "VOLUME UP by handset", "TASTE 7 by key", "MUTE by key"}));
}

TEST_F(CommandEvents, TwoListenersBothHearAndEndingOneLeavesTheOther) {
    Strings heard;
    fw::Subscription first = record(heard, "first");
    fw::Subscription second = record(heard, "second");
    click(*form->CBStop);
    first.reset();
    receive("AAAAA", 5000);
    EXPECT_EQ(heard, (Strings{"first: STOP by key", "second: STOP by key", "second: PLAY by handset"}));
    second.reset();
    click(*form->CBStop);
    EXPECT_EQ(heard.size(), 3u);
}

TEST_F(CommandEvents, TheHandsetsPressedLookIsOneListenerAmongOthers) {
    Strings heard;
    const fw::Subscription other = record(heard, "other");
    receive("AAAAA", 5000);
    EXPECT_TRUE(form->CBPlay->PressedLook()) << "the key shows the handset's press";
    EXPECT_EQ(heard, Strings{"other: PLAY by handset"});
    host.fireTimer(*form->TimerKeyLook);
    click(*form->CBPlay);
    EXPECT_FALSE(form->CBPlay->PressedLook()) << "a click shows its own press, not the handset's look";
}

}  // namespace
