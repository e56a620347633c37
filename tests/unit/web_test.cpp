// The web remote's rules, pairing and API, apart from the network: what a
// phone, a home-automation script or a hostile page may and may not do.
#include <gtest/gtest.h>

#include <deque>

#include <nlohmann/json.hpp>

#include "support/system_crypto.h"
#include "web/api.h"
#include "web/pairing.h"
#include "web/peers.h"
#include "web/phones.h"

namespace {

using web::Clock;
using namespace std::chrono_literals;

// Hands out the bytes it was given, then fails.
class ScriptedCrypto : public testing_support::SystemCrypto {
public:
    std::deque<std::uint8_t> bytes;
    bool random(std::span<std::uint8_t> out) override {
        if (bytes.size() < out.size())
            return false;
        for (auto& b : out) {
            b = bytes.front();
            bytes.pop_front();
        }
        return true;
    }
};

struct RecordingRemote : web::RemoteLink {
    std::vector<std::string> asked;
    std::vector<web::Phone> phones;
    void command(const std::string& name) override { asked.push_back("command " + name); }
    void volume(int level) override { asked.push_back("volume " + std::to_string(level)); }
    void track(std::int32_t number) override { asked.push_back("track " + std::to_string(number)); }
    void paired(const web::Phone& phone) override { phones.push_back(phone); }
};

std::string sha256Hex(platform::Crypto& crypto, const std::string& text) {
    auto digest = crypto.sha256(text);
    return web::hexOf(digest.data(), digest.size());
}

constexpr const char* host = "192.168.1.23:8780";
constexpr const char* token = "00112233445566778899aabbccddeeff";

struct ApiFixture : ::testing::Test {
    testing_support::SystemCrypto crypto;
    RecordingRemote remote;
    web::Pairing pairing{crypto};
    web::Phones phones;
    Clock::time_point now = Clock::time_point{} + 1h;
    web::Api api{remote, pairing, phones, crypto, [this] { return now; }, [] { return std::string("2026-12-09"); }};

    ApiFixture() {
        api.setup({web::hostsOfThisPc({"192.168.1.23", "fe80::1"}, "DESK", 8780),
                   {"PLAY", "STOP", "OPEN WINAMP"},
                   {{"/", "text/html", "<p>remote</p>"}, {"/app.js", "text/javascript", "go()"}}});
        phones.add({sha256Hex(crypto, token), "2026-12-01", "Ana"});
    }

    web::Head head(std::string method, std::string target) {
        web::Head h;
        h.method = std::move(method);
        h.target = std::move(target);
        h.hosts = {host};
        h.authorizations = {std::string("Bearer ") + token};
        if (h.method == "POST")
            h.contentTypes = {"application/json"};
        return h;
    }

    // The status of the head's refusal, or 0 when it is admitted.
    unsigned screened(const web::Head& h) {
        auto verdict = api.screen(h);
        if (auto* refusal = std::get_if<web::Reply>(&verdict))
            return refusal->status;
        return 0;
    }

