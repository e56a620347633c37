// A pass of the receive loop: bursts into code texts, their timing, and
// the old polling loop's codes replayed.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <ostream>
#include <random>
#include <thread>

#include "ir/com_thread.h"
#include "ir/code_bus.h"
#include "support/case_name.h"
#include "support/fake_serial.h"
#include "support/recording_sink.h"
#include "support/headless_host.h"

namespace {

using Item = std::optional<std::uint8_t>;
constexpr Item gap = std::nullopt;

using testing_support::RecordingSink;

using namespace std::chrono_literals;
using std::chrono::microseconds;

// Passes until nothing is left to read.
std::vector<ir::PassEnd> passesUntilDrained(testing_support::FakeSerial& serial, ir::ComFunc& com, ir::CodeText& code,
                                            ir::CodeSink& display) {
    std::stop_source stop;
    serial.onDrained = [&] { stop.request_stop(); };
    std::vector<ir::PassEnd> ends;
    for (;;) {
        const ir::PassEnd end = ir::ReceivePass(com, code, display, stop.get_token());
        if (end == ir::PassEnd::stopped) break;
        ends.push_back(end);
    }
    serial.onDrained = nullptr;
    return ends;
}

struct BurstCase {
    const char* what;
    std::vector<Item> script;
    std::vector<std::string> delivered;
    std::string left;                    // what waits in the code text afterwards
};

void PrintTo(const BurstCase& c, std::ostream* os) { *os << c.what; }

class Bursts : public ::testing::TestWithParam<BurstCase> {};

TEST_P(Bursts, TurnIntoCodeTexts) {
    const BurstCase& c = GetParam();
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    for (const Item& i : c.script) serial.script({i});
    ir::CodeText code;
    RecordingSink display;
    passesUntilDrained(serial, com, code, display);
    EXPECT_EQ(display.codes(), c.delivered);
    EXPECT_EQ(code.text(), c.left);
}

const std::vector<Item> tenOnes{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, gap};

INSTANTIATE_TEST_SUITE_P(
    Cases, Bursts,
    ::testing::Values(
        BurstCase{"one burst", {0x12, 0x34, 0x56, gap}, {"123456"}, ""},
        BurstCase{"short text waits for the next burst", {0x01, 0x02, gap, 0x0A, 0xBC, gap}, {"12ABC"}, ""},
        BurstCase{"short text alone stays", {0x01, 0x02, gap}, {}, "12"},
        BurstCase{"leading zeros dropped", {0x01, 0x23, gap}, {}, "123"},
        BurstCase{"same text from other bytes", {0x12, 0x03, gap}, {}, "123"},
        BurstCase{"eight FF bytes", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, gap}, {"FFFFFFFFFFFF"}, ""},
        BurstCase{"partial text prefixes the next code", {0x12, 0x03, gap, 0x45, gap}, {"12345"}, ""},
        BurstCase{"ten bytes: a pass reads eight", tenOnes, {"111111111111"}, "1111"},
        BurstCase{"zero byte gives 0", {0x00, 0x00, 0x00, 0x00, 0x00, gap}, {"00000"}, ""},
        BurstCase{"gaps before a burst are waited through", {gap, gap, gap, 0x12, 0x34, 0x56, gap}, {"123456"},
                  ""}));

TEST(CodeText, ByteTextHasNoLeadingZeros) {
    EXPECT_EQ(ir::CodeText::byteText(0), "0");
    EXPECT_EQ(ir::CodeText::byteText(10), "A");
    EXPECT_EQ(ir::CodeText::byteText(31), "1F");
    EXPECT_EQ(ir::CodeText::byteText(255), "FF");
}

TEST(CodeText, OnlyACompleteTextIsTakenAndAShorterOneStays) {
    ir::CodeText code;
    for (std::uint8_t b : {0x12, 0x34}) code.append(b);
    EXPECT_EQ(code.takeIfComplete(), "") << "four characters are no code";
    EXPECT_EQ(code.text(), "1234");
    code.append(0x05);
    EXPECT_EQ(code.takeIfComplete(), "12345");
    EXPECT_EQ(code.text(), "");
    EXPECT_EQ(code.takeIfComplete(), "");
}

