// The program as its entry makes it: its core (the application, the
// settings, the sources of codes and the remote), and on it the main
// window that shows the remote (its creation loads the settings and puts
// them to work), the setup dialog made hidden, and the on-screen display
// of what the handset does. The Win32 entry and the tests make it the same
// way, on their own platform services.
#pragma once

#include <filesystem>
#include <memory>

#include "app/core.h"
#include "app/handset_feedback.h"
#include "app/osd.h"
#include "app/services.h"
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
    Services services_;
    TZAV_Amp* mainWindow_ = nullptr;       // owned by the application
    TFormaSetari* setupDialog_ = nullptr;  // owned by the application
    TOsd* osd_ = nullptr;                  // owned by the application
    std::unique_ptr<HandsetFeedback> feedback_;
};

}  // namespace app
