// The main window's own life: made as the program starts, shown or in the
// notification area, the close key, and the refresh that rests while
// nobody sees it.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/program_fixture.h"

namespace {

using Calls = std::vector<std::string>;

class MainWindowTest : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    bool visible() { return shown(); }
};

TEST_F(MainWindowTest, FirstStartWithoutFileHidesToTheTrayAndActivatesPortOne) {
    start();
    EXPECT_EQ(form->caption(), "ZAV Amp - 01");
    EXPECT_EQ(form->clientSize(), (fw::Size{168, 311}));
    EXPECT_TRUE(host.state(*form).centred);
    EXPECT_FALSE(visible());
    EXPECT_FALSE(application->showMainForm());
    EXPECT_NE(tray.listener(), nullptr) << "the window is listened to for the icon";
    EXPECT_EQ(tray.notified.back().tip, "ZAV Amp - 01");
    EXPECT_EQ(serial.lastOpened(), "\\\\.\\COM1");
    EXPECT_TRUE(com->isOpen());
    EXPECT_TRUE(receiver->loopRunning());
    EXPECT_FALSE(form->IIR->visible()) << "the IR indicator is lit";
    EXPECT_EQ(serial.written(), (std::vector<std::uint8_t>{'I', 'R'}));
    const Calls calls = serial.calls();
    const auto at = [&](const std::string& c) {
        return std::find(calls.begin(), calls.end(), c) - calls.begin();
    };
    EXPECT_LT(at("escape SETRTS"), at("escape SETDTR"));
    EXPECT_LT(at("escape SETDTR"), at("write 73 82"));
    EXPECT_TRUE(serial.messages().empty());
}

TEST_F(MainWindowTest, WindowModeShowsTheWindow) {
    start("[IR]\r\nMinimizare=0\r\n");
    EXPECT_TRUE(visible());
    EXPECT_TRUE(form->visible());
}

TEST_F(MainWindowTest, HideAndShowSetTheTrayPropertiesInTheirOrder) {
    start("[IR]\nMinimizare=0\n[PORT_SET]\nPORT=0\n");
    tray.calls.clear();
    form->Ascunde();
    EXPECT_EQ(tray.calls, (Calls{"notify add tip=ZAV Amp - 01", "register 1"}));
    EXPECT_FALSE(visible());
    tray.calls.clear();
    form->Arata();
    EXPECT_EQ(tray.calls, (Calls{"find Telecomanda Winamp ZAV Amp - 01", "show 77 hide",
                                 "find Telecomanda Winamp ZAV Amp - 01", "show 77 hide",
                                 "notify delete tip=ZAV Amp - 01", "register 0"}));
    EXPECT_TRUE(visible());
}

TEST_F(MainWindowTest, TrayIconLeftClickAndShowKeyBringTheWindowBack) {
    start();
    ASSERT_FALSE(visible());
    tray.listener()->iconClicked(fw::MouseButton::left);
    EXPECT_TRUE(visible());
    host.click(*form, {125, 21});  // the tray-bar key
    EXPECT_FALSE(visible());
    form->show();
    form->Ascunde();
    form->show();
    host.click(*form, {148, 28});  // the small show key
    EXPECT_TRUE(visible());
}

TEST_F(MainWindowTest, CloseKeyDeactivatesAndEndsTheProgram) {
    start("[IR]\nMinimizare=0\n");
    serial.clearCalls();
    host.click(*form, {136, 22});
    EXPECT_FALSE(receiver->loopRunning());
    EXPECT_FALSE(com->isOpen());
    const Calls calls = serial.calls();
    const auto at = [&](const std::string& c) {
        return std::find(calls.begin(), calls.end(), c) - calls.begin();
    };
    EXPECT_LT(at("escape CLRRTS"), at("close"));
    EXPECT_TRUE(application->terminated());
}

TEST_F(MainWindowTest, ThePlayerRestsInTheNotificationAreaAndIsLookedAtOnceWhenTheWindowIsBack) {
    player.running = true;
    start("[IR]\r\nMinimizare=0\r\nOSD=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    fw::Timer& look = *remote->Live->TimerLook;
    EXPECT_TRUE(host.timerRunning(look));
    EXPECT_EQ(host.timerInterval(look), 500);
    form->Ascunde();
    EXPECT_FALSE(host.timerRunning(look)) << "nobody watches: nothing is asked";
    player.sent.clear();
    player.replies[125] = 6;
    form->Arata();
    EXPECT_TRUE(host.timerRunning(look));
    EXPECT_FALSE(player.sent.empty()) << "looked at at once";
    EXPECT_EQ(form->LCDTrack->Value(), "7");
}

}  // namespace