    web::Reply run(const web::Head& h, std::string_view body) {
        auto verdict = api.screen(h);
        if (auto* refusal = std::get_if<web::Reply>(&verdict))
            return *refusal;
        return api.answer(h, std::get<web::Admitted>(verdict), body, web::WebState{});
    }
};

TEST_F(ApiFixture, RequestsAreRefusedInTheRulesOrder) {
    struct Case {
        const char* name;
        std::function<void(web::Head&)> change;
        unsigned status;
    };
    const Case cases[] = {
        {"a paired phone's command", [](web::Head&) {}, 0},
        {"no Host", [](web::Head& h) { h.hosts.clear(); }, 400},
        {"two Hosts", [](web::Head& h) { h.hosts.push_back(host); }, 400},
        {"a rebound name", [](web::Head& h) { h.hosts = {"evil.example:8780"}; }, 421},
        {"our address on another port", [](web::Head& h) { h.hosts = {"192.168.1.23:80"}; }, 421},
        {"our address without its port", [](web::Head& h) { h.hosts = {"192.168.1.23"}; }, 421},
        {"the PC's name", [](web::Head& h) { h.hosts = {"desk:8780"}; }, 0},
        {"the PC's name on .local", [](web::Head& h) { h.hosts = {"DESK.local:8780"}; }, 0},
        {"localhost", [](web::Head& h) { h.hosts = {"localhost:8780"}; }, 0},
        {"IPv6 in brackets", [](web::Head& h) { h.hosts = {"[fe80::1]:8780"}; }, 0},
        {"IPv6 bare", [](web::Head& h) { h.hosts = {"fe80::1:8780"}; }, 421},
        {"a foreign Host before a forged Origin",
         [](web::Head& h) { h.hosts = {"evil.example:8780"}; h.origins = {"http://evil.example"}; }, 421},
        {"a body too large", [](web::Head& h) { h.contentLength = 4097; }, 413},
        {"a body at the bound", [](web::Head& h) { h.contentLength = 4096; }, 0},
        {"the page's own Origin", [](web::Head& h) { h.origins = {"http://192.168.1.23:8780"}; }, 0},
        {"a forged Origin", [](web::Head& h) { h.origins = {"http://evil.example"}; }, 403},
        {"Origin null", [](web::Head& h) { h.origins = {"null"}; }, 403},
        {"Origin over https", [](web::Head& h) { h.origins = {"https://192.168.1.23:8780"}; }, 403},
        {"two Origins", [](web::Head& h) { h.origins = {"http://192.168.1.23:8780", "http://evil.example"}; }, 403},
        {"a forged Origin and no token", [](web::Head& h) { h.origins = {"http://x"}; h.authorizations.clear(); }, 403},
        {"a form's content type", [](web::Head& h) { h.contentTypes = {"application/x-www-form-urlencoded"}; }, 415},
        {"text/plain", [](web::Head& h) { h.contentTypes = {"text/plain"}; }, 415},
        {"no content type", [](web::Head& h) { h.contentTypes.clear(); }, 415},
        {"JSON with a charset", [](web::Head& h) { h.contentTypes = {"Application/JSON; charset=utf-8"}; }, 0},
        {"no token", [](web::Head& h) { h.authorizations.clear(); }, 401},
        {"a wrong token", [](web::Head& h) { h.authorizations = {"Bearer ffff"}; }, 401},
        {"the token in a cookie",
         [](web::Head& h) { h.authorizations.clear(); h.cookies = {std::string("a=b; zav_token=") + token}; }, 0},
        {"a wrong cookie", [](web::Head& h) { h.authorizations.clear(); h.cookies = {"zav_token=00"}; }, 401},
        {"the token under another scheme",
         [](web::Head& h) { h.authorizations = {std::string("Basic ") + token}; }, 401},
        {"an unknown path of the API", [](web::Head& h) { h.target = "/api/v1/nothing"; }, 404},
        {"an unknown path unpaired", [](web::Head& h) { h.target = "/api/v1/nothing"; h.authorizations.clear(); }, 401},
        {"the wrong method", [](web::Head& h) { h.method = "GET"; }, 405},
        {"an unknown file", [](web::Head& h) { h.method = "GET"; h.target = "/etc/passwd"; }, 404},
        {"the page unpaired", [](web::Head& h) { h.method = "GET"; h.target = "/"; h.authorizations.clear(); }, 0},
        {"pairing unpaired", [](web::Head& h) { h.target = "/api/v1/pair"; h.authorizations.clear(); }, 0},
        {"pairing as a form",
         [](web::Head& h) { h.target = "/api/v1/pair"; h.contentTypes = {"text/plain"}; }, 415},
    };
    for (const Case& c : cases) {
        web::Head h = head("POST", "/api/v1/command");
        c.change(h);
        EXPECT_EQ(screened(h), c.status) << c.name;
    }
    EXPECT_TRUE(remote.asked.empty()) << "screening runs nothing";
}

TEST_F(ApiFixture, ARefusedRequestRunsNothingAndSaysWhyInJson) {
    web::Head forged = head("POST", "/api/v1/command");
    forged.origins = {"http://evil.example"};
    web::Reply reply = run(forged, R"({"command":"PLAY"})");
    EXPECT_EQ(reply.status, 403u);
    EXPECT_EQ(reply.contentType, "application/json");
    EXPECT_NE(reply.body.find("\"error\""), std::string::npos);
    for (const auto& [name, value] : reply.fields)
        EXPECT_EQ(name.find("Access-Control"), std::string::npos) << "no CORS header, ever";
    EXPECT_TRUE(remote.asked.empty());
}

TEST_F(ApiFixture, CommandsVolumeAndTrackGoToTheRemoteWhenValid) {
    struct Case {
        const char* path;
        const char* body;
        unsigned status;
        const char* asked;  // empty: nothing
    };
    const Case cases[] = {
        {"/api/v1/command", R"({"command":"PLAY"})", 204, "command PLAY"},
        {"/api/v1/command", R"({"command":"OPEN WINAMP"})", 204, "command OPEN WINAMP"},
        {"/api/v1/command", R"({"command":"play"})", 400, ""},
        {"/api/v1/command", R"({"command":"FORMAT C"})", 400, ""},
        {"/api/v1/command", R"({"command":5})", 400, ""},
        {"/api/v1/command", R"(["PLAY"])", 400, ""},
        {"/api/v1/command", R"({"command":"PLAY")", 400, ""},
        {"/api/v1/command", "", 400, ""},
        {"/api/v1/volume", R"({"level":0})", 204, "volume 0"},
        {"/api/v1/volume", R"({"level":100})", 204, "volume 100"},
        {"/api/v1/volume", R"({"level":101})", 400, ""},
        {"/api/v1/volume", R"({"level":-1})", 400, ""},
        {"/api/v1/volume", R"({"level":50.5})", 400, ""},
        {"/api/v1/volume", R"({"level":"50"})", 400, ""},
        {"/api/v1/volume", R"({"level":18446744073709551615})", 400, ""},
        {"/api/v1/track", R"({"number":1})", 204, "track 1"},
        {"/api/v1/track", R"({"number":2147483647})", 204, "track 2147483647"},
        {"/api/v1/track", R"({"number":2147483648})", 400, ""},
        {"/api/v1/track", R"({"number":0})", 400, ""},
    };
    for (const Case& c : cases) {
        remote.asked.clear();
        now += 1s;  // clear of the pace
        web::Reply reply = run(head("POST", c.path), c.body);
        EXPECT_EQ(reply.status, c.status) << c.path << " " << c.body;
        std::vector<std::string> expected;
        if (*c.asked)
            expected.push_back(c.asked);
        EXPECT_EQ(remote.asked, expected) << c.path << " " << c.body;
    }
}

TEST_F(ApiFixture, APhoneMayPostTwentyTimesASecond) {
    for (int i = 0; i < web::maxPostsPerSecond; ++i)
        EXPECT_EQ(run(head("POST", "/api/v1/command"), R"({"command":"STOP"})").status, 204u) << i;
    EXPECT_EQ(run(head("POST", "/api/v1/command"), R"({"command":"STOP"})").status, 429u);
    EXPECT_EQ(remote.asked.size(), static_cast<std::size_t>(web::maxPostsPerSecond));
    EXPECT_EQ(screened(head("GET", "/api/v1/state")), 0u) << "reading is not a command";
    now += 1s;
    EXPECT_EQ(run(head("POST", "/api/v1/command"), R"({"command":"STOP"})").status, 204u);
}

TEST_F(ApiFixture, PairingGivesATokenAndKeepsOnlyItsHash) {
    auto code = pairing.open(now);
    ASSERT_TRUE(code);
    web::Head pair = head("POST", "/api/v1/pair");
    pair.authorizations.clear();
    web::Reply reply = run(pair, R"({"code":")" + *code + R"(","name":"Ana's [phone]=\u0007 \u0085x"})");
    ASSERT_EQ(reply.status, 200u) << reply.body;
    auto body = nlohmann::json::parse(reply.body);
    std::string given = body["token"];
    EXPECT_EQ(given.size(), 32u) << "128 bits";
    EXPECT_EQ(body["name"], "Ana's phone x");
    ASSERT_EQ(remote.phones.size(), 1u);
    EXPECT_EQ(remote.phones[0].hash, sha256Hex(crypto, given));
    EXPECT_EQ(remote.phones[0].date, "2026-12-09");
    bool cookie = false;
    for (const auto& [name, value] : reply.fields)
        cookie = cookie || (name == "Set-Cookie" &&
                            value == "zav_token=" + given + "; Max-Age=34560000; HttpOnly; SameSite=Strict; Path=/");
    EXPECT_TRUE(cookie);

    web::Head state = head("GET", "/api/v1/state");
    state.authorizations = {"Bearer " + given};
    EXPECT_EQ(run(state, "").status, 200u) << "the new token drives the remote";
    state.authorizations = {"Bearer " + remote.phones[0].hash};
    EXPECT_EQ(run(state, "").status, 401u) << "the stored hash does not";

    EXPECT_EQ(run(pair, R"({"code":")" + *code + "\"}").status, 429u) << "a code works once";
}

TEST(Pairing, ACodeIsVoidAfterTwoMinutesFiveWrongTriesOrTheWindowClosing) {
    testing_support::SystemCrypto crypto;
    web::Pairing pairing(crypto);
    auto start = Clock::time_point{} + 1h;
    using Outcome = web::Pairing::Outcome;
    auto wrongOf = [](const std::string& code) { return code == "000000" ? std::string("000001") : "000000"; };

    auto code = *pairing.open(start);
    EXPECT_EQ(pairing.attempt(code, start + 119s).outcome, Outcome::paired);

    code = *pairing.open(start);
    EXPECT_EQ(pairing.attempt(code, start + 120s).outcome, Outcome::none) << "expired";
    EXPECT_EQ(pairing.attempt(code, start + 1s).outcome, Outcome::none) << "and stays void";

    code = *pairing.open(start);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pairing.attempt(wrongOf(code), start).outcome, Outcome::wrong);
    EXPECT_EQ(pairing.attempt(code, start).outcome, Outcome::paired) << "four wrong tries leave it";

