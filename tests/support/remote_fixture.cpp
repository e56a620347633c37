#include "support/remote_fixture.h"

#include <stdexcept>

namespace testing_support {

RemoteFixture::~RemoteFixture() {
    outcomes_.reset();
    core.reset();
}

void RemoteFixture::start(const std::string& ini) {
    writeIni(ini);
    core.reset();
    core = std::make_unique<app::Core>(platform(), iniPath());
    remote = &core->remote();
    settings = &core->settings();
    outcomes_ = remote->onCommand(
        [this](const app::Command&, app::CommandSource, const app::CommandOutcome& o) { lastOutcome = o; });
    remote->start();
}

void RemoteFixture::run(const char* command, app::CommandSource source) {
    const app::Command* c = app::commandNamed(command);
    if (!c) throw std::logic_error(std::string("no command ") + command);
    core->application().guarded([&] { remote->runCommand(*c, source); });
}

fw::Subscription RemoteFixture::recordState(unsigned parts, std::function<void(const app::RemoteState&)> record) {
    return remote->onState([parts, record = std::move(record)](const app::RemoteState& state, const app::StateChange& c) {
        if (c.parts & parts) record(state);
    });
}

void RemoteFixture::receive(const std::string& code, std::uint32_t at) {
    host.now = at;
    core->codes().feed(ir::CodeSource::serial, code, ir::Arrival::unknown);
    host.runPosted();
}

}  // namespace testing_support
