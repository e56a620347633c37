#include "ir/lirc_address.h"
#include "ir/lirc_lines.h"

#include <gtest/gtest.h>

#include "app/learned_codes.h"
#include "support/case_name.h"

namespace {

using ir::LircKey;
using Keys = std::vector<LircKey>;

struct LineCase {
    const char* what;
    std::vector<std::string> pieces;  // as the reads deliver them
    Keys keys;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.what;
}

class LircLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(LircLines, GiveTheKeysOfTheLinesTheyComplete) {
    ir::LircLineReader reader;
    Keys keys;
    for (const std::string& piece : GetParam().pieces)
        for (LircKey& k : reader.feed(piece)) keys.push_back(std::move(k));
    EXPECT_EQ(keys, GetParam().keys);
}

const LircKey play{"00000000000010ef", 0, "KEY_PLAY", "handset"};
const std::string playLine = "00000000000010ef 00 KEY_PLAY handset\n";
const std::string tooLong(1025, 'x');

INSTANTIATE_TEST_SUITE_P(
    Table, LircLines,
    ::testing::Values(
        LineCase{"a key", {playLine}, {play}},
        LineCase{"repeat counts are hexadecimal",
                 {"00000000000010ef 09 KEY_FF handset\n00000000000010ef 0a KEY_FF handset\n"
                  "00000000000010ef ff KEY_FF handset\n00000000000010ef 100 KEY_FF handset\n"},
                 {{"00000000000010ef", 9, "KEY_FF", "handset"},
                  {"00000000000010ef", 10, "KEY_FF", "handset"},
                  {"00000000000010ef", 255, "KEY_FF", "handset"},
                  {"00000000000010ef", 256, "KEY_FF", "handset"}}},
        LineCase{"CR LF", {"00000000000010ef 00 KEY_PLAY handset\r\n"}, {play}},
        LineCase{"a line split across reads", {"0000000000", "0010ef 00 KEY_", "PLAY hand", "set", "\n"}, {play}},
        LineCase{"two lines in one read", {playLine + playLine}, {play, play}},
        LineCase{"a reply block is no key", {"BEGIN\nSIGHUP\nEND\n" + playLine}, {play}},
        LineCase{"a reply block without its end swallows nothing", {"BEGIN\nSIGHUP\n" + playLine + playLine}, {play, play}},
        LineCase{"blank lines and junk", {"\n\r\n   \nhello world\n10ef 00 KEY_PLAY\n10ef zz KEY_PLAY handset\n"
                                          "10ef 00 KEY_PLAY handset extra\n0x10ef 00 KEY_PLAY handset\n" + playLine},
                 {play}},
        LineCase{"a code of more than 16 digits", {"000000000000010ef 00 KEY_PLAY handset\n" + playLine}, {play}},
        LineCase{"a line over 1,024 bytes is dropped to its end; the next counts",
                 {tooLong, tooLong, " 00 KEY_PLAY handset\n", playLine}, {play}},
        LineCase{"a line of 1,024 bytes is read", {"10ef 00 KEY_PLAY " + std::string(1024 - 17, 'r') + "\n"},
                 {{"10ef", 0, "KEY_PLAY", std::string(1024 - 17, 'r')}}},
        LineCase{"no line end yet: nothing", {"00000000000010ef 00 KEY_PLAY handset"}, {}}),
    testing_support::byWhat);

TEST(LircLineReader, HoldsNoMoreThanOneLineWhateverItIsFed) {
    ir::LircLineReader reader;
    for (int i = 0; i < 200; ++i) EXPECT_TRUE(reader.feed(std::string(1000, 'x')).empty());
    EXPECT_EQ(reader.feed("\n" + playLine), Keys{play}) << "200 KB without a line end, then a key";
    reader.feed("00000000000010ef 00 KEY_");
    reader.reset();
    EXPECT_EQ(reader.feed(playLine), Keys{play}) << "a new connection starts afresh";
}

struct TextCase {
    const char* what;
    LircKey key;
    std::string text;
};

class ServerCodeTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(ServerCodeTexts, NameTheKeyAndReadBackFromAListOfCodes) {
    const std::string text = ir::serverCodeText(GetParam().key);
    EXPECT_EQ(text, GetParam().text);
    EXPECT_TRUE(app::isServerCode(text));
    EXPECT_EQ(app::parseCodeList(app::formatCodeList({text, "A1B2C3"})), (app::CodeList{text, "A1B2C3"}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ServerCodeTexts,
    ::testing::Values(TextCase{"a key", play, "handset:KEY_PLAY"},
                      TextCase{"letter case kept", {"1", 0, "Play", "TV"}, "TV:Play"},
                      TextCase{"characters a list cannot hold", {"1", 0, "a,b=c%d", "my:remote"},
                               "my%3Aremote:a%2Cb%3Dc%25d"}),
    testing_support::byWhat);

}  // namespace

namespace {

struct AddressCase {
    const char* what;
    std::string text;
    std::optional<ir::LircAddress> address;
};

class LircAddresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(LircAddresses, AreReadAsUsersWriteThem) {
    EXPECT_EQ(ir::parseLircAddress(GetParam().text), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LircAddresses,
    ::testing::Values(AddressCase{"host and port", "localhost:8766", ir::LircAddress{"localhost", 8766}},
                      AddressCase{"host alone: the servers' port", " 192.168.1.20 ", ir::LircAddress{"192.168.1.20", 8765}},
                      AddressCase{"IPv6 with its port", "[::1]:9000", ir::LircAddress{"::1", 9000}},
                      AddressCase{"IPv6 alone", "[fe80::1%3]", ir::LircAddress{"fe80::1%3", 8765}},
                      AddressCase{"empty", "", std::nullopt}, AddressCase{"blanks", "  ", std::nullopt},
                      AddressCase{"port 0", "host:0", std::nullopt}, AddressCase{"port too big", "host:65536", std::nullopt},
                      AddressCase{"no port after the colon", "host:", std::nullopt},
                      AddressCase{"a blank inside", "my host:8765", std::nullopt},
                      AddressCase{"IPv6 without brackets", "::1", std::nullopt},
                      AddressCase{"junk after the brackets", "[::1]x", std::nullopt},
                      AddressCase{"a scheme", "tcp://host:8765", std::nullopt}),
    testing_support::byWhat);

}  // namespace
