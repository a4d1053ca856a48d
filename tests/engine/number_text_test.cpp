#include "engine/number_text.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace gosei {
namespace {

struct LeadingNumberCase {
    const char* name;
    std::string text;
    double expected;
};

class LeadingNumberTest : public testing::TestWithParam<LeadingNumberCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
    const double read = leadingNumber(GetParam().text);
    if (std::isinf(GetParam().expected)) {
        EXPECT_EQ(read, GetParam().expected);
    } else {
        EXPECT_EQ(read, GetParam().expected) << "text: " << GetParam().text;
        EXPECT_EQ(std::signbit(read), std::signbit(GetParam().expected));
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    testing::Values(
        LeadingNumberCase{"Empty", "", 0.0}, LeadingNumberCase{"Whole", "47", 47.0},
        LeadingNumberCase{"Decimal", "0.1", 0.1}, LeadingNumberCase{"Fraction", "2.5", 2.5},
        LeadingNumberCase{"TrailingText", "47k", 47.0},
        LeadingNumberCase{"TrailingUnit", "4.7kΩ", 4.7},
        LeadingNumberCase{"PointWithoutFraction", "3.", 3.0},
        LeadingNumberCase{"PointFirst", ".5", 0.5}, LeadingNumberCase{"PointAlone", ".", 0.0},
        LeadingNumberCase{"SignThenPoint", "-.5", -0.5},
        LeadingNumberCase{"SecondPointEnds", "1.2.3", 1.2},
        LeadingNumberCase{"Letters", "abc", 0.0},
        LeadingNumberCase{"LettersBeforeDigits", "k47", 0.0},
        LeadingNumberCase{"Plus", "+12", 12.0}, LeadingNumberCase{"Minus", "-12", -12.0},
        LeadingNumberCase{"MinusZero", "-0", -0.0}, LeadingNumberCase{"SignOnly", "-", 0.0},
        LeadingNumberCase{"TwoSigns", "+-1", 0.0}, LeadingNumberCase{"BlanksBefore", " \t 5", 5.0},
        LeadingNumberCase{"IdeographicSpaceBefore",
                          "\u3000"
                          "5",
                          5.0},
        LeadingNumberCase{"BlankAfterSign", "- 5", 0.0},
        LeadingNumberCase{"Exponent", "1e3", 1000.0},
        LeadingNumberCase{"CapitalExponent", "2.2E-2", 0.022},
        LeadingNumberCase{"ExponentPlus", "1e+2", 100.0},
        LeadingNumberCase{"ExponentWithoutDigits", "2e", 2.0},
        LeadingNumberCase{"ExponentSignOnly", "2e+", 2.0},
        LeadingNumberCase{"ExponentLetters", "2ex", 2.0},
        LeadingNumberCase{"ExponentAlone", "e5", 0.0},
        LeadingNumberCase{"LeadingZeroExponent", "1e0000000000000000000000002", 100.0},
        LeadingNumberCase{"HexIsNotANumber", "0x10", 0.0},
        LeadingNumberCase{"InfIsNotANumber", "inf", 0.0},
        LeadingNumberCase{"NanIsNotANumber", "nan", 0.0},
        LeadingNumberCase{"CommaEnds", "1,5", 1.0},
        LeadingNumberCase{"FullWidthDigits", "４７", 47.0},
        LeadingNumberCase{"FullWidthPoint", "０．４７", 0.47},
        LeadingNumberCase{"FullWidthMinus", "－３", -3.0},
        LeadingNumberCase{"FullWidthPlus", "＋３", 3.0},
        LeadingNumberCase{"MathMinus",
                          "\u2212"
                          "3",
                          -3.0},
        LeadingNumberCase{"MixedWidths", "1２.５", 12.5},
        LeadingNumberCase{"FullWidthLetterE", "1ｅ3", 1.0},
        LeadingNumberCase{"Overflow", "1e400", kInf},
        LeadingNumberCase{"NegativeOverflow", "-1e400", -kInf},
        LeadingNumberCase{"HugeExponent", "5e99999999999999999999999", kInf},
        LeadingNumberCase{"Underflow", "1e-400", 0.0},
        LeadingNumberCase{"NegativeUnderflow", "-1e-400", -0.0},
        LeadingNumberCase{"HugeNegativeExponent", "5e-99999999999999999999999", 0.0},
        LeadingNumberCase{"ManyIntegerDigitsOverflow", std::string(400, '9'), kInf},
        LeadingNumberCase{"ManyZerosThenDigit", "0." + std::string(500, '0') + "1e600", 1e99},
        LeadingNumberCase{"HugeMantissaStillTooLarge", "1" + std::string(500, '0') + "e-100", kInf},
        LeadingNumberCase{"HugeMantissaBroughtBack", "1" + std::string(500, '0') + "e-600", 1e-100},
        LeadingNumberCase{"TinyMantissaStillTooSmall", "0." + std::string(500, '0') + "1e100", 0.0},
        LeadingNumberCase{"CorrectlyRounded", "0.1000000000000000055511151231257827", 0.1},
        LeadingNumberCase{"Subnormal", "4.9e-324", 4.9e-324},
        LeadingNumberCase{"InvalidUtf8",
                          "\xFF"
                          "5",
                          0.0},
        LeadingNumberCase{"TruncatedFullWidth", "5\xEF\xBC", 5.0},
        LeadingNumberCase{"NulEnds",
                          std::string("7\0"
                                      "8",
                                      3),
                          7.0}),
    CaseName());

// A mantissa far beyond the double range, or far below it, brought back (or
// not) by a written exponent: the value depends on the digits' own magnitude
// and the exponent together. The C library's conversion is the reference.
TEST(LeadingNumber, MantissaMagnitudeAndExponentAddUp) {
    for (int zeros : {300, 400, 500, 1000}) {
        for (int exponent : {-2000, -1400, -1000, -700, -500, -400, -330, -100, 0, 100, 330, 400,
                             500, 700, 1000, 1400}) {
            const std::string tail = "e" + std::to_string(exponent);
            for (const std::string& text : {"1" + std::string(zeros, '0') + tail,
                                            "0." + std::string(zeros, '0') + "47" + tail}) {
                const double expected = std::strtod(text.c_str(), nullptr);
                EXPECT_EQ(leadingNumber(text), expected)
                    << zeros << " zeros, exponent " << exponent << ": " << text.substr(0, 3);
            }
        }
    }
}

struct TextFormCase {
    const char* name;
    double value;
    bool single;
    const char* expected;
};

class TextFormTest : public testing::TestWithParam<TextFormCase> {};

TEST_P(TextFormTest, WritesSignificantDigits) {
    const auto& c = GetParam();
    EXPECT_EQ(c.single ? singleText(static_cast<float>(c.value)) : doubleText(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, TextFormTest,
    testing::Values(TextFormCase{"Zero", 0.0, false, "0"},
                    TextFormCase{"NegativeZero", -0.0, false, "0"},
                    TextFormCase{"Whole", 47.0, false, "47"},
                    TextFormCase{"Fraction", 0.47, false, "0.47"},
                    TextFormCase{"ScalingErrorHidden", 0.10099999999999999, false, "0.101"},
                    TextFormCase{"Negative", -2.2, false, "-2.2"},
                    TextFormCase{"TrailingZerosOfWholeNumber", 2200.0, false, "2200"},
                    TextFormCase{"SmallestPlain", 1e-5, false, "0.00001"},
                    TextFormCase{"BelowPlain", 3.3e-6, false, "3.3E-06"},
                    TextFormCase{"LargestPlain", 999999999999999.0, false, "999999999999999"},
                    TextFormCase{"RoundsUpToExponentForm", 999999999999999.9, false, "1E+15"},
                    TextFormCase{"Large", 4.7e30, false, "4.7E+30"},
                    TextFormCase{"ThreeExponentDigits", 1.5e-100, false, "1.5E-100"},
                    TextFormCase{"NegativeExponentForm", -6.8e20, false, "-6.8E+20"},
                    TextFormCase{"SingleSevenDigits", 0.0149999857, true, "0.01499999"},
                    TextFormCase{"SingleError", -2.2, true, "-2.2"},
                    TextFormCase{"SingleWhole", 19.9, true, "19.9"},
                    TextFormCase{"SingleHidesRepresentation", 0.1, true, "0.1"},
                    TextFormCase{"SingleMinusTenPointOne", -10.1, true, "-10.1"}),
    CaseName());

}  // namespace
}  // namespace gosei
