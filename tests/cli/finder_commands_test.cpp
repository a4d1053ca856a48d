#include "cli/finder_commands.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "decimal/decimal_conversion.h"
#include "networks/e_series.h"
#include "networks/stock_list.h"
#include "networks/value_text.h"
#include "tests/case_name.h"
#include "tests/cli/command_line.h"

namespace gosei::cli {
namespace {

using command_line::Outcome;
using command_line::run;

std::size_t count(const std::string& text, const std::string& needle) {
    std::size_t found = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++found;
    return found;
}

// A stock file that is removed when the test ends.
class StockFile {
  public:
    explicit StockFile(const std::string& text)
        : m_path(std::filesystem::temp_directory_path() / ("gosei-stock-" + uniqueName())) {
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~StockFile() { std::filesystem::remove(m_path); }
    std::string path() const { return m_path.string(); }

  private:
    static std::string uniqueName() {
        const auto* test = ::testing::UnitTest::GetInstance();
        std::string name =
            std::to_string(test->random_seed()) + "-" + test->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        return name;
    }

    std::filesystem::path m_path;
};

// ---- Whole answers ------------------------------------------------------------

TEST(FindCommand, PrintsATablePerPartCount) {
    const Outcome result =
        run({"find", "1234", "--series", "E12", "--range", "10..1M", "--parts", "2", "--top", "2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "目標 / wanted 1.234k, 部品 / parts E12 10..1M (61 values), 部品公差 / part "
              "tolerance 10 %\n"
              "\n"
              "1 個 / 1 part\n"
              "回路 / network   合成値 / value   誤差 / error (％)   最悪値 / worst case (％)\n"
              "1.2k             1.2k             -2.755              -13 … +7\n"
              "1k               1k               -18.96              -28 … -10\n"
              "\n"
              "2 個 / 2 parts\n"
              "回路 / network   合成値 / value   誤差 / error (％)   最悪値 / worst case (％)\n"
              "33 + 1.2k        1.233k           -0.08104            -11 … +10\n"
              "1.8k | 3.9k      1.231579k        -0.1962             -11 … +9.8\n");
}

TEST(FindCommand, WritesOneJsonObjectWithTheRequestAndTheResults) {
    const Outcome result = run({"find", "4k7", "--parts=2..2", "--top=1", "--exclude", "2k,1k1",
                                "--part-tolerance", "1", "--json"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "{\"request\":{\"wanted\":4700,\"series\":\"E24\",\"range\":[1,1e+07],"
              "\"exclude\":[2000,1100],\"part_values\":167,\"part_counts\":[2,2],\"top\":1,"
              "\"tolerance_percent\":null,\"part_tolerance_percent\":1},\"results\":[{"
              "\"part_count\":2,\"networks\":[{\"expression\":\"1 + 4.7k\",\"topology\":\"A + B\","
              "\"parts\":[1,4700],\"value\":4701,\"value_exact\":\"4701/1\","
              "\"error_percent\":0.02127659574468085,"
              "\"worst_case_percent\":[-0.9789361702127659,1.0214893617021277]}]}]}\n");
}

TEST(DividerCommand, PrintsTopBottomRatioErrorTotalAndWorstCase) {
    const Outcome result =
        run({"divider", "3.3/5", "--series", "E12", "--parts", "2..3", "--top", "2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "目標 / wanted ratio 0.66 (3.3 V / 5 V), 部品 / parts E12 1..10M (85 values), 合計 "
              "/ total 10k..100k, 部品公差 / part tolerance 10 %\n"
              "\n"
              "2 個 / 2 parts\n"
              "上 / top   下 / bottom   分圧比 / ratio   誤差 / error (％)   合計 / total   "
              "最悪値 / worst case (％)\n"
              "12k        22k           0.6470588        -1.961              34k            "
              "-9.1 … +4.8\n"
              "18k        33k           0.6470588        -1.961              51k            "
              "-9.1 … +4.8\n"
              "\n"
              "3 個 / 3 parts\n"
              "上 / top   下 / bottom   分圧比 / ratio   誤差 / error (％)   合計 / total   "
              "最悪値 / worst case (％)\n"
              "6.8k       22k | 33k     0.66             0                   20k            "
              "-7.1 … +6.6\n"
              "6.8k       1.2k + 12k    0.66             0                   20k            "
              "-7.1 … +6.6\n");
}

TEST(DividerCommand, WritesARegulatorsFeedbackAsJson) {
    const Outcome result = run({"divider", "--vref", "0.8", "--vout", "3V3", "--series", "E96",
                                "--parts", "3..3", "--top", "1", "--json"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "{\"request\":{\"ratio\":0.24242424242424243,\"ratio_exact\":\"8/33\",\"vref\":0.8,"
              "\"vout\":3.3,\"series\":\"E96\",\"range\":[1,1e+07],\"exclude\":[],"
              "\"part_values\":673,\"part_counts\":[3,3],\"top\":1,\"tolerance_percent\":null,"
              "\"part_tolerance_percent\":1,\"total\":[10000,1e+05]},\"results\":[{"
              "\"part_count\":3,\"dividers\":[{\"top\":{\"expression\":\"30.9k + 31.6k\","
              "\"topology\":\"A + B\",\"parts\":[30900,31600],\"value\":62500,"
              "\"value_exact\":\"62500/1\"},\"bottom\":{\"expression\":\"20k\",\"topology\":\"A\","
              "\"parts\":[20000],\"value\":20000,\"value_exact\":\"20000/1\"},"
              "\"ratio\":0.24242424242424243,\"ratio_exact\":\"8/33\",\"output\":3.3,"
              "\"error_percent\":0,\"total\":82500,"
              "\"worst_case_percent\":[-1.5001500150015001,1.5304560759106214]}]}]}\n");
}

// ---- Exact rankings ---------------------------------------------------------------

// Errors that double arithmetic got wrong: noise shown for an exact value,
// and a network ranked before one whose error is smaller by 1e-8 ohm.
TEST(FindCommand, RanksAndShowsErrorsExactly) {
    const Outcome sum = run({"find", "3.3", "--parts", "2..2", "--part-tolerance", "0"});
    EXPECT_NE(sum.out.find("\n1.1 + 2.2        3.3              0\n"), std::string::npos)
        << sum.out;

    const Outcome both = run({"find", "0R33", "--series", "E24", "--range", "0R1..1k", "--parts",
                              "2..2", "--part-tolerance", "0"});
    EXPECT_NE(both.out.find("150m + 180m      330m             0\n"
                            "130m + 200m      330m             0\n"),
              std::string::npos)
        << both.out;

    const Outcome closer =
        run({"find", "10k", "--series", "E1", "--parts", "3..3", "--top", "2", "--json"});
    EXPECT_LT(closer.out.find("\"10M | (10 + 10k)\""), closer.out.find("\"10 + (10k | 10M)\""));
    EXPECT_NE(closer.out.find("\"value_exact\":\"10010000000/1001001\""), std::string::npos);
}

// ---- Edges of the options -----------------------------------------------------

struct EdgeCase {
    const char* name;
    std::vector<std::string> words;
    std::vector<std::string> present;  // in the JSON
    std::size_t networks;              // "expression" fields, each a network or an arm
};

class FindEdgeTest : public testing::TestWithParam<EdgeCase> {};

TEST_P(FindEdgeTest, AnswersAsAsked) {
    std::vector<std::string> words = GetParam().words;
    words.push_back("--json");
    const Outcome result = run(words);
    ASSERT_EQ(result.status, 0) << result.err;
    for (const std::string& text : GetParam().present)
        EXPECT_NE(result.out.find(text), std::string::npos) << text << " in " << result.out;
    EXPECT_EQ(count(result.out, "\"expression\""), GetParam().networks);
}

INSTANTIATE_TEST_SUITE_P(
    Options, FindEdgeTest,
    testing::Values(
        EdgeCase{"DefaultTop", {"find", "5k"}, {"\"part_counts\":[1,4],\"top\":3"}, 12},
        EdgeCase{"PartsTwelveDecadesApart",
                 {"find", "1k", "--series", "E1", "--range", "1..1T"},
                 {"\"part_values\":13"},
                 12},
        EdgeCase{"RatioAtTheEdgeOfReach",
                 {"divider", "0.000003333344444", "--parts", "4..4", "--top", "1"},
                 {"\"ratio\":3.333344444e-06"},
                 2},
        EdgeCase{"PartsFourIsOneToFour",
                 {"find", "5k", "--parts", "4", "--top", "1"},
                 {"\"part_counts\":[1,4]", "[{\"part_count\":1,", "]},{\"part_count\":2,",
                  "]},{\"part_count\":3,", "]},{\"part_count\":4,"},
                 4},
        EdgeCase{
            "PartsAtTheirEnds", {"find", "5k", "--parts", "4..4"}, {"\"part_counts\":[4,4]"}, 3},
        EdgeCase{"TopAtItsEnd", {"find", "5k", "--parts", "3..3", "--top", "1000"}, {}, 1000},
        EdgeCase{"TwentyWithinATolerance",
                 {"find", "3.3k", "--series", "E96", "--parts", "3..3", "--tolerance", "0.5"},
                 {"\"top\":20,\"tolerance_percent\":0.5"},
                 20},
        EdgeCase{"ToleranceZeroKeepsExactHits",
                 {"find", "4.7k", "--series", "E3", "--range", "1k..10k", "--tolerance", "0"},
                 {"\"tolerance_percent\":0,", "\"expression\":\"4.7k\"",
                  "\"expression\":\"(4.7k | 4.7k) + (4.7k | 4.7k)\""},
                 3},
        EdgeCase{"RangeOfOneValue",
                 {"find", "9.4k", "--range", "4.7k..4.7k", "--parts", "2..2"},
                 {"\"part_values\":1", "\"4.7k + 4.7k\""},
                 2},
        EdgeCase{"StockToleranceGiven",
                 {"divider", "0.5", "--series", "E1", "--part-tolerance", "2", "--parts", "2",
                  "--total", "20..20"},
                 {"\"part_tolerance_percent\":2,", "\"worst_case_percent\":[-2,2]"},
                 2}),
    CaseName());

TEST(FindCommand, WritesOneValueAndOnePartInTheSingular) {
    const Outcome one = run({"find", "9.4k", "--range", "4.7k..4.7k", "--parts", "1..2"});
    EXPECT_NE(one.out.find("(1 value)"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("1 個 / 1 part\n"), std::string::npos) << one.out;
}

TEST(FindCommand, TakesExactlyTwoThousandDistinctParts) {
    const auto e192 = networks::eSeriesValues(networks::ESeries::E192, 1, 1e12);
    const std::string limit = gosei::shortestText(e192.at(1999));
    const std::string beyond = gosei::shortestText(e192.at(2000));
    const Outcome at =
        run({"find", "1k", "--series", "E192", "--range", "1.." + limit, "--parts", "1", "--json"});
    EXPECT_NE(at.out.find("\"part_values\":2000"), std::string::npos) << at.err;
    const Outcome over =
        run({"find", "1k", "--series", "E192", "--range", "1.." + beyond, "--parts", "1"});
    EXPECT_EQ(over.status, 2);
}

TEST(FindCommand, ReadsAPartsListExportWithRepeatsAndExclusionsMatchedExactly) {
    const StockFile stock(
        "\xEF\xBB\xBF"
        "4k7,10,R0603\r\n10k\t5\r\n4.7k\r\n2k2 # spare\r\n");
    const Outcome result = run({"find", "14.7k", "--stock", stock.path(), "--parts", "2..2",
                                "--exclude", "2.2k,4.70000000001k", "--top", "1"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("(2 values)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\n4.7k + 10k "), std::string::npos) << result.out;
}

struct NotationCase {
    const char* name;
    std::string typed;
    double value;
};

class NotationTest : public testing::TestWithParam<NotationCase> {};

// Every place a value is read: the wanted value, a stock line, an exclusion
// and a range, whose reading the message about it shows.
TEST_P(NotationTest, IsReadWherePartsAndValuesAreGiven) {
    const std::string& typed = GetParam().typed;
    const std::string value = gosei::shortestText(GetParam().value);
    const StockFile stock("1\n" + typed + "\r\n");
    const Outcome wanted = run({"find", typed, "--stock", stock.path(), "--parts", "1", "--json"});
    EXPECT_NE(wanted.out.find("\"wanted\":" + value + ","), std::string::npos) << wanted.err;
    EXPECT_NE(wanted.out.find("\"parts\":[" + value + "],"), std::string::npos) << wanted.out;
    const Outcome excluded =
        run({"find", "1", "--stock", stock.path(), "--exclude", typed, "--parts", "1", "--json"});
    EXPECT_NE(excluded.out.find("\"part_values\":1,"), std::string::npos) << excluded.err;
    const Outcome ranged = run({"find", "1", "--series", "E1", "--range", typed + ".." + typed});
    const std::string written = networks::valueText(GetParam().value);
    EXPECT_EQ(ranged.err, "gosei-cli find: no parts left in E1 " + written + ".." + written + "\n");
}

// The readings themselves are tabled with the reader; these show that
// every place reads through it.
INSTANTIATE_TEST_SUITE_P(Texts, NotationTest,
                         testing::Values(NotationCase{"KiloAsPoint", "4k7", 4700},
                                         NotationCase{"OhmSign", "4.7k\u03a9", 4700},
                                         NotationCase{"MilliIsNotMega", "330m", 0.33},
                                         NotationCase{"FullWidth", "\uff14\uff4b\uff17", 4700}),
                         CaseName());

TEST(FindCommand, FindsEverySeriesByItsName) {
    const std::vector<std::pair<std::string, std::size_t>> counts = {
        {"E1", 8},    {"E3", 22},   {"E6", 43},   {"E12", 85},
        {"E24", 169}, {"E48", 337}, {"E96", 673}, {"E192", 1345}};
    for (const auto& [name, values] : counts) {
        const Outcome result = run({"find", "1k", "--series", name, "--parts", "1", "--json"});
        EXPECT_NE(result.out.find("\"part_values\":" + std::to_string(values) + ","),
                  std::string::npos)
            << name;
    }
}

// ---- What cannot be used --------------------------------------------------------

struct BadInputCase {
    const char* name;
    std::vector<std::string> words;
    std::string message;
};

class BadInputTest : public testing::TestWithParam<BadInputCase> {};

TEST_P(BadInputTest, NamesTheProblemOnOneLineAndPrintsNothingElse) {
    const Outcome result = run(GetParam().words);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "gosei-cli " + GetParam().words[0] + ": " + GetParam().message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadInputTest,
    testing::Values(
        BadInputCase{"NoValue", {"find"}, "no value given (gosei-cli find VALUE [options])"},
        BadInputCase{"TwoValues", {"find", "1k", "2k"}, "more than one value: 2k"},
        BadInputCase{"MalformedPrefix", {"find", "4k7x"}, "\"4k7x\" is not a value"},
        BadInputCase{"InvisibleCharacter", {"find", "4k7\u200b"}, "\"4k7\\u200b\" is not a value"},
        BadInputCase{"TooManyDigits",
                     {"find", "1.00000000000000001k"},
                     "\"1.00000000000000001k\" has more than 15 significant digits"},
        BadInputCase{"BeyondReadersRange", {"find", "1e25"}, "\"1e25\" lies outside 1e-24 to 1e24"},
        BadInputCase{"Zero", {"find", "0R0"}, "the value must be greater than 0"},
        BadInputCase{"Negative", {"find", "-4k7"}, "the value must be greater than 0"},
        BadInputCase{"UnknownSeries",
                     {"find", "1k", "--series", "E5"},
                     "unknown series \"E5\" (expected E1, E3, E6, E12, E24, E48, E96 or E192)"},
        BadInputCase{"TooLarge",
                     {"find", "50M"},
                     "50M is outside what 4 parts of E24 1..10M can reach (250m to 40M)"},
        BadInputCase{"QuotedAsTyped",
                     {"find", "0.2499999", "--series", "E12"},
                     "0.2499999 is outside what 4 parts of E12 1..10M can reach (250m to 40M)"},
        BadInputCase{"OnePart",
                     {"find", "100m", "--series", "E6", "--range", "1..1k", "--parts", "1"},
                     "100m is outside what 1 part of E6 1..1k can reach (1 to 1k)"},
        BadInputCase{"MissingStockFile",
                     {"find", "1k", "--stock", "/nonexistent/stock.txt"},
                     "cannot read stock file /nonexistent/stock.txt"},
        BadInputCase{
            "StockIsADirectory", {"find", "1k", "--stock", "/"}, "cannot read stock file /"},
        BadInputCase{"StockWithSeries",
                     {"find", "1k", "--stock", "/", "--series", "E6"},
                     "--stock takes no --series or --range"},
        BadInputCase{"EmptyRange",
                     {"find", "1k", "--series", "E3", "--range", "5..6"},
                     "no parts left in E3 5..6"},
        BadInputCase{"EverythingExcluded",
                     {"find", "1k", "--series", "E1", "--range", "1..1", "--exclude", "1"},
                     "no parts left in E1 1..1"},
        BadInputCase{"ReversedRange",
                     {"find", "1k", "--range", "1M..10"},
                     "--range \"1M..10\": the low end \"1M\" is above the high end \"10\""},
        BadInputCase{"BadHighEnd",
                     {"find", "1k", "--range", "1..x"},
                     "--range \"1..x\": the high end \"x\" is not a value"},
        BadInputCase{"MissingLowEnd",
                     {"find", "1k", "--range", "..10k"},
                     "--range \"..10k\": the low end \"\" is not a value"},
        BadInputCase{"ZeroLowEnd",
                     {"find", "1k", "--range", "0..10k"},
                     "--range \"0..10k\": the low end must be greater than 0"},
        BadInputCase{
            "NoDots", {"find", "1k", "--range", "10k"}, "--range \"10k\" is not LOW..HIGH"},
        BadInputCase{"TooManyParts",
                     {"find", "1k", "--series", "E192", "--range", "1m..1G"},
                     "more than 2000 distinct parts in E192 1m..1G"},
        BadInputCase{
            "PartsTooFarApart",
            {"find", "1k", "--range", "910m..1T"},
            "E24 910m..1T spans more than 12 decades (910m to 1T): the largest part may be "
            "at most 1e12 times the smallest"},
        BadInputCase{"RatioBelowReach",
                     {"divider", "3.333e-6"},
                     "the ratio \"3.333e-6\" is below what dividers of 4 parts of E24 1..10M "
                     "within a total of 10k..100k can reach (at least 0.000003333323)"},
        BadInputCase{"OutputAboveReach",
                     {"divider", "--vref", "1e-18", "--vout", "3.3", "--parts", "2"},
                     "--vout \"3.3\" is above what dividers of 2 parts of E24 1..10M within a "
                     "total of 10k..100k can reach from --vref \"1e-18\" (at most "
                     "0.000000000000100001 V)"},
        BadInputCase{"PartsAboveFour",
                     {"find", "1k", "--parts", "5"},
                     "--parts must lie within 1..4, smaller count first"},
        BadInputCase{"PartsReversed",
                     {"find", "1k", "--parts", "3..2"},
                     "--parts must lie within 1..4, smaller count first"},
        BadInputCase{"PartsNotANumber",
                     {"find", "1k", "--parts", "two"},
                     "--parts \"two\" is not N or M..N"},
        BadInputCase{"TopZero",
                     {"find", "1k", "--top", "0"},
                     "--top \"0\" is not a whole number from 1 to 1000"},
        BadInputCase{"TopAboveItsEnd",
                     {"find", "1k", "--top", "1001"},
                     "--top \"1001\" is not a whole number from 1 to 1000"},
        BadInputCase{"BadTolerance",
                     {"find", "1k", "--tolerance", "1%"},
                     "--tolerance \"1%\" is not a percentage of 0 or more"},
        BadInputCase{"PartToleranceOfAHundred",
                     {"find", "1k", "--part-tolerance", "100"},
                     "--part-tolerance \"100\" is not a percentage of 0 or more and below 100"},
        BadInputCase{"BadExclusion",
                     {"find", "1k", "--exclude", "4k7,,10k"},
                     "--exclude: \"\" is not a value"},
        BadInputCase{"UnknownOption", {"find", "1k", "--fast", "1"}, "unknown option --fast"},
        BadInputCase{"UnknownShortOption", {"find", "4.7k", "-x"}, "unknown option -x"},
        BadInputCase{
            "OptionGivenTwice", {"find", "1k", "--top", "2", "--top=3"}, "--top given twice"},
        BadInputCase{"ColumnWithoutStock",
                     {"divider", "0.5", "--column", "Value"},
                     "--column needs --stock"},
        BadInputCase{"StockIsADevice",
                     {"find", "1k", "--stock", "/dev/zero"},
                     "stock file /dev/zero is not a regular file; a stock list is a file of at "
                     "most 1 MiB (1,048,576 bytes)"},
        BadInputCase{
            "UnknownOptionLast", {"find", "1k", "--frobnicate"}, "unknown option --frobnicate"},
        BadInputCase{
            "DividerOptionInFind", {"find", "1k", "--total", "1..2"}, "unknown option --total"},
        BadInputCase{"OptionWithoutValue", {"find", "1k", "--top"}, "--top needs a value"},
        BadInputCase{"NoRatio",
                     {"divider"},
                     "no ratio given (gosei-cli divider RATIO [options], or --vref V --vout V)"},
        BadInputCase{"RatioAboveOne", {"divider", "1.2"}, "the ratio must lie between 0 and 1"},
        BadInputCase{"VoltagesReversed",
                     {"divider", "5/3.3"},
                     "the ratio must lie between 0 and 1 (VOUT/VIN with VOUT below VIN)"},
        BadInputCase{
            "BadVoltage", {"divider", "3.3/5x"}, "the ratio \"3.3/5x\": \"5x\" is not a value"},
        BadInputCase{"RatioAndRegulator",
                     {"divider", "0.5", "--vref", "0.8", "--vout", "3.3"},
                     "give a RATIO or --vref and --vout, not both"},
        BadInputCase{"VrefAlone", {"divider", "--vref", "0.8"}, "--vref needs --vout"},
        BadInputCase{"VoutBelowVref",
                     {"divider", "--vref", "3.3", "--vout", "0.8"},
                     "--vout must be above --vref"},
        BadInputCase{"OnePartDivider",
                     {"divider", "0.5", "--parts", "1..2"},
                     "--parts must lie within 2..4, smaller count first"},
        BadInputCase{"ReversedTotal",
                     {"divider", "0.5", "--total", "100k..10k"},
                     "--total \"100k..10k\": the low end \"100k\" is above the high end \"10k\""}),
    CaseName());

TEST(FindCommand, NamesTheLineOfAStockFileItCannotRead) {
    const StockFile stock("1k\r\n2k2\r\nlots, 3\r\n");
    const Outcome result = run({"find", "1k", "--stock", stock.path()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "gosei-cli find: stock " + stock.path() + ": line 3: \"lots, 3\" is not a value\n");
}

// A pipe is refused before it is opened: reading it would wait for a writer
// that never comes, and the test would time out.
TEST(FindCommand, RefusesAPipeAsAStockFileAtOnce) {
    const std::filesystem::path fifo =
        std::filesystem::temp_directory_path() / ("gosei-fifo-" + std::to_string(::getpid()));
#ifdef __EMSCRIPTEN__
    // Its file system makes a FIFO an empty file, which reads at once.
    GTEST_SKIP() << "no pipes in the WebAssembly build's file system";
#endif
    if (::mkfifo(fifo.c_str(), 0600) != 0) GTEST_SKIP() << "no pipes here";
    const Outcome result = run({"find", "1k", "--stock", fifo.string()});
    std::filesystem::remove(fifo);
    EXPECT_EQ(result.err, "gosei-cli find: stock file " + fifo.string() +
                              " is not a regular file; a stock list is a file of at most 1 MiB "
                              "(1,048,576 bytes)\n");
}

TEST(FindCommand, RefusesAStockFileLargerThanTheLimitUnread) {
    const StockFile stock(std::string(networks::kMostStockListBytes + 1, '1'));
    const Outcome result = run({"find", "1k", "--stock", stock.path()});
    EXPECT_EQ(result.err, "gosei-cli find: stock file " + stock.path() +
                              " is larger than 1 MiB (1,048,576 bytes), the most a stock list "
                              "may hold\n");
}

// A CAD program's parts list, its quantities a limit the request line names.
TEST(FindCommand, ReadsAPartsListWithQuantities) {
    const StockFile stock(
        "\"Reference\",\"Value\",\"Footprint\",\"Qty\"\r\n"
        "\"R1,R2,R5\",\"4.7k\",\"Resistor_SMD:R_0603\",3\r\n"
        "\"R3\",\"10k\",\"Resistor_SMD:R_0603\",1\r\n"
        "\"R4\",\"1k\",\"Resistor_SMD:R_0603\",0\r\n");
    const Outcome text = run({"find", "14.7k", "--stock", stock.path(), "--parts", "2..2"});
    EXPECT_TRUE(text.out.starts_with("目標 / wanted 14.7k, 部品 / parts stock " + stock.path() +
                                     " (2 values), 数量まで / within the listed quantities\n"))
        << text.out << text.err;
    const Outcome json = run({"find", "14.7k", "--stock", stock.path(), "--json"});
    EXPECT_NE(json.out.find("\"counted_stock\":true,"), std::string::npos) << json.out;
}

// A ratio is shown as typed, not rounded to the seven digits of a result.
TEST(DividerCommand, ShowsTheRatioAsTyped) {
    const Outcome result = run({"divider", "0.999999999999999", "--parts", "2"});
    EXPECT_TRUE(result.out.starts_with("目標 / wanted ratio 0.999999999999999, "))
        << result.out << result.err;
}

TEST(FindCommand, IsDescribedByTheHelpOfTheWholeCommandAndByItsOwn) {
    const Outcome whole = run({"--help"});
    EXPECT_NE(whole.out.find(kFindHelp), std::string::npos);
    EXPECT_TRUE(whole.out.ends_with(kDividerHelp));
    EXPECT_EQ(run({"find", "--help"}).out, kFindHelp);
    EXPECT_EQ(run({"divider", "--help"}).out, kDividerHelp);
}

}  // namespace
}  // namespace gosei::cli
