#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ir/com_func.h"
#include "support/fake_serial.h"

namespace {

using Calls = std::vector<std::string>;

struct OpenCase {
    const char* failing;  // operation that fails, or ""
    int port;
    bool result;
    const char* message;  // "" for none
    Calls calls;          // every call, in order
};

void PrintTo(const OpenCase& c, std::ostream* os) {
    *os << (*c.failing ? c.failing : "nothing") << " fails";
}

class OpenComPortCases : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenComPortCases, EachStepFailsAsTheFailureTableSays) {
    const OpenCase& c = GetParam();
    testing_support::FakeSerial serial;
    if (*c.failing) serial.failOn(c.failing);
    ir::ComFunc com(serial, serial.messageBoxes());
    EXPECT_EQ(com.OpenComPort(c.port, 9600), c.result);
    EXPECT_EQ(com.isOpen(), c.result) << "after a failure the port is closed and the handle invalid";
    EXPECT_EQ(serial.isOpen(), c.result);
    EXPECT_EQ(serial.calls(), c.calls);
    EXPECT_EQ(serial.messages(),
              *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
}

const Calls configured{"open \\\\.\\COM3", "setupQueues 4096 4096", "setTimeouts", "setLineSettings"};

INSTANTIATE_TEST_SUITE_P(
    FailureTable, OpenComPortCases,
    ::testing::Values(
        OpenCase{"", 3, true, "", configured},
        OpenCase{"open",
                 3,
                 false,
                 "Nu pot deschide port",
                 {"open \\\\.\\COM3", "messageBox Nu pot deschide port | Eroare"}},
        OpenCase{"",
                 -1,
                 false,
                 "Nu pot deschide port",
                 {"open \\\\.\\COM-1", "messageBox Nu pot deschide port | Eroare"}},
        OpenCase{"setupQueues", 3, false, "", {"open \\\\.\\COM3", "setupQueues 4096 4096", "close"}},
        OpenCase{"setTimeouts",
                 3,
                 false,
                 "",
                 {"open \\\\.\\COM3", "setupQueues 4096 4096", "setTimeouts", "close"}},
        OpenCase{"setLineSettings",
                 3,
                 false,
                 "Eroare setare",
                 {"open \\\\.\\COM3", "setupQueues 4096 4096", "setTimeouts", "setLineSettings", "close",
                  "messageBox Eroare setare | Eroare"}}));

TEST(ComFunc, OpensWithTheReceiversLineSettingsAndTimeouts) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(12, 9600));
    EXPECT_EQ(serial.lastOpened(), "\\\\.\\COM12") << "ports above 9 need the device path";
    EXPECT_EQ(ir::ComFunc::portName(12), "COM12");
    const platform::LineSettings s = serial.lastLineSettings();
    EXPECT_EQ(s, (platform::LineSettings{28, 9600, 0x81000000u, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0}))
        << "every field is set, nothing kept from what the driver had";
    EXPECT_EQ(serial.lastTimeouts(), (platform::Timeouts{0, 0, 0, 2, 2}))
        << "reads wait for their byte as long as the receive loop lets them";
}

TEST(ComFunc, QuietFailuresShowNothing) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    serial.failOn("open");
    EXPECT_FALSE(com.OpenComPort(1, 9600, ir::Reporting::quiet));
    EXPECT_FALSE(com.SendReceiverInit(true, ir::Reporting::quiet));
    EXPECT_TRUE(serial.messages().empty());
    EXPECT_FALSE(com.SendReceiverInit(true));
    EXPECT_EQ(serial.messages(), std::vector<std::string>{"Eroare initializare"});
}

struct PowerCase {
    bool on;
    const char* failing;
    bool result;
    Calls calls;
};

void PrintTo(const PowerCase& c, std::ostream* os) {
    *os << (c.on ? "on" : "off") << ", " << (*c.failing ? c.failing : "nothing") << " fails";
}

class ReceiverPowerCases : public ::testing::TestWithParam<PowerCase> {};

