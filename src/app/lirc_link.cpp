#include "app/lirc_link.h"

namespace app {

LircLink::LircLink(fw::Component* owner, std::string name, platform::StreamSockets& sockets, ir::CodeSink& codes,
                   ir::LircSource::Wait wait)
    : fw::Component(owner, std::move(name)), codes_(codes), source_(sockets, std::move(wait)) {
    source_.onKey = [this](const ir::LircKey& k) { key(k); };
    // The old connection may have died quietly while the system slept.
    resumed_ = fw::Application::of(owner).onSystemResumed([this] { connect(); });
}

LircLink::~LircLink() { source_.stop(); }

void LircLink::activate(const Settings& settings) {
    address_ = settings.LircAddress;
    connect();
}

void LircLink::deactivate() {
    address_.reset();
    source_.stop();
    ++connection_;
    report(SourceState::off);
}

void LircLink::connect() {
    source_.stop();
    const unsigned connection = ++connection_;
    if (!address_) {
        report(SourceState::off);
        return;
    }
    // Not live until the new connection says it is.
    report(SourceState::trying);
    // Set while no thread runs; said on the source's thread, heard on the
    // GUI thread.
    source_.onLive = [post = target_.to(fw::Application::of(this)), connection](bool live, const std::string& why) {
        post([live, why, connection](LircLink& self) {
            if (connection != self.connection_) return;
            if (live)
                self.report(SourceState::live);
            else if (!why.empty())
                self.report(SourceState::failed, why);
        });
    };
    source_.start(*address_);
}

void LircLink::key(const ir::LircKey& key) {
    codes_.feed(ir::CodeSource::server, ir::serverCodeText(key), key.repeat > 0 ? ir::Arrival::repeat : ir::Arrival::press);
}

}  // namespace app
