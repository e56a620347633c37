// The web remote's server over loopback: real connections, real bytes, the
// bounds of sizes, connections and streams.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/loopback_client.h"
#include "support/counting_remote.h"
#include "support/system_crypto.h"
#include "web/server.h"

namespace {

namespace asio = boost::asio;
using testing_support::Client;
using testing_support::statusOf;
using namespace std::chrono_literals;

constexpr const char* token = "00112233445566778899aabbccddeeff";


struct ServerFixture : ::testing::Test {
    testing_support::SystemCrypto crypto;
    testing_support::CountingRemote remote;
    web::Pairing pairing{crypto};
    web::Phones phones;
    web::Api api{remote, pairing, phones, crypto, [] { return web::Clock::now(); }, [] { return std::string("2026-12-09"); }};
    web::Server server{api};
    std::string hostField;

    void SetUp() override {
        auto digest = crypto.sha256(token);
        phones.add({web::hexOf(digest.data(), digest.size()), "2026-12-09", "Ana"});
        web::ServerSetup setup;
        setup.port = 0;
        setup.listenOn = {asio::ip::make_address("127.0.0.1")};
        ASSERT_EQ(server.start(setup), std::nullopt);
        hostField = "127.0.0.1:" + std::to_string(server.port());
        api.setup({web::hostsOfThisPc({"127.0.0.1"}, "", server.port()), {"PLAY", "STOP"}, {{"/", "text/html", "page"}}});
    }

    std::string request(const std::string& method, const std::string& path, const std::string& body = "",
                        const std::string& extra = "") {
        std::string text = method + " " + path + " HTTP/1.1\r\nHost: " + hostField +
                           "\r\nAuthorization: Bearer " + token + "\r\n" + extra;
        if (method == "POST")
            text += "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
        return text + "\r\n" + body;
    }

};

TEST_F(ServerFixture, APairedPhoneIsServedTheStateAndItsCommandsQueued) {
    web::WebState state;
    state.player = "Winamp 5.9";
    state.state = "playing";
    server.publish(state);
    std::string reply;
    for (int i = 0; i < 100 && reply.find("Winamp 5.9") == std::string::npos; ++i) {
        Client client(server.port());
        client.send(request("GET", "/api/v1/state"));
        reply = client.receive(2s, nullptr, "}");
    }
    EXPECT_EQ(statusOf(reply), "HTTP/1.1 200 OK");
    EXPECT_NE(reply.find("\"player\":\"Winamp 5.9\""), std::string::npos) << reply;

    Client client(server.port());
    client.send(request("POST", "/api/v1/command", R"({"command":"PLAY"})") +
                request("POST", "/api/v1/command", R"({"command":"STOP"})"));
    for (int i = 0; i < 200 && remote.count() < 2; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(remote.asked, (std::vector<std::string>{"PLAY", "STOP"})) << "two requests on one connection";
}

TEST_F(ServerFixture, RefusalsRunNothingAndCloseTheConnection) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* status;
    };
    std::string bigHead = "GET / HTTP/1.1\r\nHost: " + hostField + "\r\nX-Pad: " + std::string(9000, 'x') + "\r\n\r\n";
    std::string bigBody = request("POST", "/api/v1/command", std::string(5000, ' '));
    std::string chunked = "POST /api/v1/command HTTP/1.1\r\nHost: " + hostField + "\r\nAuthorization: Bearer " + token +
                          "\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n" +
                          "1388\r\n" + std::string(5000, ' ') + "\r\n0\r\n\r\n";
    std::string foreign = request("POST", "/api/v1/command", R"({"command":"PLAY"})");
    foreign.replace(foreign.find(hostField), hostField.size(), "attacker.example:80");
    const Case cases[] = {
        {"a foreign Host", foreign, "HTTP/1.1 421 Misdirected Request"},
        {"a forged Origin", request("POST", "/api/v1/command", R"({"command":"PLAY"})", "Origin: http://evil.example\r\n"),
         "HTTP/1.1 403 Forbidden"},
        {"a head over 8 KiB", bigHead, "HTTP/1.1 431 Request Header Fields Too Large"},
        {"a body over 4 KiB", bigBody, "HTTP/1.1 413 Payload Too Large"},
        {"a chunked body over 4 KiB", chunked, "HTTP/1.1 413 Payload Too Large"},
        {"junk", std::string("\x16\x03\x01\x02\x00junk\r\n\r\n", 12), "HTTP/1.1 400 Bad Request"},
    };
    for (const Case& c : cases) {
        Client client(server.port());
        client.send(c.bytes);
        bool closed = false;
        std::string reply = client.receive(3s, &closed);
        EXPECT_EQ(statusOf(reply), c.status) << c.name;
        EXPECT_TRUE(closed) << c.name;
    }
    EXPECT_EQ(remote.count(), 0u);
}

