// The serial-port service on the Win32 communications API. Ports are opened
// for overlapped I/O, so a read waiting for the receiver can be ended at
// once by another thread (the system waits for the byte; nothing polls).
#pragma once

#include "platform/serial.h"

namespace win32 {

class Win32Serial : public platform::SerialPorts {
public:
    platform::PortHandle open(const std::string& devicePath) override;
    bool setupQueues(platform::PortHandle port, std::uint32_t inputSize, std::uint32_t outputSize) override;
    bool setTimeouts(platform::PortHandle port, const platform::Timeouts& timeouts) override;
    bool setLineSettings(platform::PortHandle port, const platform::LineSettings& settings) override;
    bool escape(platform::PortHandle port, platform::LineFunction function) override;
    std::unique_ptr<platform::PortReader> reader(platform::PortHandle port) override;
    bool lineAlive(platform::PortHandle port) override;
    bool write(platform::PortHandle port, const std::uint8_t* data, std::uint32_t count,
               std::uint32_t& transferred) override;
    void close(platform::PortHandle port) override;
    void sleep(int milliseconds) override;
};

}  // namespace win32
