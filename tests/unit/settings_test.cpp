#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "app/handset_commands.h"
#include "app/settings.h"
#include "framework/ini_file.h"
#include "support/case_name.h"
#include "support/recording_files.h"

namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        dir = fs::temp_directory_path() / ("settings_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = dir / "ir_zav.ini";
    }
    ~SettingsTest() override { fs::remove_all(dir); }
    void put(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string contents() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The store of a program in `dir`, where the program looks for it.
    app::SettingsStore store() const { return app::SettingsStore(app::configPath(dir / "zav_amp.exe")); }
    // The store's settings after a load of what is in the file.
    app::Settings loaded() const {
        app::SettingsStore s = store();
        s.LoadSettings();
        return s.settings();
    }
    fs::path dir;
    fs::path file;
};

// Makes writes of more than `bytes` bytes fail while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit low = old_;
        low.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*handler_)(int);
};

// How many times the file was replaced while it lived: each write of the
// settings is a rename of a new file over the old.
class ReplacementCounter {
public:
    explicit ReplacementCounter(const fs::path& dir) : fd_(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(fd_, dir.c_str(), IN_MOVED_TO);
    }
    ~ReplacementCounter() { close(fd_); }
    ReplacementCounter(const ReplacementCounter&) = delete;
    ReplacementCounter& operator=(const ReplacementCounter&) = delete;
    int count(const std::string& name) {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;)
            for (char* p = buffer; p < buffer + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                if (e->len && name == e->name) ++count_;
                p += sizeof(inotify_event) + e->len;
            }
        return count_;
    }

private:
    int fd_;
    int count_ = 0;
};

TEST_F(SettingsTest, NoFileMeansPortOneReceiverOnTrayModeAndNoCodes) {
    const app::Settings s = loaded();
    EXPECT_EQ(s.PortNumber, 1);
    EXPECT_TRUE(s.IrEnabled);
    EXPECT_TRUE(s.TrayMode);
    EXPECT_FALSE(s.RunCommands) << "codes carry out nothing unless asked";
    EXPECT_EQ(s.LearnedCodes.size(), 26u) << "the 25 commands and the held-key code";
    for (const auto& [name, codes] : s.LearnedCodes) EXPECT_TRUE(codes.empty()) << name;
}

constexpr auto playerVolume = control::VolumePreference::player;
constexpr auto automaticVolume = control::VolumePreference::automatic;

struct ValueCase {
    const char* content;
    int port;
    bool enabled;
    bool tray;
    bool runCommands = false;
    bool osd = true;
    control::VolumePreference volume = control::VolumePreference::automatic;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.content; }

class SettingValues : public SettingsTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SettingValues, AreReadWithTheirDefaultsAndRulesFromTheFileBesideTheProgram) {
    put(GetParam().content);
    const app::Settings s = loaded();
    EXPECT_EQ(s.PortNumber, GetParam().port);
    EXPECT_EQ(s.IrEnabled, GetParam().enabled);
    EXPECT_EQ(s.TrayMode, GetParam().tray);
    EXPECT_EQ(s.RunCommands, GetParam().runCommands);
    EXPECT_EQ(s.Osd, GetParam().osd);
    EXPECT_EQ(s.Volume, GetParam().volume);
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
                      ValueCase{"[IR]\nEXECUTARE=yes\n", 1, true, true, false},
                      ValueCase{"[IR]\nOSD=0\n", 1, true, true, false, false},
                      ValueCase{"[ir]\nosd= 0 \n", 1, true, true, false, false},
                      ValueCase{"[IR]\nOSD=1\n", 1, true, true, false, true},
                      ValueCase{"[IR]\nOSD=2\n", 1, true, true, false, true},
                      ValueCase{"[IR]\nOSD=off\n", 1, true, true, false, true},
                      ValueCase{"[IR]\nOSD=\n", 1, true, true, false, true},
                      ValueCase{"[PLAYER]\nVOLUME=player\n", 1, true, true, false, true, playerVolume},
                      ValueCase{"[player]\nvolume= PLAYER \n", 1, true, true, false, true, playerVolume},
                      ValueCase{"[PLAYER]\nVOLUME=Player\n", 1, true, true, false, true, playerVolume},
                      ValueCase{"[PLAYER]\nVOLUME=auto\n", 1, true, true, false, true, automaticVolume},
                      ValueCase{"[PLAYER]\nVOLUME=players\n", 1, true, true, false, true, automaticVolume},
                      ValueCase{"[PLAYER]\nVOLUME=system\n", 1, true, true, false, true, automaticVolume},
                      ValueCase{"[PLAYER]\nVOLUME=\n", 1, true, true, false, true, automaticVolume},
                      ValueCase{"[IR]\nVOLUME=player\n", 1, true, true, false, true, automaticVolume}));

