#include "networks/stock_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/case_name.h"

namespace gosei::networks {
namespace {

using Rows = std::vector<std::pair<double, std::int64_t>>;

struct ReadCase {
    const char* name;
    std::string text;
    Rows rows;  // value and quantity; quantity 0 where the list counts nothing
    bool counted;
    std::optional<ValueColumn> column = std::nullopt;
};

class ReadStockTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadStockTest, ReadsEveryRowRight) {
    const auto read = parseStockList(GetParam().text, GetParam().column);
    ASSERT_TRUE(std::holds_alternative<StockList>(read)) << std::get<StockListError>(read).message;
    const StockList& list = std::get<StockList>(read);
    Rows rows;
    for (const StockRow& row : list.rows)
        rows.emplace_back(row.value, row.quantity);
    EXPECT_EQ(rows, GetParam().rows);
    EXPECT_EQ(list.counted, GetParam().counted);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ReadStockTest,
    testing::Values(
        ReadCase{"KiCadBomWithGroupedReferences",
                 "\"Reference\",\"Value\",\"Footprint\",\"Qty\"\r\n"
                 "\"R1,R2,R5\",\"4.7k\",\"Resistor_SMD:R_0603\",3\r\n"
                 "\"R3\",\"10k\",\"Resistor_SMD:R_0603\",1\r\n",
                 {{4700, 3}, {10e3, 1}},
                 true},
        ReadCase{"TabSeparatedExport",
                 "\xEF\xBB\xBF"
                 "Designator\tValue\tQuantity\r\nR1, R4\t4k7\t2\r\nR2\t100R\t5\r\n",
                 {{4700, 2}, {100, 5}},
                 true},
        ReadCase{"JapaneseHeader",
                 "部品番号,抵抗値,数量\nR1,4.7k,2\nR2,1M,0\nR3,１０ｋ,１２\n",
                 {{4700, 2}, {1e6, 0}, {10e3, 12}},
                 true},
        ReadCase{"HeaderInAnyCaseWithBlanks",
                 " Ref ,  VALUE\t, qty \n R1 , 2k2 , 4 \n",
                 {{2200, 4}},
                 true},
        ReadCase{"DecimalCommasBetweenSemicolons",
                 "Ref;Wert;Value;Qty\nR1;x;4,7k;2\nR2;y;\"2,2\";1\nR3;z;1,000;1\n",
                 {{4700, 2}, {2.2, 1}, {1, 1}},
                 true},
        ReadCase{"HashInAHeaderOrFieldIsText",
                 "Reference,Comment,Mfr Part #\nR1,4.7k,RC0603\n# left over\nR2,10k,#12\n",
                 {{4700, 0}, {10e3, 0}},
                 false},
        ReadCase{"QuotesWithinAQuotedField",
                 "Value,Note\n4.7k,\"a \"\"thin\"\" film, 1%\"\n\"10k\" ,\"two\nlines\"\n,\n",
                 {{4700, 0}, {10e3, 0}},
                 false},
        ReadCase{"ColumnByName",
                 "Part,Ohms,Count\nR1,470,3\n",
                 {{470, 0}},
                 false,
                 ValueColumn{" OHMS "}},
        ReadCase{"ColumnByNumberOfAHeader",
                 "Value,Comment\nR1,4k7\n",
                 {{4700, 0}},
                 false,
                 ValueColumn{"", 2}},
        ReadCase{"ColumnByNumberWithoutHeader",
                 "R1\t4.7k\nR2\t1M\n",
                 {{4700, 0}, {1e6, 0}},
                 false,
                 ValueColumn{"", 2}},
        ReadCase{"OneValueALine",
                 "# my drawer\n4k7\n\n  10k  # blue ones\r\n470R\n#1M\n2.2 Meg\n",
                 {{4700, 0}, {10e3, 0}, {470, 0}, {2.2e6, 0}},
                 false},
        ReadCase{"ValueFirstInAnExport",
                 "\xEF\xBB\xBF"
                 "4k7,10,R0603\r\n10k\t5\tthin film\r\n4.7 k\u03a9, 2 pcs\r\n1M 100\r\n"
                 "4.7k, 0603, 10pcs\r\n100 1%\r\n",
                 {{4700, 0}, {10e3, 0}, {4700, 0}, {1e6, 0}, {4700, 0}, {100, 0}},
                 false},
        ReadCase{"ToleranceAfterAValue",
                 "4.7k 1%\n4.7 k\u03a9\u00b11%\n10 \u00b15%\n10k # 1,2\n",
                 {{4700, 0}, {4700, 0}, {10, 0}, {10e3, 0}},
                 false}),
    CaseName());

struct RefusedCase {
    const char* name;
    std::string text;
    std::string message;
    std::optional<ValueColumn> column = std::nullopt;
};

class RefusedStockTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedStockTest, NamesTheLineAndWhatToWrite) {
    const auto read = parseStockList(GetParam().text, GetParam().column);
    ASSERT_TRUE(std::holds_alternative<StockListError>(read));
    EXPECT_EQ(std::get<StockListError>(read).message, GetParam().message);
}

