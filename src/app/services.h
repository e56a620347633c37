// What the program's windows work with, made by the program (or a test)
// and handed over by reference.
#pragma once

#include <filesystem>

#include "app/lirc_link.h"
#include "app/settings.h"
#include "ir/com_thread.h"
#include "ir/posted_code_display.h"
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
    ir::ComFunc& com;
    ir::IrReceiver& receiver;
    ir::CodeText& code;
    ir::PostedCodeDisplay& display;
    platform::TraySystem& tray;
    platform::PlayerWindows& player;
    platform::Launcher& launcher;
    platform::MixerDevices& mixer;
    platform::EndpointVolume& endpoint;
    platform::Regions& regions;
    platform::RunAtLogon& logon;
    LircLink& lirc;
};

}  // namespace app
