// What the program's windows work with, made by the program (or a test)
// and handed over by reference.
#pragma once

#include <filesystem>
#include <vector>

#include "app/settings.h"
#include "app/source_link.h"
#include "ir/code_bus.h"
#include "platform/endpoint_volume.h"
#include "platform/launcher.h"
#include "platform/mixer.h"
#include "platform/player_window.h"
#include "platform/region.h"
#include "platform/run_at_logon.h"
#include "platform/tray.h"

namespace app {

struct Services {
    SettingsStore& store;
    ir::CodeBus& codes;
    platform::TraySystem& tray;
    platform::PlayerWindows& player;
    platform::Launcher& launcher;
    platform::MixerDevices& mixer;
    platform::EndpointVolume& endpoint;
    platform::Regions& regions;
    platform::RunAtLogon& logon;
    // Every source of codes, in the order they are turned on.
    std::vector<SourceLink*> sources;
};

}  // namespace app
