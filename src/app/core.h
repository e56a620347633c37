// The program without its windows: the application with its title, the
// settings and their store, the code bus and the sources of codes that
// feed it (the serial receiver with its port and receive loop, a LIRC
// server), and the remote that drives the player and the sound. The
// program puts its windows on it; the tests drive it bare.
#pragma once

#include <filesystem>

#include "app/lirc_link.h"
#include "app/receiver_link.h"
#include "app/remote.h"
#include "app/settings.h"
#include "framework/application.h"
#include "framework/file_system.h"
#include "framework/host.h"
#include "ir/code_bus.h"
#include "ir/code_text.h"
#include "ir/com_func.h"
#include "ir/com_thread.h"
#include "platform/endpoint_volume.h"
#include "platform/key_input.h"
#include "platform/launcher.h"
#include "platform/media_keys.h"
#include "platform/message_box.h"
#include "platform/mixer.h"
#include "platform/player_window.h"
#include "platform/region.h"
#include "platform/run_at_logon.h"
#include "platform/serial.h"
#include "platform/stream_socket.h"
#include "platform/tray.h"

namespace app {

inline constexpr char applicationTitle[] = "Telecomanda Winamp ZAV Amp - 01";

// The operating system's services the program runs on; none is owned.
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
};

class Core {
public:
    Core(const Platform& platform, std::filesystem::path configFile);
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // The program ends, if it has not yet: every source lets go, the
    // receive loop stops, then every window and part goes, while
    // everything they use is still there.
    void close();

    fw::Application& application() { return application_; }
    SettingsStore& store() { return store_; }
    const Settings& settings() const { return store_.settings(); }
    Remote& remote() { return *remote_; }
    ir::ComFunc& com() { return com_; }
    ir::CodeText& code() { return code_; }
    ir::CodeBus& codes() { return codes_; }
    ir::IrReceiver& receiver() { return receiver_; }
    ReceiverLink& receiverLink() { return *remote_->Receiver; }
    LircLink& lircLink() { return *remote_->Server; }
    KeysLink& keysLink() { return *remote_->Keys; }

private:
    SettingsStore store_;
    ir::ComFunc com_;
    ir::CodeText code_;
    fw::Application application_;
    ir::CodeBus codes_;
    ir::IrReceiver receiver_;
    Remote* remote_ = nullptr;  // owned by the application
};

}  // namespace app
