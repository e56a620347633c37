#include "platform/win32/win32_sockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace win32 {
namespace {

// How often a wait looks at the stop request.
constexpr long sliceMs = 100;

class Connection : public platform::StreamConnection {
public:
    explicit Connection(SOCKET s) : socket_(s) {}
    ~Connection() override { closesocket(socket_); }

    platform::StreamRead read(char* buffer, std::size_t size, std::size_t& got, std::uint32_t waitMs) override {
        got = 0;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval wait{static_cast<long>(waitMs / 1000), static_cast<long>(waitMs % 1000) * 1000};
        const int ready = select(0, &readable, nullptr, nullptr, &wait);
        if (ready == 0) return platform::StreamRead::nothing;
        if (ready == SOCKET_ERROR) return platform::StreamRead::failed;
        const int n = recv(socket_, buffer, static_cast<int>(size), 0);
        if (n == 0) return platform::StreamRead::closed;
        if (n == SOCKET_ERROR)
            return WSAGetLastError() == WSAEWOULDBLOCK ? platform::StreamRead::nothing : platform::StreamRead::failed;
        got = static_cast<std::size_t>(n);
        return platform::StreamRead::data;
    }

private:
    SOCKET socket_;
};

void keepAlive(SOCKET s) {
    BOOL on = TRUE;
    setsockopt(s, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
    // Probed after 2 s of silence, then every 0.8 s: with the usual ten
    // probes, a far end that vanished is given up on in about 10 s.
    tcp_keepalive values{1, 2000, 800};
    DWORD returned = 0;
    WSAIoctl(s, SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0, &returned, nullptr, nullptr);
}

// Waits for a connection started without blocking; false when it failed,
// took longer than `timeout`, or the stop came first.
bool connected(SOCKET s, std::chrono::milliseconds timeout, const std::stop_token& stop) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!stop.stop_requested() && std::chrono::steady_clock::now() < deadline) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval wait{0, sliceMs * 1000};
        const int ready = select(0, nullptr, &writable, &failed, &wait);
        if (ready == SOCKET_ERROR || FD_ISSET(s, &failed)) return false;
        if (FD_ISSET(s, &writable)) return true;
    }
    return false;
}

// getaddrinfo cannot be interrupted, and a name server that does not
// answer holds it for seconds: the look-up runs on a thread of its own,
// which a stop leaves behind to finish and free what it found. Otherwise
// the source's stop, which the GUI thread waits for, would wait for it.
struct LookUp {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;   // under the mutex
    bool abandoned = false;  // under the mutex
    addrinfo* found = nullptr;
};

addrinfo* lookUp(const std::string& host, std::uint16_t port, const std::function<void()>& slowNameServer,
                 const std::stop_token& stop) {
    auto lookUp = std::make_shared<LookUp>();
    std::thread([lookUp, host, service = std::to_string(port), slowNameServer] {
        // Its own hold on Winsock: the sockets object may be gone before it ends.
        WSADATA data;
        const bool started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
        if (slowNameServer) slowNameServer();
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        addrinfo* found = nullptr;
        if (started && getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) found = nullptr;
        {
            std::lock_guard lock(lookUp->mutex);
            if (!lookUp->abandoned) lookUp->found = std::exchange(found, nullptr);
            lookUp->finished = true;
        }
        lookUp->done.notify_all();
        if (found) freeaddrinfo(found);
        if (started) WSACleanup();
    }).detach();
    std::unique_lock lock(lookUp->mutex);
    // Looking at the stop request every slice, not through a callback of
    // its own: such a callback's wake-up can be missed by the 32-bit
    // build's standard library, and the GUI thread waits for this stop.
    while (!lookUp->finished && !stop.stop_requested())
        lookUp->done.wait_for(lock, std::chrono::milliseconds(sliceMs));
    if (lookUp->finished) return lookUp->found;
    lookUp->abandoned = true;
    return nullptr;
}

}  // namespace

Win32Sockets::Win32Sockets(std::function<void()> slowNameServer, std::chrono::milliseconds connectTimeout)
    : slowNameServer_(std::move(slowNameServer)), connectTimeout_(connectTimeout) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Win32Sockets::~Win32Sockets() {
    if (started_) WSACleanup();
}

std::unique_ptr<platform::StreamConnection> Win32Sockets::connect(const std::string& host, std::uint16_t port,
                                                                  std::stop_token stop) {
    if (!started_) return nullptr;
    addrinfo* found = lookUp(host, port, slowNameServer_, stop);
    if (!found) return nullptr;
    std::unique_ptr<platform::StreamConnection> connection;
    for (addrinfo* a = found; a && !connection && !stop.stop_requested(); a = a->ai_next) {
        SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET) continue;
        u_long nonBlocking = 1;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        const int started = ::connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen));
        if ((started == 0 || WSAGetLastError() == WSAEWOULDBLOCK) && connected(s, connectTimeout_, stop)) {
            keepAlive(s);
            connection = std::make_unique<Connection>(s);
        } else {
            closesocket(s);
        }
    }
    freeaddrinfo(found);
    return connection;
}

}  // namespace win32
