#include "app/core.h"

namespace app {

Core::Core(const Platform& platform, std::filesystem::path configFile)
    : store_(std::move(configFile), platform.files),
      com_(platform.serial, platform.showMessage),
      application_(platform.host),
      codes_(application_),
      receiver_(com_, code_, codes_, application_),
      remote_(&application_.create<Remote>(RemoteServices{store_, codes_, platform.player, platform.launcher,
                                                          platform.mixer, platform.endpoint, platform.logon, com_,
                                                          receiver_, platform.sockets, platform.keys, platform.mediaKeys})) {
    application_.setTitle(applicationTitle);
}

Core::~Core() { close(); }

void Core::close() {
    // An end not asked for (the loop left for another reason) lets go the same way.
    application_.end();
    receiver_.stopLoop();
    application_.closeForms();
}

}  // namespace app
