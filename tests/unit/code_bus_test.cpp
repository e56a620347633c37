// The one path of codes: every source's codes in the order they came, the
// choice between learning and carrying out made once on the GUI thread, a
// flood bounded, and the dialog's fresh start heard by the sources.
#include <gtest/gtest.h>

#include <string>
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
        const char* arrival = e.arrival == Arrival::timed ? "timed" : e.arrival == Arrival::press ? "press" : "held";
        return e.code + (e.source == CodeSource::serial ? " serial " : " server ") + arrival + " " +
               std::to_string(e.receivedAt);
    }

    testing_support::HeadlessHost host;
    fw::Application app{host};
    ir::CodeBus codes{app};
    Strings heard;
    fw::Subscription learning, carrying;
};

TEST_F(CodeBusTest, BothSourcesAreHeardInOrderAndEachCodeGoesOneWay) {
    host.now = 100;
    codes.feed(CodeSource::serial, "12345", Arrival::timed);
    host.now = 120;
    codes.feed(CodeSource::server, "tv:KEY_PLAY", Arrival::press);
    codes.feed(CodeSource::server, "tv:KEY_PLAY", Arrival::held);
    EXPECT_TRUE(heard.empty()) << "nothing is heard on the feeding thread";
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"carry out 12345 serial timed 100", "carry out tv:KEY_PLAY server press 120",
                              "carry out tv:KEY_PLAY server held 120"}));

    heard.clear();
    codes.setLearning(true);
    codes.feed(CodeSource::server, "tv:KEY_FF", Arrival::press);
    codes.feed(CodeSource::server, "tv:KEY_FF", Arrival::held);
    codes.feed(CodeSource::serial, "ABCDE", Arrival::timed);
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"learn tv:KEY_FF server press 120", "learn ABCDE serial timed 120"}))
        << "a held key is no second press for the dialog, and nothing is carried out";
}

TEST_F(CodeBusTest, TheChoiceIsMadeWhenTheCodeReachesTheGuiThread) {
    // Fed while the dialog was hidden, it is learned if the dialog shows
    // before the code arrives; a listener that opens the dialog turns the
    // codes after it.
    codes.feed(CodeSource::serial, "11111", Arrival::timed);
    codes.setLearning(true);
    host.runPosted();
    const fw::Subscription opener = codes.onCarryOut([this](const ir::CodeEvent&) { codes.setLearning(true); });
    codes.setLearning(false);
    codes.feed(CodeSource::serial, "22222", Arrival::timed);
    codes.feed(CodeSource::serial, "33333", Arrival::timed);
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"learn 11111 serial timed 0", "carry out 22222 serial timed 0",
                              "learn 33333 serial timed 0"}));
}

TEST_F(CodeBusTest, ACodeWhoseListenerServesMessagesLetsTheCodesAfterItGoOnInOrder) {
    // As a message box does: the GUI thread serves posted work inside a listener.
    const fw::Subscription box = codes.onCarryOut([this](const ir::CodeEvent& e) {
        if (e.code != "A") return;
        codes.feed(CodeSource::server, "C", Arrival::press);
        host.runPosted();
        heard.push_back("box closed");
    });
    codes.feed(CodeSource::serial, "A", Arrival::timed);
    codes.feed(CodeSource::serial, "B", Arrival::timed);
    host.runPosted();
    EXPECT_EQ(heard, (Strings{"carry out A serial timed 0", "carry out B serial timed 0", "carry out C server press 0",
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
        for (int i = 0; i < perSource; ++i) codes.feed(CodeSource::serial, "S" + std::to_string(i), Arrival::timed);
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

TEST_F(CodeBusTest, AFreshStartIsHeardByEverySourceAndAGoneBusDropsWhatWasPosted) {
    int dropped = 0;
    const fw::Subscription a = codes.onAfresh([&] { ++dropped; });
    const fw::Subscription b = codes.onAfresh([&] { ++dropped; });
    codes.startAfresh();
    EXPECT_EQ(dropped, 2);

    auto gone = std::make_unique<ir::CodeBus>(app);
    const fw::Subscription late = gone->onCarryOut([&](const ir::CodeEvent&) { heard.push_back("late"); });
    gone->feed(CodeSource::serial, "12345", Arrival::timed);
    gone.reset();
    host.runPosted();
    EXPECT_EQ(heard, Strings{"late"}) << "what was fed before the bus went still arrives, without harm";
}

}  // namespace
