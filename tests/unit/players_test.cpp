// The players that answer Winamp's window, each driven as it really
// behaves: which program answers (its image name, its version), each row
// of the table of differences against Winamp's ids, the title read from
// the player's memory however long or unreadable it is; and with no such
// window, the system's media keys for the others, our own never heard
// back as a handset's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/player_kind.h"
#include "control/winamp_control.h"
#include "ir/key_source.h"
#include "support/fake_control.h"
#include "support/remote_fixture.h"

namespace {

using control::PlayerKind;
using control::TWinampControl;
using testing_support::FakePlayer;
using Sent = std::vector<std::string>;

TEST(Players, AreKnownByTheirProgramAndVersion) {
    const struct {
        const char* image;
        std::int32_t version;
        PlayerKind kind;
        const char* name;
    } cases[] = {
        {"winamp.exe", 0x5090, PlayerKind::winamp, "Winamp 5.9"},
        {"WINAMP.EXE", 0x5066, PlayerKind::winamp, "Winamp 5.66"},
        {"winamp.exe", 0x2080, PlayerKind::winamp, "Winamp 2.8"},
        {"winamp.exe", 0, PlayerKind::winamp, "Winamp"},
        {"", 0x5090, PlayerKind::winamp, "Winamp 5.9"},  // the program could not be told
        {"wacup.exe", 0x5090, PlayerKind::wacup, "WACUP"},
        {"foobar2000.exe", 0x2080, PlayerKind::foobar2000, "foobar2000 (Winamp bridge)"},
        {"MediaMonkey.exe", 0, PlayerKind::mediaMonkey, "MediaMonkey"},
        {"AIMP.exe", 0, PlayerKind::aimp, "AIMP"},
        {"LA.exe", 0, PlayerKind::lightAlloy, "Light Alloy"},
        {"C:\\Tools\\vlc.exe", 0x2080, PlayerKind::other, "vlc.exe, answering as Winamp 2.8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        const control::PlayerIdentity player = control::identifyPlayer(c.image, c.version);
        EXPECT_EQ(player.kind, c.kind);
        EXPECT_EQ(control::playerName(player), c.name);
    }
}

// What one key sends to Winamp and to foobar2000's bridge, with the
// player's state as it answers it.
struct Row {
    const char* what;
    bool (TWinampControl::*op)();
    std::map<std::int32_t, std::int32_t> replies;
    Sent winamp;
    Sent foobar;
    bool foobarNotSupported = false;
};

TEST(Players, EachDifferenceOfTheBridgeIsItsOwnRow) {
    const Row rows[] = {
        {"REW seeks", &TWinampControl::Rewind, {}, {"command 40144"}, {"command 40154"}},
        {"FF seeks", &TWinampControl::FastForward, {}, {"command 40148"}, {"command 40158"}},
        {"PAUSE while paused resumes", &TWinampControl::Pause, {{104, 3}}, {"command 40046"},
         {"request 104 0", "command 40045"}},
        {"PAUSE while playing pauses", &TWinampControl::Pause, {{104, 1}}, {"command 40046"},
         {"request 104 0", "command 40046"}},
        {"SHUFFLE switched on", &TWinampControl::ToggleShuffle, {{250, 0}}, {"command 40023"},
         {"request 250 0", "request 252 1"}},
        {"SHUFFLE cannot be switched off", &TWinampControl::ToggleShuffle, {{250, 1}}, {"command 40023"},
         {"request 250 0"}, true},
        {"REPEAT switched on", &TWinampControl::ToggleRepeat, {{251, 0}}, {"command 40022"},
         {"request 251 0", "request 253 1"}},
        {"REPEAT cannot be switched off", &TWinampControl::ToggleRepeat, {{251, 1}}, {"command 40022"},
         {"request 251 0"}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (const char* program : {"winamp.exe", "foobar2000.exe"}) {
            FakePlayer player;
            player.program = program;
            player.replies = row.replies;
            TWinampControl control(nullptr, "WinampControl", player);
            const bool foobar = program[0] == 'f';
            EXPECT_TRUE((control.*row.op)());
            EXPECT_EQ(player.sent, foobar ? row.foobar : row.winamp) << program;
            EXPECT_EQ(control.NotSupported(), foobar && row.foobarNotSupported) << program;
        }
    }
}

TEST(Players, ATrackNumberThatIsAlwaysTheSameIsNone) {
    FakePlayer player;
    player.replies = {{125, 6}};
    TWinampControl control(nullptr, "WinampControl", player);
    EXPECT_EQ(control.TrackNumber(), 7);
    player.program = "foobar2000.exe";
    TWinampControl bridge(nullptr, "WinampControl", player);
    player.sent.clear();
    EXPECT_EQ(bridge.TrackNumber(), std::nullopt);
    EXPECT_TRUE(player.sent.empty()) << "nothing asked that could not be believed";
}

TEST(Players, ATitleIsReadByItsIndexBoundedFromThePlayersMemory) {
    const std::string wideHello("H\0\xe9\0l\0l\0o\0\0\0junk", 16);
    const struct {
        const char* what;
        const char* program;
        std::int32_t address;
        std::optional<std::string> memory;
        std::optional<std::string> title;
    } cases[] = {
        {"a short 8-bit one", "MediaMonkey.exe", 0x1000, std::string("Artist - Song\0junk", 18), "Artist - Song"},
        {"a wide one", "winamp.exe", 0x1000, wideHello, "H\xc3\xa9llo"},
        {"one without its end", "AIMP.exe", 0x1000, std::string(2000, 'x'), std::string(512, 'x')},
        {"one the memory ends in", "AIMP.exe", 0x1000, std::string("Cut"), "Cut"},
        {"unreadable", "AIMP.exe", 0x1000, std::nullopt, std::nullopt},
        {"no address", "AIMP.exe", 0, std::string("Never read"), std::nullopt},
        {"empty", "AIMP.exe", 0x1000, std::string("\0", 1), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlayer player;
        player.program = c.program;
        const bool wide = c.program[0] == 'w';
        player.replies = {{wide ? 213 : 212, c.address}};
        if (c.memory) player.memory[0x1000] = *c.memory;
        TWinampControl control(nullptr, "WinampControl", player);
        EXPECT_EQ(control.GetTitle(3), c.title);
        EXPECT_EQ(player.sent, (Sent{wide ? "request 213 2" : "request 212 2"})) << "track 3 is index 2";
    }
}

TEST(Players, AVersionLeftUnansweredIsAskedAgain) {
    FakePlayer player;
    player.program = "winamp.exe";
    player.replies = {{0, 0x5090}};
    player.busyFor = 1;
    TWinampControl control(nullptr, "WinampControl", player);
    EXPECT_EQ(control.DescribePlayer(), "Winamp");
    EXPECT_EQ(control.DescribePlayer(), "Winamp 5.9");
    EXPECT_EQ(control.DescribePlayer(), "Winamp 5.9");
    EXPECT_EQ(player.sent, (Sent{"request 0 0", "request 0 0"})) << "once answered, it is not asked again";
}

class OtherPlayers : public ::testing::Test, public testing_support::RemoteFixture {};

TEST_F(OtherPlayers, GetTheSystemsMediaKeysWhenNoWinampWindowAnswers) {
    using platform::MediaKey;
    const char* keys[] = {"PLAY", "PAUSE", "STOP", "NEXT SONG", "PREVIOUS SONG", "REW", "SHUFFLE"};
    start("[IR]\r\nACTIVARE=0\r\n[PLAYER]\r\nOTHERS=1\r\n");
    player.running = false;
    for (const char* key : keys) run(key);
    EXPECT_EQ(mediaKeys.sent, (std::vector<MediaKey>{MediaKey::play, MediaKey::pause, MediaKey::stop,
                                                     MediaKey::next, MediaKey::previous}));
    const fw::Subscription watching = remote->watch({500, app::StateWatch::Parts::everything});
    EXPECT_EQ(app::trackReadout(remote->state()), "--") << "no figures, not zeros";
    EXPECT_EQ(app::timeReadout(remote->state()), "--:--");
    EXPECT_EQ(remote->answeringPlayer(), "none: media keys");

    player.running = true;
    player.program = "winamp.exe";
    player.replies = {{0, 0x5090}};
    mediaKeys.sent.clear();
    for (const char* key : keys) run(key);
    EXPECT_TRUE(mediaKeys.sent.empty()) << "a Winamp window takes them itself";
    EXPECT_EQ(remote->answeringPlayer(), "Winamp 5.9");

    start("[IR]\r\nACTIVARE=0\r\n");
    player.running = false;
    for (const char* key : keys) run(key);
    EXPECT_TRUE(mediaKeys.sent.empty()) << "off, as today";
    EXPECT_EQ(remote->answeringPlayer(), "none");
}

TEST(Players, OurOwnMediaKeysAreNeverAHandsetsKey) {
    struct Fed : ir::CodeSink {
        void feed(ir::CodeSource, std::string code, ir::Arrival) override { codes.push_back(code); }
        Sent codes;
    } fed;
    ir::KeySource source(fed);
    source.takeCodes({"key:MEDIA_PLAY_PAUSE"});
    for (auto way : {platform::KeyWay::hook, platform::KeyWay::keyboard}) {
        platform::KeyStroke ours;
        ours.vk = 0xB3;
        ours.way = way;
        ours.sentByUs = true;
        EXPECT_FALSE(source.key(ours, 100));
        ours.down = false;
        EXPECT_FALSE(source.key(ours, 110));
    }
    EXPECT_TRUE(fed.codes.empty());
    platform::KeyStroke users;
    users.vk = 0xB3;
    users.way = platform::KeyWay::hook;
    EXPECT_TRUE(source.key(users, 500)) << "the user's own is taken";
}

}  // namespace
