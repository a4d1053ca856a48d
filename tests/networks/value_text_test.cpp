#include "networks/value_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/case_name.h"

namespace gosei::networks {
namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::optional<double> value;
};

class ParseValueTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseValueTest, ReadsTheValue) {
    EXPECT_EQ(parseValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseValueTest,
    testing::Values(
        ParseCase{"Plain", "4700", 4700}, ParseCase{"Decimal", "0.47", 0.47},
        ParseCase{"LeadingPoint", ".5", 0.5}, ParseCase{"KiloAfterNumber", "4.7k", 4700},
        ParseCase{"KiloAsPoint", "4k7", 4700}, ParseCase{"CapitalKilo", "4K7", 4700},
        ParseCase{"MegaAsPoint", "1M2", 1.2e6}, ParseCase{"MegaAfterNumber", "2.2M", 2.2e6},
        ParseCase{"OhmsMark", "470R", 470}, ParseCase{"OhmsMarkAsPoint", "0R1", 0.1},
        ParseCase{"OhmsMarkFirst", "R47", 0.47}, ParseCase{"SmallOhmsMark", "4r7", 4.7},
        ParseCase{"CapitalOhmsMarkAsPoint", "4R7", 4.7}, ParseCase{"Giga", "1G", 1e9},
        ParseCase{"MegaAsSimulatorsWriteIt", "2.2 Meg", 2.2e6},
        ParseCase{"MegaInSmallLetters", "1megohm", 1e6}, ParseCase{"MegAsPoint", "2MEG2", 2.2e6},
        ParseCase{"Tera", "2T2", 2.2e12}, ParseCase{"Milli", "10m", 0.01},
        ParseCase{"MilliIsNotMega", "1m", 0.001}, ParseCase{"Micro", "3u3", 3.3e-6},
        ParseCase{"MicroSign", "10\u00b5", 10e-6}, ParseCase{"GreekMu", "10\u03bc", 10e-6},
        ParseCase{"Nano", "100n", 100e-9}, ParseCase{"Pico", "22p", 22e-12},
        ParseCase{"Exponent", "4.7e3", 4700}, ParseCase{"CapitalExponent", "47E-1", 4.7},
        ParseCase{"SignedExponent", "1e+5", 1e5}, ParseCase{"Plus", "+47", 47},
        ParseCase{"Negative", "-10", -10}, ParseCase{"OhmSign", "4.7k\u03a9", 4700},
        ParseCase{"OhmSignOfItsOwn", "470\u2126", 470}, ParseCase{"SpacedUnit", "470 ohm", 470},
        ParseCase{"Ohms", "4k7ohms", 4700}, ParseCase{"CapitalOhms", "10 Ohms", 10},
        ParseCase{"SpacedMultiplierAndUnit", "4.7 k\u03a9", 4700},
        ParseCase{"FullWidth", "\uff14\uff0e\uff17\uff4b", 4700},
        ParseCase{"FullWidthLetterAsPoint", "\uff14\uff2b\uff17", 4700},
        ParseCase{"IdeographicSpace", "\u3000\uff11\uff10\uff4b\u3000", 10e3},
        ParseCase{"Blanks", "  10k\t", 10e3},
        ParseCase{"FifteenDigits", "3.14159265358979", 3.14159265358979},
        ParseCase{"TrailingZerosDoNotCount", "1.00000000000000000000k", 1000},
        ParseCase{"Zero", "0", 0.0}, ParseCase{"Largest", "1e24", 1e24},
        ParseCase{"Empty", "", std::nullopt}, ParseCase{"OnlyLetter", "k", std::nullopt},
        ParseCase{"OnlyPoint", ".", std::nullopt}, ParseCase{"UnknownLetter", "4x7", std::nullopt},
        ParseCase{"TwoLetters", "4k7k", std::nullopt},
        ParseCase{"PointAndLetterAsPoint", "4.7k3", std::nullopt},
        ParseCase{"ExponentAndLetter", "1e3k", std::nullopt},
        ParseCase{"LetterAsPointAfterBlank", "4 k7", std::nullopt},
        ParseCase{"VoltsAreNotOhms", "3V3", std::nullopt},
        ParseCase{"SixteenDigits", "3.141592653589793", std::nullopt},
        ParseCase{"TooLarge", "1.1e24", std::nullopt}, ParseCase{"TooSmall", "1e-25", std::nullopt},
        ParseCase{"HugeExponent", "1e99999999999999999999", std::nullopt},
        ParseCase{"TwoPoints", "1.2.3", std::nullopt}),
    CaseName());

TEST(ParseValue, ReadsVoltsAndRatiosWithTheirOwnLetters) {
    EXPECT_EQ(parseValue("3V3", Unit::Volt), 3.3);
    EXPECT_EQ(parseValue("800mV", Unit::Volt), 0.8);
    EXPECT_EQ(parseValue("5 V", Unit::Volt), 5.0);
    EXPECT_EQ(parseValue("4R7", Unit::Volt), std::nullopt);
    EXPECT_EQ(parseValue("660m", Unit::None), 0.66);
    EXPECT_EQ(parseValue("0.66 ohm", Unit::None), std::nullopt);
}

TEST(ParseValue, NamesWhyATextIsNotAValue) {
    EXPECT_EQ(std::get<ValueProblem>(readValue("4k7x")), ValueProblem::Unreadable);
    EXPECT_EQ(std::get<ValueProblem>(readValue("1.0000000000000001")), ValueProblem::TooManyDigits);
    EXPECT_EQ(std::get<ValueProblem>(readValue("2e24")), ValueProblem::OutOfRange);
    EXPECT_EQ(quotedText("4k7\u200b\t\"\xff\u3000"), "\"4k7\\u200b\\u0009\\\"\\xff\\u3000\"");
}

struct TextCase {
    const char* name;
    Rational value;
    int digits;
    Rounding rounding;
    std::string text;
};

class ValueTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ValueTextTest, WritesTheValue) {
    const TextCase& row = GetParam();
    EXPECT_EQ(valueText(row.value, row.digits, row.rounding), row.text);
}