TEST_F(SettingsTest, SavedTrayModeIsReadBackThroughTheOtherSpelling) {
    app::SettingsStore s = store();
    s.SaveSettings({3, false, false, false, true, playerVolume});
    EXPECT_EQ(contents(), "[PORT_SET]\r\nPORT=3\r\n\r\n[IR]\r\nACTIVARE=0\r\nMINIMIZARE=0\r\nEXECUTARE=0\r\nOSD=1\r\n\r\n"
                          "[PLAYER]\r\nVOLUME=player\r\n");
    app::Settings back = loaded();
    EXPECT_EQ(back.PortNumber, 3);
    EXPECT_FALSE(back.IrEnabled);
    EXPECT_FALSE(back.TrayMode);
    EXPECT_EQ(back.Volume, playerVolume);
    s.SaveSettings({3, false, true, true, false});
    back = loaded();
    EXPECT_TRUE(back.TrayMode);
    EXPECT_TRUE(back.RunCommands);
    EXPECT_FALSE(back.Osd);
    EXPECT_EQ(back.Volume, automaticVolume);
    EXPECT_NE(contents().find("VOLUME=auto\r\n"), std::string::npos) << "Ok writes the word chosen";
}

TEST_F(SettingsTest, LearnedCodesLoadByNameAndUnknownKeysAreNeverRead) {
    put("[COMENZI_IR]\nPLAY=12ABC\ntaste 0=FFEE1\nALEGE COMANDA=99999\nBOGUS=1\n");
    const app::Settings s = loaded();
    EXPECT_EQ(s.LearnedCodes.at("PLAY"), app::CodeList{"12ABC"});
    EXPECT_EQ(s.LearnedCodes.at("TASTE 0"), app::CodeList{"FFEE1"});
    EXPECT_EQ(s.LearnedCodes.at("STOP"), app::CodeList{});
    EXPECT_EQ(s.LearnedCodes.count("ALEGE COMANDA"), 0u);
    EXPECT_EQ(s.LearnedCodes.count("BOGUS"), 0u);
    EXPECT_EQ(s.LearnedCodes.size(), 26u) << "the 25 commands and the held-key code";
}

TEST_F(SettingsTest, EveryActionIsOneWriteAndTheSettingsAreWhatItWroteWithoutReadingTheFileAgain) {
    put("[IR]\r\nMinimizare=0\r\n");
    app::SettingsStore s = store();
    s.LoadSettings();
    ReplacementCounter replaced(dir);
    s.SaveSettings({2, true, false, true});
    EXPECT_EQ(replaced.count("ir_zav.ini"), 1) << "a dialog's Ok is one write of four keys";
    s.SaveCodIr("PLAY", "ABCDE");
    EXPECT_EQ(replaced.count("ir_zav.ini"), 2) << "a learned code is one more";
    fs::remove(file);
    EXPECT_EQ(app::commandsLearnedFor(s.settings(), "abcde"), std::vector<std::string>{"PLAY"})
        << "matched at once, from memory, the file gone";
    EXPECT_EQ(s.settings().PortNumber, 2);
    EXPECT_TRUE(s.settings().RunCommands);
}

TEST_F(SettingsTest, AChangeMadeByAnotherProgramBetweenTwoActionsIsKeptInTheFileAndInMemory) {
    put("[COMENZI_IR]\r\nPLAY=11111\r\n");
    app::SettingsStore s = store();
    s.LoadSettings();
    put("[COMENZI_IR]\r\nPLAY=11111\r\nSTOP=22222\r\n[PORT_SET]\r\nPORT=4\r\n");
    s.SaveCodIr("PAUSE", "33333");
    EXPECT_EQ(contents(), "[COMENZI_IR]\r\nPLAY=11111\r\nSTOP=22222\r\nPAUSE=33333\r\n[PORT_SET]\r\nPORT=4\r\n");
    EXPECT_EQ(s.settings().LearnedCodes.at("STOP"), app::CodeList{"22222"});
    EXPECT_EQ(s.settings().LearnedCodes.at("PAUSE"), app::CodeList{"33333"});
    EXPECT_EQ(s.settings().PortNumber, 4);
}