const std::string kSplit = "; write it in one piece, such as 4.7k or 1000";
const std::string kTwoValues = "; add a header row that names the value column (Value)";
const std::string kCommas =
    " may hold a thousands separator or a decimal comma; write it without, such as 4.7k or 1000 "
    "(a table separated by semicolons may write decimal commas)";

INSTANTIATE_TEST_SUITE_P(
    Lists, RefusedStockTest,
    testing::Values(
        // Each of these was once read 1000 times or more off.
        RefusedCase{
            "KiloR", "4.7 kR\n",
            "line 1: \"4.7 kR\" may hold one value split in two (\"4.7\" and \"kR\")" + kSplit},
        RefusedCase{"Kilohm", "1k\n4.7 kilohm\n",
                    "line 2: \"4.7 kilohm\" may hold one value split in two (\"4.7\" and "
                    "\"kilohm\")" +
                        kSplit},
        RefusedCase{"NoBreakSpaceAfterUnit", "4.7 k\u03a9\u00a0\n",
                    "line 1: \"4.7 k\u03a9\\u00a0\" may hold one value split in two (\"4.7\" and "
                    "\"k\u03a9\\u00a0\")" +
                        kSplit},
        RefusedCase{"BlankBeforeLetterAsPoint", "1 k5\n",
                    "line 1: \"1 k5\" may hold one value split in two (\"1\" and \"k5\")" + kSplit},
        RefusedCase{"DecimalCommaWithoutHeader", "4,7k\n",
                    "line 1: \"4,7k\" may hold one value split in two (\"4\" and \"7k\")" + kSplit},
        RefusedCase{
            "ThousandsComma", "1,000\n",
            "line 1: \"1,000\" may hold one value split in two (\"1\" and \"000\")" + kSplit},
        RefusedCase{
            "ThousandsSpace", "1 000\n",
            "line 1: \"1 000\" may hold one value split in two (\"1\" and \"000\")" + kSplit},
        RefusedCase{"ReferenceFirst", "R1, 4.7k, 0603\n",
                    "line 1: \"R1, 4.7k, 0603\" has more than one field that reads as a value "
                    "(\"R1\" and \"4.7k\")" +
                        kTwoValues},
        RefusedCase{"ReferenceBeforeATab", "R12\t10k\n",
                    "line 1: \"R12\\u000910k\" has more than one field that reads as a value "
                    "(\"R12\" and \"10k\")" +
                        kTwoValues},
        RefusedCase{"ItemNumberFirst", "1 4.7k\n",
                    "line 1: \"1 4.7k\" has more than one field that reads as a value (\"1\" and "
                    "\"4.7k\")" +
                        kTwoValues},
        // Tables.
        RefusedCase{"CommaInAQuotedValue", "Ref,Value\nR1,\"4,7k\"\n",
                    "line 2: \"R1,\\\"4,7k\\\"\": \"4,7k\" in column \"Value\"" + kCommas},
        RefusedCase{"CommaInATabSeparatedValue", "Ref\tValue\nR1\t1,000\n",
                    "line 2: \"R1\\u00091,000\": \"1,000\" in column \"Value\"" + kCommas},
        RefusedCase{"ThousandsPointBetweenSemicolons", "Ref;Value\nR1;1.000\n",
                    "line 2: \"R1;1.000\": \"1.000\" in column \"Value\"" + kCommas},
        RefusedCase{"UnquotedDecimalCommaBetweenCommas", "Value,Footprint\n4,7k,0603\n",
                    "line 2: \"4,7k,0603\" has 3 fields where the header has 2; quote a field "
                    "that holds the separator, as \"R1,R2\""},
        RefusedCase{"HeaderWithoutValueColumn", "Part,Ohms,Count\nR1,470,3\n",
                    "line 1: \"Part,Ohms,Count\" names no value column (Value, Val, Comment, "
                    "Resistance, 値, 抵抗値 or 定数); name it with --column NAME or N"},
        RefusedCase{"TwoValueColumns", "Value,Comment\n4k7,4k7\n",
                    "line 1: \"Value,Comment\" names more than one value column; choose one with "
                    "--column NAME or N"},
        RefusedCase{"NoColumnOfThatName", "Ref,Value\nR1,1k\n",
                    "line 1: \"Ref,Value\" has no column named \"Ohms\"", ValueColumn{"Ohms"}},
        RefusedCase{"ColumnBeyondTheHeader", "Ref,Value\nR1,1k\n",
                    "line 1: \"Ref,Value\" has 2 columns, fewer than --column 3",
                    ValueColumn{"", 3}},
        RefusedCase{"NoValueInTheColumn", "Ref,Value\nR1,\n",
                    "line 2: \"R1,\" has no value in column \"Value\""},
        RefusedCase{"ValueOfZero", "Value\n0R\n",
                    "line 2: \"0R\": \"0R\" in column \"Value\" is not a positive value"},
        RefusedCase{"QuantityNotWhole", "Value,Qty\n1k,2.5\n",
                    "line 2: \"1k,2.5\": \"2.5\" in column \"Qty\" is not a whole number; write "
                    "the number of parts, such as 3 (0 for none)"},
        RefusedCase{"QuantityMissing", "Value,Qty\n1k,3\n2k2,\n",
                    "line 3: \"2k2,\": no quantity in column \"Qty\"; write the number of parts, "
                    "such as 3 (0 for none)"},
        RefusedCase{"QuoteNotClosed", "Value\n1k\n\"2k2\n3k3\n",
                    "line 3: \"\\\"2k2\": a quoted field has no closing quote; end it with \""},
        RefusedCase{"TextAfterAClosingQuote", "Value,Note\n1k,\"a\"b\n",
                    "line 2: \"1k,\\\"a\\\"b\": text follows the quote that ends a field; write a "
                    "quote within a quoted field twice (\"\")"},
        // Lines that are no value at all.
        RefusedCase{"Word", "4k7\n10k\nten k\n0\n", "line 3: \"ten k\" is not a value"},
        RefusedCase{"Zero", "0R0\n", "line 1: \"0R0\" is not a positive value"},
        RefusedCase{"Negative", "-4k7, 3\n", "line 1: \"-4k7, 3\" is not a positive value"},
        RefusedCase{"InvisibleCharacter", "4k7\r\n4\u200bk7\r\n",
                    "line 2: \"4\\u200bk7\" is not a value"},
        RefusedCase{"NotUtf8",
                    "\xff"
                    "10k\n",
                    "line 1: \"\\xff10k\" is not a value"},
        RefusedCase{"TooManyDigits", "1.23456789012345678k\n",
                    "line 1: \"1.23456789012345678k\" has more than 15 significant digits"},
        RefusedCase{"LongLineQuotedInPart", "x" + std::string(100, '0') + "\n",
                    "line 1: \"x" + std::string(79, '0') + "\"… is not a value"},
        RefusedCase{"OnlyAByteOrderMark", "\xEF\xBB\xBF", "no values"},
        RefusedCase{"OnlyComments", "\n\n# only a comment\n", "no values"},
        RefusedCase{"OnlyAHeader", "Value,Qty\r\n", "no values"},
        RefusedCase{"NothingBelowAColumnName", "# Value\n", "no values", ValueColumn{"Value"}},
        RefusedCase{"LargerThanTheLimit", std::string(kMostStockListBytes + 1, '\n'),
                    "more than 1 MiB (1,048,576 bytes), the most a stock list may hold"}),
    CaseName());

// A list at the size limit on one line is read in linear time: a
// quadratic reader would take minutes.
TEST(StockList, ReadsALongLineInTime) {
    const std::string blanks(kMostStockListBytes - 8, ' ');
    const auto list = parseStockList("1k" + blanks + "x\n");
    ASSERT_TRUE(std::holds_alternative<StockList>(list));
    EXPECT_EQ(std::get<StockList>(list).rows.front().value, 1000);

    std::string fields = "4.7k,";
    while (fields.size() < kMostStockListBytes - 8)
        fields += "0603 ";
    const auto exported = parseStockList(fields + "\n");
    ASSERT_TRUE(std::holds_alternative<StockList>(exported));
    EXPECT_EQ(std::get<StockList>(exported).rows.front().value, 4700);
}

}  // namespace
}  // namespace gosei::networks
