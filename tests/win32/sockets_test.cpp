// The server's connection under Wine: a listening socket of the test's
// own, connected to, its lines read; a port nobody listens on gives none;
// a stop request ends a connect at once, even while the name server keeps
// the look-up waiting.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <string>
#include <vector>
#include <thread>

#include "platform/win32/win32_sockets.h"

namespace {

class Listener {
public:
    Listener() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        bind(socket_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(socket_, 1);
        int length = sizeof a;
        getsockname(socket_, reinterpret_cast<sockaddr*>(&a), &length);
        port = ntohs(a.sin_port);
    }
    ~Listener() {
        if (accepted_ != INVALID_SOCKET) closesocket(accepted_);
        closesocket(socket_);
        WSACleanup();
    }
    void acceptAndSend(const std::string& text) {
        accepted_ = accept(socket_, nullptr, nullptr);
        send(accepted_, text.data(), static_cast<int>(text.size()), 0);
    }
    void closeClient() {
        closesocket(accepted_);
        accepted_ = INVALID_SOCKET;
    }
    std::uint16_t port = 0;

private:
    SOCKET socket_ = INVALID_SOCKET;
    SOCKET accepted_ = INVALID_SOCKET;
};

TEST(SocketsUnderWine, ConnectsReadsWhatTheServerSendsAndHearsItClose) {
    Listener server;
    win32::Win32Sockets sockets;
    std::stop_source stop;
    auto connection = sockets.connect("127.0.0.1", server.port, stop.get_token());
    ASSERT_TRUE(connection);
    server.acceptAndSend("00000000000010ef 00 KEY_PLAY handset\n");
    char buffer[256];
    std::size_t got = 0;
    std::string text;
    for (int i = 0; i < 20 && text.find('\n') == std::string::npos; ++i)
        if (connection->read(buffer, sizeof buffer, got, 100) == platform::StreamRead::data) text.append(buffer, got);
    EXPECT_EQ(text, "00000000000010ef 00 KEY_PLAY handset\n");
    EXPECT_EQ(connection->read(buffer, sizeof buffer, got, 50), platform::StreamRead::nothing);
    server.closeClient();
    platform::StreamRead last = platform::StreamRead::nothing;
    for (int i = 0; i < 20 && last == platform::StreamRead::nothing; ++i) last = connection->read(buffer, sizeof buffer, got, 100);
    EXPECT_EQ(last, platform::StreamRead::closed);
}

TEST(SocketsUnderWine, NobodyListeningGivesNoConnection) {
    std::uint16_t port = 0;
    {
        Listener gone;
        port = gone.port;
    }
    win32::Win32Sockets sockets;
    std::stop_source stop;
    EXPECT_FALSE(sockets.connect("127.0.0.1", port, stop.get_token()));
    EXPECT_FALSE(sockets.connect("no-such-host.invalid", 8765, stop.get_token()));
}

TEST(SocketsUnderWine, AStopEndsAConnectWhoseLookUpTheNameServerHolds) {
    using namespace std::chrono_literals;
    Listener listener;
    win32::Win32Sockets sockets([] { std::this_thread::sleep_for(3s); });
    std::stop_source stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(100ms);
        stop.request_stop();
    });
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_FALSE(sockets.connect("127.0.0.1", listener.port, stop.get_token()));
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s) << "the stop did not wait for the look-up";
    stopper.join();

    win32::Win32Sockets slow([] { std::this_thread::sleep_for(200ms); });
    std::stop_source never;
    EXPECT_TRUE(slow.connect("localhost", listener.port, never.get_token()))
        << "a slow answer is still waited for, and each address the name gives (::1 first, maybe) is tried";
}

// A listener whose queue of connections waiting to be taken is full: the
// system drops what comes next, as a host that swallows packets does.
TEST(SocketsUnderWine, AnAddressThatDropsTheConnectionIsGivenUpAfterItsTimeNotTheSystems) {
    using namespace std::chrono_literals;
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET full = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(full, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(full, 0);
    int length = sizeof a;
    getsockname(full, reinterpret_cast<sockaddr*>(&a), &length);
    // Fill the queue until a connection no longer completes.
    std::vector<SOCKET> fillers;
    bool dropping = false;
    for (int i = 0; i < 16 && !dropping; ++i) {
        SOCKET f = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        u_long nonBlocking = 1;
        ioctlsocket(f, FIONBIO, &nonBlocking);
        connect(f, reinterpret_cast<sockaddr*>(&a), sizeof a);
        fd_set writable;
        FD_ZERO(&writable);
        FD_SET(f, &writable);
        timeval wait{0, 300000};
        dropping = select(0, nullptr, &writable, nullptr, &wait) == 0;
        fillers.push_back(f);
    }
    ASSERT_TRUE(dropping) << "the listener's queue never filled";

    win32::Win32Sockets sockets(nullptr, 500ms);
    std::stop_source never;
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_FALSE(sockets.connect("127.0.0.1", ntohs(a.sin_port), never.get_token()));
    const auto took = std::chrono::steady_clock::now() - asked;
    EXPECT_GE(took, 400ms);
    EXPECT_LT(took, 2s) << "given up after its own time";
    for (SOCKET f : fillers) closesocket(f);
    closesocket(full);
    WSACleanup();
}

}  // namespace
