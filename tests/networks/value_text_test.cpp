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
        ParseCase{"OhmsMarkFirst", "R47", 0.47}, ParseCase{"Giga", "1G", 1e9},
        ParseCase{"Milli", "10m", 0.01}, ParseCase{"Micro", "3u3", 3.3e-6},
        ParseCase{"MicroSign", "10\u00b5", 10e-6}, ParseCase{"GreekMu", "10\u03bc", 10e-6},
        ParseCase{"Nano", "100n", 100e-9}, ParseCase{"Pico", "22p", 22e-12},
        ParseCase{"Blanks", "  10k\t", 10e3},
        ParseCase{"ManyDigits", "3.14159265358979", 3.14159265358979}, ParseCase{"Zero", "0", 0.0},
        ParseCase{"Empty", "", std::nullopt}, ParseCase{"OnlyLetter", "k", std::nullopt},
        ParseCase{"OnlyPoint", ".", std::nullopt}, ParseCase{"UnknownLetter", "4x7", std::nullopt},
        ParseCase{"TwoLetters", "4k7k", std::nullopt},
        ParseCase{"PointAndLetterAsPoint", "4.7k3", std::nullopt},
        ParseCase{"Negative", "-10", std::nullopt}, ParseCase{"Exponent", "1e3", std::nullopt},
        ParseCase{"Unit", "10 ohm", std::nullopt}, ParseCase{"InnerBlank", "4 k7", std::nullopt},
        ParseCase{"TwoPoints", "1.2.3", std::nullopt}),
    CaseName());

struct TextCase {
    const char* name;
    double value;
    int digits;
    std::string text;
};

class ValueTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ValueTextTest, WritesTheValue) {
    EXPECT_EQ(valueText(GetParam().value, GetParam().digits), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueTextTest,
    testing::Values(TextCase{"Ohms", 470, 6, "470"}, TextCase{"Kilo", 4700, 6, "4.7k"},
                    TextCase{"KiloWhole", 10e3, 6, "10k"}, TextCase{"Mega", 1.2e6, 6, "1.2M"},
                    TextCase{"Giga", 3e9, 6, "3G"}, TextCase{"One", 1, 6, "1"},
                    TextCase{"Half", 0.5, 6, "500m"}, TextCase{"Micro", 3.3e-6, 6, "3.3u"},
                    TextCase{"Pico", 22e-12, 6, "22p"}, TextCase{"Zero", 0, 6, "0"},
                    TextCase{"RoundedToDigits", 3141.5926, 7, "3.141593k"},
                    TextCase{"RoundsIntoTheNextPrefix", 999999.7, 6, "1M"},
                    TextCase{"ThreeFigures", 48.7e3, 3, "48.7k"},
                    TextCase{"BeyondGiga", 4.7e12, 6, "4700G"}),
    CaseName());

TEST(ValueText, ReadsBackAsTheSameValue) {
    for (double value : {1.0, 4.87, 48.7, 487.0, 4.87e3, 4.87e4, 4.87e5, 4.87e6, 0.1, 0.47})
        EXPECT_EQ(parseValue(valueText(value)), value) << valueText(value);
}

TEST(StockList, ReadsValuesSkippingCommentsAndBlankLines) {
    const auto stock = parseStockList("# my drawer\n4k7\n\n  10k  # blue ones\r\n470R\n#1M\n");
    EXPECT_EQ(std::get<std::vector<double>>(stock), (std::vector<double>{4700, 10e3, 470}));
}

TEST(StockList, NamesTheFirstLineItCannotRead) {
    const auto stock = parseStockList("4k7\n10k\nten k\n0\n");
    EXPECT_EQ(std::get<StockListError>(stock).message, "line 3: \"ten k\" is not a positive value");
}

TEST(StockList, RefusesZero) {
    const auto stock = parseStockList("0R0\n");
    EXPECT_EQ(std::get<StockListError>(stock).message, "line 1: \"0R0\" is not a positive value");
}

TEST(StockList, RefusesAListWithoutValues) {
    for (const char* text : {"", "\n\n", "# only a comment\n"})
        EXPECT_EQ(std::get<StockListError>(parseStockList(text)).message, "no values") << text;
}

}  // namespace
}  // namespace gosei::networks
