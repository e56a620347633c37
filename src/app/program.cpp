#include "app/program.h"

namespace app {

Program::Program(const Platform& platform, std::filesystem::path configFile)
    : com_(platform.serial),
      application_(platform.host),
      display_(application_),
      receiver_(com_, code_, display_),
      services_{settings_,
                std::move(configFile),
                com_,
                receiver_,
                code_,
                display_,
                platform.tray,
                platform.player,
                platform.launcher,
                platform.mixer,
                platform.regions} {
    // The receive thread's notice that the port has gone is handled on the
    // GUI thread.
    receiver_.setLostHandler(
        [this](unsigned loop) { application_.post([this, loop] { mainWindow_->receiverLost(loop); }); });
    application_.setTitle(applicationTitle);
    mainWindow_ = &application_.createForm<TZAV_Amp>(services_);
    setupDialog_ = &application_.createForm<TFormaSetari>(services_);
    mainWindow_->setSetupDialog(*setupDialog_);
}

Program::~Program() {
    receiver_.stopLoop();
    application_.closeForms();
}

void Program::run() {
    application_.run();
}

}  // namespace app
