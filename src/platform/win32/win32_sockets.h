// TCP connections on Win32 (Winsock 2): the name looked up, a connection
// made without blocking so that a stop request ends the wait, and TCP
// keep-alive, so a far end that vanished is noticed in about 10 s.
#pragma once

#include "platform/stream_socket.h"

namespace win32 {

class Win32Sockets : public platform::StreamSockets {
public:
    Win32Sockets();
    ~Win32Sockets() override;
    std::unique_ptr<platform::StreamConnection> connect(const std::string& host, std::uint16_t port,
                                                        std::stop_token stop) override;

private:
    bool started_ = false;
};

}  // namespace win32
