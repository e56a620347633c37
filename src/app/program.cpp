#include "app/program.h"

namespace app {

Program::Program(const Platform& platform, std::filesystem::path configFile)
    : store_(std::move(configFile), platform.files),
      com_(platform.serial, platform.showMessage),
      application_(platform.host),
      codes_(application_),
      receiver_(com_, code_, codes_, application_),
      receiverLink_(&application_.create<ReceiverLink>("ReceiverLink", com_, receiver_, codes_)),
      lirc_(application_, platform.sockets, codes_),
      services_{store_,
                codes_,
                platform.tray,
                platform.player,
                platform.launcher,
                platform.mixer,
                platform.endpoint,
                platform.regions,
                platform.logon,
                {receiverLink_, &lirc_}} {
    application_.setTitle(applicationTitle);
    mainWindow_ = &application_.createForm<TZAV_Amp>(services_);
    setupDialog_ = &application_.createForm<TFormaSetari>(services_);
    mainWindow_->setSetupDialog(*setupDialog_);
    osd_ = &application_.createForm<TOsd>();
    feedback_ = std::make_unique<HandsetFeedback>(*mainWindow_, *osd_, store_);
}

Program::~Program() {
    // An end not asked for (the loop left for another reason) lets go the same way.
    application_.end();
    receiver_.stopLoop();
    application_.closeForms();
}

void Program::run() {
    application_.run();
}

}  // namespace app
