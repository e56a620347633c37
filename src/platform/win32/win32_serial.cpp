#include "platform/win32/win32_serial.h"

#include <windows.h>

#include <cstring>

namespace win32 {
namespace {

HANDLE handleOf(platform::PortHandle port) { return reinterpret_cast<HANDLE>(port); }

// The bit-field word of the DCB, as one 32-bit value.
constexpr std::size_t flagsOffset = offsetof(DCB, BaudRate) + sizeof(DWORD);
static_assert(sizeof(DCB) == 28, "the device-control block is 28 bytes");

}  // namespace

platform::PortHandle Win32Serial::open(const std::string& devicePath) {
    HANDLE h = CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? platform::invalidPort : reinterpret_cast<platform::PortHandle>(h);
}

bool Win32Serial::setupQueues(platform::PortHandle port, std::uint32_t inputSize, std::uint32_t outputSize) {
    return SetupComm(handleOf(port), inputSize, outputSize) != FALSE;
}

bool Win32Serial::setTimeouts(platform::PortHandle port, const platform::Timeouts& t) {
    COMMTIMEOUTS ct{t.readInterval, t.readTotalMultiplier, t.readTotalConstant, t.writeTotalMultiplier,
                    t.writeTotalConstant};
    return SetCommTimeouts(handleOf(port), &ct) != FALSE;
}

bool Win32Serial::getLineSettings(platform::PortHandle port, platform::LineSettings& s) {
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    const bool ok = GetCommState(handleOf(port), &dcb) != FALSE;
    s.length = dcb.DCBlength;
    s.baudRate = dcb.BaudRate;
    std::memcpy(&s.flags, reinterpret_cast<const char*>(&dcb) + flagsOffset, sizeof(s.flags));
    s.reserved = dcb.wReserved;
    s.xonLimit = dcb.XonLim;
    s.xoffLimit = dcb.XoffLim;
    s.byteSize = dcb.ByteSize;
    s.parity = dcb.Parity;
    s.stopBits = dcb.StopBits;
    s.xonChar = dcb.XonChar;
    s.xoffChar = dcb.XoffChar;
    s.errorChar = dcb.ErrorChar;
    s.eofChar = dcb.EofChar;
    s.evtChar = dcb.EvtChar;
    s.reserved1 = dcb.wReserved1;
    return ok;
}

bool Win32Serial::setLineSettings(platform::PortHandle port, const platform::LineSettings& s) {
    DCB dcb{};
    dcb.DCBlength = s.length;
    dcb.BaudRate = s.baudRate;
    std::memcpy(reinterpret_cast<char*>(&dcb) + flagsOffset, &s.flags, sizeof(s.flags));
    dcb.wReserved = s.reserved;
    dcb.XonLim = s.xonLimit;
    dcb.XoffLim = s.xoffLimit;
    dcb.ByteSize = s.byteSize;
    dcb.Parity = s.parity;
    dcb.StopBits = s.stopBits;
    dcb.XonChar = s.xonChar;
    dcb.XoffChar = s.xoffChar;
    dcb.ErrorChar = s.errorChar;
    dcb.EofChar = s.eofChar;
    dcb.EvtChar = s.evtChar;
    dcb.wReserved1 = s.reserved1;
    return SetCommState(handleOf(port), &dcb) != FALSE;
}

bool Win32Serial::escape(platform::PortHandle port, platform::LineFunction function) {
    return EscapeCommFunction(handleOf(port), static_cast<DWORD>(function)) != FALSE;
}

bool Win32Serial::read(platform::PortHandle port, std::uint8_t* buffer, std::uint32_t count,
                       std::uint32_t& transferred) {
    DWORD got = 0;
    const bool ok = ReadFile(handleOf(port), buffer, count, &got, nullptr) != FALSE;
    transferred = got;
    return ok;
}

bool Win32Serial::write(platform::PortHandle port, const std::uint8_t* data, std::uint32_t count,
                        std::uint32_t& transferred) {
    DWORD put = 0;
    const bool ok = WriteFile(handleOf(port), data, count, &put, nullptr) != FALSE;
    transferred = put;
    return ok;
}

void Win32Serial::close(platform::PortHandle port) { CloseHandle(handleOf(port)); }

void Win32Serial::sleep(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void Win32Serial::messageBox(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace win32
