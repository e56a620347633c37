// The program as its entry makes it: the application with its title, the
// main window (which loads the settings and starts the receiver), the
// setup dialog made hidden, and everything they share. The Win32 entry and
// the tests make it the same way, on their own platform services.
#pragma once

#include <filesystem>
#include <memory>

#include "app/handset_feedback.h"
#include "app/lirc_link.h"
#include "app/osd.h"
#include "app/receiver_link.h"
#include "app/services.h"
#include "app/setari_ir.h"
#include "app/settings.h"
#include "app/zav_amp.h"
#include "framework/application.h"
#include "ir/code_bus.h"
#include "ir/com_thread.h"
#include "platform/endpoint_volume.h"
#include "platform/launcher.h"
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
};

class Program {
public:
    Program(const Platform& platform, std::filesystem::path configFile);
    // The receive loop stops first, then the windows go, while everything
    // they use is still there.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Serves messages until the main window closes.
    void run();

    fw::Application& application() { return application_; }
    TZAV_Amp& mainWindow() { return *mainWindow_; }
    TFormaSetari& setupDialog() { return *setupDialog_; }
    TOsd& osd() { return *osd_; }
    SettingsStore& store() { return store_; }
    const Settings& settings() const { return store_.settings(); }
    ir::ComFunc& com() { return com_; }
    ir::CodeText& code() { return code_; }
    ir::CodeBus& codes() { return codes_; }
    ir::IrReceiver& receiver() { return receiver_; }
    ReceiverLink& receiverLink() { return *receiverLink_; }

private:
    SettingsStore store_;
    ir::ComFunc com_;
    ir::CodeText code_;
    fw::Application application_;
    ir::CodeBus codes_;
    ir::IrReceiver receiver_;
    ReceiverLink* receiverLink_ = nullptr;  // owned by the application
    LircLink lirc_;
    Services services_;
    TZAV_Amp* mainWindow_ = nullptr;       // owned by the application
    TFormaSetari* setupDialog_ = nullptr;  // owned by the application
    TOsd* osd_ = nullptr;                  // owned by the application
    std::unique_ptr<HandsetFeedback> feedback_;
};

}  // namespace app
