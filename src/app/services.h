// What the program's windows work with, made by the program (or a test)
// and handed over by reference: the remote they show and drive, the
// settings, the code bus, and the system services only a window needs.
#pragma once

#include "app/remote.h"
#include "app/settings.h"
#include "ir/code_bus.h"
#include "platform/region.h"
#include "platform/tray.h"

namespace app {

struct Services {
    Remote& remote;
    SettingsStore& store;
    ir::CodeBus& codes;
    platform::TraySystem& tray;
    platform::Regions& regions;
};

}  // namespace app
