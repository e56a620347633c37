// The server's source on a socket double: connecting again every 2 s while
// the server is absent or after it went, keys as they come, live while
// connected, and a stop that ends it wherever it is.
#include "ir/lirc_source.h"

#include "support/fake_sockets.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using testing_support::FakeSockets;
using testing_support::Script;

class LircSourceThreads : public ::testing::Test {
protected:
    FakeSockets sockets;
    std::mutex m;
    std::vector<std::string> events;
    std::vector<std::chrono::milliseconds> waits;
    ir::LircSource source{sockets, [this](std::chrono::milliseconds time, std::stop_token) {
                              std::lock_guard lock(m);
                              waits.push_back(time);
                          }};

    void SetUp() override {
        source.onKey = [this](const ir::LircKey& k) { record(ir::serverCodeText(k) + " " + std::to_string(k.repeat)); };
        source.onLive = [this](bool live, const std::string& why) {
            record(live ? "live" : why.empty() ? "gone" : "gone: " + why);
        };
    }
    void record(std::string e) {
        std::lock_guard lock(m);
        events.push_back(std::move(e));
    }
    // Waits (a few seconds at most) until the source has tried `n` times.
    bool attempted(std::size_t n) {
        for (int i = 0; i < 5000 && sockets.connects() < n; ++i) std::this_thread::sleep_for(1ms);
        return sockets.connects() >= n;
    }
    std::vector<std::string> seen() {
        std::lock_guard lock(m);
        return events;
    }
};

const std::string play = "00000000000010ef 00 KEY_PLAY handset\n";
const std::string held = "00000000000010ef 01 KEY_PLAY handset\n";
constexpr auto data = platform::StreamRead::data;

TEST_F(LircSourceThreads, AnAbsentServerIsTriedEvery2sThenItsKeysComeUntilItGoes) {
    sockets.attempts = {std::nullopt, std::nullopt, Script{{{data, play + held}}, true}};
    source.start({"localhost", 8766});
    ASSERT_TRUE(attempted(5));
    source.stop();
    EXPECT_EQ(sockets.log.front(), "connect localhost:8766");
    const auto e = seen();
    ASSERT_GE(e.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(e.begin(), e.begin() + 6),
              (std::vector<std::string>{"gone: no server answers at localhost:8766",
                                        "gone: no server answers at localhost:8766", "live", "handset:KEY_PLAY 0",
                                        "handset:KEY_PLAY 1", "gone: the server closed the connection"}));
    for (std::size_t i = 6; i < e.size(); ++i)
        EXPECT_EQ(e[i], "gone: no server answers at localhost:8766") << "each attempt after says why, nothing more";
    for (auto w : waits) EXPECT_EQ(w, 2000ms);
    EXPECT_GE(waits.size(), 4u) << "a wait after each failed attempt and after the connection ended";
    EXPECT_FALSE(source.running());
    EXPECT_FALSE(source.live());
}

TEST_F(LircSourceThreads, AServerThatRestartsIsPickedUpAgainAndAHalfLineOfTheOldConnectionIsForgotten) {
    sockets.attempts = {Script{{{data, "00000000000010ef 00 KEY_"}}, true},
                        Script{{{data, "STOP handset\n" + play}}, true}};
    source.start({"::1", 8765});
    ASSERT_TRUE(attempted(3));
    source.stop();
    const auto e = seen();
    ASSERT_GE(e.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(e.begin(), e.begin() + 5),
              (std::vector<std::string>{"live", "gone: the server closed the connection", "live", "handset:KEY_PLAY 0",
                                        "gone: the server closed the connection"}));
    if (e.size() > 5) {
        EXPECT_EQ(e[5], "gone: no server answers at [::1]:8765");
    }
}

TEST_F(LircSourceThreads, StopsAtOnceWhileConnectedAndQuiet) {
    sockets.attempts = {Script{{{data, play}}, false}};
    source.start({"localhost", 8765});
    for (int i = 0; i < 5000 && seen().size() < 2; ++i) std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(source.live());
    const auto before = std::chrono::steady_clock::now();
    source.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_EQ(seen(), (std::vector<std::string>{"live", "handset:KEY_PLAY 0", "gone"}));
    EXPECT_TRUE(waits.empty()) << "stopped, it does not wait to try again";
}

TEST(LircSourceWaitThreads, EndsAtTheStopRequest) {
    std::stop_source stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(20ms);
        stop.request_stop();
    });
    const auto before = std::chrono::steady_clock::now();
    ir::LircSource::sleepUnlessStopped(10s, stop.get_token());
    EXPECT_LT(std::chrono::steady_clock::now() - before, 5s);
    stopper.join();
}

}  // namespace
