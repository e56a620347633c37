// The serial link on Wine's real COM port: COM1 of the test prefix is one
// end of a pty pair, the IR receiver simulator sits on the other end,
// expects "IR" and then sends the burst 12 34 56 (run_under_wine.sh sets
// this up and says so in ZAV_TEST_COM1).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "ir/com_thread.h"
#include "platform/win32/win32_serial.h"

namespace {

// The real service, but a failure message is collected instead of a
// message box that nobody could close on the test display.
class QuietSerial : public win32::Win32Serial {
public:
    platform::ShowMessage messageBoxes() {
        return [this](const std::string& text, const std::string&) { messages.push_back(text); };
    }
    std::vector<std::string> messages;
};

class CollectingDisplay : public ir::CodeSink {
public:
    void feed(ir::CodeSource, std::string code, ir::Arrival) override { codes.push_back(std::move(code)); }
    std::vector<std::string> codes;
};

TEST(SerialUnderWine, OpensCom1SendsIrReceivesABurstAndOpensAgain) {
    ASSERT_NE(std::getenv("ZAV_TEST_COM1"), nullptr)
        << "run through tests/win32/run_under_wine.sh, which links COM1 to a pty with the IR simulator on it";
    QuietSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    ASSERT_TRUE(com.OpenComPort(1, 9600)) << (serial.messages.empty() ? "" : serial.messages[0]);

    DCB s{};
    s.DCBlength = sizeof(s);
    ASSERT_TRUE(GetCommState(reinterpret_cast<HANDLE>(com.ComHandle()), &s));
    EXPECT_EQ(s.BaudRate, 9600u);
    EXPECT_EQ(s.ByteSize, 8);
    EXPECT_EQ(s.Parity, 0);
    EXPECT_EQ(s.StopBits, 0);

    com.SetReceiverPower(true);  // RTS and DTR cannot be driven on a pty: the result is not asserted
    com.SendReceiverInit(true);
    EXPECT_TRUE(serial.messages.empty()) << serial.messages[0];

    ir::CodeText code;
    CollectingDisplay display;
    std::stop_source never;
    const DWORD start = GetTickCount();
    while (display.codes.empty() && GetTickCount() - start < 10000)
        ASSERT_NE(ir::ReceivePass(com, code, display, never.get_token()), ir::PassEnd::lost);
    EXPECT_EQ(display.codes, std::vector<std::string>{"123456"}) << "the simulator's burst is one code text";

    // Nothing more comes: a read waits its time-out on the real port and
    // finds the line still there.
    std::uint8_t byte = 0;
    const DWORD before = GetTickCount();
    EXPECT_EQ(com.ReadComByte(byte, 50), ir::ReadOutcome::nothing);
    EXPECT_GE(GetTickCount() - before, 30u) << "it waited rather than returning at once";

    com.SetReceiverPower(false);
    com.CloseComPort();
    EXPECT_FALSE(com.isOpen());
    EXPECT_TRUE(com.OpenComPort(1, 9600)) << "the port can be opened again after the close";
    com.CloseComPort();

    EXPECT_FALSE(com.OpenComPort(7, 9600)) << "a port that does not exist";
    EXPECT_EQ(serial.messages, std::vector<std::string>{"Nu pot deschide port"});
}

}  // namespace
