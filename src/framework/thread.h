// A worker thread with a stop request. stop() asks and waits, so once it
// returns the body has finished and nothing of it runs any more.
#pragma once

#include <functional>
#include <stop_token>
#include <thread>

namespace fw {

class Thread {
public:
    using Body = std::function<void(std::stop_token)>;

    Thread() = default;
    explicit Thread(Body body) { start(std::move(body)); }
    ~Thread() { stop(); }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts the body; a running one is stopped and joined first.
    void start(Body body) {
        stop();
        thread_ = std::jthread(std::move(body));
    }
    void requestStop() { thread_.request_stop(); }
    void stop() {
        if (!thread_.joinable()) return;
        thread_.request_stop();
        thread_.join();
    }
    bool running() const { return thread_.joinable(); }

private:
    std::jthread thread_;
};

}  // namespace fw
