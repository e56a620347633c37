#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <thread>

#include "support/program_fixture.h"

namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

class MainWindowTest : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    bool visible() { return shown(); }
    // Runs posted work until the receive loop's notice of a lost port has
    // been handled.
    bool noticeHandled() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            host.runPosted();
            if (!receiver->loopRunning()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    std::size_t irWrites() const {
        const auto w = serial.written();
        return static_cast<std::size_t>(std::count(w.begin(), w.end(), 'I'));
    }
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

struct InactiveCase {
    const char* what;
    const char* ini;
};

void PrintTo(const InactiveCase& c, std::ostream* os) {
    *os << c.what;
}

class InactiveReceiver : public MainWindowTest, public ::testing::WithParamInterface<InactiveCase> {};

TEST_P(InactiveReceiver, OpensNothingAndShowsTheIrPatch) {
    start(GetParam().ini);
    EXPECT_TRUE(serial.calls().empty());
    EXPECT_FALSE(receiver->loopRunning());
    EXPECT_TRUE(form->IIR->visible());
}

INSTANTIATE_TEST_SUITE_P(Cases, InactiveReceiver,
                         ::testing::Values(InactiveCase{"port 0", "[PORT_SET]\nPORT=0\n"},
                                           InactiveCase{"receiver disabled", "[IR]\nACTIVARE=0\n"},
                                           InactiveCase{"receiver 2 means disabled", "[IR]\nACTIVARE=2\n"}));

TEST_F(MainWindowTest, AFailedOpenStillRunsTheLaterStepsOnTheClosedPort) {
    serial.failOn("open");
    start();
    EXPECT_EQ(serial.messages(), (Calls{"Nu pot deschide port", "Eroare initializare"}));
    EXPECT_TRUE(receiver->loopRunning()) << "the loop runs, its reads fail";
    EXPECT_FALSE(form->IIR->visible());
    receiver->stopLoop();
    const Calls calls = serial.calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "escape SETRTS"), calls.end());
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

TEST_F(MainWindowTest, ThreadsActivateDeactivateCyclesLeaveOneLoopAtMostAndNoReadOnAClosedPort) {
    serial.readDuration = std::chrono::microseconds(50);
    start();
    for (int i = 0; i < 100; ++i) {
        serial.script({0x12, std::nullopt});
        // Let the loop get a read going before pulling the port away.
        const int before = serial.reads();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (serial.reads() == before && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        form->Dezactivare();
        EXPECT_FALSE(receiver->loopRunning());
        form->Activare();
    }
    form->Dezactivare();
    EXPECT_FALSE(receiver->loopRunning());
    EXPECT_FALSE(com->isOpen());
    EXPECT_EQ(serial.maxConcurrentReads(), 1);
    EXPECT_EQ(serial.readsOnClosedHandles(), 0);
    EXPECT_EQ(serial.closesDuringRead(), 0);
}

TEST_F(MainWindowTest, ThreadsALostReceiverDarkensTheBadgeAndIsOpenedAgainQuietlyEveryTwoSeconds) {
    start("[IR]\r\nMinimizare=0\r\n");
    ASSERT_FALSE(form->IIR->visible());
    serial.loseLine();
    ASSERT_TRUE(noticeHandled());
    EXPECT_TRUE(form->IIR->visible()) << "the receiver is not active";
    EXPECT_FALSE(com->isOpen());
    EXPECT_TRUE(host.timerRunning(*receiverLink->TimerReconnect));
    EXPECT_EQ(host.timerInterval(*receiverLink->TimerReconnect), 2000);

    serial.failOn("open");
    host.fireTimer(*receiverLink->TimerReconnect);
    host.fireTimer(*receiverLink->TimerReconnect);
    EXPECT_TRUE(receiverLink->reconnecting());
    EXPECT_TRUE(serial.messages().empty()) << "retries say nothing";
    EXPECT_TRUE(host.messageBoxes().empty());

    serial.stopFailing("open");
    serial.clearCalls();
    host.fireTimer(*receiverLink->TimerReconnect);
    EXPECT_FALSE(receiverLink->reconnecting());
    EXPECT_FALSE(form->IIR->visible());
    EXPECT_TRUE(receiver->loopRunning());
    EXPECT_EQ(irWrites(), 2u) << "the receiver got \"IR\" again";
    const auto calls = serial.calls();
    const auto at = [&](const std::string& c) { return std::find(calls.begin(), calls.end(), c) - calls.begin(); };
    EXPECT_LT(at("open \\\\.\\COM1"), at("escape SETRTS"));
    EXPECT_LT(at("escape SETDTR"), at("sleep 100"));
    EXPECT_LT(at("sleep 100"), at("write 73 82")) << "the full activation: lines, pause, \"IR\"";
}

TEST_F(MainWindowTest, ThreadsRetryingStopsWithDezactivareTheCloseKeyAndAFailedInitKeepsItGoing) {
    start("[IR]\r\nMinimizare=0\r\n");
    serial.loseLine();
    ASSERT_TRUE(noticeHandled());
    serial.failOn("write");
    host.fireTimer(*receiverLink->TimerReconnect);
    EXPECT_TRUE(receiverLink->reconnecting()) << "a receiver that takes no \"IR\" is not back";
    EXPECT_FALSE(com->isOpen());
    EXPECT_TRUE(form->IIR->visible());
    EXPECT_TRUE(serial.messages().empty());
    form->Dezactivare();
    EXPECT_FALSE(receiverLink->reconnecting());
    form->Activare();
    serial.loseLine();
    ASSERT_TRUE(noticeHandled());
    ASSERT_TRUE(receiverLink->reconnecting());
    host.click(*form, {136, 22});
    EXPECT_FALSE(receiverLink->reconnecting()) << "the close key ends the retries";
    EXPECT_TRUE(application->terminated());
}

TEST_F(MainWindowTest, BackFromSleepTheReceiverIsOpenedAgain) {
    start("[IR]\r\nMinimizare=0\r\n");
    serial.clearCalls();
    application->systemResumed();
    const auto calls = serial.calls();
    const auto at = [&](const std::string& c) { return std::find(calls.begin(), calls.end(), c) - calls.begin(); };
    EXPECT_LT(at("close"), at("open \\\\.\\COM1"));
    EXPECT_EQ(irWrites(), 2u);
    EXPECT_TRUE(receiver->loopRunning());
    EXPECT_FALSE(receiverLink->reconnecting());

    serial.failOn("open");
    application->systemResumed();
    EXPECT_TRUE(receiverLink->reconnecting()) << "not there yet: tried again every 2 s";
    EXPECT_TRUE(form->IIR->visible());
    EXPECT_TRUE(serial.messages().empty());

    form->Dezactivare();
    serial.clearCalls();
    application->systemResumed();
    EXPECT_TRUE(serial.calls().empty()) << "an inactive receiver stays closed";
}

TEST_F(MainWindowTest, TheRefreshRestsInTheNotificationAreaAndRunsAtOnceWhenTheWindowIsBack) {
    player.running = true;
    start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    EXPECT_TRUE(host.timerRunning(*form->TimerRefresh));
    form->Ascunde();
    EXPECT_FALSE(host.timerRunning(*form->TimerRefresh));
    player.sent.clear();
    player.replies[125] = 6;
    form->Arata();
    EXPECT_TRUE(host.timerRunning(*form->TimerRefresh));
    EXPECT_FALSE(player.sent.empty()) << "refreshed at once";
    EXPECT_EQ(form->LCDTrack->Value(), "7");
}

}  // namespace
