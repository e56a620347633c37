// The keys and remotes the system hears, made codes: what a key is as a
// code (and what is never one), one press for a key that comes by several
// ways, held keys, HID reports through the parser's seam, devices that go,
// and which keys the hook keeps from the program in front.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <optional>
#include <string>
#include <vector>

#include "ir/key_source.h"

namespace {

using platform::KeyStroke;
using platform::KeyWay;

constexpr unsigned playPause = 0xB3, volumeUp = 0xAF, f13 = 0x7C, ctrlKey = 0xA2, altKey = 0xA4, shiftKey = 0xA0;
constexpr char receiver[] = "045E:006D";
constexpr char keyboard[] = "046D:C31C";

class Fed : public ir::CodeSink {
public:
    void feed(ir::CodeSource source, std::string code, ir::Arrival arrival) override {
        std::lock_guard lock(mutex_);
        const char* how = arrival == ir::Arrival::press ? "press " : arrival == ir::Arrival::held ? "held " : "? ";
        codes.push_back(std::string(source == ir::CodeSource::keys ? "" : "foreign ") + how + code);
    }
    std::vector<std::string> codes;

private:
    std::mutex mutex_;
};

// Reports as a HID parser would read them: the bytes after the first are
// usage pairs (page, usage) of the buttons down; a first byte other than 1
// is a report the parser rejects.
class PairParser : public platform::HidParser {
public:
    std::optional<std::vector<platform::HidUsage>> usages(const std::vector<unsigned char>& preparsed,
                                                    const std::vector<unsigned char>& report) const override {
        if (preparsed.empty() || report.empty() || report[0] != 1) return std::nullopt;
        std::vector<platform::HidUsage> down;
        for (std::size_t i = 1; i + 1 < report.size(); i += 2)
            down.push_back({static_cast<std::uint16_t>(report[i] == 0xFF ? 0xFFBC : report[i]), report[i + 1]});
        return down;
    }
};

class KeySourceTest : public ::testing::Test {
protected:
    bool key(unsigned vk, bool down, KeyWay way = KeyWay::hook, const std::string& device = {}, bool field = false) {
        return source.key(KeyStroke{.vk = vk,
                                    .down = down,
                                    .way = way,
                                    .device = device,
                                    .focusInOurField = field,
                                    .systemModifiers = std::nullopt},
                          at += 10);
    }
    void tap(unsigned vk, KeyWay way = KeyWay::hook, const std::string& device = {}, bool field = false) {
        key(vk, true, way, device, field);
        key(vk, false, way, device, field);
    }
    void report(std::uintptr_t device, std::vector<unsigned char> bytes) {
        source.hidReport(device, parser, {1}, bytes, at += 10);
    }
    Fed fed;
    ir::KeySource source{fed};
    PairParser parser;
    std::uint32_t at = 1000;
};

struct Learnable {
    const char* what;
    std::vector<unsigned> held;  // modifiers held first
    unsigned vk;
    KeyWay way;
    const char* device;
    bool ourField;
    const char* code;  // empty: none
};

TEST_F(KeySourceTest, AreCodesOnlyWhereNoOneTypesThem) {
    const Learnable cases[] = {
        {"a media key by the hook", {}, playPause, KeyWay::hook, "", false, "key:MEDIA_PLAY_PAUSE"},
        {"a media key from a keyboard", {}, playPause, KeyWay::keyboard, keyboard, false, "key:MEDIA_PLAY_PAUSE"},
        {"a media key in one of our fields", {}, playPause, KeyWay::keyboard, keyboard, true, "key:MEDIA_PLAY_PAUSE"},
        {"F13 to F24", {}, f13, KeyWay::hook, "", false, "key:F13"},
        {"with Ctrl and Alt", {ctrlKey, altKey}, f13, KeyWay::hook, "", false, "key:CTRL+ALT+F13"},
        {"a letter with Ctrl", {ctrlKey}, 'K', KeyWay::hook, "", false, "key:CTRL+K"},
        {"a letter with Ctrl in our field", {ctrlKey}, 'V', KeyWay::keyboard, keyboard, true, ""},
        {"a letter", {}, 'K', KeyWay::keyboard, keyboard, false, ""},
        {"a letter with Shift", {shiftKey}, 'K', KeyWay::keyboard, keyboard, false, ""},
        {"a receiver's digit", {}, '5', KeyWay::keyboard, receiver, false, "key:5@045E:006D"},
        {"a receiver's arrow with Shift", {shiftKey}, 0x26, KeyWay::keyboard, receiver, false, "key:SHIFT+UP@045E:006D"},
        {"a receiver's digit in our field", {}, '5', KeyWay::keyboard, receiver, true, ""},
        {"a digit by the hook, which knows no device", {}, '5', KeyWay::hook, "", false, ""},
        {"a digit from a keyboard that names no device", {}, '5', KeyWay::keyboard, "", false, ""},
        {"F5, a program's key", {}, 0x74, KeyWay::hook, "", false, ""},
        {"Shift alone", {}, shiftKey, KeyWay::hook, "", false, ""},
        {"a key without a name", {}, 0xE8, KeyWay::hook, "", false, ""},
    };
    for (const Learnable& c : cases) {
        SCOPED_TRACE(c.what);
        fed.codes.clear();
        for (unsigned m : c.held) key(m, true, c.way, c.device);
        tap(c.vk, c.way, c.device, c.ourField);
        for (unsigned m : c.held) key(m, false, c.way, c.device);
        EXPECT_EQ(fed.codes, *c.code ? std::vector<std::string>{std::string("press ") + c.code}
                                     : std::vector<std::string>{});
        at += 1000;
    }
}

// The setup dialog turns its pages with Ctrl+Tab: in our windows that is
// never a code, so a walk through the keys does not learn it; elsewhere it
// is one as any key with Ctrl is.
TEST_F(KeySourceTest, CtrlTabInOurWindowsIsTheirsAndACodeElsewhere) {
    struct Case {
        const char* what;
        bool shifted;
        bool ourWindow;
        const char* code;
    };
    for (const Case& c : {Case{"Ctrl+Tab in our dialog", false, true, ""},
                          Case{"Ctrl+Shift+Tab in our dialog", true, true, ""},
                          Case{"Ctrl+Tab in another program", false, false, "press key:CTRL+TAB"}}) {
        SCOPED_TRACE(c.what);
        fed.codes.clear();
        const auto stroke = [&](unsigned vk, bool down) {
            source.key(KeyStroke{.vk = vk,
                                 .down = down,
                                 .way = KeyWay::hook,
                                 .device = {},
                                 .focusInOurWindow = c.ourWindow,
                                 .systemModifiers = std::nullopt},
                       at += 10);
        };
        stroke(ctrlKey, true);
        if (c.shifted) stroke(shiftKey, true);
        stroke(0x09, true);
        stroke(0x09, false);
        if (c.shifted) stroke(shiftKey, false);
        stroke(ctrlKey, false);
        EXPECT_EQ(fed.codes, *c.code ? std::vector<std::string>{c.code} : std::vector<std::string>{});
        at += 1000;
    }
}

TEST_F(KeySourceTest, AKeyboardThatTypedWhatOnlyKeyboardsTypeIsTheOneInUse) {
    constexpr char other[] = "1A2B:0001";
    constexpr char third[] = "1A2B:0002";
    tap('7', KeyWay::keyboard, receiver);
    tap('H', KeyWay::keyboard, keyboard);
    tap('7', KeyWay::keyboard, keyboard);
    tap(0xBC, KeyWay::keyboard, other);  // a comma
    tap(0x0D, KeyWay::keyboard, other);
    tap(0x0D, KeyWay::keyboard, third, true);  // Enter in one of our fields
    tap(0x0D, KeyWay::keyboard, third);
    tap('7', KeyWay::keyboard, receiver);
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:7@045E:006D", "press key:7@045E:006D"}));
}

TEST_F(KeySourceTest, OneKeyByTwoWaysIsOnePress) {
    // Held down and let go, each way in its turn.
    key(playPause, true, KeyWay::hook);
    key(playPause, true, KeyWay::keyboard, keyboard);
    key(playPause, false, KeyWay::hook);
    key(playPause, false, KeyWay::keyboard, keyboard);
    // A short press whose other way lags behind its release.
    at += 500;
    tap(playPause, KeyWay::hook);
    tap(playPause, KeyWay::keyboard, keyboard);
    // The same key of a keyboard's consumer control, and its key.
    at += 500;
    report(7, {1, 0x0C, 0xCD});
    tap(playPause, KeyWay::keyboard, keyboard);
    report(7, {1});
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:MEDIA_PLAY_PAUSE", "press key:MEDIA_PLAY_PAUSE",
                                                   "press key:MEDIA_PLAY_PAUSE"}));
}

