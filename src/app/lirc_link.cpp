#include "app/lirc_link.h"

namespace app {

LircLink::LircLink(fw::Application& app, platform::StreamSockets& sockets, ir::CodeSink& codes,
                   ir::LircSource::Wait wait)
    : codes_(codes), source_(sockets, std::move(wait)) {
    source_.onKey = [this](const ir::LircKey& k) { key(k); };
    source_.onLive = [post = target_.to(app)](bool live) { post([live](LircLink& self) { self.lit(live); }); };
    // The old connection may have died quietly while the system slept.
    resumed_ = app.onSystemResumed([this] { connect(); });
}

LircLink::~LircLink() { source_.stop(); }

void LircLink::activate(const Settings& settings) {
    address_ = settings.LircAddress;
    connect();
}

void LircLink::deactivate() {
    address_.reset();
    source_.stop();
}

void LircLink::connect() {
    source_.stop();
    lastCode_.clear();
    if (address_) source_.start(*address_);
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
