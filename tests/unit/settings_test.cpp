#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "app/settings.h"
#include "framework/ini_file.h"

namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        dir = fs::temp_directory_path() / ("settings_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = app::configPath(dir / "zav_amp.exe");
    }
    ~SettingsTest() override { fs::remove_all(dir); }
    void put(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string contents() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path dir;
    fs::path file;
};

TEST_F(SettingsTest, FileLiesBesideTheExecutable) { EXPECT_EQ(file, dir / "ir_zav.ini"); }

TEST_F(SettingsTest, NoFileMeansPortOneReceiverOnTrayModeAndNoCodes) {
    app::Settings s;
    s.PortNumber = 9;
    s.IrEnabled = false;
    s.TrayMode = false;
    app::LoadSettings(file, s);
    EXPECT_EQ(s.PortNumber, 1);
    EXPECT_TRUE(s.IrEnabled);
    EXPECT_TRUE(s.TrayMode);
    EXPECT_FALSE(s.RunCommands) << "codes carry out nothing unless asked";
    EXPECT_EQ(s.LearnedCodes.size(), 25u);
    for (const auto& [name, code] : s.LearnedCodes) EXPECT_EQ(code, "") << name;
}

struct ValueCase {
    const char* content;
    int port;
    bool enabled;
    bool tray;
    bool runCommands = false;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.content; }

class SettingValues : public SettingsTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SettingValues, AreReadWithTheirDefaultsAndRules) {
    put(GetParam().content);
    app::Settings s;
    app::LoadSettings(file, s);
    EXPECT_EQ(s.PortNumber, GetParam().port);
    EXPECT_EQ(s.IrEnabled, GetParam().enabled);
    EXPECT_EQ(s.TrayMode, GetParam().tray);
    EXPECT_EQ(s.RunCommands, GetParam().runCommands);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingValues,
    ::testing::Values(ValueCase{"[PORT_SET]\nPORT=0x3\n", 3, true, true}, ValueCase{"[PORT_SET]\nPORT=$4\n", 4, true, true},
                      ValueCase{"[PORT_SET]\nPORT=abc\n", 1, true, true},
                      ValueCase{"[PORT_SET]\nPORT=-2\n", -2, true, true},
                      ValueCase{"[PORT_SET]\nPORT=0\n", 0, true, true},
                      ValueCase{"[IR]\nACTIVARE=2\n", 1, false, true}, ValueCase{"[IR]\nACTIVARE=yes\n", 1, true, true},
                      ValueCase{"[IR]\nACTIVARE=0\nMinimizare=0\n", 1, false, false},
                      ValueCase{"[ir]\nminimizare=1\n", 1, true, true},
                      ValueCase{"[IR]\nMINIMIZARE=$0\n", 1, true, false},
                      ValueCase{"[IR]\nEXECUTARE=1\n", 1, true, true, true},
                      ValueCase{"[ir]\nexecutare=0x1\n", 1, true, true, true},
                      ValueCase{"[IR]\nEXECUTARE=0\n", 1, true, true, false},
                      ValueCase{"[IR]\nEXECUTARE=2\n", 1, true, true, false},
                      ValueCase{"[IR]\nEXECUTARE=yes\n", 1, true, true, false}));

TEST_F(SettingsTest, SavedTrayModeIsReadBackThroughTheOtherSpelling) {
    app::Settings s;
    s.PortNumber = 3;
    s.IrEnabled = false;
    s.TrayMode = false;
    app::SaveSettings(file, s);
    EXPECT_EQ(contents(), "[PORT_SET]\r\nPORT=3\r\n\r\n[IR]\r\nACTIVARE=0\r\nMINIMIZARE=0\r\nEXECUTARE=0\r\n");
    app::Settings back;
    app::LoadSettings(file, back);
    EXPECT_EQ(back.PortNumber, 3);
    EXPECT_FALSE(back.IrEnabled);
    EXPECT_FALSE(back.TrayMode);
    s.TrayMode = true;
    s.RunCommands = true;
    app::SaveSettings(file, s);
    app::LoadSettings(file, back);
    EXPECT_TRUE(back.TrayMode);
    EXPECT_TRUE(back.RunCommands);
}

TEST_F(SettingsTest, LearnedCodesLoadByNameAndUnknownKeysAreNeverRead) {
    put("[COMENZI_IR]\nPLAY=12ABC\ntaste 0=FFEE1\nALEGE COMANDA=99999\nBOGUS=1\n");
    app::Settings s;
    app::LoadSettings(file, s);
    EXPECT_EQ(s.LearnedCodes.at("PLAY"), "12ABC");
    EXPECT_EQ(s.LearnedCodes.at("TASTE 0"), "FFEE1");
    EXPECT_EQ(s.LearnedCodes.at("STOP"), "");
    EXPECT_EQ(s.LearnedCodes.count("ALEGE COMANDA"), 0u);
    EXPECT_EQ(s.LearnedCodes.count("BOGUS"), 0u);
    EXPECT_EQ(s.LearnedCodes.size(), 25u);
}

TEST(CommandNames, BothOrdersHoldTheSame25Names) {
    std::vector<std::string> a(app::commandNamesLoadOrder.begin(), app::commandNamesLoadOrder.end());
    std::vector<std::string> b(app::commandNamesDialogOrder.begin(), app::commandNamesDialogOrder.end());
    EXPECT_EQ(a[1], "PLAY");
    EXPECT_EQ(b[1], "VOLUME DOWN");
    EXPECT_EQ(b[13], "ENTER");
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::unique(a.begin(), a.end()), a.end()) << "every name once";
}

TEST_F(SettingsTest, FailedSaveRaisesKeepsEarlierKeysAndTheFileSound) {
    app::Settings s;
    s.PortNumber = 2;
    // Room for the first write (the port) but not the second.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit low = old;
    low.rlim_cur = 30;
    setrlimit(RLIMIT_FSIZE, &low);
    std::string error;
    try {
        app::SaveSettings(file, s);
    } catch (const fw::IniWriteError& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(error, "Unable to write to " + file.string());
    EXPECT_EQ(contents(), "[PORT_SET]\r\nPORT=2\r\n") << "the port was written, nothing after it, nothing torn";
    EXPECT_EQ(s.PortNumber, 2);
}

}  // namespace
