// The code texts of the keys and remotes the system hears: written and
// read back the one same way, kept by the lists of codes the settings file
// holds, compared exactly, and what each key is to the remote.
#include <gtest/gtest.h>

#include "app/learned_codes.h"
#include "ir/key_codes.h"

namespace {

using ir::KeyCode;

struct TextCase {
    KeyCode key;
    const char* text;
};

TEST(KeyCodes, AreWrittenAndReadBackTheSameWay) {
    const TextCase cases[] = {
        {{0xB3, 0, ""}, "key:MEDIA_PLAY_PAUSE"},
        {{0x7C, platform::ctrl | platform::alt, ""}, "key:CTRL+ALT+F13"},
        {{0x87, 0, ""}, "key:F24"},
        {{'5', 0, "045E:006D"}, "key:5@045E:006D"},
        {{0x26, platform::shift, "20A0:0006"}, "key:SHIFT+UP@20A0:0006"},
        {{'A', platform::ctrl | platform::alt | platform::shift | platform::win, ""}, "key:CTRL+ALT+SHIFT+WIN+A"},
        {{0x63, 0, "045E:006D"}, "key:NUMPAD3@045E:006D"},
        {{0xAF, 0, ""}, "key:VOLUME_UP"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ir::keyCodeText(c.key), c.text);
        ASSERT_TRUE(ir::parseKeyCode(c.text).has_value());
        EXPECT_EQ(*ir::parseKeyCode(c.text), c.key);
        EXPECT_TRUE(app::isCodeText(c.text));
    }
}

TEST(KeyCodes, OnlyTheSpellingWrittenIsRead) {
    for (const char* text : {"key:media_play_pause", "key:", "key:CTRL+", "key:ALT+CTRL+", "key:SUPER+A", "key:SHIFT",
                             "key:5@045e:006d", "key:5@045E", "key:5@045E:006D:1", "key:5@", "hid:FFBC:0d",
                             "hid:ffbc:0D", "hid:FFBC:00D", "hid:FBC:0D", "hid:FFBC:", "hid:FFBC:0D:1", "KEY:F13"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ir::parseKeyCode(text) || ir::parseHidCode(text));
        EXPECT_FALSE(app::isKeyCode(text));
    }
}

TEST(KeyCodes, HidUsagesHaveTheirPageAndUsage) {
    EXPECT_EQ(ir::hidCodeText({0xFFBC, 0x0D}), "hid:FFBC:0D");
    EXPECT_EQ(ir::hidCodeText({0x000C, 0x09C}), "hid:000C:9C");
    EXPECT_EQ(ir::hidCodeText({0x000C, 0x1A2}), "hid:000C:1A2");
    ASSERT_TRUE(ir::parseHidCode("hid:000C:1A2").has_value());
    EXPECT_EQ(*ir::parseHidCode("hid:000C:1A2"), (platform::HidUsage{0x0C, 0x1A2}));
    EXPECT_TRUE(app::isCodeText("hid:FFBC:0D"));
}

TEST(KeyCodes, SitInTheSettingsListsAndAreComparedExactly) {
    const app::CodeList codes = app::parseCodeList(" key:MEDIA_PLAY_PAUSE , hid:FFBC:0D,key:5@045E:006D,A1B2C3");
    EXPECT_EQ(codes, (app::CodeList{"key:MEDIA_PLAY_PAUSE", "hid:FFBC:0D", "key:5@045E:006D", "A1B2C3"}));
    EXPECT_EQ(app::formatCodeList(codes), "key:MEDIA_PLAY_PAUSE,hid:FFBC:0D,key:5@045E:006D,A1B2C3");
    EXPECT_TRUE(app::holdsCode(codes, "hid:FFBC:0D"));
    EXPECT_FALSE(app::holdsCode(codes, "hid:ffbc:0d"));
    EXPECT_FALSE(app::holdsCode(codes, "key:5@045E:006E"));
    EXPECT_FALSE(app::holdsCode(codes, "key:5"));
    EXPECT_TRUE(app::holdsCode(codes, "a1b2c3"));  // the serial receiver's, as ever
}

TEST(KeyCodes, EachKeyIsWhatItIsToTheRemote) {
    struct Kind {
        unsigned vk;
        platform::KeyKind kind;
    };
    const Kind cases[] = {
        {'A', platform::KeyKind::typing},      {'7', platform::KeyKind::typing},        {0x0D, platform::KeyKind::typing},
        {0x1B, platform::KeyKind::typing},     {0x25, platform::KeyKind::typing},       {0x70, platform::KeyKind::typing},
        {0x7B, platform::KeyKind::typing},     {0x7C, platform::KeyKind::command},      {0x87, platform::KeyKind::command},
        {0xB3, platform::KeyKind::command},    {0xAD, platform::KeyKind::command},      {0xA6, platform::KeyKind::command},
        {0xB7, platform::KeyKind::command},    {0x10, platform::KeyKind::modifier},     {0xA3, platform::KeyKind::modifier},
        {0x5B, platform::KeyKind::modifier},   {0x14, platform::KeyKind::modifier},     {0xE8, platform::KeyKind::unnamed},
        {0x00, platform::KeyKind::unnamed},
    };
    for (const Kind& c : cases) {
        SCOPED_TRACE(c.vk);
        EXPECT_EQ(platform::keyKind(c.vk), c.kind);
        // Every key with a kind of its own has a name that reads back.
        if (c.kind == platform::KeyKind::typing || c.kind == platform::KeyKind::command) {
            const auto back = ir::parseKeyCode(ir::keyCodeText({c.vk, 0, {}}));
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(back->vk, c.vk);
        }
    }
}

TEST(KeyCodes, ConsumerUsagesAreTheKeysTheyStandFor) {
    EXPECT_EQ(platform::keyForUsage({0x0C, 0xCD}), 0xB3u);
    EXPECT_EQ(platform::keyForUsage({0x0C, 0xE9}), 0xAFu);
    EXPECT_EQ(platform::keyForUsage({0x0C, 0xB5}), 0xB0u);
    EXPECT_EQ(platform::keyForUsage({0x0C, 0x9C}), 0u);    // Channel Increment: no key
    EXPECT_EQ(platform::keyForUsage({0xFFBC, 0xCD}), 0u);  // another page
}

TEST(KeyCodes, DevicesAreKnownByVendorAndProduct) {
    EXPECT_EQ(platform::deviceId(R"(\\?\HID#VID_045E&PID_006D&MI_01#7&1b2c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030})"),
              "045E:006D");
    EXPECT_EQ(platform::deviceId(R"(\\?\hid#vid_20a0&pid_0006#a&1&0#{884b96c3-56ef-11d1-bc8c-00a0c91405dd})"), "20A0:0006");
    EXPECT_EQ(platform::deviceId(R"(\\?\ACPI#PNP0303#4&1d401fb5&0#{884b96c3-56ef-11d1-bc8c-00a0c91405dd})"), "");
    EXPECT_EQ(platform::deviceId(R"(\\?\HID#VID_04&PID_0006)"), "");
    EXPECT_EQ(platform::deviceId(""), "");
}

}  // namespace
