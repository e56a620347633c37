#include "app/player_path.h"

#include <gtest/gtest.h>

#include "control/activ_app.h"
#include "support/case_name.h"
#include "support/fake_control.h"

namespace {

constexpr char installerKey[] = "Software\\Winamp|";

struct PlaceCase {
    const char* name;
    std::string chosen;
    std::map<std::string, std::string> variables;
    std::string recordedFolder;  // empty: no installer's record
    std::vector<std::string> existing;
    std::optional<std::string> found;
};

void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}

class PlayerLookup : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlayerLookup, FindsTheFirstPlaceThatHoldsTheFile) {
    const PlaceCase& c = GetParam();
    testing_support::FakeLauncher launcher;
    launcher.variables = c.variables;
    if (!c.recordedFolder.empty()) launcher.registry[installerKey] = c.recordedFolder;
    launcher.existing = c.existing;
    EXPECT_EQ(app::findPlayer(c.chosen, launcher), c.found);
}

const std::string fixed = app::fixedPlayerPath;
const std::map<std::string, std::string> x64 = {{"ProgramFiles(x86)", "C:\\Program Files (x86)"},
                                                 {"ProgramW6432", "C:\\Program Files"},
                                                 {"ProgramFiles", "C:\\Program Files"}};

INSTANTIATE_TEST_SUITE_P(
    Places, PlayerLookup,
    ::testing::Values(
        PlaceCase{"the setting, blanks and all", "E:\\My Music\\Win amp\\winamp.exe", x64, "C:\\W", {
                      "E:\\My Music\\Win amp\\winamp.exe", fixed, "C:\\W\\winamp.exe"}, "E:\\My Music\\Win amp\\winamp.exe"},
        PlaceCase{"a setting in quotes", "\"E:\\W\\winamp.exe\"", {}, "", {"E:\\W\\winamp.exe"}, "E:\\W\\winamp.exe"},
        PlaceCase{"a setting whose file is gone: the next place", "E:\\Gone\\winamp.exe", {}, "", {fixed}, fixed},
        PlaceCase{"the fixed path", "", x64, "C:\\W", {fixed, "C:\\W\\winamp.exe"}, fixed},
        PlaceCase{"the installer's record", "", x64, "D:\\Winamp", {"D:\\Winamp\\winamp.exe"}, "D:\\Winamp\\winamp.exe"},
        PlaceCase{"the installer's record with a backslash at its end", "", {}, "D:\\Winamp\\",
                  {"D:\\Winamp\\winamp.exe"}, "D:\\Winamp\\winamp.exe"},
        PlaceCase{"32-bit programs on 64-bit Windows", "", x64, "", {"C:\\Program Files (x86)\\Winamp\\winamp.exe"},
                  "C:\\Program Files (x86)\\Winamp\\winamp.exe"},
        PlaceCase{"64-bit programs' folder", "", {{"ProgramW6432", "E:\\Programs"}}, "",
                  {"E:\\Programs\\Winamp\\winamp.exe"}, "E:\\Programs\\Winamp\\winamp.exe"},
        PlaceCase{"the program folder of 32-bit Windows", "", {{"ProgramFiles", "F:\\Prog"}}, "",
                  {"F:\\Prog\\Winamp\\winamp.exe"}, "F:\\Prog\\Winamp\\winamp.exe"},
        PlaceCase{"a variable set empty is no folder", "", {{"ProgramFiles(x86)", ""}}, "", {"\\Winamp\\winamp.exe"},
                  std::nullopt},
        PlaceCase{"a variable not set is no folder", "", {}, "", {"\\Winamp\\winamp.exe", "Winamp\\winamp.exe"},
                  std::nullopt},
        PlaceCase{"nowhere", "", x64, "D:\\Winamp", {"C:\\PROGRAM.EXE"}, std::nullopt}),
    [](const auto& info) { return testing_support::caseName(info.param.name); });

TEST(PlayerLookupOrder, TheChosenFileWinsThenTheFixedPathTheInstallersFolderAndTheProgramFolders) {
    testing_support::FakeLauncher launcher;
    launcher.variables = {{"ProgramFiles(x86)", "C:\\Program Files (x86)"}, {"ProgramW6432", "C:\\Program Files"}};
    launcher.registry[installerKey] = "D:\\Winamp";
    // Every place holds a player; each time the one found goes away, the
    // next in priority is found.
    launcher.existing = {"C:\\Program Files\\Winamp\\winamp.exe", "C:\\Program Files (x86)\\Winamp\\winamp.exe",
                         "D:\\Winamp\\winamp.exe", fixed, "E:\\W\\winamp.exe"};
    std::vector<std::string> found;
    while (const auto player = app::findPlayer("E:\\W\\winamp.exe", launcher)) {
        found.push_back(*player);
        std::erase(launcher.existing, *player);
    }
    EXPECT_EQ(found, (std::vector<std::string>{"E:\\W\\winamp.exe", fixed, "D:\\Winamp\\winamp.exe",
                                               "C:\\Program Files (x86)\\Winamp\\winamp.exe",
                                               "C:\\Program Files\\Winamp\\winamp.exe"}));
}

struct LaunchCase {
    std::string file;
    std::string commandLine;
    std::string folder;
};

class Launches : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(Launches, QuoteThePathAndStartInItsFolder) {
    const platform::Launch l = control::launchOf(GetParam().file);
    EXPECT_EQ(l.file, GetParam().file);
    EXPECT_EQ(l.commandLine, GetParam().commandLine);
    EXPECT_EQ(l.folder, GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Launches,
    ::testing::Values(LaunchCase{"C:\\Program Files\\Winamp\\winamp.exe", "\"C:\\Program Files\\Winamp\\winamp.exe\"",
                                 "C:\\Program Files\\Winamp"},
                      LaunchCase{"C:\\winamp.exe", "\"C:\\winamp.exe\"", "C:\\"},
                      LaunchCase{"winamp.exe", "\"winamp.exe\"", ""}));

}  // namespace
