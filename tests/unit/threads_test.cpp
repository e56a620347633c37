// Cross-thread paths; this suite also runs under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "framework/application.h"
#include "framework/thread.h"
#include "support/headless_host.h"

namespace {

TEST(Threads, PostFromOtherThreadsRunsEverythingOnTheGuiThreadInPerThreadOrder) {
    testing_support::HeadlessHost host;
    fw::Application app(host);
    const auto gui = std::this_thread::get_id();
    constexpr int producers = 4, perProducer = 500;
    std::vector<std::vector<int>> seen(producers);
    std::atomic<int> offGui{0};
    std::vector<std::thread> threads;
    for (int p = 0; p < producers; ++p)
        threads.emplace_back([&, p] {
            for (int i = 0; i < perProducer; ++i)
                app.post([&, p, i] {
                    if (std::this_thread::get_id() != gui) ++offGui;
                    seen[static_cast<std::size_t>(p)].push_back(i);
                });
        });
    // Drain while the producers are still posting.
    int total = 0;
    while (total < producers * perProducer) {
        host.runPosted();
        total = 0;
        for (const auto& s : seen) total += static_cast<int>(s.size());
        std::this_thread::yield();
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(offGui.load(), 0);
    for (const auto& s : seen) {
        ASSERT_EQ(s.size(), static_cast<std::size_t>(perProducer));
        for (int i = 0; i < perProducer; ++i) EXPECT_EQ(s[static_cast<std::size_t>(i)], i);
    }
}

TEST(Threads, StopRequestsAndJoinsSoNothingRunsAfterIt) {
    std::atomic<int> passes{0};
    std::atomic<bool> runningAfterStop{false};
    std::atomic<bool> stopped{false};
    fw::Thread worker([&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            if (stopped) runningAfterStop = true;
            ++passes;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    while (passes < 3) std::this_thread::yield();
    worker.stop();
    stopped = true;
    const int after = passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(passes.load(), after);
    EXPECT_FALSE(runningAfterStop);
    EXPECT_FALSE(worker.running());
    worker.stop();  // a second stop is harmless
}

TEST(Threads, RestartingNeverLetsTwoBodiesRunAtOnce) {
    std::atomic<int> inside{0};
    std::atomic<int> maxInside{0};
    fw::Thread worker;
    for (int round = 0; round < 200; ++round) {
        worker.start([&](std::stop_token stop) {
            const int now = ++inside;
            int seen = maxInside.load();
            while (now > seen && !maxInside.compare_exchange_weak(seen, now)) {
            }
            while (!stop.stop_requested()) std::this_thread::yield();
            --inside;
        });
    }
    worker.stop();
    EXPECT_EQ(maxInside.load(), 1);
    EXPECT_EQ(inside.load(), 0);
}

}  // namespace
