// Win32PortReader: overlapped reads of one byte from a port opened for
// overlapped I/O. A read waits on the read's event and on an interrupt
// event together, for at most its own time: interrupt() from any thread
// ends it at once, and so does its time running out; the read is then
// cancelled and waited for before it returns. (The wait, not the port's
// time-outs, bounds a read: Wine's overlapped serial reads ignore those.)
#pragma once

#include <windows.h>

#include "platform/serial.h"

namespace win32 {

class Win32PortReader : public platform::PortReader {
public:
    explicit Win32PortReader(HANDLE port);
    ~Win32PortReader() override;
    Win32PortReader(const Win32PortReader&) = delete;
    Win32PortReader& operator=(const Win32PortReader&) = delete;

    // Both events were made.
    bool ready() const { return readDone_ && interrupted_; }

    platform::ByteRead read(std::uint8_t& byte, std::uint32_t waitMs) override;
    void interrupt() override;
    void resume() override;

private:
    HANDLE port_;          // not owned
    HANDLE readDone_;      // owned
    HANDLE interrupted_;   // owned; manual reset, so an interrupt holds
};

}  // namespace win32
