// TCP connections on Win32 (Winsock 2): the name looked up and a
// connection made, both so that a stop request ends the wait at once; each
// address the name gives is tried for a few seconds at most, so one that
// drops packets does not hold the next for the system's 21 s; and TCP
// keep-alive, so a far end that vanished is noticed in about 10 s.
#pragma once

#include <chrono>
#include <functional>

#include "platform/stream_socket.h"

namespace win32 {

class Win32Sockets : public platform::StreamSockets {
public:
    // `slowNameServer`, when given, runs before every look-up, on the
    // look-up's own thread: how a test stands in for a name server that
    // takes seconds to answer.
    explicit Win32Sockets(std::function<void()> slowNameServer = nullptr,
                          std::chrono::milliseconds connectTimeout = std::chrono::milliseconds(3000));
    ~Win32Sockets() override;
    std::unique_ptr<platform::StreamConnection> connect(const std::string& host, std::uint16_t port,
                                                        std::stop_token stop) override;

private:
    bool started_ = false;
    std::function<void()> slowNameServer_;
    std::chrono::milliseconds connectTimeout_;
};

}  // namespace win32
