// The setup dialog: made hidden with its commands, laid out in its groups,
// its timer, learning a code, and its port field.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>

#include "app/player_path.h"
#include "framework/ini_file.h"
#include "support/case_name.h"
#include "setup_dialog_fixture.h"

namespace {

using testing_support::SetupDialog;

TEST_F(SetupDialog, StartsHiddenWithTheCommandsListedAndNothingChosen) {
    open();
    EXPECT_FALSE(dialog->visible());
    EXPECT_EQ(dialog->CBComenziIR->text(), "ALEGE COMANDA");
    const auto& items = host.state(*dialog->CBComenziIR).items;
    ASSERT_EQ(items.size(), 26u);
    EXPECT_EQ(items[25], "HELD KEY") << "learned like the commands, after the last";
}

TEST_F(SetupDialog, EachPageHoldsItsGroupNothingOverlapsAndTabbingFollowsReading) {
    open();
    const fw::TabControl& tabs = *dialog->TabsSetup;
    EXPECT_EQ(tabs.titles(), (std::vector<std::string>{"Receiver", "Handset codes", "Options", "Phone"}));
    std::vector<const fw::GroupBox*> groups;
    std::vector<const fw::Control*> controls;
    for (const auto& c : dialog->components()) {
        if (auto* group = dynamic_cast<const fw::GroupBox*>(c.get()))
            groups.push_back(group);
        else if (auto* control = dynamic_cast<const fw::Control*>(c.get()))
            controls.push_back(control);
    }
    ASSERT_EQ(groups.size(), 4u);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i]->text(), tabs.titles()[i]) << "a tab is titled by its page's group";
        EXPECT_EQ(tabs.pageOf(*groups[i]), static_cast<int>(i));
    }
    // Within 640 x 600 at 96 DPI, as a screen of 800 x 600 still shows it.
    EXPECT_LE(dialog->clientSize().width, 640);
    EXPECT_LE(dialog->clientSize().height, 600);
    const fw::Rect client = fw::Rect::fromSize(0, 0, dialog->clientSize().width, dialog->clientSize().height);
    for (const fw::Control* a : controls) {
        if (a->bounds().empty()) continue;  // the timer's like: made without a place
        EXPECT_EQ(a->bounds().intersect(client), a->bounds()) << a->name() << " lies inside the dialog";
        const int pa = tabs.pageOf(*a);
        for (const fw::Control* b : controls) {
            // Controls of two pages never show together.
            const int pb = tabs.pageOf(*b);
            if (a < b && (pa == pb || pa < 0 || pb < 0)) {
                EXPECT_TRUE(a->bounds().intersect(b->bounds()).empty()) << a->name() << " and " << b->name();
            }
        }
        if (pa < 0) {
            EXPECT_TRUE(a->bounds().intersect(groups[0]->bounds()).empty()) << a->name() << " lies off the pages";
            continue;
        }
        // Clear of the frame, and below the title drawn on its top edge.
        const fw::Rect frame = groups[static_cast<std::size_t>(pa)]->bounds();
        const fw::Rect inner{frame.left + 6, frame.top + 14, frame.right - 6, frame.bottom - 4};
        EXPECT_EQ(a->bounds().intersect(inner), a->bounds()) << a->name() << " stays clear of its page's edge";
    }
    const fw::Rect ok = dialog->ButtonOk->bounds();
    for (const fw::Control* a : controls) {
        if (a == dialog->ButtonOk || a == dialog->TabsSetup) continue;
        EXPECT_LE(a->bounds().right, ok.right) << "Ok is rightmost, not " << a->name();
        EXPECT_LE(a->bounds().bottom, ok.bottom) << "Ok is at the bottom, not " << a->name();
    }
    for (const fw::Label* status : {dialog->LabelReceiverStatus, dialog->LabelLircStatus, dialog->LabelKeysStatus})
        EXPECT_EQ(tabs.pageOf(*status), 0) << status->name() << " lies beside its setting";
    // Tab order: the tabs first, then page by page, within one row by row
    // (tops a few pixels apart are one row), left to right; Ok last.
    std::vector<const fw::WinControl*> tabbed;
    for (const fw::Control* c : controls)
        if (auto* w = dynamic_cast<const fw::WinControl*>(c); w && w->tabOrder() >= 0) tabbed.push_back(w);
    std::sort(tabbed.begin(), tabbed.end(), [](auto* a, auto* b) { return a->tabOrder() < b->tabOrder(); });
    ASSERT_GE(tabbed.size(), 3u);
    EXPECT_EQ(tabbed.front(), dialog->TabsSetup);
    EXPECT_EQ(tabbed.back(), dialog->ButtonOk);
    for (std::size_t i = 1; i + 2 < tabbed.size(); ++i) {
        const fw::Rect a = tabbed[i]->bounds(), b = tabbed[i + 1]->bounds();
        const int ga = tabs.pageOf(*tabbed[i]), gb = tabs.pageOf(*tabbed[i + 1]);
        EXPECT_GE(ga, 0) << tabbed[i]->name() << " lies on a page";
        const bool readsOn = ga < gb || (ga == gb && (b.top - a.top > 8 || (std::abs(b.top - a.top) <= 8 && b.left > a.left)));
        EXPECT_TRUE(readsOn) << tabbed[i + 1]->name() << " is read after " << tabbed[i]->name();
    }
    EXPECT_TRUE(dialog->ButtonOk->isDefault()) << "Enter is Ok";
}

