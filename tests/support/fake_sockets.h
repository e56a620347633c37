// A server's connections, scripted: each attempt to connect takes the
// next script (none, or an empty place in the list: the server is away),
// and every attempt is logged ("connect host:port").
#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/stream_socket.h"

namespace testing_support {

// One connection's reads, in order; once they are used up it reads nothing
// until it is stopped, or says the server closed it.
struct Script {
    std::deque<std::pair<platform::StreamRead, std::string>> reads;
    bool closesAtEnd = true;
};

class FakeConnection : public platform::StreamConnection {
public:
    explicit FakeConnection(Script script) : script_(std::move(script)) {}
    platform::StreamRead read(char* buffer, std::size_t size, std::size_t& got, std::uint32_t) override {
        if (script_.reads.empty()) {
            if (script_.closesAtEnd) return platform::StreamRead::closed;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return platform::StreamRead::nothing;
        }
        auto& [result, bytes] = script_.reads.front();
        const platform::StreamRead answer = result;
        got = std::min(size, bytes.size());
        bytes.copy(buffer, got);
        // What does not fit comes with the next read.
        bytes.erase(0, got);
        if (bytes.empty()) script_.reads.pop_front();
        return answer;
    }

private:
    Script script_;
};

// Each attempt takes the next script; none (the server is away) when there
// is none left or it is empty of everything.
class FakeSockets : public platform::StreamSockets {
public:
    std::mutex m;
    std::deque<std::optional<Script>> attempts;
    std::vector<std::string> log;

    std::unique_ptr<platform::StreamConnection> connect(const std::string& host, std::uint16_t port,
                                                        std::stop_token) override {
        std::lock_guard lock(m);
        log.push_back("connect " + host + ":" + std::to_string(port));
        if (attempts.empty() || !attempts.front()) {
            if (!attempts.empty()) attempts.pop_front();
            return nullptr;
        }
        auto script = std::move(*attempts.front());
        attempts.pop_front();
        return std::make_unique<FakeConnection>(std::move(script));
    }
    std::size_t connects() {
        std::lock_guard lock(m);
        return log.size();
    }
};

}  // namespace testing_support
