// The play list for the phones: read from the player in slices that keep
// their bound of player messages and of time, kept while the list stays the
// same and read anew when it does not, a player that goes silent midway
// left alone for a while; paged at its ends and searched whole words at a
// time, letter case and accents aside; and the API's query, read by its
// rules.
#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "app/play_list_reader.h"
#include "app/web_link.h"
#include "support/remote_fixture.h"
#include "support/system_crypto.h"
#include "support/system_folding.h"
#include "web/api.h"

namespace {

using namespace std::chrono_literals;
using Reader = app::PlayListReader;

testing_support::SystemFolding folding;

web::Fold foldFunction() {
    return [](std::string_view text) { return folding.fold(text); };
}

std::vector<std::int32_t> numbers(const web::ListPage& page) {
    std::vector<std::int32_t> out;
    for (const auto& item : page.items) out.push_back(item.number);
    return out;
}

// Every title read.
void readInto(web::PlayList& list, const std::vector<std::string>& titles) {
    list.reset(static_cast<std::int32_t>(titles.size()));
    for (std::size_t i = 0; i < titles.size(); ++i) list.setTitle(static_cast<std::int32_t>(i), titles[i]);
}

TEST(PlayListSearch, FindsTitlesHoldingEveryWordCaseAndAccentsAside) {
    web::PlayList list(foldFunction());
    readInto(list, {"Ștefan cel Mare", "Café del Mar", "ПРИВЕТ мир", "Queen - Bohemian Rhapsody", "Bohemian Like You",
                    "Ｗｉｄｅ Letters", "Naïve"});
    struct Case {
        const char* query;
        std::vector<std::int32_t> found;
    };
    const Case cases[] = {
        {"stefan", {1}},         {"CAFE", {2}},         {"привет", {3}},           {"Мир привет", {3}},
        {"bohemian", {4, 5}},    {"bohemian queen", {4}}, {"queen like", {}},      {"wide", {6}},
        {"naive", {7}},          {"naïve", {7}},        {"mar", {1, 2}},           {"zzz", {}},
        {"  bohemian   you ", {5}},
    };
    for (const Case& c : cases) {
        const web::ListPage page = list.search(c.query, 0, 50);
        EXPECT_EQ(numbers(page), c.found) << c.query;
        EXPECT_EQ(page.length, static_cast<std::int32_t>(c.found.size())) << c.query;
        EXPECT_TRUE(page.complete);
    }
    EXPECT_EQ(list.search("   ", 0, 50).items.size(), 7u) << "no word: the whole list";
}

TEST(PlayListSearch, CountsTheMatchesFoundSoFarUntilEveryTitleIsRead) {
    web::PlayList list(foldFunction());
    list.reset(4);
    list.setTitle(0, "Song one");
    list.setTitle(2, "Song three");
    web::ListPage page = list.search("song", 0, 50);
    EXPECT_EQ(numbers(page), (std::vector<std::int32_t>{1, 3}));
    EXPECT_FALSE(page.complete);
    list.setTitle(1, std::nullopt);
    list.setTitle(3, "song FOUR");
    page = list.search("song", 0, 50);
    EXPECT_EQ(numbers(page), (std::vector<std::int32_t>{1, 3, 4}));
    EXPECT_TRUE(page.complete) << "a title that cannot be read is read all the same";
    EXPECT_EQ(numbers(list.search("song", 1, 1)), (std::vector<std::int32_t>{3})) << "paged within the matches";
    EXPECT_EQ(list.search("song", 1, 1).length, 3);
}

TEST(PlayListPages, EndsAndPosition) {
    std::vector<std::string> titles;
    for (int i = 1; i <= 120; ++i) titles.push_back("Title " + std::to_string(i));
    web::PlayList list(foldFunction());
    readInto(list, titles);
    struct Case {
        std::size_t offset, count;
        std::size_t items;
        std::int32_t first;
    };
    const Case cases[] = {{0, 50, 50, 1}, {100, 50, 20, 101}, {119, 200, 1, 120}, {120, 50, 0, 0}, {5000, 50, 0, 0}};
    for (const Case& c : cases) {
        const web::ListPage page = list.page(c.offset, c.count);
        EXPECT_EQ(page.items.size(), c.items) << c.offset;
        EXPECT_EQ(page.length, 120);
        EXPECT_EQ(page.offset, c.offset);
        if (c.items) {
            EXPECT_EQ(page.items.front().number, c.first);
            EXPECT_EQ(page.items.front().title, "Title " + std::to_string(c.first));
        }
    }
    list.setPosition(120);
    EXPECT_EQ(list.page(0, 1).position, 120);
    list.setPosition(121);
    EXPECT_EQ(list.page(0, 1).position, std::nullopt) << "beyond the list is none of its titles";
    list.setPosition(std::nullopt);
    EXPECT_EQ(list.page(0, 1).position, std::nullopt);

    web::PlayList unknown(foldFunction());
    EXPECT_FALSE(unknown.page(0, 50).complete) << "nothing read yet is not an empty list";
    unknown.reset(0);
    EXPECT_TRUE(unknown.page(0, 50).complete) << "no play list";
}

class PlayListReaderTest : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    void SetUp() override {
        player.running = true;
        player.program = "winamp.exe";
        player.replies = {{0, 0x5090}, {104, 1}, {125, 41}};
        start("[IR]\r\nACTIVARE=0\r\n");
        reader = std::make_unique<Reader>(remote, "Reader", *remote->WinampControl, list, [this] { return clock; });
        changed = reader->onChanged([this] { ++changes; });
    }
    void TearDown() override { reader.reset(); }
    void fill(int n, const std::string& words = "Track") {
        player.list.clear();
        for (int i = 1; i <= n; ++i) player.list.push_back(words + " " + std::to_string(i));
    }
    // One slice, as the timer fires it: the player messages it sent.
    std::size_t slice() {
        player.sent.clear();
        if (host.timerRunning(*reader->TimerSlice)) host.fireTimer(*reader->TimerSlice);
        return player.sent.size();
    }
    // Slices until the reader rests; how many it took.
    int readAll(int most = 100000) {
        int slices = 0;
        while (host.timerRunning(*reader->TimerSlice) && slices < most) {
            slice();
            ++slices;
        }
        return slices;
    }
    std::size_t titlesAsked() const {
        return static_cast<std::size_t>(std::count_if(player.sent.begin(), player.sent.end(), [](const std::string& s) {
            return s.rfind("request 213 ", 0) == 0 || s.rfind("request 212 ", 0) == 0;
        }));
    }

