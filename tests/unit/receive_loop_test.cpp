// The receive loop's life on its thread: codes while it runs, a stop that
// ends its wait at once, a lost line said once, restarts that never read
// twice at once, and the GUI thread's clear racing its appends.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ir/com_thread.h"
#include "support/fake_serial.h"
#include "support/headless_host.h"
#include "support/recording_sink.h"

namespace {

using namespace std::chrono_literals;
using testing_support::RecordingSink;
constexpr std::optional<std::uint8_t> gap = std::nullopt;

// A receive loop on the serial double, its port open, feeding a sink.
struct Loop {
    testing_support::HeadlessHost host;
    fw::Application app{host};
    testing_support::FakeSerial serial;
    ir::ComFunc com{serial, serial.messageBoxes()};
    ir::CodeText code;
    RecordingSink display;
    ir::IrReceiver receiver{com, code, display, app};
    explicit Loop(bool open = true) {
        if (open) com.OpenComPort(1, 9600);
    }
};

// Runs under ThreadSanitizer too.
TEST(ThreadsReceiveLoop, DeliversBurstsWhileRunningAndStopsWhenAsked) {
    Loop loop;
    auto& [host, app, serial, com, code, display, receiver] = loop;
    serial.readDuration = std::chrono::microseconds(100);
    receiver.startLoop();
    serial.script({0x12, 0x34, 0x56, gap});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (display.codes().empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    receiver.stopLoop();
    EXPECT_EQ(display.codes(), std::vector<std::string>{"123456"});
    const int reads = serial.reads();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(serial.reads(), reads) << "no read after the stop returned";
}

TEST(ThreadsReceiveLoop, AStopEndsAWaitForTheFirstByteWithin100Ms) {
    Loop loop;
    auto& [host, app, serial, com, code, display, receiver] = loop;
    serial.realWaits = true;
    receiver.startLoop();
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (serial.reads() < 1 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    ASSERT_EQ(serial.reads(), 1) << "the loop waits in a read of a second";
    std::this_thread::sleep_for(20ms);
    const auto asked = std::chrono::steady_clock::now();
    receiver.stopLoop();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 100ms) << "the wait was interrupted, not waited out";
    EXPECT_EQ(serial.reads(), 1);
    receiver.startLoop();
    while (serial.reads() < 2 && std::chrono::steady_clock::now() < deadline + 2s) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(serial.reads(), 2) << "a new loop reads again";
    receiver.stopLoop();
}

TEST(ThreadsReceiveLoop, ALostLineEndsTheLoopWhichSaysSoOnceOnTheGuiThread) {
    for (const bool readsFail : {false, true}) {
        Loop loop;
        auto& [host, app, serial, com, code, display, receiver] = loop;
        int heard = 0;
        const fw::Subscription listening = receiver.onLost([&] { ++heard; });
        receiver.startLoop();
        receiver.startLoop();
        serial.loseLine(readsFail);
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (heard == 0 && std::chrono::steady_clock::now() < deadline) {
            host.runPosted();
            std::this_thread::sleep_for(1ms);
        }
        const int reads = serial.reads();
        std::this_thread::sleep_for(20ms);
        host.runPosted();
        EXPECT_EQ(serial.reads(), reads) << "the loop has ended";
        EXPECT_EQ(heard, 1) << "once, from the running loop";

        // A loop that finds the line gone and is stopped before its notice
        // reaches the GUI thread is not heard.
        receiver.startLoop();
        while (serial.reads() == reads && std::chrono::steady_clock::now() < deadline + 5s)
            std::this_thread::sleep_for(1ms);
        std::this_thread::sleep_for(20ms);
        receiver.stopLoop();
        host.runPosted();
        EXPECT_EQ(heard, 1) << "a stopped loop's notice is old";
    }
}

TEST(ThreadsReceiveLoop, RestartingTwoHundredTimesNeverReadsTwiceAtOnceOrAfterClose) {
    Loop loop(false);
    auto& [host, app, serial, com, code, display, receiver] = loop;
    serial.readDuration = std::chrono::microseconds(50);
    for (int round = 0; round < 200; ++round) {
        // As the program's activate/deactivate cycle does it: open, start,
        // empty the code from the GUI thread, stop, close.
        com.OpenComPort(1, 9600);
        serial.script({0x12, 0x34, gap, 0x56, gap});
        receiver.startLoop();
        if (round % 3 == 0) receiver.startLoop();  // a second start replaces the first loop
        // A read in flight when the stop comes, however busy the machine.
        const int before = serial.reads();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (serial.reads() == before && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        code.clear();
        receiver.stopLoop();
        com.CloseComPort();
    }
    EXPECT_FALSE(receiver.loopRunning());
    EXPECT_EQ(serial.maxConcurrentReads(), 1);
    EXPECT_EQ(serial.readsOnClosedHandles(), 0);
    EXPECT_EQ(serial.closesDuringRead(), 0);
    EXPECT_GE(serial.reads(), 200);
}

TEST(ThreadsReceiveLoop, GuiThreadEmptiesTheCodeWhileTheLoopAppends) {
    Loop loop;
    auto& [host, app, serial, com, code, display, receiver] = loop;
    serial.scriptBytes(std::vector<std::uint8_t>(20000, 0x01));
    receiver.startLoop();
    for (int i = 0; i < 2000; ++i) {
        code.clear();
        EXPECT_LE(code.text().size(), ir::CodeText::capacity);
    }
    receiver.stopLoop();
    EXPECT_LE(code.length(), 4u) << "every complete text was fed on";
    for (const std::string& fed : display.codes())
        ASSERT_GE(fed.size(), ir::CodeText::completeAt) << "a clear never hands on an empty or partial code";
}

}  // namespace
