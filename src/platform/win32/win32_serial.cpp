#include "platform/win32/win32_serial.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/win32_port_reader.h"

namespace win32 {
namespace {

HANDLE handleOf(platform::PortHandle port) {
    return reinterpret_cast<HANDLE>(port);
}

DWORD escapeCode(platform::LineFunction function) {
    switch (function) {
        case platform::LineFunction::setRts:
            return SETRTS;
        case platform::LineFunction::clearRts:
            return CLRRTS;
        case platform::LineFunction::setDtr:
            return SETDTR;
        case platform::LineFunction::clearDtr:
            return CLRDTR;
    }
    return 0;
}

// Longer than any write of ours takes on a working line.
constexpr DWORD writeWaitMs = 1000;

// The bit-field word of the DCB, as one 32-bit value.
constexpr std::size_t flagsOffset = offsetof(DCB, BaudRate) + sizeof(DWORD);
static_assert(sizeof(DCB) == 28, "the device-control block is 28 bytes");

}  // namespace

platform::PortHandle Win32Serial::open(const std::string& devicePath) {
    HANDLE h = CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
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

bool Win32Serial::setLineSettings(platform::PortHandle port, const platform::LineSettings& s) {
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    // Read first, as the driver expects; whether it worked does not
    // matter, since every field is set below.
    GetCommState(handleOf(port), &dcb);
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
    return EscapeCommFunction(handleOf(port), escapeCode(function)) != FALSE;
}

std::unique_ptr<platform::PortReader> Win32Serial::reader(platform::PortHandle port) {
    auto made = std::make_unique<Win32PortReader>(handleOf(port));
    if (!made->ready()) return nullptr;
    return made;
}

bool Win32Serial::lineAlive(platform::PortHandle port) {
    DWORD errors = 0;
    COMSTAT status{};
    return ClearCommError(handleOf(port), &errors, &status) != FALSE;
}

bool Win32Serial::write(platform::PortHandle port, const std::uint8_t* data, std::uint32_t count,
                        std::uint32_t& transferred) {
    transferred = 0;
    OVERLAPPED written{};
    written.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!written.hEvent) return false;
    DWORD put = 0;
    bool ok = WriteFile(handleOf(port), data, count, &put, &written) != FALSE;
    if (!ok && GetLastError() == ERROR_IO_PENDING) {
        // The port's write time-outs bound it on Windows; a line whose far
        // end is going away must not hold the GUI thread either.
        if (WaitForSingleObject(written.hEvent, writeWaitMs) != WAIT_OBJECT_0) CancelIo(handleOf(port));
        ok = GetOverlappedResult(handleOf(port), &written, &put, TRUE) != FALSE;
    }
    CloseHandle(written.hEvent);
    transferred = put;
    return ok;
}

void Win32Serial::close(platform::PortHandle port) {
    CloseHandle(handleOf(port));
}

void Win32Serial::sleep(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace win32