TEST_F(SetupDialog, TimerMirrorsTheChosenCommandEvenWhileHiddenAndThePortWaitsForOk) {
    open();
    choose("PLAY");
    dialog->SEPort->setValue(3);
    fw::Timer& timer = *dialog->TimerInitTexte;
    host.fireTimer(timer);
    EXPECT_EQ(dialog->EditComIr->text(), "PLAY");
    EXPECT_EQ(settings->PortNumber, 0) << "the settings say what the file says until Ok saves the port";
    // Ten ticks a second for as long as the program runs: a text that has
    // not changed is not handed to its window again.
    const int sets = host.state(*dialog->EditComIr).textSets;
    for (int i = 0; i < 5; ++i) host.fireTimer(timer);
    EXPECT_EQ(host.state(*dialog->EditComIr).textSets, sets);
    choose("STOP");
    host.fireTimer(timer);
    EXPECT_EQ(dialog->EditComIr->text(), "STOP");
    EXPECT_EQ(host.state(*dialog->EditComIr).textSets, sets + 1);
}

struct LearnCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> learnings;  // command as typed, code
    const char* key;
    const char* expected;
};

void PrintTo(const LearnCase& c, std::ostream* os) {
    *os << c.what;
}

class Learning : public SetupDialog, public ::testing::WithParamInterface<LearnCase> {};

TEST_P(Learning, WritesTheCodeUnderTheCommand) {
    open();
    code->append(0x12);
    for (const auto& [command, text] : GetParam().learnings) {
        choose(command);
        typeCode(text);
        host.clickControl(button("ButtonSaveIR"));
        EXPECT_EQ(dialog->MemoCod->text(), "") << "the field is emptied";
    }
    EXPECT_EQ(learned(GetParam().key), GetParam().expected);
    EXPECT_EQ(code->text(), "") << "and so is the code being received";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Learning,
    ::testing::Values(
        LearnCase{"a code for PLAY", {{"PLAY", "12ABC"}}, "PLAY", "12ABC"},
        LearnCase{"before a choice", {{"ALEGE COMANDA", "FFEE1"}}, "ALEGE COMANDA", "FFEE1"},
        LearnCase{"an empty code", {{"STOP", ""}}, "STOP", ""},
        LearnCase{"twice for one command", {{"FF", "11111"}, {"FF", "22222"}}, "FF", "22222"},
        LearnCase{"in another letter case", {{"PLAY", "11111"}, {"play", "33333"}}, "PLAY", "33333"},
        LearnCase{"typed with blanks around", {{" NEXT SONG  ", "44444"}, {"NEXT SONG", "55555"}}, "NEXT SONG",
                  "55555"}));

