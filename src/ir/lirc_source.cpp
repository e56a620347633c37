#include "ir/lirc_source.h"

#include <algorithm>
#include <thread>

namespace ir {

LircSource::LircSource(platform::StreamSockets& sockets, Wait wait) : sockets_(sockets), wait_(std::move(wait)) {}

void LircSource::sleepUnlessStopped(std::chrono::milliseconds time, std::stop_token stop) {
    // In slices, looking at the request between them: a wait that the
    // request's own callback would end can, with the 32-bit build's
    // standard library, miss that wake-up and hold the GUI thread's stop.
    const auto until = std::chrono::steady_clock::now() + time;
    while (!stop.stop_requested()) {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, stopSlice));
    }
}

void LircSource::start(const LircAddress& address) {
    thread_.start([this, address](std::stop_token stop) { run(address, stop); });
}

void LircSource::stop() {
    // The thread says it is no longer live itself, before it ends.
    thread_.stop();
}

void LircSource::setLive(bool live, const std::string& why) {
    // Live is told once; each reason for not being live as it comes.
    if ((live_.exchange(live) != live || !live) && onLive) onLive(live, why);
}

void LircSource::run(const LircAddress& address, std::stop_token stop) {
    LircLineReader reader;
    char buffer[4096];
    const std::string where =
        (address.host.find(':') != std::string::npos ? "[" + address.host + "]" : address.host) + ":" +
        std::to_string(address.port);
    while (!stop.stop_requested()) {
        auto connection = sockets_.connect(address.host, address.port, stop);
        if (!connection && !stop.stop_requested()) setLive(false, "no server answers at " + where);
        if (connection) {
            // Each connection starts with no partial line of the one before.
            reader.reset();
            setLive(true);
            std::string ended = "the server closed the connection";
            bool open = true;
            while (open && !stop.stop_requested()) {
                std::size_t got = 0;
                switch (connection->read(buffer, sizeof buffer, got, readSliceMs)) {
                    case platform::StreamRead::data:
                        for (const LircKey& key : reader.feed(std::string_view(buffer, got)))
                            if (onKey) onKey(key);
                        break;
                    case platform::StreamRead::nothing:
                    case platform::StreamRead::interrupted:
                        break;
                    case platform::StreamRead::closed: open = false; break;
                    case platform::StreamRead::failed:
                        ended = "the connection to the server broke";
                        open = false;
                        break;
                }
            }
            connection.reset();
            setLive(false, stop.stop_requested() ? std::string() : ended);
        }
        if (!stop.stop_requested()) wait_(retry, stop);
    }
}

}  // namespace ir
