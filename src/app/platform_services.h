// The operating system's services the program runs on, in one bag: made by
// the program's entry (the Win32 ones) or a test (the doubles), handed by
// reference to the remote and the windows, each taking what it needs. None
// is owned.
#pragma once

#include "framework/file_system.h"
#include "framework/host.h"
#include "platform/crypto.h"
#include "platform/endpoint_volume.h"
#include "platform/key_input.h"
#include "platform/launcher.h"
#include "platform/media_keys.h"
#include "platform/message_box.h"
#include "platform/mixer.h"
#include "platform/network.h"
#include "platform/player_window.h"
#include "platform/region.h"
#include "platform/run_at_logon.h"
#include "platform/serial.h"
#include "platform/stream_socket.h"
#include "platform/text_folding.h"
#include "platform/tray.h"

namespace app {

struct Platform {
    fw::Host& host;
    platform::SerialPorts& serial;
    platform::ShowMessage showMessage;
    platform::TraySystem& tray;
    platform::PlayerWindows& player;
    platform::Launcher& launcher;
    platform::MixerDevices& mixer;
    platform::EndpointVolume& endpoint;
    platform::Regions& regions;
    platform::RunAtLogon& logon;
    fw::FileSystem& files;
    platform::StreamSockets& sockets;
    platform::KeyInput& keys;
    platform::MediaKeys& mediaKeys;
    platform::Crypto& crypto;
    platform::Network& network;
    const platform::TextFolding& folding;
};

}  // namespace app