TEST_F(KeySourceTest, AutoRepeatIsTheKeyHeldUntilItsRelease) {
    key(volumeUp, true, KeyWay::hook);
    key(volumeUp, true, KeyWay::keyboard, keyboard);
    for (int i = 0; i < 2; ++i) {
        at += 500;  // however long the repeat waits
        key(volumeUp, true, KeyWay::hook);
        key(volumeUp, true, KeyWay::keyboard, keyboard);  // the other way's repeat: the same one
    }
    for (int i = 0; i < 3; ++i) key(volumeUp, true, KeyWay::hook);  // a fast repeat: told at most every 100 ms
    key(volumeUp, false, KeyWay::hook);
    key(volumeUp, false, KeyWay::keyboard, keyboard);
    tap(volumeUp, KeyWay::hook);  // pressed again at once: a new press
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:VOLUME_UP", "held key:VOLUME_UP", "held key:VOLUME_UP",
                                                   "press key:VOLUME_UP"}));
}

TEST_F(KeySourceTest, AReleaseThatNeverCameDoesNotHoldTheKeyForGood) {
    key(playPause, true, KeyWay::hook);
    key(playPause, true, KeyWay::keyboard, keyboard);
    key(playPause, false, KeyWay::hook);  // the keyboard's release is lost
    at += 500;
    tap(playPause, KeyWay::hook);
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:MEDIA_PLAY_PAUSE", "press key:MEDIA_PLAY_PAUSE"}));
}

