#include "cli/find_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "tests/case_name.h"

namespace gosei::cli {
namespace {

struct FindRun {
    int status;
    std::string out, err;
};

// Through the whole command line, "find" included.
FindRun find(std::vector<std::string> words) {
    std::vector<const char*> argv = {"gosei-cli", "find"};
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = run(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return {status, out.str(), err.str()};
}

// A stock file that is removed when the test ends.
class StockFile {
  public:
    explicit StockFile(const std::string& text)
        : m_path(std::filesystem::temp_directory_path() /
                 ("gosei-stock-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::ofstream(m_path) << text;
    }
    ~StockFile() { std::filesystem::remove(m_path); }
    std::string path() const { return m_path.string(); }

  private:
    std::filesystem::path m_path;
};

TEST(FindCommand, PrintsATablePerPartCount) {
    const FindRun run =
        find({"1234", "--series", "E12", "--range", "10..1M", "--parts", "2", "--top", "2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "目標 / wanted 1.234k, 部品 / parts E12 10..1M (61 values)\n"
              "\n"
              "1 個 / 1 part\n"
              "回路 / network   合成値 / value   誤差 / error (％)\n"
              "1.2k             1.2k             -2.755\n"
              "1k               1k               -18.96\n"
              "\n"
              "2 個 / 2 parts\n"
              "回路 / network   合成値 / value   誤差 / error (％)\n"
              "33 + 1.2k        1.233k           -0.08104\n"
              "1.8k | 3.9k      1.231579k        -0.1962\n");
}

TEST(FindCommand, WritesOneJsonObjectWithTheRequestAndTheResults) {
    const FindRun run = find({"4k7", "--parts=2..2", "--top=1", "--exclude", "2k,1k1", "--json"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"request\":{\"wanted\":4700,\"series\":\"E24\",\"range\":[1,1e+07],"
              "\"exclude\":[2000,1100],\"part_values\":167,\"part_counts\":[2,2],\"top\":1,"
              "\"tolerance_percent\":null},\"results\":[{\"part_count\":2,\"networks\":["
              "{\"expression\":\"1 + 4.7k\",\"topology\":\"A + B\",\"parts\":[1,4700],"
              "\"value\":4701,\"error_percent\":0.02127659574468085}]}]}\n");
}

TEST(FindCommand, EscapesTheStockPathInJson) {
    const StockFile stock("1k\n");
    const std::string quoted = stock.path() + "\"q\\";
    std::filesystem::copy_file(stock.path(), quoted);
    const FindRun run = find({"1k", "--stock", quoted, "--parts", "1", "--json"});
    std::filesystem::remove(quoted);
    EXPECT_NE(run.out.find("\"stock\":\"" + stock.path() + "\\\"q\\\\\""), std::string::npos)
        << run.out;
}

TEST(FindCommand, UsesTheValuesOfAStockFile) {
    const StockFile stock("# drawer\n1k\n2k2\n");
    const FindRun run =
        find({"1.5k", "--stock", stock.path(), "--parts", "2..3", "--tolerance", "5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "目標 / wanted 1.5k, 部品 / parts stock " + stock.path() +
                           " (2 values)\n"
                           "\n"
                           "2 個 / 2 parts\n"
                           "回路 / network         合成値 / value   誤差 / error (％)\n"
                           "なし / none\n"
                           "\n"
                           "3 個 / 3 parts\n"
                           "回路 / network         合成値 / value   誤差 / error (％)\n"
                           "1k + (1k | 1k)         1.5k             0\n"
                           "2.2k | (2.2k + 2.2k)   1.466667k        -2.222\n");
}

TEST(FindCommand, ListsUpToTwentyWithinATolerance) {
    const FindRun run = find({"3.3k", "--series", "E96", "--parts", "3..3", "--tolerance", "0.5"});
    const auto lines = std::count(run.out.begin(), run.out.end(), '\n');
    EXPECT_EQ(lines, 4 + 20);  // the request, a blank line, the two heads, 20 networks
}

struct BadInputCase {
    const char* name;
    std::vector<std::string> words;
    std::string message;
};

class FindBadInputTest : public testing::TestWithParam<BadInputCase> {};

TEST_P(FindBadInputTest, NamesTheProblemOnOneLineAndPrintsNothingElse) {
    const FindRun run = find(GetParam().words);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "gosei-cli find: " + GetParam().message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FindBadInputTest,
    testing::Values(
        BadInputCase{"NoValue", {}, "no value given (gosei-cli find VALUE [options])"},
        BadInputCase{"TwoValues", {"1k", "2k"}, "more than one value: 2k"},
        BadInputCase{"MalformedPrefix", {"4k7x"}, "\"4k7x\" is not a value"},
        BadInputCase{"Zero", {"0R0"}, "the value must be greater than 0"},
        BadInputCase{"Negative", {"-4k7"}, "the value must be greater than 0"},
        BadInputCase{"UnknownSeries",
                     {"1k", "--series", "E5"},
                     "unknown series \"E5\" (expected E1, E3, E6, E12, E24, E48, E96 or E192)"},
        BadInputCase{"TooLarge",
                     {"50M"},
                     "50M is outside what 4 parts of E24 1..10M can reach (250m to 40M)"},
        BadInputCase{"TooSmallForTwoParts",
                     {"100m", "--series", "E6", "--range", "1..1k", "--parts", "2"},
                     "100m is outside what 2 parts of E6 1..1k can reach (500m to 2k)"},
        BadInputCase{"MissingStockFile",
                     {"1k", "--stock", "/nonexistent/stock.txt"},
                     "cannot read stock file /nonexistent/stock.txt"},
        BadInputCase{"StockIsADirectory", {"1k", "--stock", "/"}, "cannot read stock file /"},
        BadInputCase{"StockWithSeries",
                     {"1k", "--stock", "/", "--series", "E6"},
                     "--stock takes no --series or --range"},
        BadInputCase{
            "EmptyRange", {"1k", "--series", "E3", "--range", "5..6"}, "no parts left in E3 5..6"},
        BadInputCase{"EverythingExcluded",
                     {"1k", "--series", "E1", "--range", "1..1", "--exclude", "1"},
                     "no parts left in E1 1..1"},
        BadInputCase{"ReversedRange",
                     {"1k", "--range", "1M..10"},
                     "--range \"1M..10\" is not LOW..HIGH with 0 < LOW <= HIGH"},
        BadInputCase{"TooManyParts",
                     {"1k", "--series", "E192", "--range", "1m..1G"},
                     "more than 2000 distinct parts in E192 1m..1G"},
        BadInputCase{"PartsAboveFour",
                     {"1k", "--parts", "5"},
                     "--parts must lie within 1..4, smaller count first"},
        BadInputCase{"PartsReversed",
                     {"1k", "--parts", "3..2"},
                     "--parts must lie within 1..4, smaller count first"},
        BadInputCase{
            "PartsNotANumber", {"1k", "--parts", "two"}, "--parts \"two\" is not N or M..N"},
        BadInputCase{
            "TopZero", {"1k", "--top", "0"}, "--top \"0\" is not a whole number from 1 to 1000"},
        BadInputCase{"BadTolerance",
                     {"1k", "--tolerance", "1%"},
                     "--tolerance \"1%\" is not a percentage of 0 or more"},
        BadInputCase{"BadExclusion",
                     {"1k", "--exclude", "4k7,,10k"},
                     "--exclude: \"\" is not a positive value"},
        BadInputCase{"UnknownOption", {"1k", "--fast", "1"}, "unknown option --fast"},
        BadInputCase{"OptionWithoutValue", {"1k", "--top"}, "--top needs a value"}),
    CaseName());

TEST(FindCommand, NamesTheLineOfAStockFileItCannotRead) {
    const StockFile stock("1k\n2k2\nlots\n");
    const FindRun run = find({"1k", "--stock", stock.path()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "gosei-cli find: stock file " + stock.path() +
                           ": line 3: \"lots\" is not a positive value\n");
}

TEST(FindCommand, RefusesAnEmptyStockFile) {
    const StockFile stock("# nothing yet\n");
    const FindRun run = find({"1k", "--stock", stock.path()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "gosei-cli find: stock file " + stock.path() + ": no values\n");
}

TEST(FindCommand, IsDescribedByTheHelpOfTheWholeCommandAndByItsOwn) {
    std::vector<const char*> argv = {"gosei-cli", "--help"};
    std::istringstream in;
    std::ostringstream out, err;
    run(2, argv.data(), in, out, err);
    EXPECT_TRUE(out.str().ends_with(kFindHelp));
    const FindRun own = find({"--help"});
    EXPECT_EQ(own.status, 0);
    EXPECT_EQ(own.out, kFindHelp);
}

}  // namespace
}  // namespace gosei::cli
