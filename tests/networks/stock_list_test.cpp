#include "networks/stock_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/case_name.h"

namespace gosei::networks {
namespace {

TEST(StockList, ReadsValuesSkippingCommentsAndBlankLines) {
    const auto stock = parseStockList("# my drawer\n4k7\n\n  10k  # blue ones\r\n470R\n#1M\n");
    EXPECT_EQ(std::get<std::vector<double>>(stock), (std::vector<double>{4700, 10e3, 470}));
}

TEST(StockList, ReadsAPartsListExport) {
    const auto stock = parseStockList(
        "\xEF\xBB\xBF"
        "4k7,10,R0603\r\n10k\t5\tthin film\r\n4.7 k\u03a9, 2 pcs\r\n"
        "1M 100\r\n4k7\r\n");
    EXPECT_EQ(std::get<std::vector<double>>(stock),
              (std::vector<double>{4700, 10e3, 4700, 1e6, 4700}));
}

struct BadStockCase {
    const char* name;
    std::string text;
    std::string message;
};

class BadStockTest : public testing::TestWithParam<BadStockCase> {};

TEST_P(BadStockTest, NamesTheFirstLineItCannotRead) {
    EXPECT_EQ(std::get<StockListError>(parseStockList(GetParam().text)).message,
              GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, BadStockTest,
    testing::Values(
        BadStockCase{"Word", "4k7\n10k\nten k\n0\n", "line 3: \"ten k\" is not a value"},
        BadStockCase{"Zero", "0R0\n", "line 1: \"0R0\" is not a positive value"},
        BadStockCase{"Negative", "-4k7, 3\n", "line 1: \"-4k7, 3\" is not a positive value"},
        BadStockCase{"InvisibleCharacter", "4k7\r\n4\u200bk7\r\n",
                     "line 2: \"4\\u200bk7\" is not a value"},
        BadStockCase{"NotUtf8",
                     "\xff"
                     "10k\n",
                     "line 1: \"\\xff10k\" is not a value"},
        BadStockCase{"TooManyDigits", "1.23456789012345678k\n",
                     "line 1: \"1.23456789012345678k\" has more than 15 significant digits"},
        BadStockCase{"OnlyAByteOrderMark", "\xEF\xBB\xBF", "no values"},
        BadStockCase{"OnlyComments", "\n\n# only a comment\n", "no values"}),
    CaseName());

TEST(StockList, ReadsALongLineInTime) {
    const std::string line = "1k" + std::string(1 << 20, ' ') + "x\n";
    EXPECT_EQ(std::get<std::vector<double>>(parseStockList(line)), std::vector<double>{1000});
}

}  // namespace
}  // namespace gosei::networks
