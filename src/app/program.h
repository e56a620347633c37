// The program as its entry makes it: its core (the application, the
// settings, the code bus and the remote), and on it the views: the main
// window (which shows in the notification area or as a window, as the
// settings say), the setup dialog made hidden, and the on-screen display
// with what decides when it shows. Then the remote puts the settings to
// work. The Win32 entry and the tests make it the same way, on their own
// platform services.
#pragma once

#include <filesystem>
#include <memory>

#include "app/core.h"
#include "app/osd.h"
#include "app/osd_feed.h"
#include "app/setari_ir.h"
#include "app/zav_amp.h"

namespace app {

class Program {
public:
    Program(const Platform& platform, std::filesystem::path configFile);
    // The windows go while the services they use are still there.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Serves messages until the main window closes.
    void run();

    Core& core() { return core_; }
    fw::Application& application() { return core_.application(); }
    Remote& remote() { return core_.remote(); }
    TZAV_Amp& mainWindow() { return *mainWindow_; }
    TFormaSetari& setupDialog() { return *setupDialog_; }
    TOsd& osd() { return *osd_; }

private:
    Core core_;
    TZAV_Amp* mainWindow_ = nullptr;       // owned by the application
    TFormaSetari* setupDialog_ = nullptr;  // owned by the application
    TOsd* osd_ = nullptr;                  // owned by the application
    std::unique_ptr<OsdFeed> feed_;
};

}  // namespace app
