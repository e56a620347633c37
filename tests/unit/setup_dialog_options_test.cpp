// The setup dialog's ways out and its options: left without Ok, Ok the
// default, codes shown only while it is shown, the system's keys, how each
// source is, Start with Windows, the Winamp field and which player answers.
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

enum class Leave { escape, altF4 };

class LeavingWithoutOk : public SetupDialog, public ::testing::WithParamInterface<Leave> {};

// Esc (a cancel) and Alt+F4 or the close command (a close asked of the
// dialog) leave it as a cancel: nothing of its fields is saved, a code
// learned meanwhile stays learned, and the cycle goes on as after Ok.
TEST_P(LeavingWithoutOk, SavesNoFieldKeepsWhatWasLearnedAndTheCycleGoesOn) {
    open("[PORT_SET]\r\nPORT=2\r\n[IR]\r\nMinimizare=0\r\n");
    const std::string before = fileText();
    host.onModal = [&](fw::Form&) {
        dialog->SEPort->setValue(4);
        dialog->CheckBoxActivare->setChecked(false);
        dialog->CheckBoxMinimizat->setChecked(true);
        dialog->CheckBoxOsd->setChecked(false);
        host.typeText(*dialog->EditLirc, "127.0.0.1:8765");
        choose("PLAY");
        typeCode("ABCDEF");
        host.clickControl(button("ButtonSaveIR"));
        serial.clearCalls();
        if (GetParam() == Leave::escape)
            dialog->cancelAsked();
        else
            dialog->closeAsked();
    };
    click("CBSetIR");
    EXPECT_FALSE(application->terminated()) << "the program goes on";
    EXPECT_FALSE(dialog->visible());
    EXPECT_TRUE(shown()) << "the remote is shown again";
    EXPECT_EQ(settings->PortNumber, 2);
    EXPECT_TRUE(settings->IrEnabled);
    EXPECT_FALSE(settings->TrayMode);
    EXPECT_TRUE(settings->Osd);
    EXPECT_FALSE(settings->LircAddress);
    EXPECT_EQ(learned("PLAY"), "ABCDEF") << "learning writes at once";
    EXPECT_EQ(fileText().find("PORT=4"), std::string::npos);
    EXPECT_NE(fileText().find(before.substr(0, before.find("[COMENZI_IR]"))), std::string::npos);
    const auto calls = serial.calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "open \\\\.\\COM2"), calls.end()) << "the receiver is opened again";
    EXPECT_EQ(dialog->SEPort->value(), 2) << "the next showing starts from what is saved";
    EXPECT_TRUE(dialog->CheckBoxActivare->checked());
    EXPECT_FALSE(dialog->CheckBoxMinimizat->checked());
    EXPECT_TRUE(host.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingWithoutOk, ::testing::Values(Leave::escape, Leave::altF4),
                         [](const auto& info) { return info.param == Leave::escape ? "Escape" : "AltF4"; });

TEST_F(SetupDialog, OkIsTheDefaultButtonAndAHiddenDialogAskedToCloseEndsTheProgram) {
    open();
    EXPECT_TRUE(dialog->ButtonOk->isDefault());
    dialog->cancelAsked();
    EXPECT_FALSE(application->terminated()) << "Esc means nothing to a hidden dialog";
    dialog->closeAsked();
    EXPECT_TRUE(application->terminated()) << "as a close from outside (the task manager) does";
}

TEST_F(SetupDialog, TypingOutsideTheRangeIsBroughtBackWhenTheFieldIsLeft) {
    open();
    host.typeText(*dialog->SEPort, "9");
    host.focusLeaves(*dialog->SEPort);
    EXPECT_EQ(dialog->SEPort->text(), "4");
    host.typeText(*dialog->SEPort, "x");
    EXPECT_EQ(dialog->SEPort->value(), 1) << "a text that is not a number reads as 1";
}

