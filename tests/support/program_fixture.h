// The whole program on the headless host with every service doubled: made
// as the program entry makes it, the settings file in a folder of the
// test's own, the real pictures from src/resources.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/program.h"
#include "support/fake_control.h"
#include "support/fake_endpoint.h"
#include "support/fake_mixer.h"
#include "support/fake_serial.h"
#include "support/fake_tray.h"
#include "support/headless_host.h"
#include "support/named.h"
#include "support/fake_sockets.h"
#include "support/recording_files.h"

namespace testing_support {

class ProgramFixture {
public:
    ProgramFixture();
    virtual ~ProgramFixture();

    // Writes ir_zav.ini (unless empty) and makes the program.
    void start(const std::string& ini = "");
    std::string iniText() const;
    bool shown() { return host.state(*form).visible; }
    static fw::Point centreOf(const fw::Control& control);
    void click(const fw::Control& control) { host.click(*form, centreOf(control)); }
    // A part of the main window by its stored name.
    void click(const std::string& name) { click(named<fw::Control>(*form, name)); }
    bool patchShown(const char* name) const { return named<fw::Image>(*form, name).visible(); }
    // A complete code from the serial receiver, as its loop feeds it.
    void feedSerial(const std::string& text) { codes->feed(ir::CodeSource::serial, text, ir::Arrival::timed); }

    std::filesystem::path dir;
    HeadlessHost host;
    FakeSerial serial;
    FakeTray tray;
    FakePlayer player;
    FakeLauncher launcher;
    FakeMixer mixer;
    FakeEndpoint endpoint;
    FakeRegions regions;
    FakeRunAtLogon logon;
    RecordingFiles files;
    FakeSockets sockets;
    std::uint32_t masterVolume = 0;
    std::uint32_t masterMute = 0;

    std::unique_ptr<app::Program> program;
    // The program's parts, once started.
    fw::Application* application = nullptr;
    app::TZAV_Amp* form = nullptr;
    app::TFormaSetari* dialog = nullptr;
    const app::Settings* settings = nullptr;
    ir::ComFunc* com = nullptr;
    ir::CodeText* code = nullptr;
    ir::CodeBus* codes = nullptr;
    ir::IrReceiver* receiver = nullptr;
    app::ReceiverLink* receiverLink = nullptr;
};

}  // namespace testing_support
