// The program without its windows: the application with its title, the
// settings and their store, the code bus every source of codes feeds, and
// the remote, which owns the sources and drives the player and the sound.
// The program puts its windows on it; the tests drive it bare.
#pragma once

#include <filesystem>

#include "app/platform_services.h"
#include "app/remote.h"
#include "app/settings.h"
#include "framework/application.h"
#include "ir/code_bus.h"

namespace app {

inline constexpr char applicationTitle[] = "Telecomanda Winamp ZAV Amp - 01";

class Core {
public:
    // The settings are read from `configFile`; nothing is put to work yet.
    Core(const Platform& platform, std::filesystem::path configFile);
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // The program ends, if it has not yet: every source lets go, then every
    // window and part goes, while everything they use is still there.
    void close();

    fw::Application& application() { return application_; }
    const Settings& settings() const { return store_.settings(); }
    Remote& remote() { return *remote_; }
    ir::CodeBus& codes() { return codes_; }

private:
    SettingsStore store_;
    fw::Application application_;
    ir::CodeBus codes_;
    Remote* remote_ = nullptr;  // owned by the application
};

}  // namespace app