    std::chrono::steady_clock::time_point clock{};
    web::PlayList list{foldFunction()};
    std::unique_ptr<Reader> reader;
    int changes = 0;
    fw::Subscription changed;
};

TEST_F(PlayListReaderTest, ReadsTenThousandTitlesInSlicesWithinTheirBound) {
    fill(10000);
    player.sent.clear();
    reader->asked(0);
    EXPECT_TRUE(player.sent.empty()) << "asking only schedules: the player is read on the timer's time";
    std::size_t most = 0;
    int slices = 0;
    while (host.timerRunning(*reader->TimerSlice)) {
        most = std::max(most, slice());
        ++slices;
        ASSERT_LT(slices, 1000);
    }
    EXPECT_LE(most, static_cast<std::size_t>(Reader::titlesPerSlice)) << "the length and the position count too";
    EXPECT_LE(slices, 10000 / Reader::titlesPerSlice + 2) << "every slice but the last is full";
    EXPECT_TRUE(list.complete());
    EXPECT_EQ(list.length(), 10000);
    EXPECT_EQ(list.position(), 42);
    EXPECT_EQ(list.page(9999, 1).items.at(0).title, "Track 10000");
    EXPECT_EQ(list.search("track 1234", 0, 50).items.at(0).number, 1234);
    EXPECT_EQ(changes, 1);
    player.sent.clear();
    host.now += 10000;
    EXPECT_TRUE(player.sent.empty()) << "read, it asks nothing more";
}

