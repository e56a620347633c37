#include "platform/win32/win32_port_reader.h"

namespace win32 {

Win32PortReader::Win32PortReader(HANDLE port)
    : port_(port),
      readDone_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      interrupted_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

Win32PortReader::~Win32PortReader() {
    if (readDone_) CloseHandle(readDone_);
    if (interrupted_) CloseHandle(interrupted_);
}

platform::ByteRead Win32PortReader::read(std::uint8_t& byte, std::uint32_t waitMs) {
    if (WaitForSingleObject(interrupted_, 0) == WAIT_OBJECT_0) return platform::ByteRead::interrupted;
    OVERLAPPED request{};
    request.hEvent = readDone_;
    ResetEvent(readDone_);
    DWORD got = 0;
    if (!ReadFile(port_, &byte, 1, &got, &request)) {
        if (GetLastError() != ERROR_IO_PENDING) return platform::ByteRead::failed;
        const HANDLE events[] = {readDone_, interrupted_};
        const DWORD woken = WaitForMultipleObjects(2, events, FALSE, waitMs);
        if (woken != WAIT_OBJECT_0) {
            // The byte must not be written once we have returned; one that
            // came while the read was being cancelled is still taken.
            CancelIo(port_);
            const bool completed = GetOverlappedResult(port_, &request, &got, TRUE) != FALSE;
            if (completed && got == 1) return platform::ByteRead::byte;
            if (woken == WAIT_OBJECT_0 + 1) return platform::ByteRead::interrupted;
            return woken == WAIT_TIMEOUT ? platform::ByteRead::nothing : platform::ByteRead::failed;
        }
        if (!GetOverlappedResult(port_, &request, &got, FALSE)) return platform::ByteRead::failed;
    }
    return got == 1 ? platform::ByteRead::byte : platform::ByteRead::nothing;
}

void Win32PortReader::interrupt() { SetEvent(interrupted_); }

void Win32PortReader::resume() { ResetEvent(interrupted_); }

}  // namespace win32
