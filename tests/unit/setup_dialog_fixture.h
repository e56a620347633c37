// The setup dialog in the whole program, on the headless host: what its
// tests share.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "framework/ini_file.h"
#include "support/named.h"
#include "support/program_fixture.h"

namespace testing_support {

class SetupDialog : public ::testing::Test, public ProgramFixture {
protected:
    void open(const std::string& ini = "[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n") { start(ini); }
    fw::Button& button(const char* name) { return named<fw::Button>(*dialog, name); }
    void typeCode(const std::string& code) { host.typeText(*dialog->MemoCod, code); }
    void choose(const std::string& command) { host.typeText(*dialog->CBComenziIR, command); }
    std::string learned(const std::string& command) {
        return fw::IniFile(dir / "ir_zav.ini").readString("COMENZI_IR", command, "<none>");
    }
    std::string fileText() const {
        std::ifstream in(dir / "ir_zav.ini", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

}  // namespace testing_support