TEST_F(SettingsTest, AFailedWriteRaisesWritesNothingAndLeavesMemoryAsTheFileIs) {
    put("[COMENZI_IR]\r\nPLAY=11111\r\n");
    app::SettingsStore s = store();
    s.LoadSettings();
    const std::string changedMeanwhile = "[COMENZI_IR]\r\nPLAY=11111\r\n[PORT_SET]\r\nPORT=3\r\n";
    put(changedMeanwhile);
    for (const auto& action : std::vector<std::function<void()>>{
             [&] { s.SaveSettings({2, false, false, true}); }, [&] { s.SaveCodIr("STOP", "22222"); }}) {
        std::string error;
        {
            // Room for the file as it is, not for what the action adds.
            const FileSizeLimit limit(changedMeanwhile.size());
            try {
                action();
            } catch (const fw::IniWriteError& e) {
                error = e.what();
            }
        }
        EXPECT_EQ(error, "Unable to write to " + file.string());
        EXPECT_EQ(contents(), changedMeanwhile) << "nothing of the action written, nothing torn";
        EXPECT_FALSE(fs::exists(dir / "ir_zav.ini.new"));
        EXPECT_EQ(s.settings().PortNumber, 3) << "memory is the file as it is";
        EXPECT_TRUE(s.settings().IrEnabled);
        EXPECT_FALSE(s.settings().RunCommands);
        EXPECT_EQ(s.settings().LearnedCodes.at("STOP"), app::CodeList{});
        EXPECT_EQ(s.settings().LearnedCodes.at("PLAY"), app::CodeList{"11111"});
    }
}

}  // namespace

