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

// The standard's values from its rule, not retyped: 10^(i/n) rounded to
// three figures for E48 to E192 (E192 has 920 where the rule gives 919), and
// to two figures for E24, where 2.7 to 4.7 stand one step above the rule and
// 8.2 one below; E12, E6 and E3 take every 2nd, 4th and 8th E24 value.
std::vector<int> byTheRule(ESeries series) {
    struct Rule {
        ESeries series;
        int steps;    // values a decade of the series or the one it thins out
        int every;    // takes every so many of those
        int figures;  // significant figures
    };
    constexpr Rule kRules[] = {{ESeries::E1, 24, 24, 2}, {ESeries::E3, 24, 8, 2},
                               {ESeries::E6, 24, 4, 2},  {ESeries::E12, 24, 2, 2},
                               {ESeries::E24, 24, 1, 2}, {ESeries::E48, 48, 1, 3},
                               {ESeries::E96, 96, 1, 3}, {ESeries::E192, 192, 1, 3}};
    const Rule rule = *std::find_if(std::begin(kRules), std::end(kRules),
                                    [&](const Rule& r) { return r.series == series; });
    const std::vector<std::pair<int, int>> exceptions =
        rule.figures == 2 ? std::vector<std::pair<int, int>>{{26, 27}, {29, 30}, {32, 33}, {35, 36},
                                                             {38, 39}, {42, 43}, {46, 47}, {83, 82}}
                          : std::vector<std::pair<int, int>>{{919, 920}};
    std::vector<int> values;
    for (int i = 0; i < rule.steps; i += rule.every) {
        const double scale = rule.figures == 2 ? 10 : 100;
        int value = static_cast<int>(std::lround(scale * std::pow(10.0, double(i) / rule.steps)));
        for (const auto& [ruled, standard] : exceptions)
            if (value == ruled) value = standard;
        values.push_back(rule.figures == 2 ? value * 10 : value);
    }
    return values;
}

TEST(ESeries, HoldTheValuesTheRuleGives) {
    for (ESeries series : {ESeries::E1, ESeries::E3, ESeries::E6, ESeries::E12, ESeries::E24,
                           ESeries::E48, ESeries::E96, ESeries::E192}) {
        const auto values = decadeMantissas(series);
        EXPECT_EQ(std::vector<int>(values.begin(), values.end()), byTheRule(series))
            << eSeriesName(series);
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
