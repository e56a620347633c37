// The remote without its windows: its commands on the player, the launcher
// and the old mixer; the typed track number; a player that cannot be
// started said, never an unquoted start; one save that writes every store
// and names every failure; and its activation, which a failure's box (that
// serves messages) cannot re-enter or outlive.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "support/case_name.h"
#include "support/remote_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class RemoteTest : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    void SetUp() override { player.running = true; }
    void begin(const std::string& extra = "") { start("[PORT_SET]\r\nPORT=0\r\n" + extra); }
    std::vector<std::int32_t> volume() { return mixer.control(masterVolume).values; }
    std::vector<std::int32_t> mute() { return mixer.control(masterMute).values; }
    // Every failed start the remote told of, as "<outcome> <file>: <error>".
    Strings heardFailures;
    fw::Subscription listenToStarts() {
        return remote->onStartFailed([this](const app::PlayerStart& s, app::CommandSource) {
            heardFailures.push_back(std::string(s.outcome == app::PlayerStart::Outcome::notFound ? "not found"
                                                                                                 : "failed") +
                                    " " + s.file + ": " + s.error);
        });
    }
    std::vector<std::string> launchesRun() const {
        std::vector<std::string> runs;
        for (const std::string& c : launcher.calls)
            if (c.starts_with("run")) runs.push_back(c);
        return runs;
    }
};

struct CommandCase {
    const char* command;
    Strings sent;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.command; }

