#include "engine/grid.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <array>
#include <string>

#include "engine/memory_window.h"

namespace gosei {
namespace {

using Row = std::array<std::string, 4>;  // partA, partB, error, combined
using BlockTexts = std::array<Row, 3>;

BlockTexts blockOf(const MemoryWindow& window, Block block) {
    BlockTexts texts;
    for (int row = 1; row <= 3; ++row) {
        for (Cell cell : gosei::kCellsInRowOrder) {
            texts[row - 1][static_cast<std::size_t>(cell)] = window.cell(block, row, cell);
        }
    }
    return texts;
}

CandidateList listOf(std::initializer_list<Candidate> candidates) {
    CandidateList list(30);
    for (const Candidate& c : candidates)
        list.append(c);
    return list;
}

struct CellTextCase {
    const char* name;
    Candidate candidate;
    int decadeExponent;
    Cell cell;
    const char* text;
};

class CellTextTest : public testing::TestWithParam<CellTextCase> {};

TEST_P(CellTextTest, RoundsScalesAndWrites) {
    const auto& c = GetParam();
    MemoryWindow window;
    writeBlock(window, Block::Series, listOf({c.candidate}), c.decadeExponent);
    EXPECT_EQ(window.cell(Block::Series, 1, c.cell), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedTexts, CellTextTest,
    testing::Values(
        CellTextCase{"PartBelowOne", {0.47f, 0, 0, 0}, 0, Cell::PartA, "0.47"},
        CellTextCase{"PartScaledUp", {4.7f, 0, 0, 0}, 1, Cell::PartA, "47"},
        CellTextCase{"PartThousands", {2.2f, 0, 0, 0}, 3, Cell::PartA, "2200"},
        CellTextCase{"PartScaledDown", {3.3f, 0, 0, 0}, -2, Cell::PartA, "0.033"},
        CellTextCase{"PartBZero", {1, 0, 0, 0}, 5, Cell::PartB, "0"},
        CellTextCase{"Combined", {0, 0, 0, 1.97f}, 0, Cell::Combined, "1.97"},
        CellTextCase{"CombinedHidesScalingError", {0, 0, 0, 10.1f}, -2, Cell::Combined, "0.101"},
        CellTextCase{"CombinedThreeDecimals", {0, 0, 0, 4.04761887f}, 0, Cell::Combined, "4.048"},
        CellTextCase{"ErrorCutDown", {0, 0, 0.0149999857f, 0}, 0, Cell::Error, "1.4"},
        CellTextCase{"NegativeErrorGrows", {0, 0, -0.0212766770f, 0}, 4, Cell::Error, "-2.2"},
        CellTextCase{"NegativeTenPercent", {0, 0, -0.1000000238f, 0}, 0, Cell::Error, "-10.1"},
        CellTextCase{"NineteenPointNine", {0, 0, 0.1999999881f, 0}, 0, Cell::Error, "19.9"},
        CellTextCase{"ErrorZero", {0, 0, 0, 0}, 0, Cell::Error, "0"},
        CellTextCase{"TinyNegativeError", {0, 0, -0.0000001f, 0}, 0, Cell::Error, "-0.1"},
        CellTextCase{"TinyPositiveError", {0, 0, 0.0000001f, 0}, 0, Cell::Error, "0"},
        CellTextCase{"PartHalfUp", {0.685f, 0, 0, 0}, 0, Cell::PartA, "0.69"},
        CellTextCase{"HugeExponentForm", {4.7f, 0, 0, 0}, 30, Cell::PartA, "4.7E+30"},
        CellTextCase{"TinyExponentForm", {3.3f, 0, 0, 0}, -6, Cell::PartA, "3.3E-06"},
        CellTextCase{"SmallestPlain", {1, 0, 0, 0}, -5, Cell::PartA, "0.00001"}),
    CaseName());

TEST(WriteBlock, UnfilledPositionsShowZeros) {
    MemoryWindow window;
    writeBlock(window, Block::Parallel, listOf({{10, 22, -0.057692308f, 6.875f}}), 0);
    EXPECT_EQ(blockOf(window, Block::Parallel),
              (BlockTexts{Row{"10", "22", "-5.8", "6.875"}, Row{"0", "0", "0", "0"},
                          Row{"0", "0", "0", "0"}}));
}

TEST(WriteBlock, WritesTheParallelBlockForEightyFive) {
    MemoryWindow window;
    writeBlock(window, Block::Parallel,
               listOf({{10, 68, -0.0256410483f, 8.71794891f},
                       {22, 15, -0.0492845438f, 8.91891861f},
                       {15, 15, 0.117647059f, 7.5f}}),
               1);
    EXPECT_EQ(blockOf(window, Block::Parallel),
              (BlockTexts{Row{"100", "680", "-2.6", "87.18"}, Row{"220", "150", "-5", "89.19"},
                          Row{"150", "150", "11.7", "75"}}));
}

struct CleanUpCase {
    const char* name;
    BlockTexts parallelBefore, seriesBefore;
    BlockTexts parallelAfter, seriesAfter;
};

class CleanUpTest : public testing::TestWithParam<CleanUpCase> {};

TEST_P(CleanUpTest, EmptiesUnfilledRowsAndMarksLoneParts) {
    const auto& c = GetParam();
    MemoryWindow window;
    for (int row = 1; row <= 3; ++row) {
        for (Cell cell : gosei::kCellsInRowOrder) {
            const auto column = static_cast<std::size_t>(cell);
            window.setCellText(Block::Parallel, row, cell, c.parallelBefore[row - 1][column]);
            window.setCellText(Block::Series, row, cell, c.seriesBefore[row - 1][column]);
        }
    }
    cleanUpGrid(window);
    EXPECT_EQ(blockOf(window, Block::Parallel), c.parallelAfter);
    EXPECT_EQ(blockOf(window, Block::Series), c.seriesAfter);
}

const Row kZeros{"0", "0", "0", "0"};
const Row kEmpty{"", "", "", ""};

INSTANTIATE_TEST_SUITE_P(
    Grids, CleanUpTest,
    testing::Values(
        CleanUpCase{"ParallelRowThreeUnfilled",
                    {Row{"100", "220", "-5.8", "68.75"}, Row{"150", "150", "-15.4", "75"}, kZeros},
                    {Row{"33", "33", "-1.6", "66"}, Row{"68", "0", "-4.7", "68"},
                     Row{"47", "15", "4.6", "62"}},
                    {Row{"100", "220", "-5.8", "68.75"}, Row{"150", "150", "-15.4", "75"}, kEmpty},
                    {Row{"33", "33", "-1.6", "66"}, Row{"68", "不要", "-4.7", "68"},
                     Row{"47", "15", "4.6", "62"}}},
        CleanUpCase{"LonePartInRowOne",
                    {Row{"150", "68", "0.4", "46.79"}, Row{"100", "100", "-6.4", "50"},
                     Row{"220", "68", "-10.6", "51.944"}},
                    {Row{"47", "0", "0", "47"}, Row{"15", "33", "-2.2", "48"},
                     Row{"22", "22", "6.3", "44"}},
                    {Row{"150", "68", "0.4", "46.79"}, Row{"100", "100", "-6.4", "50"},
                     Row{"220", "68", "-10.6", "51.944"}},
                    {Row{"47", "不要", "0", "47"}, Row{"15", "33", "-2.2", "48"},
                     Row{"22", "22", "6.3", "44"}}},
        // An emptied series row reads as zero and stays empty.
        CleanUpCase{"NothingFound",
                    {kZeros, kZeros, kZeros},
                    {Row{"4.7", "0", "1", "4.7"}, kZeros, kZeros},
                    {kEmpty, kEmpty, kEmpty},
                    {Row{"4.7", "不要", "1", "4.7"}, kEmpty, kEmpty}},
        CleanUpCase{"ZeroInExponentFormIsStillAPart",
                    {Row{"1E+20", "2.2E+20", "0", "6.875E+19"}, kZeros, kZeros},
                    {Row{"1E-20", "0", "0", "1E-20"}, kZeros, kZeros},
                    {Row{"1E+20", "2.2E+20", "0", "6.875E+19"}, kEmpty, kEmpty},
                    {Row{"1E-20", "不要", "0", "1E-20"}, kEmpty, kEmpty}}),
    CaseName());

}  // namespace
}  // namespace gosei