TEST(ReceivePass, APassEndsAtTheFirstEmptyReadAndReadsAtMostEight) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    serial.script({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09});
    ir::CodeText code;
    RecordingSink display;
    std::stop_source never;
    EXPECT_EQ(ir::ReceivePass(com, code, display, never.get_token()), ir::PassEnd::full);
    EXPECT_EQ(serial.reads(), 8);
    EXPECT_EQ(ir::ReceivePass(com, code, display, never.get_token()), ir::PassEnd::gap);
    EXPECT_EQ(serial.reads(), 10) << "one byte, then the empty read that ends the pass";
}

// Passes on the double's clock: when each byte was read, and how each
// pass ended.
struct TimedCase {
    const char* what;
    std::vector<double> arrivalsMs;  // the bytes are 0x11, 0x22, ...
    std::vector<std::string> delivered;
    std::vector<ir::PassEnd> ends;
};

void PrintTo(const TimedCase& c, std::ostream* os) { *os << c.what; }

class TimedPasses : public ::testing::TestWithParam<TimedCase> {};

TEST_P(TimedPasses, WaitForTheFirstByteAndEndAtTheGap) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    std::uint8_t b = 0x11;
    for (double ms : GetParam().arrivalsMs) {
        serial.arrive(microseconds(static_cast<long>(ms * 1000)), b);
        b = static_cast<std::uint8_t>(b + 0x11);
    }
    ir::CodeText code;
    RecordingSink display;
    EXPECT_EQ(passesUntilDrained(serial, com, code, display), GetParam().ends);
    EXPECT_EQ(display.codes(), GetParam().delivered);
}

using E = ir::PassEnd;
INSTANTIATE_TEST_SUITE_P(
    Cases, TimedPasses,
    ::testing::Values(
        TimedCase{"a burst after a long silence", {1300, 1301, 1302}, {"112233"}, {E::gap}},
        TimedCase{"a pause of 13 ms stays in the burst", {0, 1, 14, 15}, {"11223344"}, {E::gap}},
        TimedCase{"a pause of 15 ms ends it", {0, 1, 2, 17, 18, 19}, {"112233", "445566"}, {E::gap, E::gap}},
        TimedCase{"eight bytes fill a pass without an empty read", {0, 1, 2, 3, 4, 5, 6, 7}, {"112233445566"},
                  {E::full}},
        TimedCase{"two held-key repeats 110 ms apart", {0, 1, 2, 110, 111, 112}, {"112233", "445566"},
                  {E::gap, E::gap}}),
    testing_support::byWhat);

TEST(ReceivePass, AnInterruptedWaitEndsThePassAsStoppedAndTheLineIsLookedAtEverySecond) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    ir::CodeText code;
    RecordingSink display;
    std::stop_source never;
    int emptyWaits = 0;
    serial.onDrained = [&] {
        if (++emptyWaits == 3) com.InterruptReads();
    };
    EXPECT_EQ(ir::ReceivePass(com, code, display, never.get_token()), ir::PassEnd::stopped);
    EXPECT_EQ(serial.now(), 3s) << "three quiet waits of a second";
    const auto calls = serial.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "lineAlive"), 2) << "a look at the line after each but the last";
    com.ResumeReads();
    serial.script({0x12, 0x34, 0x56, gap});
    EXPECT_EQ(ir::ReceivePass(com, code, display, never.get_token()), ir::PassEnd::gap) << "reads go on when resumed";
}