    code = *pairing.open(start);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pairing.attempt(wrongOf(code), start).outcome, Outcome::wrong);
    EXPECT_EQ(pairing.attempt(code, start).outcome, Outcome::none) << "the fifth wrong try voids it";

    code = *pairing.open(start);
    pairing.close();
    EXPECT_EQ(pairing.attempt(code, start).outcome, Outcome::none) << "the window closed";

    auto first = *pairing.open(start);
    auto second = *pairing.open(start);
    if (first != second) {
        EXPECT_EQ(pairing.attempt(first, start).outcome, Outcome::wrong) << "a new code voids the old";
    }
}

TEST(Pairing, CodesAreSixDigitsDrawnFairlyAndNoneWithoutRandomness) {
    ScriptedCrypto crypto;
    web::Pairing pairing(crypto);
    // 0xFFFFFFFF is past the last whole million and is drawn again.
    crypto.bytes = {0xFF, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0};
    EXPECT_EQ(pairing.open(Clock::now()), "000007");
    crypto.bytes = {0x3F, 0x42, 0x0F, 0x00};  // 999999
    EXPECT_EQ(pairing.open(Clock::now()), "999999");
    crypto.bytes.clear();
    EXPECT_EQ(pairing.open(Clock::now()), std::nullopt);
    EXPECT_EQ(pairing.attempt("999999", Clock::now()).outcome, web::Pairing::Outcome::none)
        << "no token without randomness";
    crypto.bytes.assign(16, 0xAB);
    auto attempt = pairing.attempt("999999", Clock::now());
    EXPECT_EQ(attempt.outcome, web::Pairing::Outcome::paired) << "failed draws left the open code";
    EXPECT_EQ(attempt.token, "abababababababababababababababab");
}

