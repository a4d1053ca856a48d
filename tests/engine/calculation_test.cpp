#include "engine/calculation.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <array>
#include <string>

#include "engine/memory_window.h"

namespace gosei {
namespace {

using Cells = std::array<std::string, MemoryWindow::kCellCount>;
using BlockCells = std::array<std::string, 12>;  // rows 1-3, each partA, partB, error, combined

struct CalculationCase {
    const char* name;
    Series series;
    const char* target;
    const char* tolerance;
    Block block;
    BlockCells cells;
};

void PrintTo(const CalculationCase& c, std::ostream* os) {
    *os << c.name;
}

class CalculationTest : public testing::TestWithParam<CalculationCase> {};

TEST_P(CalculationTest, FillsTheGridAsTheUserSeesIt) {
    const auto& c = GetParam();
    MemoryWindow window;
    window.targetText = c.target;
    window.toleranceText = c.tolerance;
    EXPECT_EQ(runCalculation(c.series, window), InputOutcome::GoOn);
    BlockCells shown;
    for (int row = 1; row <= 3; ++row) {
        for (Cell cell : gosei::kCellsInRowOrder) {
            shown[static_cast<std::size_t>((row - 1) * 4 + static_cast<int>(cell))] =
                window.cell(c.block, row, cell);
        }
    }
    EXPECT_EQ(shown, c.cells);
}

constexpr Block P = Block::Parallel;
constexpr Block S = Block::Series;

INSTANTIATE_TEST_SUITE_P(
    WorkedGrids, CalculationTest,
    testing::Values(
        CalculationCase{
            "E6TwoParallel",
            Series::E6,
            "2",
            "",
            P,
            {"22", "2.2", "0", "2", "4.7", "3.3", "3", "1.939", "33", "2.2", "-3.2", "2.063"}},
        CalculationCase{
            "E6TwoSeries",
            Series::E6,
            "2",
            "",
            S,
            {"1", "1", "0", "2", "0.47", "1.5", "1.4", "1.97", "0.33", "1.5", "8.4", "1.83"}},
        CalculationCase{"E6FortySevenParallel",
                        Series::E6,
                        "47",
                        "",
                        P,
                        {"150", "68", "0.4", "46.79", "100", "100", "-6.4", "50", "220", "68",
                         "-10.6", "51.94"}},
        CalculationCase{
            "E6FortySevenSeries",
            Series::E6,
            "47",
            "",
            S,
            {"47", "不要", "0", "47", "15", "33", "-2.2", "48", "22", "22", "6.3", "44"}},
        CalculationCase{"E6PointOneParallel",
                        Series::E6,
                        "0.1",
                        "",
                        P,
                        {"0.15", "0.33", "-3.2", "0.10313", "0.22", "0.22", "-10.1", "0.11", "0.1",
                         "0.68", "12.8", "0.08718"}},
        CalculationCase{"E6PointOneSeries",
                        Series::E6,
                        "0.1",
                        "",
                        S,
                        {"0.1", "不要", "0", "0.1", "0.033", "0.068", "-1.1", "0.101", "0.047",
                         "0.047", "6", "0.094"}},
        CalculationCase{"E6FivePointFiftyFiveParallel",
                        Series::E6,
                        "5.55",
                        "",
                        P,
                        {"33", "6.8", "-1.6", "5.638", "22", "6.8", "6.4", "5.194", "47", "6.8",
                         "-7.1", "5.941"}},
        CalculationCase{
            "E6FivePointFiftyFiveSeries",
            Series::E6,
            "5.55",
            "",
            S,
            {"2.2", "3.3", "0.9", "5.5", "1", "4.7", "-2.8", "5.7", "0.68", "4.7", "3", "5.38"}},
        CalculationCase{"E6FourParallel",
                        Series::E6,
                        "4",
                        "",
                        P,
                        {"10", "6.8", "-1.2", "4.048", "33", "4.7", "-2.9", "4.114", "22", "4.7",
                         "3.1", "3.873"}},
        CalculationCase{"E6EightyFiveParallel",
                        Series::E6,
                        "85",
                        "",
                        P,
                        {"100", "680", "-2.6", "87.18", "220", "150", "-5", "89.19", "150", "150",
                         "11.7", "75"}},
        // The parallel search gives up with two candidates: "warning" is
        // overwritten and row 3 ends empty.
        CalculationCase{"E6SixPointFiveParallel",
                        Series::E6,
                        "6.5",
                        "",
                        P,
                        {"10", "22", "-5.8", "6.875", "15", "15", "-15.4", "7.5", "", "", "", ""}},
        CalculationCase{
            "E6TwoAtTwentyPercentSeries",
            Series::E6,
            "2",
            "20",
            S,
            {"2.2", "不要", "-10.1", "2.2", "1", "1", "0", "2", "0.1", "1.5", "19.9", "1.6"}},
        // The tolerances land exactly on the give-up limit after 171 (E3) and
        // 101 (E6) widenings; the pass above it finds the last candidate.
        CalculationCase{"E3GiveUpLimitSeries",
                        Series::E3,
                        "1.38",
                        "32.90022",
                        S,
                        {"1", "不要", "27.5", "1", "0.47", "0.47", "31.8", "0.94", "0.22", "0.47",
                         "50", "0.69"}},
        CalculationCase{"E3GiveUpLimitParallel",
                        Series::E3,
                        "1.959",
                        "32.90022",
                        P,
                        {"4.7", "4.7", "-20", "2.35", "47", "1", "50", "0.979", "", "", "", ""}},
        CalculationCase{
            "E6GiveUpLimitParallel",
            Series::E6,
            "6.281",
            "19.900057",
            P,
            {"10", "22", "-9.5", "6.875", "15", "15", "-19.5", "7.5", "68", "4.7", "30", "4.396"}},
        CalculationCase{
            "E3OnePointTwoFourParallel",
            Series::E3,
            "1.24",
            "",
            P,
            {"2.2", "2.2", "11.2", "1.1", "47", "1", "21", "0.979", "1", "4.7", "33.5", "0.825"}}),
    CaseName());

MemoryWindow calculated(Series series, const char* target, const char* tolerance) {
    MemoryWindow window;
    window.targetText = target;
    window.toleranceText = tolerance;
    runCalculation(series, window);
    return window;
}

TEST(Calculation, RefusedToleranceLeavesGridAndBoxesAlone) {
    MemoryWindow window = calculated(Series::E6, "47", "");
    const Cells before = window.cells();
    window.toleranceText = "20.5";
    EXPECT_EQ(runCalculation(Series::E6, window), InputOutcome::ToleranceRefused);
    EXPECT_EQ(window.toleranceMessages, 1);
    EXPECT_EQ(window.cells(), before);
    EXPECT_EQ(window.toleranceText, "20.5");
    EXPECT_EQ(window.targetText, "47");
}

TEST(Calculation, E24TooLooseClearsAndUsesTheDefault) {
    MemoryWindow window = calculated(Series::E24, "47", "6");
    EXPECT_EQ(window.toleranceMessages, 1);
    EXPECT_EQ(window.toleranceText, "");
    EXPECT_EQ(window.cells(), calculated(Series::E24, "47", "").cells());
}

TEST(Calculation, BadTargetChangesNothing) {
    MemoryWindow window = calculated(Series::E12, "33", "");
    const Cells before = window.cells();
    window.targetText = "abc";
    window.toleranceText = "99";
    EXPECT_EQ(runCalculation(Series::E12, window), InputOutcome::TargetRejected);
    EXPECT_EQ(window.targetMessages, 1);
    EXPECT_EQ(window.toleranceMessages, 0);
    EXPECT_EQ(window.cells(), before);
    EXPECT_EQ(window.toleranceText, "99");
}

TEST(Calculation, DoesNotDependOnWhatTheGridShowed) {
    for (Series series : {Series::E3, Series::E6, Series::E12, Series::E24}) {
        MemoryWindow window = calculated(series, "6.5", "");
        const Cells first = window.cells();
        runCalculation(series, window);
        EXPECT_EQ(window.cells(), first) << seriesName(series);
        EXPECT_EQ(calculated(series, "6.5", "").cells(), first);
    }
}

TEST(Calculation, WarningNeverRemains) {
    for (const char* target : {"6.3", "6.5", "6.85", "0.000065", "6.5e30"}) {
        const MemoryWindow window = calculated(Series::E6, target, "");
        EXPECT_NE(window.cell(Block::Parallel, 1, Cell::PartA), "warning") << target;
    }
}

TEST(Calculation, ExtremeMagnitudesUseExponentForm) {
    const MemoryWindow large = calculated(Series::E6, "4.7e30", "");
    EXPECT_EQ(large.cell(Block::Series, 1, Cell::PartA), "4.7E+30");
    EXPECT_EQ(large.cell(Block::Series, 1, Cell::PartB), "不要");
    const MemoryWindow small = calculated(Series::E6, "3.3e-6", "");
    EXPECT_EQ(small.cell(Block::Series, 1, Cell::PartA), "3.3E-06");
}

}  // namespace
}  // namespace gosei
