#include "app/program.h"

namespace app {

Program::Program(const Platform& platform, std::filesystem::path configFile)
    : core_(platform, std::move(configFile)) {
    fw::Application& application = core_.application();
    Remote& remote = core_.remote();
    mainWindow_ = &application.createForm<TZAV_Amp>(remote, platform);
    setupDialog_ = &application.createForm<TFormaSetari>(remote);
    mainWindow_->setSetupDialog(*setupDialog_);
    osd_ = &application.createForm<TOsd>();
    feed_ = std::make_unique<OsdFeed>(remote, *mainWindow_, *osd_);
    // The windows listen already: the sources' first words reach them.
    remote.start();
}

Program::~Program() {
    feed_.reset();
    core_.close();
}

void Program::run() {
    core_.application().run();
}

}  // namespace app
