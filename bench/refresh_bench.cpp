// Figures of the main window's refresh, on the headless host with the
// player, the mixer and the sound's endpoint doubled: messages to the player
// and volume queries per 500 ms tick (at most 5 and none: the mute
// indicator follows notices), the time one tick takes, and the time
// a full paint of the window takes (skin, keys, patches, read-outs) on the
// test canvas.
#include <chrono>
#include <cstdio>

#include "framework/timer.h"
#include "support/program_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

class Bench : public testing_support::ProgramFixture {};

}  // namespace

int main() {
    Bench b;
    b.player.running = true;
    b.player.replies = {{104, 1}, {105, 65000}, {125, 11}, {250, 1}, {251, 0}};
    b.start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    auto& timer = *b.form->TimerRefresh;

    constexpr int ticks = 2000;
    b.player.sent.clear();
    std::size_t volumeQueries = 0;
    const auto t0 = Clock::now();
    for (int i = 0; i < ticks; ++i) {
        const std::size_t before = b.mixer.calls.size() + b.endpoint.calls.size();
        b.host.fireTimer(timer);
        volumeQueries += b.mixer.calls.size() + b.endpoint.calls.size() - before;
    }
    const double tickUs = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / ticks;
    std::printf(
        "per refresh tick: %.2f messages to the player (at most 5), %.2f volume queries (none)\n",
        static_cast<double>(b.player.sent.size()) / ticks, static_cast<double>(volumeQueries) / ticks);
    std::printf("one refresh tick: %.1f us on the headless host\n", tickUs);

    constexpr int paints = 200;
    const auto p0 = Clock::now();
    for (int i = 0; i < paints; ++i) b.host.render(*b.form);
    std::printf("full paint of the main window: %.2f ms on the test's pixel canvas\n",
                std::chrono::duration<double, std::milli>(Clock::now() - p0).count() / paints);
    return 0;
}
