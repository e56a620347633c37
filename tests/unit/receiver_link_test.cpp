// The receiver's life on its own, outside the remote: any component owns
// it, whoever listens to its badge hears each change once, and its retries
// reopen the port it was activated with.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/receiver_link.h"
#include "framework/application.h"
#include "framework/form.h"
#include "ir/code_bus.h"
#include "support/fake_serial.h"
#include "support/headless_host.h"

namespace {

class ReceiverLinkTest : public ::testing::Test {
protected:
    ReceiverLinkTest() : app(host), codes(app), receiver(com, code, codes, app) {
        fw::Form& form = app.createForm<fw::Form>("Owner");
        link = &form.create<app::ReceiverLink>("ReceiverLink", com, receiver, codes);
        listening = link->onLit([this](bool lit) {
            // What had happened when the badge changed.
            events.push_back(std::string(lit ? "lit" : "dark") + (receiver.loopRunning() ? ", loop running" : "") +
                             (serial.written().empty() ? "" : ", IR sent"));
        });
    }
    ~ReceiverLinkTest() override {
        receiver.stopLoop();
        app.closeForms();
    }
    bool lossHandled() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            host.runPosted();
            if (!receiver.loopRunning()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    testing_support::HeadlessHost host;
    testing_support::FakeSerial serial;
    ir::ComFunc com{serial, serial.messageBoxes()};
    ir::CodeText code;
    fw::Application app;
    ir::CodeBus codes;
    ir::IrReceiver receiver;
    app::ReceiverLink* link = nullptr;
    fw::Subscription listening;
    std::vector<std::string> events;
};

TEST_F(ReceiverLinkTest, ThreadsActivationLightsTheBadgeOnceTheLoopRunsAndBeforeIrIsSent) {
    link->activate(true, 3);
    EXPECT_EQ(serial.lastOpened(), "\\\\.\\COM3");
    EXPECT_EQ(events, std::vector<std::string>{"lit, loop running"});
    EXPECT_EQ(serial.written(), (std::vector<std::uint8_t>{'I', 'R'}));
    link->activate(true, 3);
    EXPECT_EQ(events, (std::vector<std::string>{"lit, loop running", "dark, IR sent", "lit, loop running, IR sent"}))
        << "activated again, the receiver is closed first and opened anew";
    link->deactivate();
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(events.back(), "dark, IR sent") << "a deactivated receiver is dark, and says so";
    link->deactivate();
    EXPECT_EQ(events.size(), 4u) << "once";
}

TEST_F(ReceiverLinkTest, AReceiverLeftOffIsNeverOpenedAndStaysDark) {
    link->activate(false, 1);
    link->activate(true, 0);
    EXPECT_TRUE(serial.calls().empty());
    EXPECT_FALSE(link->isLit());
    EXPECT_TRUE(events.empty()) << "dark from the start: nothing changed";
}

TEST_F(ReceiverLinkTest, ThreadsALostReceiverIsRetriedOnThePortItWasActivatedWith) {
    link->activate(true, 2);
    serial.loseLine();
    ASSERT_TRUE(lossHandled());
    EXPECT_EQ(events.back(), "dark, IR sent");
    ASSERT_TRUE(link->reconnecting());
    EXPECT_EQ(host.timerInterval(*link->TimerReconnect), 2000) << "tried again every 2 s";
    serial.clearCalls();
    host.fireTimer(*link->TimerReconnect);
    EXPECT_EQ(serial.lastOpened(), "\\\\.\\COM2");
    EXPECT_FALSE(link->reconnecting());
    EXPECT_EQ(events.back(), "lit, loop running, IR sent");
}

// What the watch sees, whatever told it or did not: a loop that ended
// with its notice never heard, an "IR" that did not go out whole.
TEST_F(ReceiverLinkTest, ThreadsTheWatchOpensAgainAReceiverWhoseLoopEndedUnheardOrWhoseInitWentNowhere) {
    link->activate(true, 1);
    ASSERT_TRUE(host.timerRunning(*link->TimerReconnect)) << "an activated receiver is watched";
    host.fireTimer(*link->TimerReconnect);
    const auto calls = serial.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "open \\\\.\\COM1"), 1) << "a working receiver is left alone";

    serial.loseLine();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (receiver.loopReading() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_FALSE(receiver.loopReading());
    EXPECT_TRUE(link->reconnecting()) << "the loop's notice was never run";
    serial.failOn("write bytes");
    host.fireTimer(*link->TimerReconnect);
    EXPECT_TRUE(link->reconnecting()) << "\"IR\" went nowhere: not back";
    EXPECT_FALSE(com.isOpen());
    serial.stopFailing("write bytes");
    const auto before = serial.written().size();
    host.fireTimer(*link->TimerReconnect);
    EXPECT_FALSE(link->reconnecting());
    EXPECT_EQ(serial.written().size(), before + 2) << "\"IR\" sent on the port opened again";
    EXPECT_EQ(events.back(), "lit, loop running, IR sent");
    host.runPosted();  // the old loop's notice, at last: old news
    EXPECT_FALSE(link->reconnecting());
}

}  // namespace
