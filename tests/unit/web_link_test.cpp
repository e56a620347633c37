// The phone remote as one of the remote's sources: on only when the
// settings say, its status in words, a phone's requests carried out on the
// GUI thread as the web's own commands (never a box on the PC), pairing
// kept in the settings file as hashes, and the player followed only while a
// phone follows the state.
#include <gtest/gtest.h>

#include <boost/asio/ip/tcp.hpp>
#include <thread>

#include <nlohmann/json.hpp>
#include <set>

#include "app/commands.h"
#include "app/web_link.h"
#include "app/web_page.h"
#include "support/loopback_client.h"
#include "support/remote_fixture.h"

namespace {

using namespace std::chrono_literals;
using testing_support::Client;
using testing_support::freePort;
using testing_support::statusOf;

class WebLinkTest : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    std::uint16_t port = freePort();

    void begin(const std::string& web = "ENABLED=1\r\n") {
        player.running = true;
        start("[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n[WEB]\r\nPORT=" + std::to_string(port) + "\r\n" + web);
    }
    app::WebLink& link() { return *remote->Web; }

    std::string request(const std::string& method, const std::string& path, const std::string& token,
                        const std::string& body = "") {
        std::string text = method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                           "\r\nConnection: close\r\n";
        if (!token.empty()) text += "Authorization: Bearer " + token + "\r\n";
        if (method == "POST")
            text += "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
        return text + "\r\n" + body;
    }
    // The reply, with the GUI thread's turns meanwhile, as its message loop
    // would take them.
    std::string ask(const std::string& bytes) {
        return testing_support::askWithTurns(port, bytes, [&] { host.runPosted(); });
    }
    // Waits for the server's thread to hand the GUI thread what it crossed.
    void settle() {
        for (int i = 0; i < 20; ++i) {
            std::this_thread::sleep_for(5ms);
            host.runPosted();
        }
    }
    std::string pair() {
        auto code = link().openPairing();
        EXPECT_TRUE(code);
        std::string reply = ask(request("POST", "/api/v1/pair", "", R"({"code":")" + code.value_or("") +
                                                                         R"(","name":"Ana"})"));
        EXPECT_EQ(statusOf(reply), "HTTP/1.1 200 OK") << reply;
        auto at = reply.find("\"token\":\"");
        return at == std::string::npos ? "" : reply.substr(at + 9, 32);
    }
};

TEST_F(WebLinkTest, NothingListensUntilTheSettingsTurnItOn) {
    begin("");
    EXPECT_EQ(link().statusText(), "Phone remote: off");
    EXPECT_EQ(link().port(), 0);
    EXPECT_EQ(link().address(), std::nullopt);
    EXPECT_EQ(link().openPairing(), std::nullopt);
    EXPECT_THROW(Client{port}, boost::system::system_error);
}

TEST_F(WebLinkTest, OnItListensAndShowsTheAddressOfTheDefaultRouteOrTheOneChosen) {
    begin();
    EXPECT_EQ(link().statusText(), "Phone remote: live");
    EXPECT_EQ(link().address(), "http://192.168.1.23:" + std::to_string(port));
    EXPECT_EQ(link().addresses(), (std::vector<std::string>{"192.168.1.23", "fe80::1"}));
    begin("ENABLED=1\r\nADDRESS=fe80::1\r\n");
    EXPECT_EQ(link().address(), "http://[fe80::1]:" + std::to_string(port));
    remote->reload();
    EXPECT_EQ(link().statusText(), "Phone remote: live") << "a reload lets the port go and takes it again";
}

TEST_F(WebLinkTest, APortInUseIsSaidAndTriedAgainUntilItIsFree) {
    auto other = std::make_unique<boost::asio::io_context>();
    auto holder = std::make_unique<boost::asio::ip::tcp::acceptor>(
        *other, boost::asio::ip::tcp::endpoint(boost::asio::ip::address_v4::any(), port));
    begin();
    EXPECT_EQ(link().statusText(), "Phone remote: failed: port " + std::to_string(port) + " is in use by another program");
    holder.reset();
    link().keep();
    EXPECT_EQ(link().statusText(), "Phone remote: live");
}