TEST_P(ReceiverPowerCases, RtsBeforeDtrAndAlwaysThePause) {
    const PowerCase& c = GetParam();
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    serial.clearCalls();
    if (*c.failing) serial.failOn(c.failing);
    EXPECT_EQ(com.SetReceiverPower(c.on), c.result);
    EXPECT_EQ(serial.calls(), c.calls);
    EXPECT_TRUE(serial.messages().empty()) << "power changes fail silently";
    EXPECT_TRUE(com.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReceiverPowerCases,
    ::testing::Values(PowerCase{true, "", true, {"escape SETRTS", "escape SETDTR", "sleep 100"}},
                      PowerCase{false, "", true, {"escape CLRRTS", "escape CLRDTR", "sleep 100"}},
                      PowerCase{true, "escape SETRTS", false, {"escape SETRTS", "sleep 100"}},
                      PowerCase{false, "escape CLRRTS", false, {"escape CLRRTS", "sleep 100"}},
                      PowerCase{
                          true, "escape SETDTR", false, {"escape SETRTS", "escape SETDTR", "sleep 100"}}));

TEST(ComFunc, ClosedPortFailsQuietlyExceptForTheInitWrite) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    EXPECT_FALSE(com.SetReceiverPower(false));
    std::uint8_t byte = 0x55;
    EXPECT_EQ(com.ReadComByte(byte, 50), ir::ReadOutcome::lost);
    EXPECT_TRUE(serial.messages().empty());
    com.SendReceiverInit(true);
    EXPECT_EQ(serial.messages(), std::vector<std::string>{"Eroare initializare"});
    com.CloseComPort();
    com.CloseComPort();
    EXPECT_EQ(serial.calls(), (Calls{"escape CLRRTS", "sleep 100", "write 73 82",
                                     "messageBox Eroare initializare | Eroare"}))
        << "closing a closed port calls nothing";
}

TEST(ComFunc, InitSendsIrAndAReadTakesOneByteWithinItsWait) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    EXPECT_FALSE(com.SendReceiverInit(false));
    EXPECT_TRUE(serial.written().empty()) << "nothing is sent when told not to";
    EXPECT_TRUE(com.SendReceiverInit(true));
    EXPECT_EQ(serial.written(), (std::vector<std::uint8_t>{0x49, 0x52}));
    serial.arrive(std::chrono::milliseconds(30), 0xAB);
    serial.arrive(std::chrono::milliseconds(60), 0xCD);
    serial.clearCalls();
    std::uint8_t byte = 0;
    EXPECT_EQ(com.ReadComByte(byte, 50), ir::ReadOutcome::byte);
    EXPECT_EQ(byte, 0xAB);
    EXPECT_EQ(serial.now(), std::chrono::milliseconds(30)) << "it came at 30 ms, and so did the read";
    EXPECT_EQ(com.ReadComByte(byte, 14), ir::ReadOutcome::nothing) << "the next is 30 ms away";
    EXPECT_EQ(serial.now(), std::chrono::milliseconds(44));
    EXPECT_EQ(com.ReadComByte(byte, 14), ir::ReadOutcome::nothing);
    EXPECT_EQ(com.ReadComByte(byte, 50), ir::ReadOutcome::byte);
    EXPECT_EQ(serial.calls(), (Calls{"read", "read", "lineAlive", "read", "lineAlive", "read"}))
        << "a read that finds nothing looks whether the line is still there";
    serial.failOn("write");
    EXPECT_FALSE(com.SendReceiverInit(true));
    EXPECT_EQ(serial.messages(), std::vector<std::string>{"Eroare initializare"});
    EXPECT_TRUE(com.isOpen()) << "a failed init leaves the port as it was";
}

struct LostCase {
    const char* what;
    bool readsFail;
};

void PrintTo(const LostCase& c, std::ostream* os) { *os << c.what; }

class LostLines : public ::testing::TestWithParam<LostCase> {};

TEST_P(LostLines, AreTold) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    std::uint8_t byte = 0;
    EXPECT_EQ(com.ReadComByte(byte, 50), ir::ReadOutcome::nothing);
    serial.loseLine(GetParam().readsFail);
    EXPECT_EQ(com.ReadComByte(byte, 50), ir::ReadOutcome::lost);
    EXPECT_TRUE(serial.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, LostLines,
                         ::testing::Values(LostCase{"reads find nothing but the error state cannot be read", false},
                                           LostCase{"reads fail", true}),
                         [](const auto& info) { return info.param.readsFail ? "ReadsFail" : "ErrorStateGone"; });

TEST(ComFunc, OpeningAgainClosesThePortItHad) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600));
    const auto first = com.ComHandle();
    ASSERT_TRUE(com.OpenComPort(2, 9600));
    EXPECT_NE(com.ComHandle(), first);
    const auto calls = serial.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "close"), 1);
}

}  // namespace
