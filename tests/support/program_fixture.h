// The whole program on the headless host with every service doubled: made
// as the program entry makes it, the settings file in a folder of the
// test's own, the real pictures from src/resources.
#pragma once

#include <memory>
#include <string>

#include "app/program.h"
#include "support/named.h"
#include "support/platform_doubles.h"

namespace testing_support {

class ProgramFixture : public PlatformDoubles {
public:
    ~ProgramFixture() override;

    // Writes ir_zav.ini (unless empty) and makes the program.
    void start(const std::string& ini = "");
    bool shown() { return host.state(*form).visible; }
    static fw::Point centreOf(const fw::Control& control);
    void click(const fw::Control& control) { host.click(*form, centreOf(control)); }
    // A part of the main window by its stored name.
    void click(const std::string& name) { click(named<fw::Control>(*form, name)); }
    bool patchShown(const char* name) const { return named<fw::Image>(*form, name).visible(); }
    // A complete code from the serial receiver, as its loop feeds it.
    void feedSerial(const std::string& text) { codes->feed(ir::CodeSource::serial, text, ir::Arrival::unknown); }

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
    app::Remote* remote = nullptr;
};

}  // namespace testing_support
