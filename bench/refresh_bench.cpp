// Figures of the remote's looks at the player, on the headless host with
// the player, the mixer and the sound's endpoint doubled: messages to the
// player and volume queries a 500 ms tick with the window shown (at most 5
// and none: the mute follows notices), in the notification area with the
// on-screen display on (one every 2 s) and off (none), the time one look
// takes, and the time a full paint of the window takes (skin, keys,
// patches, read-outs) on the test canvas.
#include <chrono>
#include <cstdio>
#include <string>

#include "framework/timer.h"
#include "support/program_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

class Bench : public testing_support::ProgramFixture {};

struct Figures {
    double messages;
    double volumeQueries;
    double tickUs;
};

// `ticks` ticks of 500 ms, the remote's look timer fired when it runs.
Figures measure(Bench& b, int ticks) {
    fw::Timer& look = *b.remote->Live->TimerLook;
    b.player.sent.clear();
    std::size_t volumeQueries = 0;
    const auto t0 = Clock::now();
    for (int i = 0; i < ticks; ++i) {
        b.host.now += 500;
        const std::size_t before = b.mixer.calls.size() + b.endpoint.calls.size();
        // A timer of 2000 ms fires at every fourth tick of 500 ms.
        if (b.host.timerRunning(look) && (b.host.now / 500) % (b.host.timerInterval(look) / 500) == 0)
            b.host.fireTimer(look);
        volumeQueries += b.mixer.calls.size() + b.endpoint.calls.size() - before;
    }
    return {static_cast<double>(b.player.sent.size()) / ticks, static_cast<double>(volumeQueries) / ticks,
            std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / ticks};
}

void report(const char* where, const char* bound, const Figures& f) {
    std::printf("%-40s %.2f messages to the player a tick (%s), %.2f volume queries (none), %.1f us a tick\n", where,
                f.messages, bound, f.volumeQueries, f.tickUs);
}

}  // namespace

int main() {
    constexpr int ticks = 2000;
    const auto playing = [](Bench& b) {
        b.player.running = true;
        b.player.replies = {{104, 1}, {105, 65000}, {125, 11}, {250, 1}, {251, 0}};
    };
    Bench shown;
    playing(shown);
    shown.start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    report("shown:", "at most 5", measure(shown, ticks));

    Bench displayOn;
    playing(displayOn);
    displayOn.start("[IR]\r\nMinimizare=1\r\n[PORT_SET]\r\nPORT=0\r\n");
    report("notification area, display on:", "one every 2 s: 0.25", measure(displayOn, ticks));

    Bench displayOff;
    playing(displayOff);
    displayOff.start("[IR]\r\nMinimizare=1\r\nOSD=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    report("notification area, display off:", "none", measure(displayOff, ticks));

    constexpr int paints = 200;
    const auto p0 = Clock::now();
    for (int i = 0; i < paints; ++i) shown.host.render(*shown.form);
    std::printf("full paint of the main window: %.2f ms on the test's pixel canvas\n",
                std::chrono::duration<double, std::milli>(Clock::now() - p0).count() / paints);
    return 0;
}
