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
    if (display_.waiting() >= maxWaiting) return;
    if (display_.visible()) {
        if (!held) display_.deliver(code);
    } else {
        display_.passedBy(code, held ? ir::Arrival::held : ir::Arrival::press);
    }
}

}  // namespace app
