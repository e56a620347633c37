#include "app/core.h"

namespace app {

Core::Core(const Platform& platform, std::filesystem::path configFile)
    : store_(std::move(configFile), platform.files),
      application_(platform.host),
      codes_(application_),
      remote_(&application_.create<Remote>(platform, store_, codes_)) {
    application_.setTitle(applicationTitle);
    store_.LoadSettings();
}

Core::~Core() { close(); }

void Core::close() {
    // An end not asked for (the loop left for another reason) lets go the same way.
    application_.end();
    application_.closeForms();
}

}  // namespace app
