// The web remote's server and its random source and hash on the real
// Windows API: Asio over Winsock under Wine, the port held so that no other
// program shares it, and CNG's SHA-256 and random numbers.
#include <gtest/gtest.h>

#include "web/server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>
#include <string>

#include "platform/win32/win32_crypto.h"
#include "support/counting_remote.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_text_folding.h"

namespace {

constexpr const char* token = "00112233445566778899aabbccddeeff";


struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { WSACleanup(); }
};

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    return a;
}

// Sends the request, reads until the server closes or 5 s pass.
std::string askServer(std::uint16_t port, const std::string& request) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    DWORD wait = 5000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
    sockaddr_in a = loopback(port);
    std::string reply;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        send(s, request.data(), static_cast<int>(request.size()), 0);
        char buffer[4096];
        int n;
        while ((n = recv(s, buffer, sizeof buffer, 0)) > 0)
            reply.append(buffer, static_cast<std::size_t>(n));
    }
    closesocket(s);
    return reply;
}

TEST(Win32Crypto, HashesAndDrawsAsTheSystemDoes) {
    win32::Win32Crypto crypto;
    auto digest = crypto.sha256("abc");
    EXPECT_EQ(web::hexOf(digest.data(), digest.size()),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    std::array<std::uint8_t, 16> first{}, second{};
    ASSERT_TRUE(crypto.random(first));
    ASSERT_TRUE(crypto.random(second));
    EXPECT_NE(first, second);
}

TEST(Win32Network, TellsThePcsAddressesWithTheirNetworksAndItsName) {
    win32::Win32Network network;
    auto addresses = network.addresses();
    bool loopback = false;
    for (const auto& a : addresses) {
        boost::system::error_code bad;
        auto parsed = boost::asio::ip::make_address(a.address, bad);
        EXPECT_FALSE(bad) << a.address;
        EXPECT_LE(a.prefixLength, parsed.is_v4() ? 32u : 128u) << a.address;
        loopback = loopback || (a.address == "127.0.0.1" && a.loopback);
    }
    EXPECT_TRUE(loopback) << "the loopback interface is there and said to be one";
    EXPECT_FALSE(network.computerName().empty());
}

TEST(WebServer, ServesAPairedPhoneAndHoldsItsPortAlone) {
    Winsock winsock;
    win32::Win32Crypto crypto;
    testing_support::CountingRemote remote;
    web::Pairing pairing(crypto);
    web::Phones phones;
    auto digest = crypto.sha256(token);
    phones.add({web::hexOf(digest.data(), digest.size()), "2026-12-09", "Ana"});
    web::Api api(remote, pairing, phones, crypto, [] { return web::Clock::now(); },
                 [] { return std::string("2026-12-09"); });
    web::Server server(api);
    web::ServerSetup setup;
    setup.port = 0;
    setup.listenOn = {boost::asio::ip::make_address("127.0.0.1"), boost::asio::ip::make_address("::1")};
    ASSERT_EQ(server.start(setup), std::nullopt);
    std::uint16_t port = server.port();
    std::string host = "127.0.0.1:" + std::to_string(port);
    api.setup({web::hostsOfThisPc({"127.0.0.1"}, "", port), {"PLAY"}, {}});

    std::string body = R"({"command":"PLAY"})";
    std::string reply = askServer(port, "POST /api/v1/command HTTP/1.1\r\nHost: " + host +
                                           "\r\nAuthorization: Bearer " + std::string(token) +
                                           "\r\nContent-Type: application/json\r\nConnection: close\r\n"
                                           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    EXPECT_EQ(reply.substr(0, reply.find("\r\n")), "HTTP/1.1 204 No Content");
    EXPECT_EQ(remote.asked, std::vector<std::string>{"PLAY"});

    reply = askServer(port, "GET /api/v1/state HTTP/1.1\r\nHost: evil.example\r\n\r\n");
    EXPECT_EQ(reply.substr(0, reply.find("\r\n")), "HTTP/1.1 421 Misdirected Request");

    // Another program asking to share the port is refused.
    SOCKET other = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL yes = TRUE;
    setsockopt(other, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
    sockaddr_in a = loopback(port);
    EXPECT_NE(bind(other, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    closesocket(other);

    web::Server second(api);
    setup.port = port;
    EXPECT_EQ(second.start(setup), "port " + std::to_string(port) + " is in use by another program");
}

}  // namespace

namespace {

// The system's own folding, as a search of the play list uses it: letter
// case and accents aside in every alphabet, the same folded form for a
// title and for what a user types.
TEST(Win32TextFolding, FoldsCaseAndAccentsInAnyAlphabet) {
    const win32::Win32TextFolding folding;
    struct Case {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"Caf\xC3\xA9 del MAR", "cafe del mar"},                 // Café del MAR
        {"\xC8\x98tefan", "stefan"},                              // Ștefan
        {"Na\xC3\xAFve", "naive"},                                // Naïve
        {"\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2",     // ПРИВЕТ
         "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},    // привет
        {"\xCE\x86\xCE\xBB\xCF\x86\xCE\xB1", "\xCE\xB1\xCE\xBB\xCF\x86\xCE\xB1"},  // Άλφα -> αλφα
        {"ABC 123", "abc 123"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(folding.fold(c.text), c.folded) << c.text;
    EXPECT_EQ(folding.fold("\xFF" "A"), "\xEF\xBF\xBD" "a") << "a byte that is not UTF-8 is U+FFFD";
}

}  // namespace
