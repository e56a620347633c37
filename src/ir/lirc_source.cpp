#include "ir/lirc_source.h"

#include <condition_variable>
#include <mutex>

namespace ir {

LircSource::LircSource(platform::StreamSockets& sockets, Wait wait) : sockets_(sockets), wait_(std::move(wait)) {}

void LircSource::sleepUnlessStopped(std::chrono::milliseconds time, std::stop_token stop) {
    std::mutex m;
    std::condition_variable_any cv;
    std::unique_lock lock(m);
    cv.wait_for(lock, stop, time, [] { return false; });
}

void LircSource::start(const LircAddress& address) {
    thread_.start([this, address](std::stop_token stop) { run(address, stop); });
}

void LircSource::stop() {
    // The thread says it is no longer live itself, before it ends.
    thread_.stop();
}

void LircSource::setLive(bool live) {
    if (live_.exchange(live) != live && onLive) onLive(live);
}

void LircSource::run(const LircAddress& address, std::stop_token stop) {
    LircLineReader reader;
    char buffer[4096];
    while (!stop.stop_requested()) {
        auto connection = sockets_.connect(address.host, address.port, stop);
        if (connection) {
            // Each connection starts with no partial line of the one before.
            reader.reset();
            setLive(true);
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
                    case platform::StreamRead::closed:
                    case platform::StreamRead::failed:
                        open = false;
                        break;
                }
            }
            connection.reset();
            setLive(false);
        }
        if (!stop.stop_requested()) wait_(retry, stop);
    }
}

}  // namespace ir