class PlayerCommands : public RemoteTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(PlayerCommands, SendExactlyTheirMessage) {
    begin();
    player.sent.clear();
    run(GetParam().command);
    EXPECT_EQ(player.sent, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PlayerCommands,
    ::testing::Values(CommandCase{"PLAY", {"command 40045"}}, CommandCase{"PAUSE", {"command 40046"}},
                      CommandCase{"STOP", {"command 40047"}}, CommandCase{"PREVIOUS SONG", {"command 40044"}},
                      CommandCase{"NEXT SONG", {"command 40048"}}, CommandCase{"REW", {"command 40144"}},
                      CommandCase{"FF", {"command 40148"}}, CommandCase{"SHUFFLE", {"command 40023"}},
                      CommandCase{"REPEAT", {"command 40022"}}, CommandCase{"OPEN WINAMP", {"ping", "command 40001"}},
                      CommandCase{"TASTE 5", {}}, CommandCase{"CANCEL", {}}),
    [](const auto& info) { return testing_support::caseName(info.param.command); });

struct VolumeCase {
    const char* command;
    std::int32_t before;
    std::int32_t after;
};

void PrintTo(const VolumeCase& c, std::ostream* os) { *os << c.command << " from " << c.before; }

class OldMixerKeys : public RemoteTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(OldMixerKeys, StepBy1700WithinTheControlsRangeAndClearTheMute) {
    begin();
    mixer.control(masterVolume).values = {GetParam().before - 500, GetParam().before};
    mixer.control(masterMute).values = {1, 1};
    run(GetParam().command);
    EXPECT_EQ(volume(), (std::vector<std::int32_t>{GetParam().after, GetParam().after})) << "from the right channel";
    EXPECT_EQ(mute(), (std::vector<std::int32_t>{0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Steps, OldMixerKeys,
                         ::testing::Values(VolumeCase{"VOLUME UP", 30000, 31700}, VolumeCase{"VOLUME DOWN", 30000, 28300},
                                           VolumeCase{"VOLUME UP", 65000, 65535}, VolumeCase{"VOLUME DOWN", 1000, 0},
                                           VolumeCase{"VOLUME DOWN", 1700, 0}));

TEST_F(RemoteTest, MuteTogglesAndTheIndicatorsListenersHearEachChange) {
    begin();
    std::vector<bool> heard;
    const fw::Subscription listening =
        recordState(app::mutedPart, [&](const app::RemoteState& state) { heard.push_back(state.muted); });
    run("MUTE");
    EXPECT_EQ(mute(), (std::vector<std::int32_t>{1}));
    run("MUTE");
    EXPECT_EQ(mute(), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));
}

TEST_F(RemoteTest, WithoutAMixerTheVolumeAndMuteKeysChangeNothingAndSayNothing) {
    mixer.devices = 0;
    begin();
    run("VOLUME UP");
    run("MUTE");
    EXPECT_FALSE(remote->state().muted);
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST_F(RemoteTest, DigitsThenEnterSelectTheTrackAndPlayAndEnterAloneOnlyPlays) {
    begin();
    Strings digits;
    const fw::Subscription listening =
        recordState(app::digitsPart, [&](const app::RemoteState& state) { digits.push_back(state.digits); });
    player.sent.clear();
    run("TASTE 1");
    run("TASTE 2");
    EXPECT_TRUE(player.sent.empty()) << "digits alone send nothing";
    run("ENTER");
    EXPECT_EQ(player.sent, (Strings{"request 121 11", "command 40045"}));
    EXPECT_EQ(remote->state().digits, "");
    EXPECT_EQ(digits, (Strings{"1", "12", ""}));
    player.sent.clear();
    run("ENTER");
    EXPECT_EQ(player.sent, Strings{"command 40045"});
    player.sent.clear();
    run("TASTE 0");
    run("ENTER");
    EXPECT_EQ(player.sent, (Strings{"request 121 -1", "command 40045"})) << "0 selects index -1";
}

TEST_F(RemoteTest, EveryTypedDigitIsKeptAndATrackNumberTooLargeForThirtyTwoBitsStaysTyped) {
    begin();
    for (int i = 0; i < 11; ++i) run("TASTE 9");
    EXPECT_EQ(remote->state().digits, "99999999999");
    player.sent.clear();
    run("ENTER");
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "'99999999999' is not a valid integer value");
    EXPECT_EQ(remote->state().digits, "99999999999");
    EXPECT_TRUE(player.sent.empty()) << "no selection, no play";
    run("CANCEL");
    EXPECT_EQ(remote->state().digits, "");
}

TEST_F(RemoteTest, TheStartKeyStartsThePlayerFileFoundAsExactlyThatFileInItsFolder) {
    player.running = false;
    const std::string path = "D:\\Apps\\Win amp\\winamp.exe";
    launcher.existing.push_back(path);
    begin("[PLAYER]\r\nPATH=" + path + "\r\n");
    const fw::Subscription listening = listenToStarts();
    run("OPEN WINAMP");
    EXPECT_EQ(launcher.calls, (Strings{"find 'MyOtherApp'", "run file '" + path + "'"}));
    ASSERT_EQ(launcher.launches.size(), 1u);
    EXPECT_EQ(launcher.launches[0].commandLine, "\"" + path + "\"");
    EXPECT_EQ(launcher.launches[0].folder, "D:\\Apps\\Win amp");
    EXPECT_EQ(lastOutcome.start.outcome, app::PlayerStart::Outcome::started);
    EXPECT_TRUE(heardFailures.empty());
}

struct StartCase {
    const char* what;
    bool found;
    bool vanishes;  // the file goes between the look-up and the start
    std::optional<platform::LaunchFailure> systemSays;
    app::PlayerStart::Outcome outcome;
    std::string heard;  // what the remote tells its listeners
    std::size_t runs;   // starts tried
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.what; }

class FailedStarts : public RemoteTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(FailedStarts, AreToldAndNeverStartAnUnquotedCommandLine) {
    const StartCase& c = GetParam();
    player.running = false;
    const std::string path = "C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE";
    launcher.existing.push_back("C:\\PROGRAM.EXE");
    if (c.found) launcher.existing.push_back(path);
    launcher.startFails = c.systemSays;
    begin();
    const fw::Subscription listening = listenToStarts();
    if (c.vanishes) {
        // Found by the look-up; gone when the activator looks again.
        remote->ActivApp->BeforeLaunchApp = [&](fw::Component&, bool&) { launcher.existing.clear(); };
    }
    run("OPEN WINAMP");
    EXPECT_EQ(lastOutcome.start.outcome, c.outcome);
    EXPECT_EQ(heardFailures, Strings{c.heard});
    EXPECT_EQ(launchesRun().size(), c.runs);
    for (const std::string& r : launchesRun()) EXPECT_EQ(r, "run file '" + path + "'") << "only ever that file";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedStarts,
    ::testing::Values(
        StartCase{"no player anywhere", false, false, std::nullopt, app::PlayerStart::Outcome::notFound, "not found : ",
                  0},
        StartCase{"the file needs elevation", true, false,
                  platform::LaunchFailure{740, "The requested operation requires elevation."},
                  app::PlayerStart::Outcome::failed,
                  "failed C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE: The requested operation requires elevation. (error 740)",
                  1},
        StartCase{"the file went away after it was found", true, true, std::nullopt, app::PlayerStart::Outcome::failed,
                  "failed C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE: The file is not there any more.", 0}),
    testing_support::byWhat);

// Save: the settings file, then the log-on list, each whatever the other did.
struct SaveCase {
    const char* what;
    bool fileFails;
    bool listFails;
    std::string address;
    std::string error;  // one box's text; empty: none
    bool listWritten;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.what; }

class Saving : public RemoteTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(Saving, WritesEveryStoreAndNamesEveryFailureInOneError) {
    const SaveCase& c = GetParam();
    begin("[LIRC]\r\nADDRESS=lircbox:8765\r\n");
    if (c.fileFails) files.failing = "replace";
    logon.failWrites = c.listFails;
    app::DialogSettings values;
    values.PortNumber = 3;
    values.LircAddress = c.address;
    std::string error;
    try {
        remote->save(values, true);
    } catch (const std::exception& e) {
        error = e.what();
    }
    const std::string file = fw::utf8Of(iniPath());
    std::string expected = c.error;
    for (auto at = expected.find("<file>"); at != std::string::npos; at = expected.find("<file>"))
        expected.replace(at, 6, file);
    EXPECT_EQ(error, expected);
    EXPECT_EQ(logon.value.has_value(), c.listWritten) << "Start with Windows is not lost to the file";
    EXPECT_EQ(settings->PortNumber, c.fileFails ? 0 : 3);
    if (!c.fileFails) {
        EXPECT_EQ(settings->LircAddressText, c.address.find(' ') == std::string::npos ? c.address : "lircbox:8765");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, Saving,
    ::testing::Values(SaveCase{"all written", false, false, "lircbox:8765", "", true},
                      SaveCase{"the file refuses", true, false, "", "Unable to write to <file>", true},
                      SaveCase{"the list refuses", false, true, "",
                               "Unable to write to HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                               false},
                      SaveCase{"both refuse, and an address that cannot be read", true, true, "lirc box",
                               "Not a LIRC server address: lirc box\nUnable to write to <file>\nUnable to write to "
                               "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                               false},
                      SaveCase{"an address that cannot be read is left as it was", false, false, " lirc box ",
                               "Not a LIRC server address: lirc box", true}),
    testing_support::byWhat);

TEST_F(RemoteTest, TheBadgeIsLitWhileASourceThatLightsItIsLiveAndItsListenersHearEachChangeOnce) {
    std::vector<bool> heard;
    begin("[IR]\r\nACTIVARE=0\r\n");
    const fw::Subscription listening =
        recordState(app::badgePart, [&](const app::RemoteState& state) { heard.push_back(state.badge); });
    EXPECT_FALSE(remote->state().badge);
    EXPECT_TRUE(remote->Keys->isLive()) << "the keys Windows hears light nothing";
    writeIni("[IR]\r\nACTIVARE=1\r\n[PORT_SET]\r\nPORT=1\r\n");
    remote->reload();
    EXPECT_TRUE(remote->state().badge);
    core->application().end();
    EXPECT_FALSE(remote->state().badge);
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));
}

// A box shown while the remote is being activated serves messages: what
// the user and the sources do meanwhile meets a remote in one piece.
TEST_F(RemoteTest, AnActivationBoxNeitherReentersActivationNorOpensAnythingOnceTheProgramHasEnded) {
    serial.failOn("open");
    int boxes = 0;
    serial.whileMessageBox = [&] {
        ++boxes;
        host.runPosted();
        EXPECT_TRUE(remote->applying());
        remote->start();  // ignored: the activation under way is not entered again
        remote->reload();
        core->application().end();  // the close key, or a close from outside
    };
    start("[PORT_SET]\r\nPORT=1\r\n[LIRC]\r\nADDRESS=127.0.0.1:8765\r\n");
    serial.whileMessageBox = nullptr;
    EXPECT_GE(boxes, 1);
    EXPECT_FALSE(remote->applying());
    EXPECT_FALSE(remote->Receiver->com().isOpen());
    EXPECT_FALSE(remote->Receiver->receiver().loopRunning()) << "nothing started after the end";
    EXPECT_FALSE(remote->Receiver->reconnecting());
    EXPECT_EQ(sockets.connects(), 0u) << "the server, turned on after the receiver, never was";
    const Strings calls = serial.calls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("open"); }), 1)
        << "the failed open only";
}

}  // namespace
