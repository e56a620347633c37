// The play list's reading in slices, on the headless host with the player
// doubled, each exchange with it costing what one costs under Wine (given
// in microseconds, 250 unless said): the player messages each slice sends
// and how long each takes, beside their bounds, for a list of 10,000
// titles. Usage: playlist_bench [EXCHANGE_US [TITLES]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/play_list_reader.h"
#include "support/remote_fixture.h"
#include "support/system_folding.h"

namespace {

using Clock = std::chrono::steady_clock;

// An exchange that takes the time a real one takes: the GUI thread waits.
class CostlyPlayer : public testing_support::FakePlayer {
public:
    std::chrono::microseconds cost{250};
    std::optional<std::int32_t> request(fw::WindowHandle w, std::int32_t code, std::int32_t argument) override {
        const auto until = Clock::now() + cost;
        while (Clock::now() < until) std::this_thread::yield();
        return FakePlayer::request(w, code, argument);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const long exchangeUs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 250;
    const int titles = argc > 2 ? std::atoi(argv[2]) : 10000;
    testing_support::RemoteFixture fixture;
    fixture.player.running = true;
    fixture.start("[IR]\r\nACTIVARE=0\r\n");
    CostlyPlayer player;
    player.running = true;
    player.program = "winamp.exe";
    player.cost = std::chrono::microseconds(exchangeUs);
    for (int i = 1; i <= titles; ++i) player.list.push_back("Title " + std::to_string(i));
    control::TWinampControl client(fixture.remote, "Client", player);
    const testing_support::SystemFolding folding;
    web::PlayList list([&](std::string_view text) { return folding.fold(text); });
    app::PlayListReader reader(fixture.remote, "Reader", client, list);

    reader.asked(0);
    std::vector<std::size_t> messages;
    std::vector<double> ms;
    const auto start = Clock::now();
    while (fixture.host.timerRunning(*reader.TimerSlice)) {
        player.sent.clear();
        const auto t0 = Clock::now();
        fixture.host.fireTimer(*reader.TimerSlice);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        messages.push_back(player.sent.size());
    }
    const double total = std::chrono::duration<double>(Clock::now() - start).count();
    std::sort(ms.begin(), ms.end());
    std::printf("%d titles at %ld us an exchange: %zu slices, %.2f s of slices (the timer's pauses of %d ms aside)\n",
                titles, exchangeUs, ms.size(), total, app::PlayListReader::slicePaceMs);
    std::printf("  player messages a slice: %zu most (bound: %d)\n", *std::max_element(messages.begin(), messages.end()),
                app::PlayListReader::titlesPerSlice);
    // The longest includes whatever the machine took from this process
    // meanwhile: the 99th percentile is the slices' own.
    std::printf("  a slice: %.1f ms median, %.1f ms at the 99th percentile, %.1f ms longest (bound: %lld ms)\n",
                ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back(),
                static_cast<long long>(app::PlayListReader::sliceMs.count()));
    std::printf("  all read: %s\n", list.complete() ? "yes" : "no");
    return list.complete() ? 0 : 1;
}
