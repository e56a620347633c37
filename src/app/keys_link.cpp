#include "app/keys_link.h"

#include "app/learned_codes.h"
#include "framework/application.h"

namespace app {

std::set<std::string> keysTaken(const Settings& settings) {
    std::set<std::string> taken;
    if (!settings.RunCommands) return taken;
    for (const auto& [name, codes] : settings.LearnedCodes)
        for (const std::string& code : codes)
            if (isKeyCode(code)) taken.insert(code);
    return taken;
}

KeysLink::KeysLink(fw::Component* owner, std::string name, platform::KeyInput& input, ir::CodeSink& codes)
    : fw::Component(owner, std::move(name)), input_(input), source_(codes) {
    // A hook or a registration may not have survived the sleep.
    resumed_ = fw::Application::of(owner).onSystemResumed([this] {
        if (isLive()) input_.listenAgain();
    });
}

KeysLink::~KeysLink() { input_.stop(); }

void KeysLink::activate(const Settings& settings) {
    takeLearned(settings);
    wanted_ = settings.KeysEnabled;
    if (!wanted_) {
        deactivate();
        return;
    }
    if (!isLive()) listen();
}

void KeysLink::listen() {
    std::string failure;
    if (input_.start(source_, failure))
        report(SourceState::live);
    else
        report(SourceState::failed, failure.empty() ? "the system refused to listen" : failure);
}

void KeysLink::keep() {
    if (wanted_ && !isLive()) listen();
}

void KeysLink::deactivate() {
    wanted_ = false;
    input_.stop();
    // The listening thread is gone: what it held is let go here.
    source_.reset();
    report(SourceState::off);
}

}  // namespace app
