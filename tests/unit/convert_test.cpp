#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>

#include "framework/convert.h"

namespace {

struct ConversionCase {
    std::string text;
    std::optional<int> expected;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << "\"" << c.text << "\""; }


class Conversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, FollowsTheIntegerTextRules) { EXPECT_EQ(fw::tryStrToInt(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Texts, Conversion,
    ::testing::Values(ConversionCase{"12", 12}, ConversionCase{"+7", 7}, ConversionCase{"-2", -2},
                      ConversionCase{"  42", 42}, ConversionCase{"$4", 4}, ConversionCase{"$ff", 255},
                      ConversionCase{"-$10", -16}, ConversionCase{"$FFFFFFFF", -1},
                      ConversionCase{"$100000000", std::nullopt}, ConversionCase{"2147483647", 2147483647},
                      ConversionCase{"-2147483648", -2147483647 - 1}, ConversionCase{"2147483648", std::nullopt},
                      ConversionCase{"99999999999999999999", std::nullopt}, ConversionCase{"", std::nullopt},
                      ConversionCase{"-", std::nullopt}, ConversionCase{"$", std::nullopt},
                      ConversionCase{"abc", std::nullopt}, ConversionCase{"12 ", std::nullopt},
                      ConversionCase{"1.5", std::nullopt}, ConversionCase{"0x3", std::nullopt}));

TEST(Conversion, StrToIntNamesTheTextThatFailed) {
    EXPECT_EQ(fw::strToInt("12"), 12);
    try {
        fw::strToInt("99999999999");
        FAIL() << "no error raised";
    } catch (const fw::ConversionError& e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }
    EXPECT_EQ(fw::strToIntDef("nope", 5), 5);
}

}  // namespace
