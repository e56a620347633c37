// The whole program on the headless host with every service doubled: the
// main window and the setup dialog made as the program entry makes them,
// the settings file in a folder of the test's own, the real pictures from
// src/resources.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/zav_amp.h"
#include "framework/design.h"
#include "framework/application.h"
#include "ir/posted_code_display.h"
#include "ir/setari_ir.h"
#include "support/fake_control.h"
#include "support/fake_mixer.h"
#include "support/fake_serial.h"
#include "support/fake_tray.h"
#include "support/headless_host.h"

namespace testing_support {

class ProgramFixture {
public:
    ProgramFixture();
    virtual ~ProgramFixture();

    // Writes ir_zav.ini (unless empty) and makes the program's windows.
    void start(const std::string& ini = "");
    std::string iniText() const;
    bool shown() { return host.state(*form).visible; }
    fw::Point centreOf(const std::string& control) const;
    void click(const std::string& control) { host.click(*form, centreOf(control)); }
    bool patchShown(const char* name) const { return form->patch(name).visible(); }

    std::filesystem::path dir;
    HeadlessHost host;
    FakeSerial serial;
    FakeTray tray;
    FakePlayer player;
    FakeLauncher launcher;
    FakeMixer mixer;
    FakeRegions regions;
    std::uint32_t masterVolume = 0;
    std::uint32_t masterMute = 0;
    app::Settings settings;
    ir::ComFunc com{serial};
    ir::CodeText code;
    std::unique_ptr<fw::Application> application;
    std::unique_ptr<ir::PostedCodeDisplay> display;
    std::unique_ptr<ir::IrReceiver> receiver;
    std::optional<app::Services> services;
    TZAV_Amp* form = nullptr;
    TFormaSetari* dialog = nullptr;
};

}  // namespace testing_support
