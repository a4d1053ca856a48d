#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "tests/case_name.h"
#include "tests/cli/command_line.h"
#include "tests/json_reader.h"

namespace gosei::cli {
namespace {

using strict_json::Json;

using command_line::Outcome;
using command_line::run;

using Names = std::vector<std::string>;

// A stock list named with a backslash, quotes, a tab and Japanese: both
// documents read back strictly, with the name as it was, the request's
// fields, and four results for each part count.
TEST(FinderJson, IsOneStrictDocumentWhateverTheStockListIsCalled) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("gosei \"在庫\"\t\\" + std::to_string(::getpid()));
    std::ofstream(path) << "1k\n2k2\n4k7\n10k\n";
    const Outcome found = run({"find", "3k3", "--stock", path.string(), "--top", "4", "--json"});
    const Outcome divided = run(
        {"divider", "3.3/5", "--stock", path.string(), "--top", "4", "--total", "0..1M", "--json"});
    std::filesystem::remove(path);
    const Names listed = {
        "stock",       "counted_stock", "exclude",           "part_values",
        "part_counts", "top",           "tolerance_percent", "part_tolerance_percent"};
    struct Expected {
        const Outcome& outcome;
        Names request;
        const char* results;
        Names partCounts;
    };
    for (const Expected& expected :
         {Expected{found, {"wanted"}, "networks", {"1", "2", "3", "4"}},
          Expected{
              divided, {"ratio", "ratio_exact", "vout", "vin"}, "dividers", {"2", "3", "4"}}}) {
        const auto document = strict_json::readJson(expected.outcome.out);
        ASSERT_TRUE(document) << expected.outcome.out << expected.outcome.err;
        const Json& request = (*document)["request"];
        Names keys = expected.request;
        keys.insert(keys.end(), listed.begin(), listed.end());
        if (expected.partCounts.size() == 3) keys.push_back("total");
        EXPECT_EQ(request.keys(), keys);
        EXPECT_EQ(request["stock"].text, path.string());
        Names partCounts;
        for (const auto& [none, result] : (*document)["results"].items) {
            partCounts.push_back(result["part_count"].text);
            EXPECT_EQ(result[expected.results].items.size(), 4u);
        }
        EXPECT_EQ(partCounts, expected.partCounts);
    }
}

// The same numbers as capacitors, inductors and resistors: the request names
// the kind for capacitors and inductors alone, and capacitors add in
// parallel, so their best pair for 32 is the one the others make in series.
TEST(FinderJson, NamesTheKindOfCapacitorsAndInductorsOnly) {
    struct Row {
        std::vector<std::string> words;
        const char* kind;  // "" for none
        const char* expression;
        const char* valueExact;
    };
    for (const Row& row : {
             Row{{"find", "32nF"}, "C", "10n | 22n", "1/31250000"},
             Row{{"find", "32p", "--kind", "c"}, "C", "10p | 22p", "1/31250000000"},
             Row{{"find", "32uH"}, "L", "10u + 22u", "1/31250"},
             Row{{"find", "32k"}, "", "10k + 22k", "32000/1"},
         }) {
        std::vector<std::string> words = row.words;
        words.insert(words.end(), {"--series", "E12", "--parts", "2..2", "--top", "1", "--json"});
        const Outcome outcome = run(words);
        const auto document = strict_json::readJson(outcome.out);
        ASSERT_TRUE(document) << outcome.out << outcome.err;
        const Json& request = (*document)["request"];
        const Names keys = request.keys();
        EXPECT_EQ(std::find(keys.begin(), keys.end(), "kind") != keys.end(), *row.kind != '\0');
        EXPECT_EQ(request["kind"].text, row.kind);
        const Json& best = (*document)["results"].items.at(0).value["networks"].items.at(0).value;
        EXPECT_EQ(best["expression"].text, row.expression);
        EXPECT_EQ(best["value_exact"].text, row.valueExact);
        EXPECT_EQ(best["error_percent"].text, "0");
    }
}

// Answers to requests at the edges of what the options take: a line the
// answer holds, or the whole message that refuses it.
struct AnswerCase {
    const char* name;
    std::vector<std::string> words;
    std::string out;       // a line or lines of the answer
    std::string err = {};  // empty where the request is answered
};

class AnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerTest, HoldsWhatItShould) {
    const AnswerCase& row = GetParam();
    const Outcome result = run(row.words);
    EXPECT_EQ(result.status, row.err.empty() ? 0 : 2);
    EXPECT_EQ(result.err,
              row.err.empty() ? "" : "gosei-cli " + row.words[0] + ": " + row.err + "\n");
    EXPECT_NE(result.out.find(row.out), std::string::npos) << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    Options, AnswerTest,
    ::testing::Values(
        AnswerCase{"ZeroLowTotalIsNoLowerBound",
                   {"divider", "0.5", "--series", "E1", "--range", "1..10", "--parts", "2",
                    "--total", "0..20", "--json"},
                   "\"error_percent\":0,\"total\":2,"},
        AnswerCase{"LowerCaseVoltsAsPoints",
                   {"divider", "--vref", "0v8", "--vout", "3v3", "--series", "E24", "--range",
                    "1k..10k", "--parts", "2", "--json"},
                   "\"vref\":0.8,\"vout\":3.3,"},
        AnswerCase{"UnicodeMinusInAnExponent",
                   {"find", "470e\u22122", "--parts", "1", "--json"},
                   "{\"request\":{\"wanted\":4.7,"},
        AnswerCase{"UnicodeMinusBeforeAValue",
                   {"find", "\u22124k7"},
                   "",
                   "the value must be greater than 0"},
        AnswerCase{
            "ErrorOfATenThousandthPercentInFull",
            {"find", "1M", "--series", "E1", "--range", "1..1M", "--parts", "2", "--top", "1"},
            "   +0.0001\n"},
        AnswerCase{
            "ErrorOfAHundredThousandthPercentWithAnExponent",
            {"find", "10M", "--series", "E1", "--range", "1..10M", "--parts", "2", "--top", "1"},
            "   +1e-05\n"},
        AnswerCase{
            "BackslashQuotedInAMessage", {"find", "C:\\4k7"}, "", "\"C:\\\\4k7\" is not a value"},
        AnswerCase{"NoneUnderAnEmptyPartCount",
                   {"find", "5k", "--series", "E12", "--range", "1k..10k", "--tolerance", "0",
                    "--parts", "1..2"},
                   "(％)\nなし / none\n\n2 個 / 2 parts\n"},
        AnswerCase{
            "E48PartsAreTwoPercent",
            {"find", "1k", "--series", "E48", "--range", "1k..10k", "--parts", "1", "--json"},
            "\"part_tolerance_percent\":2}"},
        AnswerCase{"KindInTheRequestLine",
                   {"find", "32nF", "--parts", "1", "--top", "1"},
                   "目標 / wanted 32n, 種類 / kind C (F), 部品 / parts E12 1p..10m (121 values), "
                   "部品公差 / part tolerance 10 %\n"},
        AnswerCase{"UnitAgainstKind",
                   {"find", "--kind", "L", "3.3nF"},
                   "",
                   "\"3.3nF\" is in farads, but the parts are inductors (--kind C for capacitors)"},
        AnswerCase{"DividerOfCapacitors",
                   {"divider", "0.5", "--kind", "C"},
                   "",
                   "no --kind C (dividers take resistors only)"},
        AnswerCase{"StockAndRangeRefusedBeforeTheFileIsRead",
                   {"find", "1k", "--range", "1..10k", "--stock", "/nonexistent/stock.txt"},
                   "",
                   "--stock takes no --series or --range"}),
    CaseName());

}  // namespace
}  // namespace gosei::cli