TEST_F(PlayListReaderTest, ASliceEndsAtItsTimeWhateverItsCount) {
    fill(200);
    // Each look at the clock is 3 ms on: the slice stops at 20 ms.
    changed.reset();
    reader = std::make_unique<Reader>(remote, "Slow", *remote->WinampControl, list, [this] { return clock += 3ms; });
    reader->asked(0);
    slice();
    EXPECT_GT(titlesAsked(), 0u);
    EXPECT_LE(titlesAsked(), 7u) << "20 ms at 3 ms a title";
}

TEST_F(PlayListReaderTest, ThePlaceAskedIsReadFirst) {
    fill(5000);
    reader->asked(3000);
    slice();
    EXPECT_EQ(list.title(3000), std::optional<std::optional<std::string>>("Track 3001"));
    EXPECT_EQ(list.title(0), std::nullopt) << "the rest after the page asked for";
}

TEST_F(PlayListReaderTest, KeptWhileTheSameReadAnewWhenNot) {
    fill(500);
    reader->asked(0);
    readAll();
    ASSERT_TRUE(list.complete());
    const std::uint32_t number = list.number();

    clock += 2s;
    reader->asked(0);
    EXPECT_LE(slice(), 8u) << "the length, the position and a few titles checked";
    EXPECT_FALSE(host.timerRunning(*reader->TimerSlice)) << "the same list is not read again";
    EXPECT_EQ(list.number(), number);

    reader->asked(0);
    EXPECT_EQ(slice(), 0u) << "checked at most once a second";

    clock += 2s;
    player.list[250] = "Edited in the middle";
    reader->asked(0);
    readAll();
    EXPECT_NE(list.number(), number) << "a title changed at a place checked: read anew";
    EXPECT_EQ(list.title(250), std::optional<std::optional<std::string>>("Edited in the middle"));
    EXPECT_EQ(changes, 2);

    clock += 2s;
    fill(501, "Other");
    reader->asked(0);
    readAll();
    EXPECT_EQ(list.length(), 501);
    EXPECT_EQ(list.title(0), std::optional<std::optional<std::string>>("Other 1"));
}

TEST_F(PlayListReaderTest, TheLengthIsLookedAtOnlyWhileFollowed) {
    fill(100);
    reader->asked(0);
    readAll();
    const std::uint32_t number = list.number();
    EXPECT_FALSE(host.timerRunning(*reader->TimerLength));
    reader->follow(true);
    player.sent.clear();
    host.fireTimer(*reader->TimerLength);
    EXPECT_EQ(player.sent, (std::vector<std::string>{"request 124 0"})) << "one question every 2 s";
    EXPECT_EQ(list.number(), number);
    player.list.pop_back();
    host.fireTimer(*reader->TimerLength);
    EXPECT_NE(list.number(), number) << "a title went: the list changed";
    EXPECT_EQ(list.length(), 99);
    player.running = false;
    host.fireTimer(*reader->TimerLength);
    EXPECT_EQ(list.length(), 0) << "no player, no play list";
    EXPECT_TRUE(list.complete());
    reader->follow(false);
    EXPECT_FALSE(host.timerRunning(*reader->TimerLength));
}

TEST_F(PlayListReaderTest, APlayerThatStopsAnsweringMidwayIsLeftAloneForAWhile) {
    fill(1000);
    reader->asked(0);
    slice();
    slice();
    const web::ListPage first = list.page(0, 200);
    const auto readBefore = static_cast<std::int32_t>(
        std::count_if(first.items.begin(), first.items.end(), [](const web::ListItem& i) { return i.title.has_value(); }));
    ASSERT_GT(readBefore, 0);
    player.answersLeft = 10;
    slice();
    EXPECT_FALSE(host.timerRunning(*reader->TimerSlice)) << "the first question left unanswered ends the reading";
    EXPECT_EQ(player.sent.size(), 11u) << "one wait, not one a title";
    EXPECT_EQ(player.sent.back(), "request 213 " + std::to_string(readBefore + 10));
    EXPECT_FALSE(list.complete());
    EXPECT_EQ(list.title(readBefore + 9), std::optional<std::optional<std::string>>("Track " + std::to_string(readBefore + 10)))
        << "what was read is kept";
    EXPECT_EQ(list.title(readBefore + 10), std::nullopt);

    player.answersLeft = -1;
    reader->asked(0);
    EXPECT_EQ(slice(), 0u) << "not asked again at once";
    clock += 3s;
    reader->asked(0);
    readAll();
    EXPECT_TRUE(list.complete());
    EXPECT_EQ(list.length(), 1000);
}

