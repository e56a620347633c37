#include "app/lirc_link.h"

namespace app {

LircLink::LircLink(fw::Application& app, platform::StreamSockets& sockets, ir::CodeSink& codes,
                   ir::LircSource::Wait wait)
    : codes_(codes), source_(sockets, std::move(wait)), self_(std::make_shared<LircLink*>(this)) {
    source_.onKey = [this](const ir::LircKey& k) { key(k); };
    source_.onLive = [this, &app](bool live) {
        app.post([self = std::weak_ptr<LircLink*>(self_), live] {
            if (auto link = self.lock()) (*link)->lit(live);
        });
    };
    resumed_ = app.onSystemResumed([this] { resumed(); });
}

LircLink::~LircLink() {
    source_.stop();
    self_.reset();
}

void LircLink::activate(const Settings& settings) {
    source_.stop();
    lastCode_.clear();
    address_ = settings.LircAddress;
    if (address_) source_.start(*address_);
}

void LircLink::deactivate() {
    address_.reset();
    source_.stop();
}

void LircLink::resumed() {
    if (!address_) return;
    source_.stop();
    lastCode_.clear();
    source_.start(*address_);
}

void LircLink::key(const ir::LircKey& key) {
    std::string code = ir::serverCodeText(key);
    const auto now = std::chrono::steady_clock::now();
    const bool held = key.repeat > 0 && code == lastCode_ && now - lastAt_ <= samePress;
    lastCode_ = code;
    lastAt_ = now;
    codes_.feed(ir::CodeSource::server, std::move(code), held ? ir::Arrival::held : ir::Arrival::press);
}

}  // namespace app
