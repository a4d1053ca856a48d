#include "engine/input.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <cmath>
#include <limits>
#include <string>

#include "engine/memory_window.h"
#include "engine/number_text.h"

namespace gosei {
namespace {

struct NormalisationCase {
    const char* name;
    const char* typed;
    float mantissa;
    int decadeExponent;
};

class NormalisationTest : public testing::TestWithParam<NormalisationCase> {};

TEST_P(NormalisationTest, ScalesIntoTheWorkingDecade) {
    MemoryWindow window;
    window.targetText = GetParam().typed;
    const PreparedInput prepared = prepareInput(seriesParams(Series::E6), window);
    ASSERT_EQ(prepared.outcome, InputOutcome::GoOn);
    EXPECT_EQ(prepared.input.mantissa, GetParam().mantissa);
    EXPECT_EQ(prepared.input.DecadeExponent, GetParam().decadeExponent);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, NormalisationTest,
    testing::Values(NormalisationCase{"FortySeven", "47", 4.7f, 1},
                    NormalisationCase{"One", "1", 1.0f, 0},
                    NormalisationCase{"TenDividesOnce", "10", 1.0f, 1},
                    NormalisationCase{"TwoThousandTwoHundred", "2200", 2.2f, 3},
                    NormalisationCase{"Half", "0.5", 5.0f, -1},
                    NormalisationCase{"PointFortySeven", "0.47", 4.7f, -1},
                    // Reaching exactly 1 multiplies once more, to 10.
                    NormalisationCase{"PointOneGoesToTen", "0.1", 10.0f, -2},
                    // Three single-precision multiplications of 0.01 stop just below 10.
                    NormalisationCase{"PointZeroOne", "0.01", 9.99999905f, -3},
                    NormalisationCase{"JustBelowTen", "9.99", 9.99f, 0},
                    NormalisationCase{"LargestSingle", "3.4e38", 3.4f, 38},
                    NormalisationCase{"FullWidth", "４７", 4.7f, 1}),
    CaseName());

// The smallest single-precision value has few significant bits; the
// multiplying loop still ends in the working decade.
TEST(Normalisation, SubnormalTargetReachesTheWorkingDecade) {
    const CalculationInput input = normalise(1e-45f);
    EXPECT_EQ(input.DecadeExponent, -45);
    EXPECT_GT(input.mantissa, 1.0f);
    EXPECT_LE(input.mantissa, 10.0f);
}

// The tolerance is read afterwards; normalising leaves it at "none given".
TEST(Normalisation, LeavesNoTolerance) {
    for (float wanted : {47.0f, 1.0f, 0.1f, 0.01f, 9.99f, 3.4e38f, 1e-45f}) {
        EXPECT_EQ(normalise(wanted).requestedTolerance, 0.0f) << wanted;
    }
}

struct RejectedTargetCase {
    const char* name;
    std::string typed;
    InputOutcome outcome;
};

class RejectedTargetTest : public testing::TestWithParam<RejectedTargetCase> {};

// The target is checked before anything else: the tolerance message is not
// shown and the tolerance box keeps its text. A positive number beyond the
// range gets a message of its own.
TEST_P(RejectedTargetTest, ShowsItsMessageAndStops) {
    const auto& c = GetParam();
    MemoryWindow window;
    window.targetText = c.typed;
    window.toleranceText = "99";
    const PreparedInput prepared = prepareInput(seriesParams(Series::E24), window);
    EXPECT_EQ(prepared.outcome, c.outcome);
    const bool outOfRange = c.outcome == InputOutcome::TargetOutOfRange;
    EXPECT_EQ(window.targetMessages, outOfRange ? 0 : 1);
    EXPECT_EQ(window.rangeMessages, outOfRange ? 1 : 0);
    EXPECT_EQ(window.toleranceMessages, 0);
    EXPECT_EQ(window.toleranceText, "99");
}

constexpr auto kNotPositive = InputOutcome::TargetRejected;
constexpr auto kOutOfRange = InputOutcome::TargetOutOfRange;

INSTANTIATE_TEST_SUITE_P(
    Texts, RejectedTargetTest,
    testing::Values(RejectedTargetCase{"Empty", "", kNotPositive},
                    RejectedTargetCase{"Zero", "0", kNotPositive},
                    RejectedTargetCase{"ZeroPointZero", "0.0", kNotPositive},
                    RejectedTargetCase{"NegativeZero", "-0", kNotPositive},
                    RejectedTargetCase{"ZeroWithHugeExponent", "0e999", kNotPositive},
                    RejectedTargetCase{"Letters", "abc", kNotPositive},
                    RejectedTargetCase{"Negative", "-47", kNotPositive},
                    RejectedTargetCase{"NegativeTiny", "-1e-46", kNotPositive},
                    RejectedTargetCase{"NegativeHuge", "-1e400", kNotPositive},
                    RejectedTargetCase{"IdeographicSpace", "　", kNotPositive},
                    RejectedTargetCase{"AboveSingle", "1e39", kOutOfRange},
                    RejectedTargetCase{"JustAboveTheTop", "3.41e38", kOutOfRange},
                    RejectedTargetCase{"BeyondDouble", "1e400", kOutOfRange},
                    RejectedTargetCase{"FiveThousandNines", std::string(5000, '9'), kOutOfRange},
                    RejectedTargetCase{"JustBelowTheBottom", "9.99e-39", kOutOfRange},
                    RejectedTargetCase{"Subnormal", "1e-45", kOutOfRange},
                    RejectedTargetCase{"BelowSingle", "1e-60", kOutOfRange},
                    RejectedTargetCase{"BelowDouble", "1e-400", kOutOfRange},
                    RejectedTargetCase{"FullWidthNegative", "－４７", kNotPositive}),
    CaseName());

TEST(TargetRange, EndsAreAcceptedAndNamedInTheMessage) {
    for (const double end : {kSmallestTarget, kLargestTarget}) {
        MemoryWindow window;
        window.targetText = doubleText(end);
        EXPECT_TRUE(goesOn(prepareInput(seriesParams(Series::E6), window).outcome))
            << window.targetText;
        EXPECT_NE(kRangeMessage.find(window.targetText), std::string_view::npos)
            << window.targetText;
    }
}

struct ToleranceCase {
    const char* name;
    Series series;
    const char* typed;
    InputOutcome outcome;
    float start;  // the tolerance a search starts from
};

class ToleranceTest : public testing::TestWithParam<ToleranceCase> {};

TEST_P(ToleranceTest, ChecksAgainstTheSeriesLimit) {
    const auto& c = GetParam();
    MemoryWindow window;
    window.targetText = "47";
    window.toleranceText = c.typed;
    const SeriesParams& params = seriesParams(c.series);
    const PreparedInput prepared = prepareInput(params, window);
    EXPECT_EQ(prepared.outcome, c.outcome);
    const bool refused = c.outcome == InputOutcome::ToleranceRefused;
    const bool cleared = c.outcome == InputOutcome::GoOnWithToleranceCleared;
    EXPECT_EQ(window.toleranceMessages, refused || cleared ? 1 : 0);
    EXPECT_EQ(window.toleranceText, cleared ? "" : c.typed);
    if (!refused) {
        EXPECT_EQ(startTolerance(prepared.input, params), c.start);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ToleranceTest,
    testing::Values(
        ToleranceCase{"E6AtItsLimit", Series::E6, "20", InputOutcome::GoOn, 0.2f},
        ToleranceCase{"E6JustAbove", Series::E6, "20.1", InputOutcome::ToleranceRefused, 0},
        ToleranceCase{"E6Above", Series::E6, "20.5", InputOutcome::ToleranceRefused, 0},
        ToleranceCase{"E12AtItsLimit", Series::E12, "10", InputOutcome::GoOn, 0.1f},
        ToleranceCase{"E12Above", Series::E12, "10.01", InputOutcome::ToleranceRefused, 0},
        ToleranceCase{"E24AtItsLimit", Series::E24, "5", InputOutcome::GoOn, 0.05f},
        ToleranceCase{"E24AboveClears", Series::E24, "6", InputOutcome::GoOnWithToleranceCleared,
                      0.0001f},
        ToleranceCase{"E3AtItsLimit", Series::E3, "33", InputOutcome::GoOn, 0.33f},
        ToleranceCase{"E3Above", Series::E3, "34", InputOutcome::ToleranceRefused, 0},
        ToleranceCase{"Empty", Series::E6, "", InputOutcome::GoOn, 0.001f},
        ToleranceCase{"Zero", Series::E6, "0", InputOutcome::GoOn, 0.001f},
        ToleranceCase{"ZeroPointZero", Series::E6, "0.0", InputOutcome::GoOn, 0.001f},
        ToleranceCase{"Letters", Series::E6, "abc", InputOutcome::GoOn, 0.001f},
        ToleranceCase{"E12Default", Series::E12, "", InputOutcome::GoOn, 0.0003f},
        ToleranceCase{"E3Default", Series::E3, "", InputOutcome::GoOn, 0.001f},
        ToleranceCase{"OnePointFive", Series::E6, "1.5", InputOutcome::GoOn, 0.015f},
        ToleranceCase{"NegativePassesAsNone", Series::E6, "-1", InputOutcome::GoOn, 0.001f},
        ToleranceCase{"NegativeInfinityPassesAsNone", Series::E3, "-1e999", InputOutcome::GoOn,
                      0.001f},
        ToleranceCase{"BeyondSingleRefused", Series::E6, "1e60", InputOutcome::ToleranceRefused, 0},
        ToleranceCase{"InfiniteRefused", Series::E12, "1e999", InputOutcome::ToleranceRefused, 0},
        ToleranceCase{"InfiniteClearedInE24", Series::E24, "1e999",
                      InputOutcome::GoOnWithToleranceCleared, 0.0001f},
        ToleranceCase{"TinyPositiveKept", Series::E6, "1e-30", InputOutcome::GoOn, 1e-32f}),
    CaseName());

}  // namespace
}  // namespace gosei
