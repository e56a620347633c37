// The on-screen display of what the handset did while the remote is
// hidden: what each kind of command shows, as the player and the mixer
// report it; when it shows, updates and goes; and when it never shows.
#include <gtest/gtest.h>

#include "app/player_path.h"

#include <ostream>

#include "app/commands.h"
#include "support/case_name.h"
#include "support/program_fixture.h"

namespace {

using PlayState = control::TWinampControl::PlayState;
using testing_support::DrawCall;

// A code for each command: "C0DE" and its place in load order.
std::string codeOf(const std::string& name) {
    const auto& names = app::commandNamesLoadOrder();
    const auto at = static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
    static const char* hex = "0123456789ABCDEF";
    return std::string("C0DE") + hex[at / 16] + hex[at % 16];
}

class Osd : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    void startHidden(const std::string& ir = "EXECUTARE=1\r\n") {
        player.running = true;
        player.replies = {{104, 1}, {105, 61000}, {125, 41}, {250, 1}, {251, 0}};
        std::string ini = "[IR]\r\n" + ir + "[PORT_SET]\r\nPORT=0\r\n[COMENZI_IR]\r\n";
        for (const std::string& name : app::commandNamesLoadOrder()) ini += name + "=" + codeOf(name) + "\r\n";
        start(ini);
        osd = &program->osd();
    }
    void receive(const std::string& name, std::uint32_t at) {
        host.now = at;
        feedSerial(codeOf(name));
        host.runPosted();
    }
    bool osdShown() { return host.state(*osd).visible; }
    // The display's look at the player's track, 2 s on.
    void look() {
        host.now += 2000;
        host.fireTimer(*remote->Live->TimerLook);
    }
    app::TOsd* osd = nullptr;
};

struct ContentCase {
    const char* what;
    std::vector<const char*> commands;
    std::string title;
    std::optional<PlayState> state;
    std::optional<std::string> time;
    std::optional<std::string> number;
    std::optional<int> percent;
    std::optional<bool> muted;
};

void PrintTo(const ContentCase& c, std::ostream* os) { *os << c.what; }

