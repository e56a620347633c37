#include "app/program.h"

namespace app {

Program::Program(const Platform& platform, std::filesystem::path configFile)
    : core_(platform, std::move(configFile)),
      services_{core_.remote(), core_.store(), core_.codes(), platform.tray, platform.regions} {
    fw::Application& application = core_.application();
    mainWindow_ = &application.createForm<TZAV_Amp>(services_);
    setupDialog_ = &application.createForm<TFormaSetari>(services_);
    mainWindow_->setSetupDialog(*setupDialog_);
    osd_ = &application.createForm<TOsd>();
    feedback_ = std::make_unique<HandsetFeedback>(core_.remote(), *mainWindow_, *osd_);
}

Program::~Program() {
    feedback_.reset();
    core_.close();
}

void Program::run() {
    core_.application().run();
}

}  // namespace app
