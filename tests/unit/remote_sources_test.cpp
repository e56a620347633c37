// The sources of codes as the remote turns them on and off: the serial
// receiver left off, opened on a failing port, activated and deactivated
// under its running loop, lost and opened again every 2 s, and back from
// sleep; the IR badge following them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "support/remote_fixture.h"

namespace {

using Calls = std::vector<std::string>;

class Sources : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    ir::IrReceiver& receiver() { return remote->Receiver->receiver(); }
    ir::ComFunc& com() { return remote->Receiver->com(); }
    app::ReceiverLink& link() { return *remote->Receiver; }
    bool badgeLit() const { return remote->state().badge; }
    // Runs posted work until the receive loop's notice of a lost port has
    // been handled.
    bool noticeHandled() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            host.runPosted();
            if (!receiver().loopRunning()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    std::size_t irWrites() const {
        const auto w = serial.written();
        return static_cast<std::size_t>(std::count(w.begin(), w.end(), 'I'));
    }
};

struct InactiveCase {
    const char* what;
    const char* ini;
};

void PrintTo(const InactiveCase& c, std::ostream* os) {
    *os << c.what;
}

class InactiveReceiver : public Sources, public ::testing::WithParamInterface<InactiveCase> {};

TEST_P(InactiveReceiver, OpensNothingAndShowsTheIrPatch) {
    start(GetParam().ini);
    EXPECT_TRUE(serial.calls().empty());
    EXPECT_FALSE(receiver().loopRunning());
    EXPECT_TRUE(!badgeLit());
}

INSTANTIATE_TEST_SUITE_P(Cases, InactiveReceiver,
                         ::testing::Values(InactiveCase{"port 0", "[PORT_SET]\nPORT=0\n"},
                                           InactiveCase{"receiver disabled", "[IR]\nACTIVARE=0\n"},
                                           InactiveCase{"receiver 2 means disabled", "[IR]\nACTIVARE=2\n"}));

TEST_F(Sources, AFailedOpenStillRunsTheLaterStepsOnTheClosedPortButLightsNothing) {
    serial.failOn("open");
    start();
    EXPECT_EQ(serial.messages(), (Calls{"Nu pot deschide port", "Eroare initializare"}));
    const Calls calls = serial.calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "escape SETRTS"), calls.end());
    EXPECT_FALSE(receiver().loopRunning()) << "no loop for a port that is not open";
    EXPECT_FALSE(badgeLit()) << "the badge says the receiver is live, and it is not";
    EXPECT_EQ(link().statusText(), "Receiver: failed: COM1 could not be opened");
}

TEST_F(Sources, ThreadsActivateDeactivateCyclesLeaveOneLoopAtMostAndNoReadOnAClosedPort) {
    serial.readDuration = std::chrono::microseconds(50);
    start();
    for (int i = 0; i < 100; ++i) {
        serial.script({0x12, std::nullopt});
        // Let the loop get a read going before pulling the port away.
        const int before = serial.reads();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (serial.reads() == before && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        remote->reload();  // everything off, then on again, as after the setup dialog
    }
    core->application().end();
    EXPECT_FALSE(receiver().loopRunning());
    EXPECT_FALSE(com().isOpen());
    EXPECT_EQ(serial.maxConcurrentReads(), 1);
    EXPECT_EQ(serial.readsOnClosedHandles(), 0);
    EXPECT_EQ(serial.closesDuringRead(), 0);
}

TEST_F(Sources, ThreadsALostReceiverDarkensTheBadgeAndIsOpenedAgainQuietlyEveryTwoSeconds) {
    start("[IR]\r\nMinimizare=0\r\n");
    ASSERT_FALSE(!badgeLit());
    serial.loseLine();
    ASSERT_TRUE(noticeHandled());
    EXPECT_TRUE(!badgeLit()) << "the receiver is not active";
    EXPECT_FALSE(com().isOpen());
    EXPECT_TRUE(host.timerRunning(*remote->TimerSources));
    EXPECT_EQ(host.timerInterval(*remote->TimerSources), 2000);

    serial.failOn("open");
    host.fireTimer(*remote->TimerSources);
    host.fireTimer(*remote->TimerSources);
    EXPECT_TRUE(link().reconnecting());
    EXPECT_TRUE(serial.messages().empty()) << "retries say nothing";
    EXPECT_TRUE(host.messageBoxes().empty());

    serial.stopFailing("open");
    serial.clearCalls();
    host.fireTimer(*remote->TimerSources);
    EXPECT_FALSE(link().reconnecting());
    EXPECT_FALSE(!badgeLit());
    EXPECT_TRUE(receiver().loopRunning());
    EXPECT_EQ(irWrites(), 2u) << "the receiver got \"IR\" again";
    const auto calls = serial.calls();
    const auto at = [&](const std::string& c) { return std::find(calls.begin(), calls.end(), c) - calls.begin(); };
    EXPECT_LT(at("open \\\\.\\COM1"), at("escape SETRTS"));
    EXPECT_LT(at("escape SETDTR"), at("sleep 100"));
    EXPECT_LT(at("sleep 100"), at("write 73 82")) << "the full activation: lines, pause, \"IR\"";
}

TEST_F(Sources, ThreadsRetryingStopsWhenTurnedOffOrAtTheEndAndAFailedInitKeepsItGoing) {
    start("[IR]\r\nMinimizare=0\r\n");
    serial.loseLine();
    ASSERT_TRUE(noticeHandled());
    serial.failOn("write");
    host.fireTimer(*remote->TimerSources);
    EXPECT_TRUE(link().reconnecting()) << "a receiver that takes no \"IR\" is not back";
    EXPECT_FALSE(com().isOpen());
    EXPECT_TRUE(!badgeLit());
    EXPECT_TRUE(serial.messages().empty());
    writeIni("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    remote->reload();
    EXPECT_FALSE(link().reconnecting());
    EXPECT_EQ(link().statusText(), "Receiver: off");
    serial.stopFailing("write");
    writeIni("[IR]\r\nMinimizare=0\r\n");
    remote->reload();
    serial.loseLine();
    ASSERT_TRUE(noticeHandled());
    ASSERT_TRUE(link().reconnecting());
    core->application().end();
    EXPECT_FALSE(link().reconnecting()) << "the program's end ends the retries";
    EXPECT_FALSE(host.timerRunning(*remote->TimerSources));
    EXPECT_TRUE(core->application().terminated());
}

TEST_F(Sources, BackFromSleepTheReceiverIsOpenedAgain) {
    start("[IR]\r\nMinimizare=0\r\n");
    serial.clearCalls();
    core->application().systemResumed();
    const auto calls = serial.calls();
    const auto at = [&](const std::string& c) { return std::find(calls.begin(), calls.end(), c) - calls.begin(); };
    EXPECT_LT(at("close"), at("open \\\\.\\COM1"));
    EXPECT_EQ(irWrites(), 2u);
    EXPECT_TRUE(receiver().loopRunning());
    EXPECT_FALSE(link().reconnecting());

    serial.failOn("open");
    core->application().systemResumed();
    EXPECT_TRUE(link().reconnecting()) << "not there yet: tried again every 2 s";
    EXPECT_TRUE(!badgeLit());
    EXPECT_TRUE(serial.messages().empty());

    writeIni("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    remote->reload();
    serial.clearCalls();
    core->application().systemResumed();
    EXPECT_TRUE(serial.calls().empty()) << "an inactive receiver stays closed";
}

}  // namespace