namespace {

TEST_F(SettingsTest, ASaveForcesItsFileToTheDiskBeforeItReplacesTheOldOne) {
    put("[IR]\r\nMinimizare=0\r\n");
    testing_support::RecordingFiles files;
    app::SettingsStore s(file, files);
    s.SaveCodIr("PLAY", "ABCDE");
    const std::string written = contents();
    EXPECT_NE(written.find("PLAY=ABCDE"), std::string::npos);
    EXPECT_EQ(files.calls,
              (std::vector<std::string>{"read ir_zav.ini", "create ir_zav.ini.new", "write " + std::to_string(written.size()),
                                        "flush", "close", "replace ir_zav.ini.new ir_zav.ini ir_zav.ini.bak",
                                        "remove ir_zav.ini.bak"}))
        << "the file as it is now, then the new one forced to the disk before it takes the old one's place";
}

TEST_F(SettingsTest, AStepOfTheSaveThatFailsLeavesTheOldFileAndNoTemporaryOne) {
    for (const char* step : {"create", "write", "flush", "close", "replace"}) {
        put("[IR]\r\nMinimizare=0\r\n");
        testing_support::RecordingFiles files;
        files.failing = step;
        app::SettingsStore s(file, files);
        EXPECT_THROW(s.SaveCodIr("PLAY", "ABCDE"), fw::IniWriteError) << step;
        EXPECT_EQ(contents(), "[IR]\r\nMinimizare=0\r\n") << step;
        EXPECT_FALSE(fs::exists(dir / "ir_zav.ini.new")) << step;
        const bool replaced = std::find(files.calls.begin(), files.calls.end(),
                                        "replace ir_zav.ini.new ir_zav.ini ir_zav.ini.bak") != files.calls.end();
        EXPECT_EQ(replaced, std::string(step) == "replace") << "nothing replaces the old file after a failed " << step;
    }
}

// A replace that fails halfway, as the system's may: wherever it leaves
// the old file, a save ends with a settings file in place, and the new
// file goes only while one is.
struct HalfwayCase {
    const char* what;
    fw::ReplaceStep step;
    bool moveFails;
    const char* settingsFile;  // what ir_zav.ini holds after the save; null: none
    bool newFileKept;
    bool saved;                // the save says it succeeded
};

const HalfwayCase halfway[] = {
    {"nothing moved", fw::ReplaceStep::unchanged, false, "old", false, false},
    {"the old file gone: the new one takes its name", fw::ReplaceStep::oldGone, false, "new", false, true},
    {"the old file gone and the new one stuck: kept, never deleted", fw::ReplaceStep::oldGone, true, nullptr, true,
     false},
    {"the old file at the backup name: put back", fw::ReplaceStep::oldAtBackup, false, "old", false, false},
    {"the old file at the backup name and stuck there: nothing more is deleted", fw::ReplaceStep::oldAtBackup, true,
     nullptr, true, false},
};

TEST_F(SettingsTest, AReplaceThatFailsHalfwayNeverLosesTheSettingsFile) {
    const std::string old = "[COMENZI_IR]\r\nSTOP=12345\r\n";
    for (const HalfwayCase& c : halfway) {
        put(old);
        fs::remove(dir / "ir_zav.ini.bak");
        fs::remove(dir / "ir_zav.ini.new");
        testing_support::RecordingFiles files;
        files.replaceFails = c.step;
        if (c.moveFails) files.failing = "move";
        app::SettingsStore s(file, files);
        bool saved = true;
        try {
            s.SaveCodIr("PLAY", "ABCDE");
        } catch (const fw::IniWriteError&) {
            saved = false;
        }
        EXPECT_EQ(saved, c.saved) << c.what;
        const std::string now = fs::exists(file) ? contents() : "(none)";
        if (!c.settingsFile)
            EXPECT_FALSE(fs::exists(file)) << c.what;
        else if (c.settingsFile == std::string("old"))
            EXPECT_EQ(now, old) << c.what;
        else
            EXPECT_NE(now.find("PLAY=ABCDE"), std::string::npos) << c.what << ": " << now;
        EXPECT_EQ(fs::exists(dir / "ir_zav.ini.new"), c.newFileKept) << c.what;
        // Whatever is not at its name is somewhere known, never deleted.
        if (!c.settingsFile && c.step == fw::ReplaceStep::oldAtBackup) {
            EXPECT_TRUE(fs::exists(dir / "ir_zav.ini.bak")) << c.what;
        }
    }
}

TEST_F(SettingsTest, ASavedFileLeavesNoBackupBehind) {
    put("[IR]\r\nMinimizare=0\r\n");
    testing_support::RecordingFiles files;
    app::SettingsStore s(file, files);
    s.SaveCodIr("PLAY", "ABCDE");
    EXPECT_FALSE(fs::exists(dir / "ir_zav.ini.bak"));
    EXPECT_FALSE(fs::exists(dir / "ir_zav.ini.new"));
}

struct PlayerPathCase {
    const char* what;
    std::string before;                // the file's bytes
    std::optional<std::string> saved;  // what the dialog's Ok passes
    std::string readBack;
    bool utf16;                        // the file is UTF-16 after the save
};

void PrintTo(const PlayerPathCase& c, std::ostream* os) {
    *os << c.what;
}

class PlayerPathSetting : public SettingsTest, public ::testing::WithParamInterface<PlayerPathCase> {};

TEST_P(PlayerPathSetting, IsWrittenOnlyWhenChosenAndInAnEncodingThatHoldsIt) {
    const PlayerPathCase& c = GetParam();
    put(c.before);
    app::SettingsStore s = store();
    s.SaveSettings({1, true, true, false, true, control::VolumePreference::automatic, c.saved});
    EXPECT_EQ(loaded().PlayerPath, c.readBack);
    EXPECT_EQ(contents().starts_with("\xFF\xFE"), c.utf16);
    EXPECT_EQ(loaded().PortNumber, 1) << "the rest of the file reads as before";
}

const std::string cyrillic = "D:\\\xD0\x9F\xD1\x83\xD0\xBB\xD1\x8C\xD1\x82\\winamp.exe";  // D:\Пульт\winamp.exe

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayerPathSetting,
    ::testing::Values(
        PlayerPathCase{"a chosen path with blanks", "[PORT_SET]\r\nPORT=2\r\n", "C:\\Program Files (x86)\\Winamp\\winamp.exe",
                       "C:\\Program Files (x86)\\Winamp\\winamp.exe", false},
        PlayerPathCase{"not chosen: left as it is", "[PLAYER]\r\nPATH=E:\\w.exe\r\n", std::nullopt, "E:\\w.exe", false},
        PlayerPathCase{"emptied: the setting goes", "[PLAYER]\r\nPATH=E:\\w.exe\r\n", std::string(), "", false},
        PlayerPathCase{"letters outside 8-bit text: the file becomes UTF-16", "; \xE9t\xE9\r\n[IR]\r\nOSD=1\r\n",
                       cyrillic, cyrillic, true},
        PlayerPathCase{"a UTF-8 file with its mark holds them as it is", "\xEF\xBB\xBF[IR]\r\nOSD=1\r\n", cyrillic,
                       cyrillic, false},
        PlayerPathCase{"a UTF-16 file stays so", std::string("\xFF\xFE[\0I\0R\0]\0", 10), cyrillic, cyrillic, true}),
    [](const auto& info) { return testing_support::caseName(info.param.what); });

