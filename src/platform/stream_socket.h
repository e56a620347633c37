// A TCP connection to a server that sends lines: what the source of a LIRC
// server's keys needs. Connecting looks the name up and waits for the far
// end, which takes seconds when the server is away: it is only ever done on
// a thread of its own, and a stop request ends the wait.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>

namespace platform {

enum class StreamRead {
    data,         // some bytes came
    nothing,      // none within the wait
    closed,       // the server closed the connection
    failed,       // the connection broke (keep-alive found the far end gone)
    interrupted,  // a stop request ended the read
};

class StreamConnection {
public:
    virtual ~StreamConnection() = default;
    // Waits up to `waitMs` for bytes; `got` is how many came, for data.
    virtual StreamRead read(char* buffer, std::size_t size, std::size_t& got, std::uint32_t waitMs) = 0;
};

class StreamSockets {
public:
    virtual ~StreamSockets() = default;
    // A connection with TCP keep-alive on, so that a far end that vanished
    // without a word (a cable pulled, a server asleep) is noticed within
    // about 10 s; none when the host cannot be found or reached, or when
    // `stop` is requested meanwhile.
    virtual std::unique_ptr<StreamConnection> connect(const std::string& host, std::uint16_t port,
                                                      std::stop_token stop) = 0;
};

}  // namespace platform
