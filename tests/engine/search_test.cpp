#include "engine/search.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/memory_window.h"

namespace gosei {
namespace {

// A candidate with the pass that appended it.
struct Found {
    Candidate candidate;
    int pass;
};

CalculationInput inputFor(float wantedValue, float tolerance = 0.0f) {
    CalculationInput input = normalise(wantedValue);
    input.requestedTolerance = tolerance;
    return input;
}

void expectFound(const SearchResult& result, const std::vector<Found>& expected) {
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const int position = static_cast<int>(k) + 1;
        EXPECT_EQ(result.list.at(position), expected[k].candidate) << "position " << position;
        if (expected[k].pass > 0) {
            EXPECT_EQ(result.appendedInPass[k], expected[k].pass) << "position " << position;
        }
    }
}

struct SearchCase {
    const char* name;
    Series series;
    float wanted;
    float tolerance;
    int passes;
    int lastSingleIndex;
    std::vector<Found> positions;
    bool gaveUp = false;
};

void PrintTo(const SearchCase& c, std::ostream* os) {
    *os << c.name;
}

class SeriesSearchTest : public testing::TestWithParam<SearchCase> {};

TEST_P(SeriesSearchTest, FindsTheWorkedCandidates) {
    const auto& c = GetParam();
    MemoryWindow window;
    const SearchResult result =
        seriesSearch(inputFor(c.wanted, c.tolerance), seriesParams(c.series), window);
    EXPECT_EQ(result.passCount, c.passes);
    EXPECT_EQ(result.lastSingleIndex, c.lastSingleIndex);
    EXPECT_EQ(result.gaveUp, c.gaveUp);
    expectFound(result, c.positions);
}

INSTANTIATE_TEST_SUITE_P(WorkedResults, SeriesSearchTest,
                         testing::Values(SearchCase{"E6Two",
                                                    Series::E6,
                                                    2.0f,
                                                    0.0f,
                                                    85,
                                                    0,
                                                    {{{1, 1, 0, 2}, 1},
                                                     {{0.47f, 1.5f, 0.0149999857f, 1.97f}, 15},
                                                     {{0.33f, 1.5f, 0.0849999785f, 1.83f}, 85}}},
                                         SearchCase{"E6FortySevenKeepsFourPointSevenOut",
                                                    Series::E6,
                                                    47.0f,
                                                    0.0f,
                                                    64,
                                                    3,
                                                    {{{4.7f, 0, 0, 4.7f}, 1},
                                                     {{1.5f, 3.3f, -0.0212766770f, 4.8f}, 0},
                                                     {{2.2f, 2.2f, 0.0638297275f, 4.4f}, 64}}},
                                         SearchCase{"E6PointOneTakesTenAlone",
                                                    Series::E6,
                                                    0.1f,
                                                    0.0f,
                                                    61,
                                                    25,
                                                    {{{10, 0, 0, 10}, 1},
                                                     {{3.3f, 6.8f, -0.0100000380f, 10.1f}, 0},
                                                     {{4.7f, 4.7f, 0.0600000396f, 9.4f}, 61}}},
                                         SearchCase{"E6FivePointFiftyFive",
                                                    Series::E6,
                                                    5.55f,
                                                    0.0f,
                                                    31,
                                                    0,
                                                    {{{2.2f, 3.3f, 0.0090090428f, 5.5f}, 0},
                                                     {{1, 4.7f, -0.0270269569f, 5.7f}, 0},
                                                     {{0.68f, 4.7f, 0.0306306425f, 5.38f}, 31}}},
                                         // With a tolerance the first pass admits everything inside
                                         // it, in the order of the steps.
                                         SearchCase{"E6TwoAtTwentyPercent",
                                                    Series::E6,
                                                    2.0f,
                                                    0.2f,
                                                    1,
                                                    2,
                                                    {{{2.2f, 0, -0.1000000238f, 2.2f}, 1},
                                                     {{1, 1, 0, 2}, 1},
                                                     {{0.1f, 1.5f, 0.1999999881f, 1.6f}, 1}}}),
                         CaseName());

TEST(SeriesSearch, TwentyPercentAppendsNineInOnePass) {
    MemoryWindow window;
    const SearchResult result =
        seriesSearch(inputFor(2.0f, 0.2f), seriesParams(Series::E6), window);
    EXPECT_EQ(result.list.count(), 9);
}

struct CountCase {
    const char* name;
    Series series;
    float wanted;
    float tolerance;
    int seriesCount;
    int parallelCount;
};

class OnePassCountTest : public testing::TestWithParam<CountCase> {};

// The largest accepted tolerances store many candidates in their one pass.
TEST_P(OnePassCountTest, StoresEveryCandidateInsideTheTolerance) {
    const auto& c = GetParam();
    MemoryWindow window;
    const CalculationInput input = inputFor(c.wanted, c.tolerance);
    const SearchResult series = seriesSearch(input, seriesParams(c.series), window);
    const SearchResult parallel =
        parallelSearch(input, seriesParams(c.series), series.lastSingleIndex, window);
    EXPECT_EQ(series.passCount, 1);
    EXPECT_EQ(parallel.passCount, 1);
    if (c.seriesCount > 0) {
        EXPECT_EQ(series.list.count(), c.seriesCount);
    }
    if (c.parallelCount > 0) {
        EXPECT_EQ(parallel.list.count(), c.parallelCount);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LargestTolerances, OnePassCountTest,
    testing::Values(CountCase{"E24OnePointZeroFourAtFivePercent", Series::E24, 1.04f, 0.05f, 0, 53},
                    CountCase{"E12NineAtTenPercent", Series::E12, 9.091f, 0.1f, 27, 0},
                    CountCase{"E6EightAtTwentyPercent", Series::E6, 8.417f, 0.2f, 15, 0}),
    CaseName());

class ParallelSearchTest : public testing::TestWithParam<SearchCase> {};

TEST_P(ParallelSearchTest, FindsTheWorkedCandidates) {
    const auto& c = GetParam();
    MemoryWindow window;
    const CalculationInput input = inputFor(c.wanted, c.tolerance);
    const SearchResult series = seriesSearch(input, seriesParams(c.series), window);
    ASSERT_EQ(series.lastSingleIndex, c.lastSingleIndex);
    const SearchResult result =
        parallelSearch(input, seriesParams(c.series), series.lastSingleIndex, window);
    EXPECT_EQ(result.passCount, c.passes);
    EXPECT_EQ(result.gaveUp, c.gaveUp);
    EXPECT_EQ(result.list.count(), static_cast<int>(c.positions.size()));
    expectFound(result, c.positions);
    EXPECT_EQ(window.cell(Block::Parallel, 1, Cell::PartA), c.gaveUp ? "warning" : "");
}

INSTANTIATE_TEST_SUITE_P(
    WorkedResults, ParallelSearchTest,
    testing::Values(SearchCase{"E6FourAllMixed",
                               Series::E6,
                               4.0f,
                               0.0f,
                               32,
                               0,
                               {{{10, 6.8f, -0.0119047165f, 4.04761887f}, 12},
                                {{33, 4.7f, -0.0285146236f, 4.11405849f}, 29},
                                {{22, 4.7f, 0.0318351984f, 3.87265921f}, 32}}},
                    SearchCase{"E6EightyFive",
                               Series::E6,
                               85.0f,
                               0.0f,
                               118,
                               0,
                               {{{10, 68, -0.0256410483f, 8.71794891f}, 26},
                                {{22, 15, -0.0492845438f, 8.91891861f}, 50},
                                {{15, 15, 0.117647059f, 7.5f}, 118}}},
                    SearchCase{"E6OneSkipsMemberOne",
                               Series::E6,
                               1.0f,
                               0.0f,
                               138,
                               1,
                               {{{1.5f, 3.3f, -0.03125f, 1.03125f}, 32},
                                {{2.2f, 2.2f, -0.100000024f, 1.10000002f}, 101},
                                {{4.7f, 1.5f, -0.137096763f, 1.13709676f}, 138}}},
                    SearchCase{"E6TwoExactMixedPair",
                               Series::E6,
                               2.0f,
                               0.0f,
                               32,
                               0,
                               {{{22, 2.2f, 0, 2}, 1},
                                {{4.7f, 3.3f, 0.0306249857f, 1.93875003f}, 31},
                                {{33, 2.2f, -0.03125f, 2.0625f}, 32}}},
                    SearchCase{"E6FortySevenLeavesMemberThreeOut",
                               Series::E6,
                               47.0f,
                               0.0f,
                               106,
                               3,
                               {{{15, 6.8f, 0.0044894726f, 4.67889929f}, 5},
                                {{10, 10, -0.0638298318f, 5}, 64},
                                {{22, 6.8f, -0.105201036f, 5.19444466f}, 106}}},
                    SearchCase{"E6PointOne",
                               Series::E6,
                               0.1f,
                               0.0f,
                               129,
                               25,
                               {{{15, 33, -0.03125f, 10.3125f}, 32},
                                {{22, 22, -0.100000001f, 11}, 100},
                                {{10, 68, 0.128205106f, 8.71794891f}, 129}}},
                    SearchCase{"E6SixPointFiveGivesUp",
                               Series::E6,
                               6.5f,
                               0.0f,
                               301,
                               6,
                               {{{10, 22, -0.057692308f, 6.875f}, 58},
                                {{15, 15, -0.15384616f, 7.5f}, 154}},
                               true},
                    // Rows follow the order of the steps, not the size of the error.
                    SearchCase{"E6OneAtTwentyPercent",
                               Series::E6,
                               1.0f,
                               0.2f,
                               1,
                               1,
                               {{{2.2f, 2.2f, -0.100000024f, 1.10000002f}, 1},
                                {{4.7f, 1.5f, -0.137096763f, 1.13709676f}, 1},
                                {{1.5f, 3.3f, -0.03125f, 1.03125f}, 1}}},
                    // The mixed pair (22, 1) would come third in pass 229, but its
                    // second part equals that of position 2.
                    SearchCase{"E3SkipsKnownSecondPart",
                               Series::E3,
                               1.24f,
                               0.0f,
                               336,
                               0,
                               {{{2.2f, 2.2f, 0.112903215f, 1.10000002f}, 113},
                                {{47, 1, 0.2103494555f, 0.979166687f}, 211},
                                {{1, 4.7f, 0.335031122f, 0.824561417f}, 336}}}),
    CaseName());

TEST(ParallelSearch, WithoutTheExtraSkipE3WouldTakeTwentyTwoAndOne) {
    SeriesParams params = seriesParams(Series::E3);
    params.skipKnownPartBInMixedStep = false;
    MemoryWindow window;
    const SearchResult result = parallelSearch(inputFor(1.24f), params, 0, window);
    EXPECT_EQ(result.list.at(3).partA, 22.0f);
    EXPECT_EQ(result.list.at(3).partB, 1.0f);
    EXPECT_EQ(result.appendedInPass[2], 229);
}

struct GiveUpCase {
    const char* name;
    Series series;
    int passes;
};

class GiveUpTest : public testing::TestWithParam<GiveUpCase> {};

// With no members nothing is ever accepted, so the search widens from the
// default tolerance until the first pass run above the give-up limit.
TEST_P(GiveUpTest, GivesUpAfterThePassAboveTheLimit) {
    SeriesParams params = seriesParams(GetParam().series);
    params.memberCount = 0;
    for (PassMode mode : {PassMode::SkipIdlePasses, PassMode::RunEveryPass}) {
        MemoryWindow window;
        const SearchResult result = parallelSearch(inputFor(5.0f), params, 0, window, mode);
        EXPECT_EQ(result.passCount, GetParam().passes);
        EXPECT_TRUE(result.gaveUp);
        EXPECT_EQ(result.list.count(), 0);
        EXPECT_EQ(window.cell(Block::Parallel, 1, Cell::PartA), "warning");
    }
}

INSTANTIATE_TEST_SUITE_P(DefaultTolerances, GiveUpTest,
                         testing::Values(GiveUpCase{"E3", Series::E3, 501},
                                         GiveUpCase{"E6", Series::E6, 301},
                                         GiveUpCase{"E12", Series::E12, 1500},
                                         GiveUpCase{"E24", Series::E24, 3001}),
                         CaseName());

// The first requested tolerance at or below the series' limit whose widening
// steps, each rounded to single precision, land exactly on the give-up limit.
struct Landing {
    float tolerance;
    int steps;  // widenings from the tolerance to the give-up limit
};

Landing toleranceLandingOnGiveUp(const SeriesParams& params) {
    for (float start = params.maxTolerance; start > 0; start = std::nextafter(start, 0.0f)) {
        float tolerance = start;
        for (int steps = 0; tolerance <= params.giveUpTolerance; ++steps) {
            if (tolerance == params.giveUpTolerance) return {start, steps};
            tolerance = static_cast<float>(static_cast<double>(tolerance) + params.wideningStep);
        }
    }
    return {0.0f, -1};
}

struct LandingCase {
    const char* name;
    Series series;
    float tolerance;
    int steps;
    const char* typed;  // the percent text that reads as the tolerance
};

void PrintTo(const LandingCase& c, std::ostream* os) {
    *os << c.name;
}

class GiveUpLimitLandingTest : public testing::TestWithParam<LandingCase> {};

TEST_P(GiveUpLimitLandingTest, IsFoundBelowTheSeriesLimit) {
    const Landing landing = toleranceLandingOnGiveUp(seriesParams(GetParam().series));
    EXPECT_EQ(landing.tolerance, GetParam().tolerance);
    EXPECT_EQ(landing.steps, GetParam().steps);
    MemoryWindow window;
    window.targetText = "5";
    window.toleranceText = GetParam().typed;
    const PreparedInput prepared = prepareInput(seriesParams(GetParam().series), window);
    EXPECT_EQ(startTolerance(prepared.input, seriesParams(GetParam().series)), landing.tolerance);
}

// A limit equal to the give-up limit is not past it: one more pass runs.
TEST_P(GiveUpLimitLandingTest, RunsThePassAboveTheLimitBeforeGivingUp) {
    SeriesParams params = seriesParams(GetParam().series);
    params.memberCount = 0;
    for (PassMode mode : {PassMode::SkipIdlePasses, PassMode::RunEveryPass}) {
        MemoryWindow window;
        const SearchResult result =
            parallelSearch(inputFor(5.0f, GetParam().tolerance), params, 0, window, mode);
        EXPECT_EQ(result.passCount, GetParam().steps + 2);
        EXPECT_TRUE(result.gaveUp);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EverySeries, GiveUpLimitLandingTest,
    testing::Values(LandingCase{"E3", Series::E3, 0.329002202f, 171, "32.90022"},
                    LandingCase{"E6", Series::E6, 0.199000567f, 101, "19.900057"},
                    LandingCase{"E12", Series::E12, 0.0999966487f, 1000, "9.999665"},
                    LandingCase{"E24", Series::E24, 0.049903255f, 2501, "4.9903255"}),
    CaseName());

TEST(SearchTolerance, AnErrorEqualToTheLimitWaitsForTheNextPass) {
    // Only the member 1: for the wanted value 1.25 it has the error 0.2 alone,
    // and 0.1 + 1 has 0.12. Starting at exactly 0.2 takes the pair in pass 1
    // and 1 alone only in pass 2, after widening.
    SeriesParams params = seriesParams(Series::E3);
    params.memberCount = 1;
    MemoryWindow window;
    const SearchResult result = seriesSearch(inputFor(1.25f, 0.2f), params, window);
    ASSERT_EQ(result.list.count(), 2);
    EXPECT_EQ(result.list.at(1).partA, 0.1f);
    EXPECT_EQ(result.appendedInPass[0], 1);
    EXPECT_EQ(result.list.at(2), (Candidate{1, 0, 0.2f, 1}));
    EXPECT_EQ(result.appendedInPass[1], 2);
    EXPECT_EQ(result.lastSingleIndex, 1);
    EXPECT_TRUE(result.gaveUp);
}

TEST(Capacity, AFullListStoresNoMoreAndKeepsTheFirstCandidates) {
    const CalculationInput input = inputFor(1.04f, 0.05f);
    MemoryWindow window;
    const SearchResult unlimited = parallelSearch(input, seriesParams(Series::E24), 0, window);
    SeriesParams small = seriesParams(Series::E24);
    small.capacity = 5;
    const SearchResult limited = parallelSearch(input, small, 0, window);
    ASSERT_EQ(limited.list.count(), 5);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(limited.list.at(k), unlimited.list.at(k));
    EXPECT_EQ(limited.passCount, 1);
}

// Skipping passes that accept nothing must not change a single result.
TEST(PassModes, SkippingIdlePassesChangesNothing) {
    for (Series series : {Series::E3, Series::E6, Series::E12, Series::E24}) {
        const SeriesParams& params = seriesParams(series);
        for (float wanted = 1.0f; wanted < 10.0f; wanted += 0.0731f) {
            for (float tolerance : {0.0f, 0.0123f}) {
                const CalculationInput input = inputFor(wanted, tolerance);
                MemoryWindow fast, slow;
                const auto a = seriesSearch(input, params, fast, PassMode::SkipIdlePasses);
                const auto b = seriesSearch(input, params, slow, PassMode::RunEveryPass);
                ASSERT_EQ(a.passCount, b.passCount) << seriesName(series) << " " << wanted;
                ASSERT_EQ(a.lastSingleIndex, b.lastSingleIndex);
                ASSERT_EQ(a.appendedInPass, b.appendedInPass);
                const auto c = parallelSearch(input, params, a.lastSingleIndex, fast,
                                              PassMode::SkipIdlePasses);
                const auto d =
                    parallelSearch(input, params, b.lastSingleIndex, slow, PassMode::RunEveryPass);
                ASSERT_EQ(c.passCount, d.passCount) << seriesName(series) << " " << wanted;
                ASSERT_EQ(c.gaveUp, d.gaveUp);
                ASSERT_EQ(c.appendedInPass, d.appendedInPass);
                for (int k = 1; k <= params.capacity; ++k) {
                    ASSERT_EQ(a.list.at(k), b.list.at(k));
                    ASSERT_EQ(c.list.at(k), d.list.at(k));
                }
            }
        }
    }
}

}  // namespace
}  // namespace gosei