TEST(Phones, NamesFromPhonesAreMadeSafeToStore) {
    struct Case {
        std::string given, stored;
    };
    const Case cases[] = {
        {"Ana's phone", "Ana's phone"},
        {"  spaced  ", "spaced"},
        {"[WEB]\nENABLED=1\r", "WEBENABLED1"},
        {"", "Phone"},
        {"\x01\x02", "Phone"},
        {std::string(50, 'a'), std::string(40, 'a')},
        {"\xC8\x98tefan \xF0\x9F\x93\xB1", "\xC8\x98tefan \xF0\x9F\x93\xB1"},
        {std::string(39, 'a') + "\xC8\x98" + "b", std::string(39, 'a') + "\xC8\x98"},
        {"bad\xFF\xC3utf", "badutf"},
        {"c1\xC2\x85x", "c1x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(web::cleanPhoneName(c.given), c.stored) << c.given;
}

TEST(Phones, LinesOfTheSettingsFileAreReadBack) {
    std::string hash(64, 'a');
    web::Phone phone{hash, "2026-12-09", "Ana"};
    auto read = web::phoneFromLine(phone.hash, web::phoneLineValue(phone));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, phone);
    EXPECT_FALSE(web::phoneFromLine(std::string(63, 'a'), "2026-12-09 Ana")) << "short hash";
    EXPECT_FALSE(web::phoneFromLine(std::string(64, 'A'), "2026-12-09 Ana")) << "not our hex";
    EXPECT_FALSE(web::phoneFromLine(hash, "09.12.2026 Ana"));
    EXPECT_EQ(web::phoneFromLine(hash, "2026-12-09")->name, "Phone");
    EXPECT_EQ(web::phoneFromLine(hash, "2026-12-09 x\x01y")->name, "xy");
}

TEST(Phones, ForgettingEndsEveryPairing) {
    web::Phones phones;
    phones.add({std::string(64, 'a'), "2026-12-09", "Ana"});
    phones.add({std::string(64, 'b'), "2026-12-09", "Bob"});
    auto before = phones.forgetting();
    phones.forget(std::string(64, 'a'));
    EXPECT_FALSE(phones.knows(std::string(64, 'a')));
    EXPECT_TRUE(phones.knows(std::string(64, 'b')));
    EXPECT_NE(phones.forgetting(), before);
    phones.forgetAll();
    EXPECT_FALSE(phones.knows(std::string(64, 'b')));
    EXPECT_TRUE(phones.list().empty());
}

TEST(WebState, TheApiTellsTheStateAsItsTableSays) {
    web::WebState state;
    EXPECT_EQ(nlohmann::json::parse(web::stateJson(state)),
              nlohmann::json::parse(R"({"player":null,"state":"none","position_ms":null,"track":null,
                 "title":null,"volume":null,"muted":false,"shuffle":null,"repeat":null,"typed":"","list":0})"));
    state = {"Winamp 5.9", "playing", 61000, 3, "Song \xC8\x99 \xFF", 40, true, false, true, "12"};
    auto json = nlohmann::json::parse(web::stateJson(state));
    EXPECT_EQ(json["player"], "Winamp 5.9");
    EXPECT_EQ(json["state"], "playing");
    EXPECT_EQ(json["position_ms"], 61000);
    EXPECT_EQ(json["track"], 3);
    EXPECT_EQ(json["title"], "Song \xC8\x99 \xEF\xBF\xBD") << "a byte that is not UTF-8 is replaced";
    EXPECT_EQ(json["volume"], 40);
    EXPECT_EQ(json["muted"], true);
    EXPECT_EQ(json["shuffle"], false);
    EXPECT_EQ(json["repeat"], true);
    EXPECT_EQ(json["typed"], "12");
}

TEST(Peers, OnlyTheHomeNetworkIsServed) {
    using boost::asio::ip::make_address;
    std::vector<web::OnLinkPrefix> onLink = {{make_address("2a02:2f0c:1::5"), 64},
                                             {make_address("100.64.3.9"), 24},
                                             {make_address("2000::"), 3}};
    struct Case {
        const char* peer;
        bool served;
    };
    const Case cases[] = {
        {"127.0.0.1", true},        {"127.200.1.1", true},      {"10.1.2.3", true},
        {"172.16.0.1", true},       {"172.31.255.255", true},   {"172.32.0.1", false},
        {"172.15.255.255", false},  {"192.168.1.50", true},     {"192.169.1.50", false},
        {"169.254.7.7", true},      {"8.8.8.8", false},         {"100.64.3.200", true},
        {"100.64.4.1", false},      {"::1", true},              {"fe80::1234", true},
        {"febf::1", true},          {"fec0::1", false},         {"fd12:3456::1", true},
        {"fc00::1", true},          {"2a02:2f0c:1::77", true},  {"2a02:2f0c:2::77", false},
        {"2001:4860::8888", false}, {"::ffff:192.168.1.9", true}, {"::ffff:8.8.8.8", false},
        {"::", false},              {"0.0.0.0", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(web::servedPeer(make_address(c.peer), onLink), c.served) << c.peer;
}

}  // namespace