TEST_F(SetupDialog, ReceivedCodesAppearOnlyWhileTheDialogIsShown) {
    open();
    feedSerial("123456");
    host.runPosted();
    EXPECT_EQ(dialog->MemoCod->text(), "") << "hidden: dropped";
    host.onModal = [&](fw::Form&) {
        feedSerial("ABCDEF");
        host.runPosted();
        EXPECT_EQ(dialog->MemoCod->text(), "ABCDEF");
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
}

TEST_F(SetupDialog, TheSystemsKeysAreLearnedAndTurnedOffThere) {
    open("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    ASSERT_NE(keys.listener, nullptr);
    host.onModal = [&](fw::Form&) {
        EXPECT_TRUE(dialog->CheckBoxKeys->checked());
        keys.press(0xB3, true);
        keys.press(0xB3, false);
        host.runPosted();
        EXPECT_EQ(dialog->MemoCod->text(), "key:MEDIA_PLAY_PAUSE");
        dialog->CheckBoxKeys->setChecked(false);
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    EXPECT_NE(fileText().find("[KEYS]\r\nENABLED=0\r\n"), std::string::npos);
    EXPECT_FALSE(settings->KeysEnabled);
    EXPECT_EQ(keys.listener, nullptr) << "no longer heard";
    host.onModal = [&](fw::Form&) {
        EXPECT_FALSE(dialog->CheckBoxKeys->checked());
        dialog->CheckBoxKeys->setChecked(true);
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    EXPECT_NE(fileText().find("[KEYS]\r\nENABLED=1\r\n"), std::string::npos);
    EXPECT_NE(keys.listener, nullptr);
}

TEST_F(SetupDialog, SaysBesideEachSourceHowItIsAndFollowsItWhileOpen) {
    serial.failOn("open");
    keys.refuse = true;
    open("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=2\r\n");
    const auto statuses = [&] {
        return std::vector<std::string>{dialog->LabelReceiverStatus->text(), dialog->LabelLircStatus->text(),
                                        dialog->LabelKeysStatus->text()};
    };
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(statuses(), (std::vector<std::string>{"Receiver: failed: COM2 could not be opened", "LIRC server: off",
                                                        "Media keys: failed: the system refused raw input"}));
        // The sources are still looked after while the dialog is open.
        serial.stopFailing("open");
        keys.refuse = false;
        host.fireTimer(*remote->TimerSources);
        EXPECT_EQ(statuses(),
                  (std::vector<std::string>{"Receiver: live", "LIRC server: off", "Media keys: live"}));
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    EXPECT_FALSE(patchShown("IIR")) << "the badge lit with the receiver";
}

TEST_F(SetupDialog, SaysWhichPlayerAnswersAndSavesTheMediaKeysForOthers) {
    player.running = false;
    open("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    EXPECT_EQ(fileText().find("OTHERS"), std::string::npos);
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->LabelAnswering->text(), "none");
        EXPECT_FALSE(dialog->CheckBoxOthers->checked());
        dialog->CheckBoxOthers->setChecked(true);
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    EXPECT_NE(fileText().find("OTHERS=1\r\n"), std::string::npos);
    EXPECT_TRUE(settings->OthersByMediaKeys);
    player.running = true;
    player.program = "foobar2000.exe";
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->LabelAnswering->text(), "foobar2000 (Winamp bridge)") << "looked at afresh";
        EXPECT_TRUE(dialog->CheckBoxOthers->checked());
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    player.running = false;
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->LabelAnswering->text(), "none: media keys");
        dialog->CheckBoxOthers->setChecked(false);
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    EXPECT_NE(fileText().find("OTHERS=0\r\n"), std::string::npos);
}

struct LogonCase {
    const char* what;
    std::optional<std::string> stored;  // the log-on value when the dialog opens
    bool shown;                         // the box ticked
    bool tick;                          // what the user leaves in the box
    std::vector<std::string> changes;   // what Ok does to the list
    std::optional<std::string> after;
};

void PrintTo(const LogonCase& c, std::ostream* os) {
    *os << c.what;
}

class StartWithWindows : public SetupDialog, public ::testing::WithParamInterface<LogonCase> {};

TEST_P(StartWithWindows, TheBoxShowsTheListAndOkChangesItOnlyWhenTheBoxChanged) {
    const LogonCase& c = GetParam();
    logon.value = c.stored;
    host.executablePath_ = "C:\\Users\\Ana\\ZAV Amp\\zav_amp.exe";
    open("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->CheckBoxStartWithWindows->checked(), c.shown);
        dialog->CheckBoxStartWithWindows->setChecked(c.tick);
        dialog->SEPort->setValue(2);
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    EXPECT_EQ(logon.changes, c.changes);
    EXPECT_EQ(logon.value, c.after);
    EXPECT_EQ(settings->PortNumber, 2) << "the settings are saved as ever";
}

const std::string ours = "\"C:\\Users\\Ana\\ZAV Amp\\zav_amp.exe\"";
const std::string other = "\"D:\\Old\\zav_amp.exe\"";

INSTANTIATE_TEST_SUITE_P(
    Values, StartWithWindows,
    ::testing::Values(
        LogonCase{"none, ticked", std::nullopt, false, true, {"write " + ours}, ours},
        LogonCase{"none, left alone", std::nullopt, false, false, {}, std::nullopt},
        LogonCase{"ours, unticked", ours, true, false, {"remove"}, std::nullopt},
        LogonCase{"ours, left ticked", ours, true, true, {}, ours},
        LogonCase{"ours without quotes", "C:\\Users\\Ana\\ZAV Amp\\zav_amp.exe", true, true, {},
                  "C:\\Users\\Ana\\ZAV Amp\\zav_amp.exe"},
        LogonCase{"ours in other letters", "\"c:\\users\\ana\\zav amp\\ZAV_AMP.EXE\" ", true, true, {},
                  "\"c:\\users\\ana\\zav amp\\ZAV_AMP.EXE\" "},
        LogonCase{"another copy's survives an Ok that changed the port", other, false, false, {}, other},
        LogonCase{"another copy's, ticked, becomes ours", other, false, true, {"write " + ours}, ours},
        LogonCase{"empty", "", false, false, {}, ""}),
    testing_support::byWhat);

TEST_F(SetupDialog, AListThatRefusesTheWriteSaysSoAfterTheSettingsAreSaved) {
    logon.failWrites = true;
    open("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    host.onModal = [&](fw::Form&) {
        dialog->CheckBoxStartWithWindows->setChecked(true);
        dialog->SEPort->setValue(3);
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text,
              "Unable to write to HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(settings->PortNumber, 3) << "ir_zav.ini first";
    EXPECT_FALSE(logon.value);
}

}  // namespace

namespace {

enum class PathAction { none, type, browse, cancelBrowse, empty };

struct WinampFieldCase {
    const char* what;
    std::string setting;  // [PLAYER] PATH before
    std::vector<std::string> existing;
    std::string shown;
    PathAction action;
    std::string after;  // [PLAYER] PATH after Ok ("<none>": not there)
};

void PrintTo(const WinampFieldCase& c, std::ostream* os) {
    *os << c.what;
}

class WinampField : public SetupDialog, public ::testing::WithParamInterface<WinampFieldCase> {};

TEST_P(WinampField, ShowsWhatTheKeyWouldStartAndSavesOnlyAChosenPath) {
    const WinampFieldCase& c = GetParam();
    launcher.existing = c.existing;
    const std::string chosen = "E:\\Музыка\\winamp.exe";
    host.chosenFile = c.action == PathAction::browse ? std::optional(chosen) : std::nullopt;
    open("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n" +
         (c.setting.empty() ? std::string() : "[PLAYER]\r\nPATH=" + c.setting + "\r\n"));
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->EditWinamp->text(), c.shown);
        if (c.action == PathAction::type) host.typeText(*dialog->EditWinamp, "  F:\\Typed\\winamp.exe ");
        if (c.action == PathAction::empty) host.typeText(*dialog->EditWinamp, "");
        if (c.action == PathAction::browse || c.action == PathAction::cancelBrowse) {
            host.clickControl(button("ButtonBrowse"));
            ASSERT_EQ(host.fileDialogs.size(), 1u);
            EXPECT_EQ(host.fileDialogs[0].owner, dialog->handle());
            EXPECT_EQ(host.fileDialogs[0].filters[0].patterns, "winamp.exe");
        }
        host.clickControl(button("ButtonOk"));
    };
    click("CBSetIR");
    EXPECT_EQ(fw::IniFile(dir / "ir_zav.ini").readString("PLAYER", "PATH", "<none>"), c.after);
}

const std::string fixedPath = app::fixedPlayerPath;

INSTANTIATE_TEST_SUITE_P(
    Cases, WinampField,
    ::testing::Values(
        WinampFieldCase{"found, left alone: not written", "", {fixedPath}, fixedPath, PathAction::none, "<none>"},
        WinampFieldCase{"nowhere", "", {}, "not found", PathAction::none, "<none>"},
        WinampFieldCase{"typed", "", {}, "not found", PathAction::type, "F:\\Typed\\winamp.exe"},
        WinampFieldCase{"chosen with Browse...", "", {fixedPath}, fixedPath, PathAction::browse, "E:\\Музыка\\winamp.exe"},
        WinampFieldCase{"Browse... cancelled", "", {fixedPath}, fixedPath, PathAction::cancelBrowse, "<none>"},
        WinampFieldCase{"the setting shows and stays", "G:\\W\\winamp.exe", {"G:\\W\\winamp.exe"}, "G:\\W\\winamp.exe",
                        PathAction::none, "G:\\W\\winamp.exe"},
        WinampFieldCase{"emptied: the setting goes", "G:\\W\\winamp.exe", {"G:\\W\\winamp.exe"}, "G:\\W\\winamp.exe",
                        PathAction::empty, "<none>"}),
    testing_support::byWhat);

}  // namespace