TEST_F(KeySourceTest, AHeldHidKeyRepeatsUntilItsReportOfNone) {
    EXPECT_FALSE(source.wantsTicks());
    report(3, {1, 0x0C, 0xE9});  // Volume Increment, a re-trigger control
    EXPECT_TRUE(source.wantsTicks());
    source.tick(at += 100);
    source.tick(at += 100);
    report(3, {2});  // rejected by the parser: dropped, the key still down
    source.tick(at += 100);
    report(3, {1});
    EXPECT_FALSE(source.wantsTicks());
    source.tick(at += 100);
    report(3, {1, 0xFF, 0x0D});  // the Media Center page, no key for it
    report(3, {1, 0xFF, 0x0D, 0x0C, 0xCD});
    report(3, {1});
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:VOLUME_UP", "held key:VOLUME_UP", "held key:VOLUME_UP",
                                                   "held key:VOLUME_UP", "press hid:FFBC:0D",
                                                   "press key:MEDIA_PLAY_PAUSE"}));
}

TEST_F(KeySourceTest, ADeviceUnpluggedLetsGoWhatItHeld) {
    report(4, {1, 0x0C, 0xE9});
    report(5, {1, 0x0C, 0xEA});
    source.deviceGone(5);
    source.tick(at += 100);  // the other device's key is still held
    source.deviceGone(4);
    EXPECT_FALSE(source.wantsTicks());
    source.tick(at += 100);
    report(4, {1, 0x0C, 0xE9});  // plugged in again: a new press
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:VOLUME_UP", "press key:VOLUME_DOWN",
                                                   "press key:VOLUME_UP"}));
}

TEST_F(KeySourceTest, AHidKeyHeldBeyondAnyUseIsLetGo) {
    report(4, {1, 0x0C, 0xE9});
    source.tick(at += ir::KeySource::maxHeldMs - 10);
    source.tick(at += 100);
    EXPECT_FALSE(source.wantsTicks()) << "nothing repeats any more: the timer may stop";
    source.tick(at += 100);
    // The same key from the keyboard is a press of its own, not one more way
    // of a press that never ends.
    tap(volumeUp, KeyWay::keyboard, keyboard);
    report(4, {1, 0x0C, 0xE9, 0x0C, 0xEA});  // still down beside another: no new press of it
    report(4, {1});
    at += 500;
    report(4, {1, 0x0C, 0xE9});
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:VOLUME_UP", "held key:VOLUME_UP", "press key:VOLUME_UP",
                                                   "press key:VOLUME_DOWN", "press key:VOLUME_UP"}));
}

TEST_F(KeySourceTest, OnlyTheHidKeyPressedLastRepeats) {
    report(4, {1, 0x0C, 0xE9, 0x0C, 0xEA});
    source.tick(at += 100);
    report(4, {1, 0x0C, 0xE9});  // the one pressed last let go: the other does not start repeating
    EXPECT_FALSE(source.wantsTicks());
    source.tick(at += 100);
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:VOLUME_UP", "press key:VOLUME_DOWN",
                                                   "held key:VOLUME_DOWN"}));
}

TEST_F(KeySourceTest, AResetLetsGoOfEverything) {
    key(ctrlKey, true);
    report(4, {1, 0x0C, 0xE9});
    source.reset();
    EXPECT_FALSE(source.wantsTicks());
    tap('K');  // Ctrl is no longer held
    report(4, {1, 0x0C, 0xE9});
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:VOLUME_UP", "press key:VOLUME_UP"}));
}