TEST_F(PlayListReaderTest, APlayerThatAnswersNothingHasNoListUntilItAnswers) {
    fill(300);
    player.answersLeft = 0;
    reader->asked(0);
    slice();
    EXPECT_EQ(player.sent.size(), 1u) << "one question left unanswered, no more";
    EXPECT_TRUE(list.complete());
    EXPECT_EQ(list.length(), 0) << "no play list while none answers";
    const std::uint32_t number = list.number();
    player.answersLeft = -1;
    clock += 3s;
    reader->asked(0);
    readAll();
    EXPECT_EQ(list.length(), 300);
    EXPECT_TRUE(list.complete());
    EXPECT_NE(list.number(), number) << "the page is told to read it again";
}

TEST_F(PlayListReaderTest, NoPlayerIsNoPlayList) {
    player.running = false;
    reader->asked(0);
    readAll();
    EXPECT_TRUE(list.complete());
    EXPECT_EQ(list.length(), 0);
    EXPECT_EQ(list.page(0, 50).position, std::nullopt);
}

TEST_F(PlayListReaderTest, FoobarsBridgeGivesItsTitlesButNotWhichPlays) {
    player.program = "foobar2000.exe";
    player.replies = {{0, 0x2080}, {125, 0}};
    fill(40, "Caf\xE9");  // its 8-bit titles, in the players' code page
    reader->asked(0);
    bool wide = false;
    while (host.timerRunning(*reader->TimerSlice)) {
        slice();
        wide = wide || std::any_of(player.sent.begin(), player.sent.end(),
                                   [](const std::string& s) { return s.rfind("request 213", 0) == 0; });
    }
    EXPECT_FALSE(wide) << "the bridge has no wide titles";
    EXPECT_EQ(list.position(), std::nullopt) << "its 125 always says the first: no title is marked";
    EXPECT_EQ(list.search("cafe 40", 0, 50).items.at(0).title, "Caf\xC3\xA9 40");
}

TEST_F(PlayListReaderTest, TheWebLinkServesTheListAndTellsItsNumber) {
    fill(30);
    app::WebLink& web = *remote->Web;
    web.ListReader->asked(0);
    while (host.timerRunning(*web.ListReader->TimerSlice)) host.fireTimer(*web.ListReader->TimerSlice);
    EXPECT_TRUE(web.playList().complete());
    EXPECT_EQ(web.playList().page(0, 50).items.size(), 30u);
}

// The API's query, as the rules read it.
struct ListApi : ::testing::Test {
    struct Wanted : web::RemoteLink {
        std::vector<std::optional<std::int32_t>> asked;
        void command(const std::string&) override {}
        void volume(int) override {}
        void track(std::int32_t) override {}
        void paired(const web::Phone&) override {}
        void listWanted(std::optional<std::int32_t> from) override { asked.push_back(from); }
    } remote;
    testing_support::SystemCrypto crypto;
    web::Pairing pairing{crypto};
    web::Phones phones;
    web::Api api{remote, pairing, phones, crypto, [] { return web::Clock::now(); }, [] { return std::string("2026-12-09"); }};
    web::PlayList list{foldFunction()};

