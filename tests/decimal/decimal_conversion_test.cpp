#include "decimal/decimal_conversion.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace gosei {
namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::errc error;
    double value;          // what parsing leaves in a variable that held -1
    std::size_t consumed;  // characters read
};

class ParseDecimalTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimalTest, ReadsAsFromCharsReads) {
    using Parse = std::from_chars_result (*)(const char*, const char*, double&);
    const auto& row = GetParam();
    for (Parse parse : {Parse{&parseDecimal}, Parse{&portable::parseDecimal}}) {
        double value = -1.0;
        const auto result = parse(row.text.data(), row.text.data() + row.text.size(), value);
        EXPECT_EQ(result.ec, row.error);
        EXPECT_EQ(static_cast<std::size_t>(result.ptr - row.text.data()), row.consumed);
        if (std::isnan(row.value)) {
            EXPECT_TRUE(std::isnan(value));
        } else {
            EXPECT_EQ(value, row.value);
        }
    }
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::errc kOk{};
constexpr std::errc kInvalid = std::errc::invalid_argument;
constexpr std::errc kOutOfRange = std::errc::result_out_of_range;

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalTest,
    testing::Values(
        ParseCase{"Whole", "47", kOk, 47.0, 2}, ParseCase{"Tenth", "0.1", kOk, 0.1, 3},
        ParseCase{"Negative", "-2.5", kOk, -2.5, 4},
        ParseCase{"HalfwayRoundsToEven", "9007199254740993", kOk, 9007199254740992.0, 16},
        ParseCase{"JustAboveHalfway", "9007199254740993.000000000001", kOk, 9007199254740994.0, 29},
        ParseCase{"LargestDouble", "1.7976931348623157e308", kOk, 1.7976931348623157e308, 22},
        ParseCase{"Overflow", "1e309", kOutOfRange, -1.0, 5},
        ParseCase{"SmallestSubnormal", "4.9e-324", kOk, 4.9e-324, 8},
        ParseCase{"Subnormal", "1e-310", kOk, 1e-310, 6},
        ParseCase{"Underflow", "1e-400", kOutOfRange, -1.0, 6},
        ParseCase{"ZeroWithHugeExponent", "0e999", kOk, 0.0, 5},
        ParseCase{"PointOnly", "5.", kOk, 5.0, 2}, ParseCase{"NoWholePart", ".5", kOk, 0.5, 2},
        ParseCase{"StopsAtText", "4.7k", kOk, 4.7, 3},
        ParseCase{"ExponentWithoutDigits", "1.5e+", kOk, 1.5, 3},
        ParseCase{"ExponentWithPlus", "1e+5", kOk, 1e5, 4},
        ParseCase{"ExponentWithMinus", "25E-1", kOk, 2.5, 5},
        ParseCase{"HexStopsAtX", "0x10", kOk, 0.0, 1},
        ParseCase{"Infinity", "-Infinity", kOk, -kInfinity, 9},
        ParseCase{"Inf", "inf!", kOk, kInfinity, 3},
        ParseCase{"NotANumber", "nan(1)", kOk, std::numeric_limits<double>::quiet_NaN(), 6},
        ParseCase{"PlusSign", "+1", kInvalid, -1.0, 0},
        ParseCase{"LeadingBlank", " 1", kInvalid, -1.0, 0},
        ParseCase{"PointWithoutDigits", ".e5", kInvalid, -1.0, 0},
        ParseCase{"NoDigits", "e5", kInvalid, -1.0, 0}),
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

struct ShortestCase {
    const char* name;
    double value;
    const char* text;
};

class ShortestTextTest : public testing::TestWithParam<ShortestCase> {};

TEST_P(ShortestTextTest, WritesTheFewestDigitsThatReadBack) {
    EXPECT_EQ(shortestText(GetParam().value), GetParam().text);
    EXPECT_EQ(portable::shortestText(GetParam().value), GetParam().text);
}

TEST(ShortestScientificText, WritesTheFewestDigitsOfALargeWholeNumber) {
    for (const auto& text : {shortestScientificText(99999949999999904.0),
                             portable::shortestScientificText(99999949999999904.0)})
        EXPECT_EQ(text, "9.99999499999999e+16");
    EXPECT_EQ(shortestText(99999949999999904.0), "99999949999999904");
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShortestTextTest,
    testing::Values(ShortestCase{"Whole", 47.0, "47"}, ShortestCase{"Tenth", 0.1, "0.1"},
                    ShortestCase{"Negative", -4.7, "-4.7"},
                    ShortestCase{"PlainWhenShorter", 0.001, "0.001"},
                    ShortestCase{"ScientificWhenShorter", 1e-7, "1e-07"},
                    ShortestCase{"TieGoesToPlain", 1e4, "10000"},
                    ShortestCase{"LargePower", 1e22, "1e+22"},
                    // 2^-1074 and 2^1023: uneven neighbours on one side.
                    ShortestCase{"SmallestSubnormal", 4.9406564584124654e-324, "5e-324"},
                    ShortestCase{"PowerOfTwo", 8.98846567431158e307, "8.98846567431158e+307"},
                    ShortestCase{"ThirdNeedsAll", 1.0 / 3.0, "0.3333333333333333"},
                    ShortestCase{"Zero", 0.0, "0"}),
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

TEST(PortableConversion, WritesWhatShortestToCharsWrites) {
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 200000; ++i) {
        // Random bits, and often a power of two, whose neighbours lie unevenly.
        std::uint64_t bits = random();
        if (i % 4 == 0) bits &= ~((std::uint64_t{1} << 52) - 1);
        const double value = std::bit_cast<double>(bits);
        if (!std::isfinite(value)) continue;
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        ASSERT_EQ(portable::shortestText(value), std::string(buffer, end)) << value;
        const auto scientificEnd =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
        ASSERT_EQ(portable::shortestScientificText(value), std::string(buffer, scientificEnd))
            << value;
    }
}

TEST(PortableConversion, ReadsWhatFromCharsReads) {
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::to_string(random() % 100000000000000000ULL);
        if (random() % 2 == 0) text.insert(random() % text.size(), ".");
        const int exponent = static_cast<int>(random() % 760) - 380;
        text += 'e' + std::to_string(exponent);
        if (random() % 8 == 0) text += "e";  // text after the number
        if (random() % 8 == 0) text.insert(0, "-");
        double fromChars = -1.0;
        double portableValue = -1.0;
        const char* end = text.data() + text.size();
        const auto expected = std::from_chars(text.data(), end, fromChars);
        const auto result = portable::parseDecimal(text.data(), end, portableValue);
        ASSERT_EQ(result.ec, expected.ec) << text;
        ASSERT_EQ(result.ptr, expected.ptr) << text;
        ASSERT_EQ(portableValue, fromChars) << text;
    }
}
#endif

}  // namespace
}  // namespace gosei
