// The serial-port service the IR receiver link uses, shaped after the
// Win32 communications calls it is made of. Results follow the platform:
// true for success.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

using PortHandle = std::intptr_t;
constexpr PortHandle invalidPort = -1;

// The platform's device-control block (DCB), field for field.
struct LineSettings {
    std::uint32_t length = 0;  // DCBlength
    std::uint32_t baudRate = 0;
    std::uint32_t flags = 0;  // the bit-field word
    std::uint16_t reserved = 0;
    std::uint16_t xonLimit = 0;
    std::uint16_t xoffLimit = 0;
    std::uint8_t byteSize = 0;
    std::uint8_t parity = 0;
    std::uint8_t stopBits = 0;
    char xonChar = 0;
    char xoffChar = 0;
    char errorChar = 0;
    char eofChar = 0;
    char evtChar = 0;
    std::uint16_t reserved1 = 0;
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// COMMTIMEOUTS, in field order, milliseconds; 0 for no time-out.
struct Timeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;
    friend bool operator==(const Timeouts&, const Timeouts&) = default;
};

// The modem-control lines the receiver is powered from.
enum class LineFunction { setRts, clearRts, setDtr, clearDtr };

// How a read of one byte ended.
enum class ByteRead { byte, nothing, interrupted, failed };

// The receive thread's reads of one open port: one byte at a time, each
// waiting at most its own time for the byte (one already there comes at
// once), and ended at once by interrupt(), which any thread may call. An
// interrupt holds, ending every read at once, until resume().
class PortReader {
public:
    virtual ~PortReader() = default;
    virtual ByteRead read(std::uint8_t& byte, std::uint32_t waitMs) = 0;
    virtual void interrupt() = 0;
    virtual void resume() = 0;
};

class SerialPorts {
public:
    virtual ~SerialPorts() = default;
    // An exclusive read-write open of an existing device, e.g. "\\.\COM3".
    virtual PortHandle open(const std::string& devicePath) = 0;
    virtual bool setupQueues(PortHandle port, std::uint32_t inputSize, std::uint32_t outputSize) = 0;
    virtual bool setTimeouts(PortHandle port, const Timeouts& timeouts) = 0;
    // Every field as given; the platform's own block is read first, so
    // nothing it keeps beyond these fields is lost.
    virtual bool setLineSettings(PortHandle port, const LineSettings& settings) = 0;
    virtual bool escape(PortHandle port, LineFunction function) = 0;
    // A reader of the open port; none when the system cannot make one.
    virtual std::unique_ptr<PortReader> reader(PortHandle port) = 0;
    // Whether the device is still there (its error state can be read and
    // cleared): a removed adapter, or a line whose far end went away, is not.
    virtual bool lineAlive(PortHandle port) = 0;
    virtual bool write(PortHandle port, const std::uint8_t* data, std::uint32_t count,
                       std::uint32_t& transferred) = 0;
    virtual void close(PortHandle port) = 0;
    virtual void sleep(int milliseconds) = 0;
};

}  // namespace platform