    ListApi() {
        readInto(list, {"Alpha", "Beta", "Gamma", "Été indien", "beta blues"});
        api.setup({web::hostsOfThisPc({"192.168.1.23"}, "DESK", 8780), {"PLAY"}, {}});
        api.serveList(&list);
        phones.add({web::hexOf(crypto.sha256("token").data(), 32), "2026-12-01", "Ana"});
    }
    web::Reply get(const std::string& target, bool paired = true) {
        web::Head h;
        h.method = "GET";
        h.target = target;
        h.hosts = {"192.168.1.23:8780"};
        if (paired) h.authorizations = {"Bearer token"};
        auto verdict = api.screen(h);
        if (auto* refusal = std::get_if<web::Reply>(&verdict)) return *refusal;
        return api.answer(h, std::get<web::Admitted>(verdict), "", web::WebState{});
    }
};

TEST_F(ListApi, QueriesAreReadByTheirRules) {
    struct Case {
        const char* target;
        unsigned status;
        std::vector<std::int32_t> numbers;
    };
    const Case cases[] = {
        {"/api/v1/playlist", 200, {1, 2, 3, 4, 5}},
        {"/api/v1/playlist?offset=3", 200, {4, 5}},
        {"/api/v1/playlist?offset=5", 200, {}},
        {"/api/v1/playlist?offset=1&count=2", 200, {2, 3}},
        {"/api/v1/playlist?count=200", 200, {1, 2, 3, 4, 5}},
        {"/api/v1/playlist?q=BETA", 200, {2, 5}},
        {"/api/v1/playlist?q=ete+INDIEN", 200, {4}},
        {"/api/v1/playlist?q=%C3%89t%C3%A9", 200, {4}},
        {"/api/v1/playlist?q=beta&offset=1", 200, {5}},
        {"/api/v1/playlist?q=", 200, {1, 2, 3, 4, 5}},
        {"/api/v1/playlist?other=1", 200, {1, 2, 3, 4, 5}},
        {"/api/v1/playlist?count=201", 400, {}},
        {"/api/v1/playlist?count=0", 400, {}},
        {"/api/v1/playlist?count=", 400, {}},
        {"/api/v1/playlist?offset=-1", 400, {}},
        {"/api/v1/playlist?offset=1e3", 400, {}},
        {"/api/v1/playlist?offset=+3", 400, {}},
        {"/api/v1/playlist?offset=99999999999999999999", 400, {}},
        {"/api/v1/playlist?offset=1&offset=2", 400, {}},
        {"/api/v1/playlist?q=%ZZ", 400, {}},
    };
    for (const Case& c : cases) {
        const web::Reply reply = get(c.target);
        ASSERT_EQ(reply.status, c.status) << c.target << ": " << reply.body;
        if (c.status != 200) continue;
        const auto body = nlohmann::json::parse(reply.body);
        std::vector<std::int32_t> got;
        for (const auto& item : body["items"]) got.push_back(item["number"].get<std::int32_t>());
        EXPECT_EQ(got, c.numbers) << c.target;
        EXPECT_TRUE(body["complete"].get<bool>());
    }
    EXPECT_EQ(get("/api/v1/playlist?q=" + std::string(300, 'a')).status, 400u) << "a search too long";
    EXPECT_EQ(get("/api/v1/playlist", false).status, 401u);
}

TEST_F(ListApi, AReplyNeverWaitsAndAsksForThePlaceItServed) {
    remote.asked.clear();
    get("/api/v1/playlist?offset=40&count=10");
    get("/api/v1/playlist?q=beta");
    EXPECT_EQ(remote.asked, (std::vector<std::optional<std::int32_t>>{40, std::nullopt}));
    list.setPosition(2);
    const auto body = nlohmann::json::parse(get("/api/v1/playlist?count=1").body);
    EXPECT_EQ(body, nlohmann::json::parse(R"({"length": 5, "position": 2, "offset": 0,
                                             "items": [{"number": 1, "title": "Alpha"}], "complete": true})"));
    web::PlayList reading(foldFunction());
    reading.reset(3);
    reading.setTitle(0, "First");
    api.serveList(&reading);
    const auto partial = nlohmann::json::parse(get("/api/v1/playlist").body);
    EXPECT_FALSE(partial["complete"].get<bool>());
    EXPECT_TRUE(partial["items"][1]["title"].is_null()) << "a title not read yet";
    EXPECT_EQ(partial["length"], 3);
}

}  // namespace
