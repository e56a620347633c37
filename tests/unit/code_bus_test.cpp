// The one path of codes: every source's codes in the order they came, the
// choice between a press and a held key and between learning and carrying
// out made once on the GUI thread, a flood bounded, and the dialog's fresh
// start heard by the sources.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <thread>
#include <vector>

#include "framework/application.h"
#include "ir/code_bus.h"
#include "support/headless_host.h"

namespace {

using ir::Arrival;
using ir::CodeSource;
using Strings = std::vector<std::string>;

class CodeBusTest : public ::testing::Test {
protected:
    CodeBusTest() {
        host.now = 0;
        learning = codes.onLearn([this](const ir::CodeEvent& e) { heard.push_back("learn " + describe(e)); });
        carrying = codes.onCarryOut([this](const ir::CodeEvent& e) { heard.push_back("carry out " + describe(e)); });
    }
    static std::string describe(const ir::CodeEvent& e) {
        return e.code + (e.source == CodeSource::serial ? " serial " : " server ") + (e.held ? "held" : "press") +
               " " + std::to_string(e.receivedAt);
    }

    testing_support::HeadlessHost host;
    fw::Application app{host};
    ir::CodeBus codes{app};
    Strings heard;
    fw::Subscription learning, carrying;
};

TEST_F(CodeBusTest, BothSourcesAreHeardInOrderAndEachCodeGoesOneWay) {
    host.now = 100;
    codes.feed(CodeSource::serial, "12345", Arrival::unknown);
    host.now = 120;
    codes.feed(CodeSource::server, "tv:KEY_PLAY", Arrival::press);
    codes.feed(CodeSource::server, "tv:KEY_PLAY", Arrival::repeat);
    EXPECT_TRUE(heard.empty()) << "nothing is heard on the feeding thread";
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"carry out 12345 serial press 100", "carry out tv:KEY_PLAY server press 120",
                              "carry out tv:KEY_PLAY server held 120"}));

    heard.clear();
    codes.setLearning(true);
    codes.feed(CodeSource::server, "tv:KEY_FF", Arrival::press);
    codes.feed(CodeSource::server, "tv:KEY_FF", Arrival::repeat);
    codes.feed(CodeSource::serial, "ABCDE", Arrival::unknown);
    codes.feed(CodeSource::serial, "ABCDE", Arrival::unknown);
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"learn tv:KEY_FF server press 120", "learn ABCDE serial press 120"}))
        << "a held key is no second press for the dialog, and nothing is carried out";
}

// Arrivals of codes, and whether the bus calls each a held key.
struct PressCase {
    const char* what;
    std::vector<std::tuple<const char*, Arrival, std::uint32_t>> arrivals;
    std::vector<bool> held;
};

void PrintTo(const PressCase& c, std::ostream* os) { *os << c.what; }

class PressOrHeld : public CodeBusTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressOrHeld, IsDecidedOnTheBussClock) {
    codes.setHeldKeyCode([](const std::string& code) { return code == "FFFF0"; });
    std::vector<bool> held;
    const fw::Subscription listening = codes.onCarryOut([&](const ir::CodeEvent& e) { held.push_back(e.held); });
    for (const auto& [code, arrival, at] : GetParam().arrivals) {
        host.now = at;
        codes.feed(CodeSource::serial, code, arrival);
    }
    host.runPosted();
    EXPECT_EQ(held, GetParam().held);
}

const auto unknown = Arrival::unknown;
const auto press = Arrival::press;
const auto repeat = Arrival::repeat;
const auto held = Arrival::held;

INSTANTIATE_TEST_SUITE_P(
    Table, PressOrHeld,
    ::testing::Values(
        PressCase{"the same code within 250 ms is held", {{"12345", unknown, 0}, {"12345", unknown, 250}}, {false, true}},
        PressCase{"after 251 ms it is a new press", {{"12345", unknown, 0}, {"12345", unknown, 251}}, {false, false}},
        PressCase{"another code is a new press", {{"12345", unknown, 0}, {"54321", unknown, 10}}, {false, false}},
        PressCase{"a server's repeat count of 0 is a press however soon",
                  {{"r:K", press, 0}, {"r:K", press, 10}, {"r:K", repeat, 120}}, {false, false, true}},
        PressCase{"a repeat with nothing before is a press (the connection began mid-hold)",
                  {{"r:K", repeat, 0}, {"r:K", repeat, 110}}, {false, true}},
        PressCase{"the held-key code holds the key before it, and the key again after it",
                  {{"12345", unknown, 0}, {"FFFF0", unknown, 110}, {"FFFF0", unknown, 220}, {"12345", unknown, 330}},
                  {false, true, true, true}},
        PressCase{"the held-key code after a silence starts a press of its own",
                  {{"12345", unknown, 0}, {"FFFF0", unknown, 300}, {"FFFF0", unknown, 410}}, {false, false, true}},
        PressCase{"a key its source says is down holds its own press, however long",
                  {{"key:VOLUME_UP", press, 0}, {"key:VOLUME_UP", held, 100}, {"key:VOLUME_UP", held, 900}},
                  {false, true, true}},
        PressCase{"a held key whose press another code ended holds nothing: it is dropped",
                  {{"key:VOLUME_UP", press, 0}, {"A1B2C3", unknown, 50}, {"key:VOLUME_UP", held, 100},
                   {"A1B2C3", unknown, 120}},
                  {false, false, true}},
        PressCase{"a held key with no press before it starts nothing", {{"key:VOLUME_UP", held, 0}}, {}},
        PressCase{"the clock wrapping round still counts the time between",
                  {{"12345", unknown, 0xFFFFFFF0u}, {"12345", unknown, 100}}, {false, true}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(CodeBusTest, TheChoiceIsMadeWhenTheCodeReachesTheGuiThread) {
    // Fed while the dialog was hidden, it is learned if the dialog shows
    // before the code arrives; a listener that opens the dialog turns the
    // codes after it.
    codes.feed(CodeSource::serial, "11111", Arrival::unknown);
    codes.setLearning(true);
    host.runPosted();
    const fw::Subscription opener = codes.onCarryOut([this](const ir::CodeEvent&) { codes.setLearning(true); });
    codes.setLearning(false);
    codes.feed(CodeSource::serial, "22222", Arrival::unknown);
    codes.feed(CodeSource::serial, "33333", Arrival::unknown);
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"learn 11111 serial press 0", "carry out 22222 serial press 0",
                              "learn 33333 serial press 0"}));
}