TEST_F(WebLinkTest, APairedPhonesRequestsRunOnTheGuiThreadAsTheWebsOwn) {
    begin();
    std::vector<std::string> heard;
    const fw::Subscription listening = remote->onCommand(
        [&](const app::Command& c, app::CommandSource s, const app::CommandOutcome&) {
            heard.push_back(std::string(c.name) + (s == app::CommandSource::web ? " by web" : " by another"));
        });
    std::string token = pair();
    settle();
    ASSERT_EQ(settings->Phones.size(), 1u) << "the pairing is kept in the file";
    EXPECT_EQ(settings->Phones[0].name, "Ana");
    EXPECT_EQ(iniText().find(token), std::string::npos) << "never the token itself";

    player.sent.clear();
    EXPECT_EQ(statusOf(ask(request("POST", "/api/v1/command", token, R"({"command":"PLAY"})"))), "HTTP/1.1 204 No Content");
    EXPECT_EQ(statusOf(ask(request("POST", "/api/v1/track", token, R"({"number":7})"))), "HTTP/1.1 204 No Content");
    EXPECT_EQ(statusOf(ask(request("POST", "/api/v1/volume", token, R"({"level":40})"))), "HTTP/1.1 204 No Content");
    settle();
    EXPECT_EQ(heard, (std::vector<std::string>{"PLAY by web", "ENTER by web"}));
    auto actions = player.actions();
    EXPECT_NE(std::find(actions.begin(), actions.end(), "command 40045"), actions.end()) << "played";
    EXPECT_NE(std::find(actions.begin(), actions.end(), "request 121 6"), actions.end()) << "track 7 chosen";
    EXPECT_EQ(remote->state().volume, 40);

    std::string state = ask(request("GET", "/api/v1/state", token));
    EXPECT_NE(state.find("\"volume\":40"), std::string::npos) << state;

    link().forgetPhones();
    EXPECT_EQ(statusOf(ask(request("GET", "/api/v1/state", token))), "HTTP/1.1 401 Unauthorized");
    EXPECT_TRUE(settings->Phones.empty());
}

TEST_F(WebLinkTest, APhonesCommandThatFailsOpensNoBoxOnThePc) {
    begin();
    std::string token = pair();
    // Eleven nines are too many for a track number: ENTER's error.
    for (int i = 0; i < 11; ++i)
        ask(request("POST", "/api/v1/command", token, R"({"command":"TASTE 9"})"));
    ask(request("POST", "/api/v1/command", token, R"({"command":"ENTER"})"));
    settle();
    EXPECT_TRUE(host.messageBoxes().empty());
    EXPECT_EQ(remote->state().digits, "99999999999") << "the digits stay typed, as for a key";
    run("ENTER");
    EXPECT_EQ(host.messageBoxes().size(), 1u) << "the same from the remote's own key is told in a box";
}

TEST_F(WebLinkTest, ThePlayerIsFollowedOnlyWhileAPhoneFollowsTheState) {
    begin();
    std::string token = pair();
    EXPECT_FALSE(remote->Live->watched());
    {
        Client stream(port);
        stream.send(request("GET", "/api/v1/events", token));
        stream.receive(2s, nullptr, "\n\n");
        settle();
        EXPECT_TRUE(remote->Live->watched());
    }
    settle();
    EXPECT_FALSE(remote->Live->watched()) << "the phone went away";
}

TEST_F(WebLinkTest, ThePageIsServedFromTheProgramsOwnFilesWithoutAToken) {
    begin();
    struct Case {
        const char* path;
        const char* type;
        const char* holds;
    };
    const Case cases[] = {
        {"/", "text/html; charset=utf-8", "<title>ZAV Amp - 01</title>"},
        {"/pair", "text/html; charset=utf-8", "aria-label=\"Code\""},
        {"/app.js", "text/javascript; charset=utf-8", "EventSource"},
        {"/style.css", "text/css; charset=utf-8", "#skin"},
        {"/manifest.webmanifest", "application/manifest+json", "\"name\": \"ZAV Amp - 01\""},
        {"/icon.svg", "image/svg+xml", "<svg"},
        {"/skin.bmp", "image/bmp", "BM"},
        {"/layout.json", "application/json", "\"keys\""},
    };
    for (const Case& c : cases) {
        std::string reply = ask(request("GET", c.path, ""));
        EXPECT_EQ(statusOf(reply), "HTTP/1.1 200 OK") << c.path;
        EXPECT_NE(reply.find(std::string("Content-Type: ") + c.type + "\r\n"), std::string::npos) << c.path;
        EXPECT_NE(reply.find(c.holds), std::string::npos) << c.path;
        EXPECT_NE(reply.find("Content-Security-Policy: default-src 'self'"), std::string::npos) << c.path;
        EXPECT_EQ(reply.find("Access-Control-"), std::string::npos) << c.path;
    }
}