// The loop this one replaced, as a model: up to 8 reads a pass, each
// waiting at most 4 ms (the 2/2/2 time-outs) and followed by a 10 ms
// pause; the pass ends after the first read that finds nothing.
std::vector<std::string> pollingLoopCodes(const std::vector<std::pair<microseconds, std::uint8_t>>& arrivals,
                                          std::string& left) {
    testing_support::FakeSerial serial;
    const platform::PortHandle port = serial.open("\\\\.\\COM1");
    const auto reader = serial.reader(port);
    for (const auto& [at, byte] : arrivals) serial.arrive(at, byte);
    bool drained = false;
    serial.onDrained = [&] { drained = true; };
    ir::CodeText code;
    std::vector<std::string> codes;
    while (!drained) {
        for (int i = 0; i < 8; ++i) {
            std::uint8_t byte = 0;
            // The 2/2/2 time-outs: at most 4 ms for a byte.
            const bool got = reader->read(byte, 4) == platform::ByteRead::byte;
            serial.sleep(10);
            if (!got) break;
            code.append(byte);
        }
        if (std::string complete = code.takeIfComplete(); !complete.empty()) codes.push_back(complete);
    }
    left = code.text();
    return codes;
}

std::vector<std::string> receiveLoopCodes(const std::vector<std::pair<microseconds, std::uint8_t>>& arrivals,
                                          std::string& left) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    com.OpenComPort(1, 9600);
    for (const auto& [at, byte] : arrivals) serial.arrive(at, byte);
    ir::CodeText code;
    RecordingSink display;
    passesUntilDrained(serial, com, code, display);
    left = code.text();
    return display.codes();
}

// Bursts of 1 to 12 bytes at 9600-baud pacing with pauses inside a burst
// below 3 ms, some of them too short to make a code on their own, and
// silences between bursts from 30 ms up. The old loop read a byte every
// 10 ms, so a burst that comes before it has read the previous one runs
// into it; those schedules are not replayed (the new loop keeps them
// apart).
std::vector<std::pair<microseconds, std::uint8_t>> randomSchedule(std::mt19937& random) {
    std::vector<std::pair<microseconds, std::uint8_t>> arrivals;
    std::uniform_int_distribution<int> bursts(1, 6), length(1, 12), byte(0, 255);
    std::uniform_int_distribution<long> extra(0, 1900), silence(30000, 400000);
    long at = std::uniform_int_distribution<long>(0, 100000)(random);
    for (int b = bursts(random); b > 0; --b) {
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            arrivals.emplace_back(microseconds(at), static_cast<std::uint8_t>(byte(random)));
            at += 1042 + extra(random);
        }
        // The old loop needs about 10 ms a byte to read a burst.
        at += std::max(silence(random), 10500L * n + 14000L);
    }
    return arrivals;
}

TEST(ReceiveLoopReplay, ABurstThatCameWhileTheOldLoopWasStillReadingTheLastIsKeptApart) {
    // Twelve bytes, then a 3-byte code 40 ms later: the old loop, at 10 ms
    // a byte, was still reading the first burst and ran the two together.
    std::vector<std::pair<microseconds, std::uint8_t>> arrivals;
    long at = 0;
    for (int i = 0; i < 12; ++i, at += 1042) arrivals.emplace_back(microseconds(at), 0x11);
    at += 40000;
    for (std::uint8_t b : {0xAB, 0xCD, 0xEF}) arrivals.emplace_back(microseconds(at += 1042), b);
    std::string oldLeft, newLeft;
    EXPECT_EQ(pollingLoopCodes(arrivals, oldLeft), (std::vector<std::string>{"111111111111", "11111111ABCD"}));
    EXPECT_EQ(receiveLoopCodes(arrivals, newLeft), (std::vector<std::string>{"111111111111", "11111111", "ABCDEF"}));
}

TEST(ReceiveLoopReplay, GivesTheOldLoopsCodesInTheSameOrderOnTwoThousandSchedules) {
    std::mt19937 random(20261207);
    int schedules = 0, codes = 0;
    for (; schedules < 2000; ++schedules) {
        const auto arrivals = randomSchedule(random);
        std::string oldLeft, newLeft;
        const auto expected = pollingLoopCodes(arrivals, oldLeft);
        const auto got = receiveLoopCodes(arrivals, newLeft);
        ASSERT_EQ(got, expected) << "schedule " << schedules;
        ASSERT_EQ(newLeft, oldLeft) << "schedule " << schedules;
        codes += static_cast<int>(got.size());
    }
    EXPECT_EQ(schedules, 2000);
    EXPECT_GT(codes, 3000) << "the schedules make codes, not only partial texts";
}

}  // namespace