TEST_F(ServerFixture, AFloodOfSilentConnectionsLeavesRoomForAPairedPhone) {
    std::vector<std::unique_ptr<Client>> flood;
    for (int i = 0; i < 200; ++i) {
        flood.push_back(std::make_unique<Client>(server.port()));
        flood.back()->send("GET / HTTP/1.1\r\nHost: ");  // a head never finished
    }
    auto start = std::chrono::steady_clock::now();
    Client phone(server.port());
    phone.send(request("POST", "/api/v1/command", R"({"command":"PLAY"})"));
    std::string reply = phone.receive(2s, nullptr, "\r\n\r\n");
    EXPECT_EQ(statusOf(reply), "HTTP/1.1 204 No Content");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(remote.count(), 1u);
}

TEST_F(ServerFixture, EventStreamsFollowTheStateAndCloseWhenThePhoneIsForgotten) {
    std::vector<std::unique_ptr<Client>> streams;
    for (std::size_t i = 0; i <= web::maxStreams; ++i) {
        streams.push_back(std::make_unique<Client>(server.port()));
        streams.back()->send(request("GET", "/api/v1/events"));
        std::string opened = streams.back()->receive(2s, nullptr, "\n\n");
        EXPECT_EQ(statusOf(opened), "HTTP/1.1 200 OK");
        EXPECT_NE(opened.find("text/event-stream"), std::string::npos);
        EXPECT_NE(opened.find("event: state\ndata: {"), std::string::npos) << "the state at once";
    }
    bool closed = false;
    streams.front()->receive(1s, &closed);
    EXPECT_TRUE(closed) << "a ninth stream closes the oldest";

    web::WebState state;
    state.title = "Song two";
    server.publish(state);
    std::string event = streams.back()->receive(2s, nullptr, "\n\n");
    EXPECT_NE(event.find("\"title\":\"Song two\""), std::string::npos) << event;

    phones.forgetAll();
    server.phonesForgotten();
    streams.back()->receive(2s, &closed);
    EXPECT_TRUE(closed) << "a forgotten phone's stream closes";
    Client again(server.port());
    again.send(request("GET", "/api/v1/state"));
    EXPECT_EQ(statusOf(again.receive(2s, nullptr, "\r\n\r\n")), "HTTP/1.1 401 Unauthorized");
}

TEST_F(ServerFixture, WhileOnlyTheTimeMovesAStreamIsToldTwiceASecondAtMost) {
    Client stream(server.port());
    stream.send(request("GET", "/api/v1/events"));
    stream.receive(2s, nullptr, "\n\n");
    web::WebState state;
    state.state = "playing";
    server.publish(state);
    stream.receive(1s, nullptr, "\n\n");
    for (int ms = 0; ms < 1000; ms += 50) {
        state.positionMs = ms;
        server.publish(state);
        std::this_thread::sleep_for(50ms);
    }
    std::string told = stream.receive(700ms);
    std::size_t events = 0;
    for (auto at = told.find("event: state"); at != std::string::npos; at = told.find("event: state", at + 1))
        ++events;
    EXPECT_GE(events, 1u);
    EXPECT_LE(events, 3u) << told;
    EXPECT_NE(told.find("\"position_ms\":950"), std::string::npos) << "the last time is told";
}

TEST_F(ServerFixture, APortInUseIsSaidInWords) {
    web::Server second(api);
    web::ServerSetup setup;
    setup.port = server.port();
    setup.listenOn = {asio::ip::make_address("127.0.0.1")};
    EXPECT_EQ(second.start(setup), "port " + std::to_string(server.port()) + " is in use by another program");
    EXPECT_FALSE(second.serving());
}

}  // namespace