TEST(RemoteLayout, HoldsEveryCommandsKeyOnceWithinTheSkinAndTheReadoutsAndPatches) {
    auto layout = nlohmann::json::parse(app::remoteLayoutJson());
    const int width = layout["width"], height = layout["height"];
    EXPECT_EQ(width, 168);
    EXPECT_EQ(height, 311);
    std::set<std::string> commands;
    for (const auto& key : layout["keys"]) {
        commands.insert(key["command"].get<std::string>());
        EXPECT_GE(key["x"].get<int>(), 0);
        EXPECT_GE(key["y"].get<int>(), 0);
        EXPECT_GT(key["w"].get<int>(), 0);
        EXPECT_LE(key["x"].get<int>() + key["w"].get<int>(), width);
        EXPECT_LE(key["y"].get<int>() + key["h"].get<int>(), height);
    }
    EXPECT_EQ(layout["keys"].size(), app::commands().size());
    const auto& names = app::commandNamesLoadOrder();
    EXPECT_EQ(commands, std::set<std::string>(names.begin(), names.end()));
    auto play = std::find_if(layout["keys"].begin(), layout["keys"].end(),
                             [](const auto& k) { return k["command"] == "PLAY"; });
    ASSERT_NE(play, layout["keys"].end());
    EXPECT_EQ((*play)["x"], 20) << "where the main window's Play key lies";
    EXPECT_EQ((*play)["y"], 190);
    EXPECT_TRUE(layout["readouts"].contains("time"));
    EXPECT_TRUE(layout["readouts"].contains("track"));
    EXPECT_EQ(layout["patches"].size(), 10u);
}

// The server's thread pages and searches the list while the GUI thread
// reads it: every reply at once, the titles filling in as they are read.
TEST_F(WebLinkTest, ThePlayListIsServedWhileItIsRead) {
    begin();
    for (int i = 1; i <= 3000; ++i) player.list.push_back("Song " + std::to_string(i));
    player.replies[125] = 2999;
    const std::string token = pair();
    const auto page = [&](const std::string& query) {
        const std::string reply = ask(request("GET", "/api/v1/playlist?" + query, token));
        EXPECT_EQ(statusOf(reply), "HTTP/1.1 200 OK") << reply;
        return nlohmann::json::parse(reply.substr(reply.find("\r\n\r\n") + 4));
    };
    nlohmann::json first = page("offset=2990&count=10");
    EXPECT_FALSE(first["complete"].get<bool>()) << "nothing is read before the reply";
    fw::Timer& slice = *link().ListReader->TimerSlice;
    ASSERT_TRUE(host.timerRunning(slice)) << "the reply asked for the list";
    host.fireTimer(slice);
    nlohmann::json asked = page("offset=2990&count=10");
    EXPECT_EQ(asked["length"], 3000);
    EXPECT_EQ(asked["position"], 3000);
    EXPECT_EQ(asked["items"][0]["title"], "Song 2991") << "the page asked for is read first";
    int slices = 0;
    while (host.timerRunning(slice) && slices++ < 1000) {
        host.fireTimer(slice);
        if (slices % 20 == 0) {
            nlohmann::json found = page("q=song+2999");
            EXPECT_GE(found["length"].get<int>(), 1);
        }
    }
    nlohmann::json found = page("q=SONG+2999");
    EXPECT_TRUE(found["complete"].get<bool>());
    EXPECT_EQ(found["length"], 1);
    EXPECT_EQ(found["items"][0]["number"], 2999);
    EXPECT_EQ(page("offset=0&count=200")["items"].size(), 200u);
    const std::string state = ask(request("GET", "/api/v1/state", token));
    EXPECT_EQ(nlohmann::json::parse(state.substr(state.find("\r\n\r\n") + 4))["list"], link().playList().number())
        << "the state tells the list's number, for a page to read it again when it changes";
    EXPECT_GT(link().playList().number(), 0u);
}

}  // namespace
