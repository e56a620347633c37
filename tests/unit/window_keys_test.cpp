// The main window's keys and patches: each key asks the remote for its
// command, each refresh shows what the player said (and nothing of what it
// left unanswered), the setup cycle however the dialog is left, and every
// way the program ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "app/commands.h"

#include "support/case_name.h"
#include "support/program_fixture.h"

namespace {

using Sent = std::vector<std::string>;

class MainWindowKeys : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    void SetUp() override {
        player.running = true;
        start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n");
        player.sent.clear();
    }
    // The remote's next look for the window, 500 ms on.
    void tick() {
        host.now += 500;
        host.fireTimer(*remote->Live->TimerLook);
    }
    // The old mixer tells of a change made elsewhere.
    void setMuteElsewhere(std::int32_t muted) {
        mixer.control(masterMute).values = {muted};
        mixer.notify(platform::MixerChange::control, 1, static_cast<std::int32_t>(masterMute));
    }
};

TEST_F(MainWindowKeys, EachCommandKeyClickedAsksTheRemoteForItsCommandAndTheOthersForNone) {
    std::vector<std::string> heard;
    const fw::Subscription listening = remote->onCommand([&](const app::Command& c, app::CommandSource source,
                                                             const app::CommandOutcome&) {
        heard.push_back(std::string(c.name) + (source == app::CommandSource::key ? "" : " (not by key)"));
    });
    for (const app::Command& c : app::commands()) {
        heard.clear();
        click(*form->keyFor(c));
        EXPECT_EQ(heard, std::vector<std::string>{c.name}) << "the key of " << c.name;
    }
    heard.clear();
    click("CBMP3_CDA");
    EXPECT_TRUE(heard.empty()) << "a key with no action";
    player.sent.clear();
    click("CBPlay");
    EXPECT_EQ(player.actions(), Sent{"command 40045"}) << "and the command reaches the player";
}

TEST_F(MainWindowKeys, StartKeyWithNoPlayerAnywhereShowsOneBoxAndStartsNothing) {
    player.running = false;
    launcher.existing.push_back("C:\\PROGRAM.EXE");
    int pressesMeanwhile = 0;
    host.whileMessageBox = [&] {
        // The handset's key while the box is open adds none.
        if (pressesMeanwhile++ == 0) remote->runCommand(*app::commandNamed("OPEN WINAMP"), app::CommandSource::receiver);
    };
    click("CBStart");
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text,
              "Winamp was not found. Choose winamp.exe under Winamp in the IR setup dialog.");
    EXPECT_EQ(host.messageBoxes()[0].caption, "ZAV Amp");
    EXPECT_EQ(host.messageBoxes()[0].owner, form->handle()) << "owned by the remote";
    EXPECT_EQ(pressesMeanwhile, 1);
    for (const std::string& call : launcher.calls) EXPECT_EQ(call.rfind("run", 0), std::string::npos) << call;
    click("CBStart");
    EXPECT_EQ(host.messageBoxes().size(), 2u) << "once closed, the next press shows it again";
}

struct RefreshCase {
    const char* what;
    bool running;
    std::int32_t status, shuffle, repeat, muted;
    bool iwon, iplay, ipause, istop, irepeat, inonrepeat, ialeator, inonaleator, imute;  // shown
    const char* time;
    const char* track;
};

void PrintTo(const RefreshCase& c, std::ostream* os) {
    *os << c.what;
}

class Refresh : public MainWindowKeys, public ::testing::WithParamInterface<RefreshCase> {};

TEST_P(Refresh, SetsEveryPatchAndReadout) {
    const RefreshCase& c = GetParam();
    form->LCDTrack->setValue("5");
    player.running = c.running;
    player.replies = {{104, c.status}, {250, c.shuffle}, {251, c.repeat}, {105, 61000}, {125, 41}};
    setMuteElsewhere(c.muted);
    tick();  // a track it moved to has its title read once
    player.sent.clear();
    const auto mixerCalls = mixer.calls.size();
    tick();
    EXPECT_EQ(patchShown("IWOn"), c.iwon);
    EXPECT_EQ(patchShown("IPlay"), c.iplay);
    EXPECT_EQ(patchShown("IPause"), c.ipause);
    EXPECT_EQ(patchShown("IStop"), c.istop);
    EXPECT_EQ(patchShown("IRepeat"), c.irepeat);
    EXPECT_EQ(patchShown("INonRepeat"), c.inonrepeat);
    EXPECT_EQ(patchShown("IAleator"), c.ialeator);
    EXPECT_EQ(patchShown("INonAleator"), c.inonaleator);
    EXPECT_EQ(patchShown("IMute"), c.imute);
    EXPECT_EQ(form->LCDTime->Value(), c.time);
    EXPECT_EQ(form->LCDTrack->Value(), c.track);
    EXPECT_LE(player.sent.size(), 5u) << "at most five messages to the player a tick";
    if (!c.running) {
        EXPECT_TRUE(player.sent.empty()) << "no player, no message";
    }
    EXPECT_EQ(mixer.calls.size(), mixerCalls) << "the mute indicator follows the mixer's notices, not a query a tick";
}