TEST_F(CodeBusTest, ACodeWhoseListenerServesMessagesLetsTheCodesAfterItGoOnInOrder) {
    // As a message box does: the GUI thread serves posted work inside a listener.
    const fw::Subscription box = codes.onCarryOut([this](const ir::CodeEvent& e) {
        if (e.code != "A") return;
        codes.feed(CodeSource::server, "C", Arrival::press);
        host.runPosted();
        heard.push_back("box closed");
    });
    codes.feed(CodeSource::serial, "A", Arrival::unknown);
    codes.feed(CodeSource::serial, "B", Arrival::unknown);
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"carry out A serial press 0", "carry out B serial press 0", "carry out C server press 0",
                              "box closed"}));
}

TEST_F(CodeBusTest, AFloodKeepsTheNewestCodesAndOneDrainIsPosted) {
    for (int i = 0; i < 1000; ++i) codes.feed(CodeSource::server, "r:K" + std::to_string(i), Arrival::press);
    EXPECT_EQ(codes.waiting(), ir::CodeBus::maxWaiting);
    host.runPosted();
    ASSERT_EQ(heard.size(), ir::CodeBus::maxWaiting);
    EXPECT_EQ(heard.front(), "carry out r:K936 server press 0");
    EXPECT_EQ(heard.back(), "carry out r:K999 server press 0");
    EXPECT_EQ(codes.waiting(), 0u);
    heard.clear();
    host.runPosted();
    EXPECT_TRUE(heard.empty()) << "one drain took them all";
}

// Runs under ThreadSanitizer too.
TEST_F(CodeBusTest, ThreadsTwoSourcesFeedingAtOnceKeepEachOnesOrder) {
    constexpr int perSource = 30;  // together below the bound: none is dropped
    std::thread serial([this] {
        for (int i = 0; i < perSource; ++i) codes.feed(CodeSource::serial, "S" + std::to_string(i), Arrival::unknown);
    });
    std::thread server([this] {
        for (int i = 0; i < perSource; ++i) codes.feed(CodeSource::server, "L" + std::to_string(i), Arrival::press);
    });
    serial.join();
    server.join();
    host.runPosted();
    std::vector<int> next(2, 0);
    for (const std::string& h : heard) {
        const bool fromSerial = h.find(" serial ") != std::string::npos;
        const std::string expected = (fromSerial ? "S" : "L") + std::to_string(next[fromSerial]++);
        EXPECT_EQ(h.substr(std::string("carry out ").size(), expected.size() + 1), expected + " ");
    }
    EXPECT_EQ(next, (std::vector<int>{perSource, perSource}));
}

TEST_F(CodeBusTest, AFreshStartIsHeardByEverySourceAndWhatAGoneBusPostedIsDroppedWithoutHarm) {
    int dropped = 0;
    const fw::Subscription a = codes.onAfresh([&] { ++dropped; });
    const fw::Subscription b = codes.onAfresh([&] { ++dropped; });
    codes.startAfresh();
    EXPECT_EQ(dropped, 2);

    auto gone = std::make_unique<ir::CodeBus>(app);
    const fw::Subscription late = gone->onCarryOut([&](const ir::CodeEvent&) { heard.push_back("late"); });
    gone->feed(CodeSource::serial, "12345", Arrival::unknown);
    gone.reset();
    host.runPosted();
    EXPECT_TRUE(heard.empty()) << "what was fed before the bus went reaches no one, without harm";
    codes.feed(CodeSource::serial, "67890", Arrival::unknown);
    host.runPosted();
    EXPECT_EQ(heard, Strings{"carry out 67890 serial press 0"}) << "the bus that lives goes on";
}

}  // namespace