constexpr Rounding kNearest = Rounding::Nearest;

INSTANTIATE_TEST_SUITE_P(
    Values, ValueTextTest,
    testing::Values(TextCase{"Ohms", 470, 6, kNearest, "470"},
                    TextCase{"Kilo", 4700, 6, kNearest, "4.7k"},
                    TextCase{"KiloWhole", 10000, 6, kNearest, "10k"},
                    TextCase{"Mega", 1200000, 6, kNearest, "1.2M"},
                    TextCase{"Giga", Rational(3000000000), 6, kNearest, "3G"},
                    TextCase{"Tera", Rational(4700000000000), 6, kNearest, "4.7T"},
                    TextCase{"One", 1, 6, kNearest, "1"},
                    TextCase{"Half", Rational(1, 2), 6, kNearest, "500m"},
                    TextCase{"Micro", Rational(33, 10000000), 6, kNearest, "3.3u"},
                    TextCase{"BelowPico", Rational(1, 1000000000000000), 6, kNearest, "0.001p"},
                    TextCase{"Zero", 0, 6, kNearest, "0"},
                    TextCase{"Thirds", Rational(10000, 3), 7, kNearest, "3.333333k"},
                    TextCase{"HalfRoundsAway", Rational(12345675, 10), 7, kNearest, "1.234568M"},
                    TextCase{"RoundsIntoTheNextPrefix", Rational(9999997, 10), 6, kNearest, "1M"},
                    TextCase{"Down", Rational(20000, 3), 3, Rounding::Down, "6.66k"},
                    TextCase{"Up", Rational(10000, 3), 3, Rounding::Up, "3.34k"},
                    TextCase{"UpWhenExact", 4700, 2, Rounding::Up, "4.7k"}),
    CaseName());

TEST(ValueText, WritesEveryDigitOfTheDecimalADoubleStandsFor) {
    for (double value : {1.0, 4.87, 48.7, 4.87e6, 0.1, 0.47, 3.14159265358979, 1e-24, 1e24})
        EXPECT_EQ(parseValue(valueText(value)), value) << valueText(value);
    EXPECT_EQ(valueText(1234.56789012345), "1.23456789012345k");
    // Beyond 2^53 the shortest text of a whole number is not its digits.
    EXPECT_EQ(valueText(*parseValue("99999T9499999999")), "99999.9499999999T");
}

TEST(PercentText, WritesTheErrorAsPrintfWouldExactly) {
    EXPECT_EQ(percentText(0, 4), "0");
    EXPECT_EQ(percentText(Rational(-60, 1000), 4), "-6");
    EXPECT_EQ(percentText(Rational(1, 1234), 4), "+0.08104");
    EXPECT_EQ(percentText(Rational(1, 10000000000000000), 4), "+1e-14");
    EXPECT_EQ(percentText(Rational(123456, 1000), 4), "+1.235e+04");
    // Outwards, as worst cases are shown: -4.17 % down, +4.83 % up.
    EXPECT_EQ(percentText(Rational(-417, 10000), 2, Rounding::Down), "-4.2");
    EXPECT_EQ(percentText(Rational(483, 10000), 2, Rounding::Up), "+4.9");
}

}  // namespace
}  // namespace gosei::networks
