#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <ostream>
#include <thread>

#include "ir/com_thread.h"
#include "ir/posted_code_display.h"
#include "support/fake_serial.h"
#include "support/headless_host.h"

namespace {

using Item = std::optional<std::uint8_t>;
constexpr Item gap = std::nullopt;

class RecordingDisplay : public ir::CodeDisplay {
public:
    std::atomic<bool> shown{true};
    bool visible() const override { return shown; }
    void deliver(const std::string& code) override {
        std::lock_guard lock(mutex);
        delivered.push_back(code);
    }
    std::vector<std::string> codes() const {
        std::lock_guard lock(mutex);
        return delivered;
    }
    mutable std::mutex mutex;
    std::vector<std::string> delivered;
};

struct BurstCase {
    const char* what;
    std::vector<Item> script;
    int passes;
    bool visible;
    std::vector<std::string> delivered;
    std::string left;  // what waits in the code text afterwards
};

void PrintTo(const BurstCase& c, std::ostream* os) { *os << c.what; }

class Bursts : public ::testing::TestWithParam<BurstCase> {};

TEST_P(Bursts, TurnIntoCodeTexts) {
    const BurstCase& c = GetParam();
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial);
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    for (const Item& i : c.script) serial.script({i});
    ir::CodeText code;
    RecordingDisplay display;
    display.shown = c.visible;
    for (int i = 0; i < c.passes; ++i) ir::ReceivePass(com, code, display);
    EXPECT_EQ(display.codes(), c.delivered);
    EXPECT_EQ(code.text(), c.left);
}

const std::vector<Item> tenOnes{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, gap};

INSTANTIATE_TEST_SUITE_P(
    Cases, Bursts,
    ::testing::Values(
        BurstCase{"one burst", {0x12, 0x34, 0x56, gap}, 1, true, {"123456"}, ""},
        BurstCase{"short text waits for the next burst", {0x01, 0x02, gap, 0x0A, 0xBC, gap}, 2, true, {"12ABC"}, ""},
        BurstCase{"short text alone stays", {0x01, 0x02, gap}, 3, true, {}, "12"},
        BurstCase{"leading zeros dropped", {0x01, 0x23, gap}, 1, true, {}, "123"},
        BurstCase{"same text from other bytes", {0x12, 0x03, gap}, 1, true, {}, "123"},
        BurstCase{"eight FF bytes", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, gap}, 1, true,
                  {"FFFFFFFFFFFF"}, ""},
        BurstCase{"hidden dialog drops a complete text", {0x12, 0x34, 0x56, gap}, 1, false, {}, ""},
        BurstCase{"hidden dialog keeps a partial text", {0x12, 0x03, gap}, 1, false, {}, "123"},
        BurstCase{"partial text prefixes the next code", {0x12, 0x03, gap, 0x45, gap}, 2, true, {"12345"}, ""},
        BurstCase{"ten bytes: a pass reads eight", tenOnes, 2, true, {"111111111111"}, "1111"},
        BurstCase{"zero byte gives 0", {0x00, 0x00, 0x00, 0x00, 0x00, gap}, 1, true, {"00000"}, ""}));

TEST(CodeText, ByteTextHasNoLeadingZeros) {
    EXPECT_EQ(ir::CodeText::byteText(0), "0");
    EXPECT_EQ(ir::CodeText::byteText(10), "A");
    EXPECT_EQ(ir::CodeText::byteText(31), "1F");
    EXPECT_EQ(ir::CodeText::byteText(255), "FF");
}

TEST(ReceivePass, APassEndsAtTheFirstEmptyReadAndReadsAtMostEight) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial);
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    serial.script({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09});
    ir::CodeText code;
    RecordingDisplay display;
    ir::ReceivePass(com, code, display);
    EXPECT_EQ(serial.reads(), 8);
    ir::ReceivePass(com, code, display);
    EXPECT_EQ(serial.reads(), 10) << "one byte, then the empty read that ends the pass";
}

TEST(PostedCodeDisplay, ShowsOnTheGuiThreadOnlyWhileVisible) {
    testing_support::HeadlessHost host;
    fw::Application app(host);
    ir::PostedCodeDisplay display(app);
    std::vector<std::string> shown;
    display.attach([&](const std::string& code) { shown.push_back(code); });
    EXPECT_FALSE(display.visible()) << "hidden until the dialog says otherwise";
    display.setVisible(true);
    display.deliver("123456");
    EXPECT_TRUE(shown.empty()) << "nothing is shown from the receive thread";
    host.runPosted();
    EXPECT_EQ(shown, std::vector<std::string>{"123456"});
    display.deliver("ABCDEF");
    display.setVisible(false);
    host.runPosted();
    EXPECT_EQ(shown.size(), 1u) << "hidden by the time it arrived: dropped";
    display.setVisible(true);
    display.deliver("FFFFF");
    display.detach();
    host.runPosted();
    EXPECT_EQ(shown.size(), 1u) << "no display any more: dropped";
}

// Runs under ThreadSanitizer too.
TEST(ThreadsReceiveLoop, DeliversBurstsWhileRunningAndStopsWhenAsked) {
    testing_support::FakeSerial serial;
    serial.readDuration = std::chrono::microseconds(100);
    ir::ComFunc com(serial);
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    ir::CodeText code;
    RecordingDisplay display;
    ir::IrReceiver receiver(com, code, display);
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

TEST(ThreadsReceiveLoop, RestartingTwoHundredTimesNeverReadsTwiceAtOnceOrAfterClose) {
    testing_support::FakeSerial serial;
    serial.readDuration = std::chrono::microseconds(50);
    ir::ComFunc com(serial);
    ir::CodeText code;
    RecordingDisplay display;
    ir::IrReceiver receiver(com, code, display);
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
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial);
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    std::vector<std::uint8_t> bytes(20000, 0x01);
    serial.scriptBytes(bytes);
    ir::CodeText code;
    RecordingDisplay display;
    display.shown = false;
    ir::IrReceiver receiver(com, code, display);
    receiver.startLoop();
    for (int i = 0; i < 2000; ++i) {
        code.clear();
        EXPECT_LE(code.text().size(), ir::CodeText::capacity);
    }
    receiver.stopLoop();
    EXPECT_LE(code.length(), 4u) << "a hidden display drops every complete text";
}

}  // namespace