TEST_F(SettingsTest, AFileTurnedToUtf16KeepsItsOtherTextAndReadsBackTheSameElsewhere) {
    put("; \xE9t\xE9 comment\r\n[COMENZI_IR]\r\nPLAY=12ABC\r\n");
    app::SettingsStore s = store();
    s.SaveSettings({1, true, true, false, true, control::VolumePreference::automatic, cyrillic});
    const std::string bytes = contents();
    ASSERT_TRUE(bytes.starts_with("\xFF\xFE"));
    EXPECT_NE(bytes.find(std::string("\xE9\0t\0\xE9\0", 6)), std::string::npos) << "8-bit text kept as Latin-1";
    EXPECT_EQ(loaded().LearnedCodes.at("PLAY"), app::CodeList{"12ABC"});
}

}  // namespace

namespace {

TEST_F(SettingsTest, ThePhoneRemoteIsOffUnlessTurnedOnAndItsPortIsOneAUserMayHave) {
    struct Case {
        const char* file;
        bool enabled;
        int port;
        const char* address;
    };
    const Case cases[] = {
        {"", false, 8780, ""},
        {"[WEB]\r\nENABLED=1\r\n", true, 8780, ""},
        {"[WEB]\r\nENABLED=yes\r\nPORT=9000\r\n", false, 9000, ""},
        {"[WEB]\r\nENABLED=1\r\nPORT=80\r\n", true, 8780, ""},
        {"[WEB]\r\nPORT=65535\r\n", false, 65535, ""},
        {"[WEB]\r\nPORT=65536\r\n", false, 8780, ""},
        {"[WEB]\r\nPORT=-9000\r\n", false, 8780, ""},
        {"[WEB]\r\nPORT=99999999999999999999\r\n", false, 8780, ""},
        {"[WEB]\r\nPORT=90x\r\nADDRESS= 192.168.1.23 \r\n", false, 8780, "192.168.1.23"},
    };
    for (const Case& c : cases) {
        put(c.file);
        app::Settings s = loaded();
        EXPECT_EQ(s.WebEnabled, c.enabled) << c.file;
        EXPECT_EQ(s.WebPort, c.port) << c.file;
        EXPECT_EQ(s.WebAddress, c.address) << c.file;
    }
}

TEST_F(SettingsTest, PairedPhonesAreKeptByTheirHashesAndForgottenOneOrAll) {
    const std::string ana(64, 'a'), bob(64, 'b');
    put("[IR]\r\nACTIVARE=0\r\n[WEB_PHONES]\r\n" + std::string(64, 'c') + "=not a date\r\n");
    app::SettingsStore s = store();
    s.LoadSettings();
    EXPECT_TRUE(s.settings().Phones.empty()) << "a line that is not a phone's is no phone";
    s.AddPhone({ana, "2026-12-09", "Ana"});
    s.AddPhone({bob, "2026-12-10", "Bob's phone"});
    EXPECT_EQ(loaded().Phones, (std::vector<web::Phone>{{ana, "2026-12-09", "Ana"}, {bob, "2026-12-10", "Bob's phone"}}));
    EXPECT_NE(contents().find(ana + "=2026-12-09 Ana"), std::string::npos);
    s.ForgetPhone(ana);
    EXPECT_EQ(s.settings().Phones, (std::vector<web::Phone>{{bob, "2026-12-10", "Bob's phone"}}));
    s.ForgetPhones();
    EXPECT_TRUE(loaded().Phones.empty());
    EXPECT_EQ(contents().find("2026-12-10"), std::string::npos);
    EXPECT_NE(contents().find("ACTIVARE=0"), std::string::npos) << "the other settings stay";
}

TEST_F(SettingsTest, TheDialogWritesThePhoneRemoteOnlyWhenItDiffersFromNothing) {
    put("[IR]\r\nACTIVARE=1\r\n");
    app::SettingsStore s = store();
    s.LoadSettings();
    s.SaveSettings(app::DialogSettings{});
    EXPECT_EQ(contents().find("[WEB]"), std::string::npos) << "today's users' files gain nothing";
    app::DialogSettings on;
    on.WebEnabled = true;
    on.WebPort = 9000;
    on.WebAddress = "10.0.0.5";
    s.SaveSettings(on);
    EXPECT_TRUE(loaded().WebEnabled);
    EXPECT_EQ(loaded().WebPort, 9000);
    EXPECT_EQ(loaded().WebAddress, "10.0.0.5");
    on.WebEnabled = false;
    on.WebAddress = "";
    s.SaveSettings(on);
    EXPECT_FALSE(loaded().WebEnabled);
    EXPECT_EQ(loaded().WebAddress, "");
}

}  // namespace