TEST_F(SetupDialog, LearnedCodesReachTheSettingsAtOnceButAlegeComandaNever) {
    open();
    choose("ALEGE COMANDA");
    typeCode("FFEE1");
    host.clickControl(button("ButtonSaveIR"));
    choose("TASTE 0");
    typeCode("ABCDE");
    host.clickControl(button("ButtonSaveIR"));
    EXPECT_EQ(settings->LearnedCodes.at("TASTE 0"), app::CodeList{"ABCDE"});
    EXPECT_EQ(settings->LearnedCodes.count("ALEGE COMANDA"), 0u);
}

TEST_F(SetupDialog, AFailedWriteKeepsTheCodeInItsField) {
    open();
    std::filesystem::remove(dir / "ir_zav.ini");
    std::filesystem::create_directories(dir / "ir_zav.ini");  // nothing can be written there
    choose("PLAY");
    typeCode("12ABC");
    code->append(0x34);
    host.clickControl(button("ButtonSaveIR"));
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "Unable to write to " + (dir / "ir_zav.ini").string());
    EXPECT_EQ(dialog->MemoCod->text(), "12ABC");
    EXPECT_EQ(code->text(), "34");
}

TEST_F(SetupDialog, ANameThatCouldNotBeFoundAgainIsRefusedWithAMessage) {
    open();
    choose("PLAY");
    typeCode("11111");
    host.clickControl(button("ButtonSaveIR"));
    const std::string before = fileText();
    choose("PLAY=STOP");
    typeCode("12ABC");
    host.clickControl(button("ButtonSaveIR"));
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text,
              "Cannot save under the name \"PLAY=STOP\": a name cannot contain \"=\" or start with \"[\"");
    EXPECT_EQ(dialog->MemoCod->text(), "12ABC") << "the code waits for a name that can be saved";
    EXPECT_EQ(fileText(), before);
}

struct PortCase {
    const char* stored;
    int shown;
};

void PrintTo(const PortCase& c, std::ostream* os) {
    *os << "PORT=" << c.stored;
}

class PortField : public SetupDialog, public ::testing::WithParamInterface<PortCase> {};

TEST_P(PortField, ShowsTheStoredPortWithinOneToFourAndOkSavesIt) {
    // Receiver off so the test opens no port.
    open(std::string("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n[PORT_SET]\r\nPORT=") + GetParam().stored +
         "\r\n");
    EXPECT_EQ(dialog->SEPort->value(), GetParam().shown);
    host.onModal = [&](fw::Form&) { host.clickControl(button("ButtonOk")); };
    click("CBSetIR");
    EXPECT_EQ(fw::IniFile(dir / "ir_zav.ini").readInteger("PORT_SET", "PORT", -9), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Ports, PortField,
                         ::testing::Values(PortCase{"0", 1}, PortCase{"7", 4}, PortCase{"3", 3},
                                           PortCase{"-2", 1}));

TEST_F(SetupDialog, OkWithoutChangesRewritesTheSettingsItShows) {
    open("[PORT_SET]\r\nPORT=2\r\n[IR]\r\nACTIVARE=0\r\nMinimizare=0\r\n");
    host.onModal = [&](fw::Form&) { host.clickControl(button("ButtonOk")); };
    click("CBSetIR");
    EXPECT_EQ(iniText(), "[PORT_SET]\r\nPORT=2\r\n[IR]\r\nACTIVARE=0\r\nMinimizare=0\r\nEXECUTARE=0\r\nOSD=1\r\n\r\n"
                         "[PLAYER]\r\nVOLUME=auto\r\n")
        << "same values, same lines: the key keeps its spelling";
    EXPECT_FALSE(host.state(*dialog).visible);
}

}  // namespace