class Contents : public Osd, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(Contents, ShowWhatThePlayerAndTheMixerSayAfterTheCommand) {
    startHidden();
    std::uint32_t t = 1000;
    for (const char* command : GetParam().commands) receive(command, t += 400);
    ASSERT_TRUE(osdShown());
    const app::OsdContent& c = osd->content();
    EXPECT_EQ(c.title, GetParam().title);
    EXPECT_EQ(c.state, GetParam().state);
    EXPECT_EQ(c.time, GetParam().time);
    EXPECT_EQ(c.number, GetParam().number);
    EXPECT_EQ(c.percent, GetParam().percent);
    EXPECT_EQ(c.muted, GetParam().muted);
    EXPECT_EQ(osd->LCDTime->visible(), c.time.has_value() && !c.percent);
    EXPECT_EQ(osd->LCDNumber->visible(), c.number.has_value());
    EXPECT_EQ(osd->LCDNumber->Value(), c.number.value_or(osd->LCDNumber->Value()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Contents,
    ::testing::Values(
        ContentCase{"play", {"PLAY"}, "PLAY", PlayState::playing, "01:01", "42", {}, {}},
        ContentCase{"next", {"NEXT SONG"}, "NEXT SONG", PlayState::playing, "01:01", "42", {}, {}},
        ContentCase{"volume up from 30000 of 65535", {"VOLUME UP"}, "VOLUME", {}, {}, "48", 48, {}},
        ContentCase{"volume down", {"VOLUME DOWN"}, "VOLUME", {}, {}, "43", 43, {}},
        ContentCase{"mute", {"MUTE"}, "MUTE ON", {}, {}, {}, {}, true},
        ContentCase{"mute twice", {"MUTE", "MUTE"}, "MUTE OFF", {}, {}, {}, {}, false},
        ContentCase{"digits typed", {"TASTE 1", "TASTE 2"}, "TRACK", {}, {}, "12", {}, {}},
        ContentCase{"entered: the player's track", {"TASTE 1", "TASTE 2", "ENTER"}, "TRACK", {}, {}, "42", {}, {}},
        ContentCase{"cancelled", {"TASTE 7", "CANCEL"}, "TRACK", {}, {}, "42", {}, {}},
        ContentCase{"shuffle", {"SHUFFLE"}, "SHUFFLE ON", {}, {}, {}, {}, {}},
        ContentCase{"repeat", {"REPEAT"}, "REPEAT OFF", {}, {}, {}, {}, {}},
        ContentCase{"open winamp while it runs", {"OPEN WINAMP"}, "CLOSING PLAYER", {}, {}, {}, {}, {}}),
    testing_support::byWhat);

TEST_F(Osd, TheDrawnFaceHasTheMarkAndTheVolumeBar) {
    startHidden();
    receive("PLAY", 1000);
    auto canvas = host.record(*osd);
    const auto inMark = [&] {
        std::size_t n = 0;
        const fw::Rect m = app::OsdLayout::mark;
        for (const auto& call : canvas.callsOf(DrawCall::Kind::polygon))
            n += std::all_of(call.points.begin(), call.points.end(), [&](fw::Point p) {
                return p.x >= m.left && p.x <= m.right && p.y >= m.top && p.y <= m.bottom;
            });
        return n;
    };
    EXPECT_EQ(inMark(), 1u) << "the play mark";
    EXPECT_FALSE(canvas.callsOf(DrawCall::Kind::text).empty()) << "the title";
    receive("VOLUME UP", 2000);
    canvas = host.record(*osd);
    std::size_t lit = 0, steps = 0;
    for (const auto& call : canvas.callsOf(DrawCall::Kind::fillRect)) {
        if (call.rect.intersect(app::OsdLayout::bar) != call.rect) continue;
        ++steps;
        lit += call.brush == fw::colors::black;
    }
    EXPECT_EQ(steps, 20u) << "a bar of 20 steps";
    EXPECT_EQ(lit, 10u) << "48 % lights 10 of them";
}

TEST_F(Osd, WithoutAPlayerItSaysSoInsteadOfStaleFigures) {
    startHidden();
    receive("PLAY", 1000);
    player.running = false;
    for (const char* command : {"STOP", "ENTER", "SHUFFLE"}) {
        receive(command, host.now + 400);
        EXPECT_EQ(osd->content(), (app::OsdContent{"NO PLAYER", {}, {}, {}, {}, {}, {}})) << command;
        EXPECT_FALSE(osd->LCDTime->visible());
        EXPECT_FALSE(osd->LCDNumber->visible());
    }
    receive("OPEN WINAMP", host.now + 400);
    EXPECT_EQ(osd->content().title, "NO PLAYER") << "no player file anywhere";
    EXPECT_TRUE(host.messageBoxes().empty()) << "while the remote is hidden, the screen says it, not a box";
    launcher.existing.push_back(app::fixedPlayerPath);
    receive("OPEN WINAMP", host.now + 400);
    EXPECT_EQ(osd->content().title, "STARTING PLAYER");
}

TEST_F(Osd, WhatThePlayerLeavesUnansweredIsLeftOut) {
    startHidden();
    player.answersLeft = 2;  // the command and the status, then silence
    receive("PAUSE", 1000);
    EXPECT_EQ(osd->content().title, "PAUSE");
    EXPECT_EQ(osd->content().state, PlayState::playing);
    EXPECT_EQ(osd->content().time, std::nullopt);
    EXPECT_EQ(osd->content().number, std::nullopt);
}

TEST_F(Osd, ItShowsInTheWorkAreasCornerUpdatesInPlaceAndHides15SecondsAfterTheLastCommand) {
    startHidden();
    EXPECT_EQ(osd->borderStyle(), fw::BorderStyle::overlay);
    EXPECT_FALSE(host.timerRunning(*osd->TimerHide)) << "nothing runs while nothing is shown";
    receive("VOLUME UP", 1000);
    EXPECT_TRUE(osdShown());
    EXPECT_EQ(host.state(*osd).bottomRightMargin, 16);
    EXPECT_EQ(host.timerInterval(*osd->TimerHide), 1500);
    EXPECT_EQ(host.state(*form).activations, 0);
    // A held key: arrivals every 110 ms, the volume rising after 400 ms.
    std::vector<int> shown;
    for (std::uint32_t t = 1110; t <= 2000; t += 110) {
        receive("VOLUME UP", t);
        shown.push_back(*osd->content().percent);
        EXPECT_TRUE(host.timerRunning(*osd->TimerHide)) << "counted afresh from each command";
    }
    EXPECT_GT(shown.back(), shown.front()) << "the same display, rising";
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(application->forms().size(), 3u) << "one display, made once";
    host.fireTimer(*osd->TimerHide);
    EXPECT_FALSE(osdShown());
    EXPECT_FALSE(host.timerRunning(*osd->TimerHide));
    receive("PLAY", 5000);
    EXPECT_TRUE(osdShown()) << "and shown again by the next command";
    host.click(*osd, {50, 10});
    EXPECT_FALSE(osdShown()) << "a click puts it away";
}

struct SilenceCase {
    const char* what;
    std::string ir;
    bool windowShown;
    bool byMouse;
};

void PrintTo(const SilenceCase& c, std::ostream* os) { *os << c.what; }

class NoDisplay : public Osd, public ::testing::WithParamInterface<SilenceCase> {};

TEST_P(NoDisplay, Appears) {
    startHidden(GetParam().ir);
    if (GetParam().windowShown) form->Arata();
    if (GetParam().byMouse) {
        form->Arata();
        click(*form->CBPlay);
        form->Ascunde();
    } else {
        receive("PLAY", 1000);
    }
    EXPECT_FALSE(osdShown());
    EXPECT_FALSE(host.timerRunning(*osd->TimerHide));
}

INSTANTIATE_TEST_SUITE_P(
    When, NoDisplay,
    ::testing::Values(SilenceCase{"the window is shown", "EXECUTARE=1\r\n", true, false},
                      SilenceCase{"OSD is 0", "EXECUTARE=1\r\nOSD=0\r\n", false, false},
                      SilenceCase{"codes carry out nothing", "", false, false},
                      SilenceCase{"a key is clicked with the mouse", "EXECUTARE=1\r\n", false, true}),
    testing_support::byWhat);

TEST_F(Osd, TheCheckBoxLoadsAndSavesTheSetting) {
    startHidden("EXECUTARE=1\r\nOSD=0\r\nMinimizare=0\r\n");
    host.onModal = [&](fw::Form&) {
        EXPECT_FALSE(dialog->CheckBoxOsd->checked()) << "loaded from the setting";
        EXPECT_EQ(dialog->CheckBoxOsd->text(), "Show what the handset does");
        host.clickControl(*dialog->CheckBoxOsd);
        host.clickControl(*dialog->ButtonOk);
    };
    click(*form->CBSetIR);
    EXPECT_NE(iniText().find("OSD=1\r\n"), std::string::npos);
    EXPECT_TRUE(settings->Osd);
}

TEST_F(Osd, ThePlayersTitleShowsWithATransportKeyAndWhenTheTrackMovesOnByItself) {
    startHidden();
    const auto title = [&](const std::string& text) {
        std::string wide;
        for (char c : text + '\0') wide += std::string{c, '\0'};
        player.memory[0x2000] = wide;
    };
    player.replies[213] = 0x2000;
    title("Song A");
    receive("PLAY", 1000);
    EXPECT_EQ(osd->content().song, "Song A");
    EXPECT_EQ(osd->LabelSong->text(), "Song A");
    EXPECT_TRUE(host.state(*osd->LabelSong).visible);
    EXPECT_EQ(osd->clientSize().height, app::OsdLayout::client.height + app::OsdLayout::songHeight);
    osd->hide();
    // The handset's NEXT moves it: shown with the key's own look, and the
    // display's next look finds nothing moved.
    player.replies[125] = 42;
    title("Song B");
    receive("NEXT SONG", 1500);
    EXPECT_EQ(osd->content().song, "Song B");
    osd->hide();
    look();
    EXPECT_FALSE(osdShown()) << "the key that moved it showed it already";
    player.replies[125] = 43;
    title("Song C");
    look();
    ASSERT_TRUE(osdShown()) << "moved on by itself";
    EXPECT_EQ(osd->content().title, "NOW PLAYING");
    EXPECT_EQ(osd->content().song, "Song C");
    osd->hide();
    player.sent.clear();
    look();
    EXPECT_FALSE(osdShown()) << "the same track again";
    EXPECT_EQ(player.sent, std::vector<std::string>{"request 125 0"}) << "one question a look; its title not read again";
    player.memory.clear();
    receive("STOP", 5000);
    EXPECT_FALSE(osd->content().song.has_value()) << "unreadable: nothing";
    EXPECT_FALSE(host.state(*osd->LabelSong).visible);
    EXPECT_EQ(osd->clientSize().height, app::OsdLayout::client.height);
}

TEST_F(Osd, APlayerThatCannotTellWhichTrackPlaysShowsNoTitle) {
    player.program = "foobar2000.exe";
    startHidden();
    player.replies[212] = 0x3000;
    player.memory[0x3000] = std::string("The first track\0", 16);
    receive("PLAY", 1000);
    ASSERT_TRUE(osdShown());
    EXPECT_FALSE(osd->content().song.has_value()) << "the first track's title would be a guess";
    EXPECT_EQ(std::count_if(player.sent.begin(), player.sent.end(),
                            [](const std::string& s) { return s.rfind("request 212", 0) == 0; }),
              0);
}

TEST_F(Osd, AKeyThePlayerCannotCarryOutSaysSo) {
    player.program = "foobar2000.exe";
    startHidden();
    receive("SHUFFLE", 1000);  // on already
    EXPECT_EQ(osd->content().title, "NOT SUPPORTED");
    EXPECT_EQ(std::count(player.sent.begin(), player.sent.end(), "request 252 1"), 0);
}

}  // namespace
