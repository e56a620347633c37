// The command table and the command events: what each command is, where it
// stands in either order, how a held key repeats it, and who hears that it
// ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/commands.h"
#include "support/case_name.h"
#include "support/program_fixture.h"

namespace {

using Strings = std::vector<std::string>;

struct TableCase {
    const char* name;
    std::size_t loadPlace;
    std::size_t dialogPlace;
    const char* key;
    app::Repetition repetition;
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }

class CommandRows : public ::testing::TestWithParam<TableCase> {};

// Each command where the settings file's readers and the setup dialog's
// users have always found it, on its own key, repeating as a held handset
// key should.
TEST_P(CommandRows, StandInBothOrdersOnTheirKeyWithTheirRepetition) {
    const TableCase& c = GetParam();
    EXPECT_EQ(app::commandNamesLoadOrder().at(c.loadPlace), c.name);
    EXPECT_EQ(app::commandNamesDialogOrder().at(c.dialogPlace), c.name);
    const app::Command* command = app::commandNamed(c.name);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->repetition, c.repetition);

    testing_support::ProgramFixture p;
    p.start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    widgets::TCoolButton* key = p.form->keyFor(c.name);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->name(), c.key);
    EXPECT_EQ(app::commandOfKey(*p.form, *key), command);
}

constexpr auto once = app::Repetition::once;
constexpr auto everyArrival = app::Repetition::everyArrival;
constexpr auto everySecond = app::Repetition::everySecondArrival;

INSTANTIATE_TEST_SUITE_P(
    Table, CommandRows,
    ::testing::Values(TableCase{"OPEN WINAMP", 0, 0, "CBStart", once}, TableCase{"PLAY", 1, 7, "CBPlay", once},
                      TableCase{"PAUSE", 2, 8, "CBPause", once}, TableCase{"STOP", 3, 9, "CBStop", once},
                      TableCase{"MUTE", 4, 10, "CBTelefon", once}, TableCase{"REW", 5, 5, "CBRew", everySecond},
                      TableCase{"FF", 6, 6, "CBFF", everySecond},
                      TableCase{"PREVIOUS SONG", 7, 3, "CBPrew", once},
                      TableCase{"NEXT SONG", 8, 4, "CBNext", once},
                      TableCase{"VOLUME UP", 9, 2, "CBVolUp", everyArrival},
                      TableCase{"VOLUME DOWN", 10, 1, "CBVolDown", everyArrival},
                      TableCase{"REPEAT", 11, 12, "CBRepeat", once}, TableCase{"SHUFFLE", 12, 11, "CBShufle", once},
                      TableCase{"ENTER", 13, 13, "CBNrTr", once}, TableCase{"TASTE 1", 14, 14, "CB1", once},
                      TableCase{"TASTE 5", 18, 18, "CB5", once}, TableCase{"TASTE 9", 22, 22, "CB9", once},
                      TableCase{"TASTE 0", 23, 23, "CB0", once}, TableCase{"CANCEL", 24, 24, "CBAnulare", once}),
    [](const auto& info) { return testing_support::caseName(info.param.name); });

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
    for (const app::Command& c : app::commands()) keys.insert(p.form->*(c.key));
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
        display->passedBy(code);
        host.runPosted();
    }
    static std::string sourceOf(app::CommandSource s) { return s == app::CommandSource::key ? "key" : "handset"; }
    fw::Subscription record(Strings& into, const char* who) {
        return form->onCommand([&into, who](const app::Command& c, app::CommandSource s) {
            into.push_back(std::string(who) + ": " + c.name + " by " + sourceOf(s));
        });
    }
};

TEST_F(CommandEvents, KeysAndTheHandsetAreHeardInOrderWithTheirSourceAfterTheCommandRan) {
    Strings heard;
    std::size_t sentWhenHeard = 0;
    const fw::Subscription listening = form->onCommand([&](const app::Command& c, app::CommandSource s) {
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