struct Taking {
    const char* what;
    unsigned vk;
    bool ourField;
    bool taken;
};

TEST_F(KeySourceTest, TheHookTakesLearnedKeysOnly) {
    source.takeCodes({"key:MEDIA_PLAY_PAUSE", "key:F13", "key:5@045E:006D", "key:CTRL+K", "key:K"});
    const Taking cases[] = {
        {"learned", playPause, false, true},
        {"learned, one of our fields in front", playPause, true, true},
        {"not learned", 0xB0, false, false},
        {"learned for one device only", '5', false, false},
        {"a typing key, whatever is learned", 'K', false, false},
    };
    for (const Taking& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(key(c.vk, true, KeyWay::hook, {}, c.ourField), c.taken);
        EXPECT_EQ(key(c.vk, false, KeyWay::hook, {}, c.ourField), c.taken);
        // The raw input's answer never counts.
        EXPECT_FALSE(key(c.vk, true, KeyWay::keyboard, keyboard, c.ourField));
        key(c.vk, false, KeyWay::keyboard, keyboard, c.ourField);
    }
    key(ctrlKey, true);
    EXPECT_TRUE(key('K', true));
    EXPECT_TRUE(key('K', false));
    EXPECT_FALSE(key('K', true, KeyWay::hook, {}, true));  // Ctrl+K in one of our fields is the field's
    key('K', false, KeyWay::hook, {}, true);
    key(ctrlKey, false);
    // A key taken when pressed is taken when let go, whatever changed between.
    EXPECT_TRUE(key(f13, true));
    EXPECT_TRUE(key(f13, true));  // its repeat
    source.takeCodes({});
    EXPECT_TRUE(key(f13, false));
    EXPECT_FALSE(key(f13, true));
    EXPECT_FALSE(key(f13, false));
}

// A modifier let go where nothing of ours heard it (Win+L's secure
// desktop, an elevated window in front) must not hold every later key.
TEST_F(KeySourceTest, AModifierWhoseReleaseWasNeverHeardIsLetGoAsTheSystemSays) {
    constexpr unsigned winKey = 0x5B;
    source.takeCodes({"key:F13"});
    auto stroke = [&](unsigned vk, bool down, std::optional<unsigned> system, KeyWay way = KeyWay::hook) {
        const KeyStroke s{.vk = vk,
                          .down = down,
                          .way = way,
                          .device = way == KeyWay::hook ? std::string() : std::string(keyboard),
                          .systemModifiers = system};
        return source.key(s, at += 10);
    };
    stroke(winKey, true, platform::win);
    stroke(winKey, true, platform::win, KeyWay::keyboard);
    at += 5000;  // the release happened on the secure desktop
    EXPECT_TRUE(stroke(f13, true, 0u)) << "the learned key alone is taken again";
    stroke(f13, false, 0u);
    stroke(f13, true, 0u, KeyWay::keyboard);
    stroke(f13, false, 0u, KeyWay::keyboard);
    at += 500;
    // A receiver's quick Ctrl+F13: the system's state may already be past
    // the Ctrl the key came with; a modifier just heard is believed.
    stroke(ctrlKey, true, platform::ctrl, KeyWay::keyboard);
    stroke(f13, true, 0u, KeyWay::keyboard);
    stroke(f13, false, 0u, KeyWay::keyboard);
    stroke(ctrlKey, false, 0u, KeyWay::keyboard);
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:F13", "press key:CTRL+F13"}));
}

TEST_F(KeySourceTest, AfterTheSessionIsUnlockedNothingHeardBeforeIsHeld) {
    key(ctrlKey, true);
    report(4, {1, 0x0C, 0xE9});
    source.afresh();
    EXPECT_FALSE(source.wantsTicks());
    at += 500;
    tap(f13);
    EXPECT_EQ(fed.codes, (std::vector<std::string>{"press key:VOLUME_UP", "press key:F13"}));
}

// The GUI thread changes what is taken while the listening thread asks.
TEST_F(KeySourceTest, ThreadsTheCodesTakenChangeWhileKeysArrive) {
    std::atomic<bool> done{false};
    std::thread gui([&] {
        for (int i = 0; !done; ++i) source.takeCodes(i % 2 ? std::set<std::string>{"key:F13"} : std::set<std::string>{});
    });
    for (int i = 0; i < 2000; ++i) tap(f13);
    done = true;
    gui.join();
    EXPECT_EQ(fed.codes.size(), 2000u) << "every press heard, whatever was taken meanwhile";
}

}  // namespace
