#include "networks/e_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/case_name.h"

namespace gosei::networks {
namespace {

struct SeriesCase {
    const char* name;
    ESeries series;
    std::size_t count;
    std::vector<int> someValues;  // three-figure mantissas that must be there
};

class ESeriesTest : public testing::TestWithParam<SeriesCase> {};

TEST_P(ESeriesTest, HasItsCountOfValuesAscendingWithinOneDecade) {
    const auto values = decadeMantissas(GetParam().series);
    EXPECT_EQ(values.size(), GetParam().count);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end(), std::less_equal<>()));
    EXPECT_EQ(values.front(), 100);
    EXPECT_LT(values.back(), 1000);
    for (int value : GetParam().someValues)
        EXPECT_TRUE(std::find(values.begin(), values.end(), value) != values.end()) << value;
}

TEST_P(ESeriesTest, IsFoundByItsName) {
    EXPECT_EQ(eSeriesFromName(eSeriesName(GetParam().series)), GetParam().series);
}

INSTANTIATE_TEST_SUITE_P(
    Series, ESeriesTest,
    testing::Values(SeriesCase{"E1", ESeries::E1, 1, {100}},
                    SeriesCase{"E3", ESeries::E3, 3, {100, 220, 470}},
                    SeriesCase{"E6", ESeries::E6, 6, {150, 330, 680}},
                    SeriesCase{"E12", ESeries::E12, 12, {120, 180, 270, 390, 560, 820}},
                    SeriesCase{"E24", ESeries::E24, 24, {110, 270, 300, 430, 510, 910}},
                    SeriesCase{"E48", ESeries::E48, 48, {105, 261, 487, 953}},
                    SeriesCase{"E96", ESeries::E96, 96, {102, 274, 487, 499, 976}},
                    SeriesCase{"E192", ESeries::E192, 192, {101, 271, 487, 920, 988}}),
    CaseName());

// Each of the three-figure series takes every second value of the next.
TEST(ESeries, ThreeFigureSeriesNestEveryOtherValue) {
    const auto e48 = decadeMantissas(ESeries::E48);
    const auto e96 = decadeMantissas(ESeries::E96);
    const auto e192 = decadeMantissas(ESeries::E192);
    for (std::size_t i = 0; i < e96.size(); ++i)
        EXPECT_EQ(e96[i], e192[2 * i]) << i;
    for (std::size_t i = 0; i < e48.size(); ++i)
        EXPECT_EQ(e48[i], e96[2 * i]) << i;
}

// Each value lies within half a step of the geometric ideal 10^(i/n), which
// catches a mistyped digit anywhere in the tables.
TEST(ESeries, ValuesFollowTheGeometricSteps) {
    for (ESeries series : {ESeries::E48, ESeries::E96, ESeries::E192}) {
        const auto values = decadeMantissas(series);
        const double n = static_cast<double>(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double ideal = 100 * std::pow(10.0, static_cast<double>(i) / n);
            EXPECT_NEAR(values[i], ideal, 1.0) << eSeriesName(series) << " value " << i;
        }
    }
}

TEST(ESeriesValues, CoverTheRangeWithBothEndsIncluded) {
    const auto values = eSeriesValues(ESeries::E24, 1, 10e6);
    EXPECT_EQ(values.size(), 7u * 24u + 1u);
    EXPECT_EQ(values.front(), 1.0);
    EXPECT_EQ(values.back(), 10e6);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end(), std::less_equal<>()));
}

TEST(ESeriesValues, AreTheCorrectlyRoundedDecimals) {
    const auto values = eSeriesValues(ESeries::E96, 0.01, 1e9);
    for (double expected : {0.0487, 0.487, 4.87, 48.7, 487.0, 4870.0, 4.87e6, 4.87e8, 0.0976})
        EXPECT_TRUE(std::find(values.begin(), values.end(), expected) != values.end()) << expected;
}

TEST(ESeriesValues, TakeOnlyValuesInsideARangeBetweenSeriesValues) {
    EXPECT_EQ(eSeriesValues(ESeries::E6, 1.6, 3.2), (std::vector<double>{2.2}));
    EXPECT_TRUE(eSeriesValues(ESeries::E3, 2.3, 4.6).empty());
    EXPECT_TRUE(eSeriesValues(ESeries::E3, 0, 10).empty());
}

}  // namespace
}  // namespace gosei::networks
