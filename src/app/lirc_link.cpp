#include "app/lirc_link.h"

namespace app {

LircLink::LircLink(fw::Application& app, platform::StreamSockets& sockets, ir::PostedCodeDisplay& display,
                   ir::LircSource::Wait wait)
    : app_(app), display_(display), source_(sockets, std::move(wait)), self_(std::make_shared<LircLink*>(this)) {
    source_.onKey = [this](const ir::LircKey& k) { key(k); };
    source_.onLive = [this](bool live) {
        app_.post([self = std::weak_ptr<LircLink*>(self_), live] {
            if (auto link = self.lock(); link && (*link)->onLive) (*link)->onLive(live);
        });
    };
}

LircLink::~LircLink() {
    source_.stop();
    self_.reset();
}

void LircLink::activate(const std::optional<ir::LircAddress>& address) {
    source_.stop();
    lastCode_.clear();
    if (address) source_.start(*address);
}

void LircLink::deactivate() {
    source_.stop();
}

void LircLink::key(const ir::LircKey& key) {
    const std::string code = ir::serverCodeText(key);
    const auto now = std::chrono::steady_clock::now();
    const bool held = key.repeat > 0 && code == lastCode_ && now - lastAt_ <= samePress;
    lastCode_ = code;
    lastAt_ = now;
    std::lock_guard lock(queueMutex_);
    if (queue_.size() >= maxWaiting) queue_.pop_front();
    queue_.push_back({code, held});
    if (drainPosted_) return;
    drainPosted_ = true;
    app_.post([self = std::weak_ptr<LircLink*>(self_)] {
        if (auto link = self.lock()) (*link)->drain();
    });
}

std::size_t LircLink::waiting() {
    std::lock_guard lock(queueMutex_);
    return queue_.size();
}

void LircLink::drain() {
    std::deque<Waiting> keys;
    {
        std::lock_guard lock(queueMutex_);
        keys.swap(queue_);
        drainPosted_ = false;
    }
    for (const Waiting& k : keys) {
        if (display_.visible()) {
            if (!k.held) display_.deliver(k.code);
        } else {
            display_.passedBy(k.code, k.held ? ir::Arrival::held : ir::Arrival::press);
        }
    }
}

}  // namespace app
