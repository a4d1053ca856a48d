#include "engine/decimal_conversion.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace gosei {
namespace {

struct ParseCase {
    const char* name;
    const char* text;
    std::errc error;
    double value;  // what parsing leaves in a variable that held -1
};

class ParseDecimalTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimalTest, RoundsCorrectlyAndFlagsTheRange) {
    for (auto parse : {&parseDecimal, &portable::parseDecimal}) {
        double value = -1.0;
        EXPECT_EQ(parse(GetParam().text, value), GetParam().error);
        EXPECT_EQ(value, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalTest,
    testing::Values(
        ParseCase{"Whole", "47", std::errc(), 47.0}, ParseCase{"Tenth", "0.1", std::errc(), 0.1},
        ParseCase{"HalfwayRoundsToEven", "9007199254740993", std::errc(), 9007199254740992.0},
        ParseCase{"JustAboveHalfway", "9007199254740993.000000000001", std::errc(),
                  9007199254740994.0},
        ParseCase{"LargestDouble", "1.7976931348623157e308", std::errc(), 1.7976931348623157e308},
        ParseCase{"Overflow", "1e309", std::errc::result_out_of_range, -1.0},
        ParseCase{"SmallestSubnormal", "4.9e-324", std::errc(), 4.9e-324},
        ParseCase{"Subnormal", "1e-310", std::errc(), 1e-310},
        ParseCase{"Underflow", "1e-400", std::errc::result_out_of_range, -1.0},
        ParseCase{"ZeroWithHugeExponent", "0e999", std::errc(), 0.0},
        ParseCase{"ZeroDigits", "000.000", std::errc(), 0.0},
        ParseCase{"NoDigits", "e5", std::errc::invalid_argument, -1.0}),
    CaseName());

struct ScientificCase {
    const char* name;
    double value;
    int fractionDigits;
    const char* text;
};

class ScientificTextTest : public testing::TestWithParam<ScientificCase> {};

TEST_P(ScientificTextTest, WritesTheDigitsAndTwoDigitExponent) {
    const auto& row = GetParam();
    EXPECT_EQ(scientificText(row.value, row.fractionDigits), row.text);
    EXPECT_EQ(portable::scientificText(row.value, row.fractionDigits), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ScientificTextTest,
    testing::Values(ScientificCase{"Plain", 47.0, 6, "4.700000e+01"},
                    ScientificCase{"Negative", -3.3e-6, 1, "-3.3e-06"},
                    ScientificCase{"RoundsUpIntoNextDecade", 9.9999999, 6, "1.000000e+01"},
                    // 0.125 is exact: the tie goes to the even digit.
                    ScientificCase{"ExactTieToEven", 0.125, 1, "1.2e-01"},
                    // 0.15 is a little below its decimal text: it rounds down.
                    ScientificCase{"BinaryValueBelowTie", 0.15, 0, "1e-01"},
                    ScientificCase{"ThreeDigitExponent", 3.4e38, 14, "3.40000000000000e+38"},
                    ScientificCase{"Subnormal", 4.9e-324, 6, "4.940656e-324"}),
    CaseName());

// Where the standard library has the floating-point conversions, the
// portable forms must give the same text for any double and precision, and
// the same value for any decimal text.
#if defined(__cpp_lib_to_chars)
TEST(PortableConversion, WritesWhatToCharsWrites) {
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) continue;
        const int digits = static_cast<int>(random() % 17);
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, digits)
                             .ptr;
        ASSERT_EQ(portable::scientificText(value, digits), std::string(buffer, end))
            << value << " with " << digits << " digits";
    }
}

TEST(PortableConversion, ReadsWhatFromCharsReads) {
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::to_string(random() % 100000000000000000ULL);
        if (random() % 2 == 0) text.insert(random() % text.size(), ".");
        const int exponent = static_cast<int>(random() % 760) - 380;
        text += 'e' + std::to_string(exponent);
        double fromChars = -1.0;
        double portableValue = -1.0;
        const auto error = std::from_chars(text.data(), text.data() + text.size(), fromChars).ec;
        ASSERT_EQ(portable::parseDecimal(text, portableValue), error) << text;
        ASSERT_EQ(portableValue, fromChars) << text;
    }
}
#endif

}  // namespace
}  // namespace gosei
