#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <sstream>
#include <string>
#include <vector>

namespace gosei::cli {
namespace {

std::string joined(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : "\t") + field;
    return line;
}

const std::string kEmptyCells(24, '\t');

struct BatchCase {
    const char* name;
    std::string line;
    std::string answer;
};

class BatchLineTest : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchLineTest, AnswersOneLine) {
    EXPECT_EQ(batchLine(GetParam().line), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchLineTest,
    testing::Values(
        BatchCase{"Ok", "E6\t47\t",
                  joined({"ok",  "150",  "68",    "0.4",   "46.79", "100",  "100", "-6.4", "50",
                          "220", "68",   "-10.6", "51.94", "47",    "不要", "0",   "47",   "15",
                          "33",  "-2.2", "48",    "22",    "22",    "6.3",  "44"})},
        BatchCase{"ToleranceMissing", "E6\t47", batchLine("E6\t47\t")},
        BatchCase{"WindowsLineEnd", "E6\t47\r", batchLine("E6\t47\t")},
        BatchCase{"Cleared", "E24\t47\t6", "cleared" + batchLine("E24\t47").substr(2)},
        BatchCase{"Refused", "E6\t47\t20.5", "refused" + kEmptyCells},
        BatchCase{"BadTarget", "E12\tabc\t1", "badtarget" + kEmptyCells},
        BatchCase{"EmptyTarget", "E3\t\t", "badtarget" + kEmptyCells},
        BatchCase{"TargetOutOfRange", "E24\t1e-60", "badtarget" + kEmptyCells},
        BatchCase{"UnknownSeries", "E5\t47\t",
                  "error\tunknown series (expected E3, E6, E12 or E24)"},
        BatchCase{"LowerCaseSeries", "e6\t47",
                  "error\tunknown series (expected E3, E6, E12 or E24)"},
        BatchCase{"EmptyLine", "", "error\tunknown series (expected E3, E6, E12 or E24)"},
        BatchCase{"MissingValue", "E6", "error\tmissing value"},
        BatchCase{"FourFields", "E6\t47\t1\t2", "error\tmore than three fields"}),
    CaseName());

TEST(Batch, AnswersEveryLineInOrderAndGoesOnAfterErrors) {
    std::istringstream in("E6\t47\nbad\nE24\t2\t6\nE3\t1.24\n");
    std::ostringstream out;
    runBatch(in, out);
    std::istringstream lines(out.str());
    std::vector<std::string> answers;
    for (std::string line; std::getline(lines, line);)
        answers.push_back(line);
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers[0], batchLine("E6\t47"));
    EXPECT_EQ(answers[1].substr(0, 6), "error\t");
    EXPECT_EQ(answers[2].substr(0, 8), "cleared\t");
    EXPECT_EQ(answers[3], batchLine("E3\t1.24"));
}

struct RunResult {
    int status;
    std::string out, err;
};

RunResult runWith(std::vector<const char*> args) {
    args.insert(args.begin(), "gosei-cli");
    std::istringstream in;
    std::ostringstream out, err;
    const int status = run(static_cast<int>(args.size()), args.data(), in, out, err);
    return {status, out.str(), err.str()};
}

TEST(CommandLine, PrintsBothBlocksReadably) {
    const RunResult result = runWith({"E6", "47"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "並列条件\n"
              "抵抗１      抵抗２      合成値      誤差 (％)\n"
              "150         68          46.79       0.4\n"
              "100         100         50          -6.4\n"
              "220         68          51.94       -10.6\n"
              "\n"
              "直列条件\n"
              "抵抗１      抵抗２      合成値      誤差 (％)\n"
              "47          不要        47          0\n"
              "15          33          48          -2.2\n"
              "22          22          44          6.3\n");
}

struct ExitCase {
    const char* name;
    std::vector<const char*> args;
    int status;
    std::string err;
    bool printsGrid;
};

class ExitStatusTest : public testing::TestWithParam<ExitCase> {};

TEST_P(ExitStatusTest, ReportsTheOutcome) {
    const RunResult result = runWith(GetParam().args);
    EXPECT_EQ(result.status, GetParam().status);
    if (!GetParam().err.empty()) {
        EXPECT_EQ(result.err, GetParam().err);
    }
    EXPECT_EQ(result.out.find("\n直列条件\n") != std::string::npos, GetParam().printsGrid);
}

// 10^500 written with the exponent -100 is still 10^400: refused as a
// tolerance, not read as zero.
const std::string kHugeTolerance = "1" + std::string(500, '0') + "e-100";

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ExitStatusTest,
    testing::Values(ExitCase{"Refused", {"E12", "47", "11"}, 1, "誤差条件が甘すぎます\n", false},
                    ExitCase{"HugeMantissaRefused",
                             {"E6", "47", kHugeTolerance.c_str()},
                             1,
                             "誤差条件が甘すぎます\n",
                             false},
                    ExitCase{"E24GoesOn", {"E24", "47", "6"}, 0, "誤差条件が甘すぎます\n", true},
                    ExitCase{"BadTarget", {"E6", "-5"}, 2, "正の数値を入力して下さい\n", false},
                    ExitCase{"NoArguments", {}, 2, "", false},
                    ExitCase{"OutOfRange",
                             {"E6", "1e-60"},
                             2,
                             "範囲外の数値です（1E-38 から 3.4E+38 までの数値を入力して下さい）\n",
                             false},
                    ExitCase{"UnknownSeries",
                             {"E7", "47"},
                             2,
                             "gosei-cli: E7 is not a series; use E3, E6, E12 or E24\n",
                             false},
                    ExitCase{"TooManyArguments", {"E6", "47", "1", "2"}, 2, "", false},
                    ExitCase{"Help", {"--help"}, 0, "", false}),
    CaseName());

}  // namespace
}  // namespace gosei::cli