INSTANTIATE_TEST_SUITE_P(States, Refresh,
                         ::testing::Values(RefreshCase{"no player", false, 1, 1, 1, 0, true, true, true,
                                                       false, true, false, true, false, true, "00:00", "5"},
                                           RefreshCase{"playing", true, 1, 0, 0, 0, false, false, true, true,
                                                       true, false, true, false, true, "01:01", "42"},
                                           RefreshCase{"paused", true, 3, 0, 0, 0, false, true, false, true,
                                                       true, false, true, false, true, "01:01", "42"},
                                           RefreshCase{"stopped", true, 0, 0, 0, 0, false, true, true, false,
                                                       true, false, true, false, true, "01:01", "42"},
                                           RefreshCase{"shuffle and repeat on, muted", true, 0, 1, 1, 1,
                                                       false, true, true, false, false, true, false, true,
                                                       false, "01:01", "42"}),
                         testing_support::byWhat);

// What a refresh shows of the player, to compare one tick with the next.
struct Shown {
    bool iwon, iplay, ipause, istop, irepeat, ialeator;
    std::string time, track;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "IWOn " << s.iwon << " IPlay " << s.iplay << " IPause " << s.ipause << " IStop " << s.istop
        << " IRepeat " << s.irepeat << " IAleator " << s.ialeator << " time " << s.time << " track " << s.track;
}

class SilentPlayer : public MainWindowKeys, public ::testing::WithParamInterface<int> {
protected:
    Shown shownNow() {
        return {patchShown("IWOn"),    patchShown("IPlay"),     patchShown("IPause"),
                patchShown("IStop"),   patchShown("IRepeat"),   patchShown("IAleator"),
                form->LCDTime->Value(), form->LCDTrack->Value()};
    }
    // Playing track 42 at 01:01 with repeat on, then stopped on track 3 at
    // 00:05 with shuffle on: every indicator differs between the two.
    void playing() { player.replies = {{104, 1}, {250, 0}, {251, 1}, {105, 61000}, {125, 41}}; }
    void stoppedElsewhere() { player.replies = {{104, 0}, {250, 1}, {251, 0}, {105, 5000}, {125, 2}}; }
};

// The exchanges of a look at a stopped player, in their order: the
// window's look-up says the player runs, then each thing is asked once,
// and the title of the track it moved to (track 3, index 2) once.
const Sent stoppedLook{"request 104 0", "request 105 0", "request 125 0", "request 213 2", "request 251 0",
                       "request 250 0"};

TEST_P(SilentPlayer, ATickStopsAskingAtTheFirstSilenceAndLeavesWhatWasShown) {
    const int answered = GetParam();
    playing();
    tick();
    const Shown before = shownNow();
    stoppedElsewhere();
    tick();
    const Shown after = shownNow();
    ASSERT_NE(before.iwon, !before.iwon);
    ASSERT_NE(before.time, after.time);
    ASSERT_NE(before.track, after.track);

    playing();
    tick();
    stoppedElsewhere();
    player.answersLeft = answered;
    setMuteElsewhere(1);
    player.sent.clear();
    tick();
    EXPECT_EQ(player.sent, Sent(stoppedLook.begin(), stoppedLook.begin() + answered + 1))
        << "nothing asked after the first unanswered exchange";
    // What was heard in full shows; the rest stays as it was.
    Shown expected = before;
    if (answered >= 1) {
        expected.iplay = after.iplay;
        expected.ipause = after.ipause;
        expected.istop = after.istop;
    }
    if (answered >= 2) expected.time = after.time;
    if (answered >= 3) expected.track = after.track;
    EXPECT_EQ(shownNow(), expected);
    EXPECT_FALSE(patchShown("IMute")) << "the mixer is not the player: the mute badge follows it";

    player.answersLeft = -1;
    tick();
    EXPECT_EQ(shownNow(), after) << "the player answers again: the next tick shows its state";
}

INSTANTIATE_TEST_SUITE_P(AnsweredBeforeSilence, SilentPlayer, ::testing::Range(0, 5));

TEST_F(MainWindowKeys, TypedDigitsShowOverTheTrackAndEnterOrCancelShowTheTrackOrNothing) {
    for (const char* k : {"CB1", "CB2", "CB3", "CB4", "CB5"}) click(k);
    player.replies[125] = 6;
    tick();
    EXPECT_EQ(form->LCDTrack->Value(), "12345") << "typed digits win over the track number";
    click("CBAnulare");
    EXPECT_EQ(form->LCDTrack->Value(), "7") << "the track again, at once";
    click("CB4");
    EXPECT_EQ(form->LCDTrack->Value(), "4");
    click("CBNrTr");
    EXPECT_EQ(form->LCDTrack->Value(), "7") << "entered: the player's track at once";
    click("CB4");
    player.running = false;
    click("CBAnulare");
    EXPECT_EQ(form->LCDTrack->Value(), "") << "cancelled with no player: nothing to show";
}

