// The receiver's life on its own, outside the remote: any component owns
// it with its port and its loop, whoever listens to its status hears each
// change once and why it failed, and its keeping reopens the port it was
// activated with.
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
    ReceiverLinkTest() : app(host), codes(app) {
        fw::Form& form = app.createForm<fw::Form>("Owner");
        link = &form.create<app::ReceiverLink>("ReceiverLink", serial, serial.messageBoxes(), codes);
        listening = link->onStatus([this](const app::SourceStatus&) {
            // What had happened when the status changed.
            events.push_back(link->statusText() + (link->receiver().loopRunning() ? ", loop running" : "") +
                             (serial.written().empty() ? "" : ", IR sent"));
        });
    }
    ~ReceiverLinkTest() override { app.closeForms(); }
    ir::ComFunc& com() { return link->com(); }
    ir::IrReceiver& receiver() { return link->receiver(); }
    bool lossHandled() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            host.runPosted();
            if (!receiver().loopRunning()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    testing_support::HeadlessHost host;
    testing_support::FakeSerial serial;
    fw::Application app;
    ir::CodeBus codes;
    app::ReceiverLink* link = nullptr;
    fw::Subscription listening;
    std::vector<std::string> events;
};

TEST_F(ReceiverLinkTest, ThreadsActivationIsLiveOnceTheLoopRunsAndIrWasSent) {
    link->activate(true, 3);
    EXPECT_EQ(serial.lastOpened(), "\\\\.\\COM3");
    EXPECT_EQ(events, std::vector<std::string>{"Receiver: live, loop running, IR sent"});
    EXPECT_EQ(serial.written(), (std::vector<std::uint8_t>{'I', 'R'}));
    link->activate(true, 3);
    EXPECT_EQ(events.size(), 1u) << "activated again, closed and opened anew: live all along";
    const auto calls = serial.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "open \\\\.\\COM3"), 2);
    link->deactivate();
    EXPECT_FALSE(com().isOpen());
    EXPECT_EQ(events.back(), "Receiver: off, IR sent") << "a deactivated receiver is off, and says so";
    link->deactivate();
    EXPECT_EQ(events.size(), 2u) << "once";
}

TEST_F(ReceiverLinkTest, AFailureSaysWhyAndShowsItsBoxesAsActivationAlwaysHas) {
    const struct {
        const char* failing;
        const char* status;
        std::vector<std::string> boxes;
    } cases[] = {
        {"open", "Receiver: failed: COM2 could not be opened", {"Nu pot deschide port", "Eroare initializare"}},
        {"setLineSettings", "Receiver: failed: COM2 could not be set up", {"Eroare setare", "Eroare initializare"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        const std::size_t before = serial.messages().size();
        serial.failOn(c.failing);
        link->activate(true, 2);
        EXPECT_EQ(link->statusText(), c.status);
        const auto boxes = serial.messages();
        EXPECT_EQ(std::vector<std::string>(boxes.begin() + static_cast<std::ptrdiff_t>(before), boxes.end()), c.boxes);
        EXPECT_FALSE(receiver().loopRunning()) << "no loop reads a port that is not open";
        serial.stopFailing(c.failing);
        link->deactivate();
    }
}

TEST_F(ReceiverLinkTest, AReceiverLeftOffIsNeverOpenedAndStaysDark) {
    link->activate(false, 1);
    link->activate(true, 0);
    EXPECT_TRUE(serial.calls().empty());
    EXPECT_EQ(link->statusText(), "Receiver: off");
    EXPECT_TRUE(events.empty()) << "off from the start: nothing changed";
}

TEST_F(ReceiverLinkTest, ThreadsALostReceiverIsRetriedOnThePortItWasActivatedWith) {
    link->activate(true, 2);
    serial.loseLine();
    ASSERT_TRUE(lossHandled());
    EXPECT_EQ(events.back(), "Receiver: failed: COM2 went away, IR sent");
    ASSERT_TRUE(link->reconnecting());
    serial.clearCalls();
    link->keep();
    EXPECT_EQ(serial.lastOpened(), "\\\\.\\COM2");
    EXPECT_FALSE(link->reconnecting());
    EXPECT_EQ(events.back(), "Receiver: live, loop running, IR sent");
}

// What the watch sees, whatever told it or did not: a loop that ended
// with its notice never heard, an "IR" that did not go out whole.
TEST_F(ReceiverLinkTest, ThreadsTheWatchOpensAgainAReceiverWhoseLoopEndedUnheardOrWhoseInitWentNowhere) {
    link->activate(true, 1);
    link->keep();
    const auto calls = serial.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "open \\\\.\\COM1"), 1) << "a working receiver is left alone";

    serial.loseLine();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (receiver().loopReading() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_FALSE(receiver().loopReading());
    EXPECT_TRUE(link->reconnecting()) << "the loop's notice was never run";
    serial.failOn("write bytes");
    link->keep();
    EXPECT_TRUE(link->reconnecting()) << "\"IR\" went nowhere: not back";
    EXPECT_FALSE(com().isOpen());
    EXPECT_EQ(link->statusText(), "Receiver: failed: the receiver did not take its start");
    serial.stopFailing("write bytes");
    const auto before = serial.written().size();
    link->keep();
    EXPECT_FALSE(link->reconnecting());
    EXPECT_EQ(serial.written().size(), before + 2) << "\"IR\" sent on the port opened again";
    EXPECT_EQ(events.back(), "Receiver: live, loop running, IR sent");
    host.runPosted();  // the old loop's notice, at last: old news
    EXPECT_FALSE(link->reconnecting());
}

}  // namespace