TEST_F(MainWindowKeys, WhileThePlayerIsSilentKeysStillTryTheirCommandAndTypedDigitsShow) {
    player.answersLeft = 0;
    tick();
    click("CB7");
    tick();
    EXPECT_EQ(form->LCDTrack->Value(), "7");
    player.sent.clear();
    click("CBPlay");
    click("CBNext");
    click("CBStart");
    EXPECT_EQ(player.actions(), (Sent{"command 40045", "command 40048", "ping", "command 40001"}))
        << "each key tries its command; a silent player still counts as running for Start";
    EXPECT_TRUE(launcher.calls.empty()) << "no second player started beside a hung one";
}

TEST_F(MainWindowKeys, SetupCycleHidesShowsTheDialogModallyRestartsTheReceiverAndShowsTheWindow) {
    std::vector<std::string> order;
    host.onModal = [&](fw::Form& modal) {
        EXPECT_EQ(&modal, dialog);
        order.push_back(shown() ? "main shown" : "main hidden");
        EXPECT_TRUE(codes->learning()) << "codes reach the dialog while it is shown";
        dialog->CheckBoxActivare->setChecked(true);
        dialog->CheckBoxMinimizat->setChecked(true);
        dialog->SEPort->setValue(3);
        serial.clearCalls();
        host.clickControl(*dialog->ButtonOk);
    };
    click("CBSetIR");
    EXPECT_EQ(order, std::vector<std::string>{"main hidden"});
    EXPECT_TRUE(shown()) << "the window comes back even in tray mode";
    EXPECT_TRUE(settings->TrayMode);
    EXPECT_EQ(settings->PortNumber, 3);
    EXPECT_FALSE(codes->learning());
    const auto calls = serial.calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "escape CLRRTS") << "deactivated first";
    EXPECT_NE(std::find(calls.begin(), calls.end(), "open \\\\.\\COM3"), calls.end())
        << "then activated on the new port";
    EXPECT_TRUE(receiver->loopRunning());
}

// The receiver's failure boxes have no owner and serve messages: the keys
// stay clickable while one is open.
TEST_F(MainWindowKeys, TheSetupKeyIsIgnoredWhileActivationsBoxIsOpenOrACycleRuns) {
    start("[IR]\r\nMinimizare=0\r\n");
    int cycles = 0;
    host.onModal = [&](fw::Form&) {
        ++cycles;
        click("CBSetIR");
        host.clickControl(*dialog->ButtonOk);
    };
    serial.failOn("open");
    int boxes = 0;
    serial.whileMessageBox = [&] {
        ++boxes;
        click("CBSetIR");
    };
    remote->reload();  // the receiver taken afresh, its open failing
    ASSERT_GT(boxes, 0);
    EXPECT_EQ(cycles, 0) << "no setup cycle began inside the activation";
    serial.whileMessageBox = nullptr;
    serial.stopFailing("open");
    click("CBSetIR");
    EXPECT_EQ(cycles, 1) << "a press while the cycle ran began none of its own";
    EXPECT_TRUE(shown());
    EXPECT_TRUE(com->isOpen());
}

enum class Ending { closeKey, fromOutside, fromOutsideWhileTheDialogIsOpen };

class EndingTheProgram : public MainWindowKeys, public ::testing::WithParamInterface<Ending> {};

// Every way the program ends lets the receiver and the icon go at once:
// at a session's end the process is stopped before any loop could.
TEST_P(EndingTheProgram, ReleasesTheReceiverAndTheIconOnceAndOpensNothingAgain) {
    start("[IR]\r\nMinimizare=1\r\n");
    ASSERT_TRUE(com->isOpen());
    const auto trayCalls = tray.calls.size();
    std::size_t serialCalls = 0;
    const auto ended = [&] {
        EXPECT_TRUE(application->terminated());
        EXPECT_FALSE(com->isOpen()) << "released before the loop ends";
        const auto after = tray.callsFrom(trayCalls);
        EXPECT_EQ(std::count_if(after.begin(), after.end(), [](auto& c) { return c.starts_with("notify delete"); }), 1);
        serialCalls = serial.calls().size();
    };
    switch (GetParam()) {
        case Ending::closeKey:
            click("CBClose");
            ended();
            break;
        case Ending::fromOutside:
            application->end();
            ended();
            break;
        case Ending::fromOutsideWhileTheDialogIsOpen:
            host.onModal = [&](fw::Form&) {
                application->end();
                ended();
            };
            click("CBSetIR");
            break;
    }
    program.reset();
    EXPECT_EQ(serial.calls().size(), serialCalls) << "nothing opened again, nothing released twice";
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTheProgram,
                         ::testing::Values(Ending::closeKey, Ending::fromOutside, Ending::fromOutsideWhileTheDialogIsOpen));

}  // namespace
