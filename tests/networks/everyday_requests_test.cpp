#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "networks/divider_search.h"
#include "networks/e_series.h"
#include "networks/network_search.h"
#include "tests/case_name.h"
#include "tests/networks/exhaustive_search.h"

namespace gosei::networks {
namespace {

using testing::everyNetwork;

std::string written(const Network& network) {
    return network.expression();
}
std::string written(const Divider& divider) {
    return divider.top.expression() + " / " + divider.bottom.expression();
}
template <typename Ranked>
std::vector<std::string> written(const std::vector<Ranked>& list) {
    std::vector<std::string> texts;
    for (const Ranked& ranked : list) {
        if constexpr (std::is_same_v<Ranked, RankedNetwork>) {
            texts.push_back(written(ranked.network));
        } else {
            texts.push_back(written(ranked.divider));
        }
    }
    return texts;
}

// The ranking rules written out again: the smaller error exactly, then fewer
// distinct part values, then a smaller ratio of the largest part to the
// smallest, then canonical order, a divider's by its top and then its bottom.
using Rank = std::tuple<Rational, std::size_t, Rational>;
template <typename Item>
Rank rankOf(const Item& item, const Rational& error) {
    std::vector<double> parts = item.partValues();
    std::sort(parts.begin(), parts.end());
    parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
    return {abs(error), parts.size(), writtenValue(parts.back()) / writtenValue(parts.front())};
}
bool canonicallyBefore(const Network& a, const Network& b) {
    return a < b;
}
bool canonicallyBefore(const Divider& a, const Divider& b) {
    return a.top != b.top ? a.top < b.top : a.bottom < b.bottom;
}

// Candidates are taken within this relative distance of the wanted measure.
constexpr double kWindow = 1e-4;

// The first `top` of `candidates` by those rules. Only candidates within
// kWindow were built, so the last of them must lie well inside it.
template <typename Item, typename Error>
std::vector<std::string> bestByTheRules(std::vector<Item> candidates, Error errorOf,
                                        std::size_t top) {
    std::vector<std::pair<Rank, Item>> ranked;
    for (Item& item : candidates)
        ranked.emplace_back(rankOf(item, errorOf(item)), std::move(item));
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : canonicallyBefore(a.second, b.second);
    });
    EXPECT_GE(ranked.size(), top);
    if (ranked.size() >= top) {
        EXPECT_LT(std::get<0>(ranked[top - 1].first), writtenValue(kWindow) / 2);
    }
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < std::min(top, ranked.size()); ++i)
        texts.push_back(written(ranked[i].second));
    return texts;
}

double joined(Join join, double a, double b) {
    return join == Join::Series ? a + b : a * b / (a + b);
}

// The networks of one to three parts over some parts, by part count: those
// of one and two parts from the exhaustive search, those of three (a part
// joined to a pair, every way) built only when asked for, so that the
// networks of four parts over two whole decades are looked through in a
// moment.
class FewerParts {
  public:
    explicit FewerParts(const std::vector<double>& parts)
        : m_ones(everyNetwork(parts, 1)), m_twos(everyNetwork(parts, 2)) {
        for (const Network& one : m_ones) {
            m_values[0].push_back(one.value());
            for (const Network& two : m_twos)
                for (Join join : kJoins)
                    m_values[2].push_back(joined(join, one.value(), two.value()));
        }
        for (const Network& two : m_twos)
            m_values[1].push_back(two.value());
    }
    const std::vector<double>& values(int count) const { return m_values[count - 1]; }
    Network network(int count, std::size_t i) const {
        if (count < 3) return count == 1 ? m_ones[i] : m_twos[i];
        return Network::joined(kJoins[i % 2], m_ones[i / 2 / m_twos.size()],
                               m_twos[i / 2 % m_twos.size()]);
    }

    static constexpr Join kJoins[] = {Join::Series, Join::Parallel};

  private:
    std::vector<Network> m_ones, m_twos;
    std::vector<double> m_values[3];
};

// Every item of four parts that `make` makes of two networks of fewer parts
// (the first of at most `firstMost`) and a join, whose measure (`measure`
// of their values, in double) lies within kWindow of `wanted`.
template <typename Item, typename Measure, typename Make>
std::vector<Item> fourPartsNear(const FewerParts& fewer, int firstMost, double wanted,
                                Measure measure, Make make) {
    std::vector<Item> near;
    for (int first = 1; first <= firstMost; ++first) {
        const std::vector<double>& a = fewer.values(first);
        const std::vector<double>& b = fewer.values(4 - first);
        for (std::size_t i = 0; i < a.size(); ++i)
            for (std::size_t j = 0; j < b.size(); ++j)
                for (Join join : FewerParts::kJoins)
                    if (std::abs(measure(join, a[i], b[j]) / wanted - 1) <= kWindow)
                        near.push_back(
                            make(join, fewer.network(first, i), fewer.network(4 - first, j)));
    }
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());
    return near;
}

// Requests people make, over whole decades, for values that many networks
// or dividers of four parts hit exactly: the lists end inside runs of exact
// ties, where the searches stop walking early.
struct EverydayCase {
    const char* name;
    std::vector<double> parts;
    std::optional<DividerMeasure> divider;  // none for a network
    double numerator, denominator;          // the wanted value or measure
    int top;
};

class EverydayRequestTest : public ::testing::TestWithParam<EverydayCase> {};

TEST_P(EverydayRequestTest, ListsTheBestFourPartsByTheRankingRules) {
    const EverydayCase& row = GetParam();
    const FewerParts fewer(row.parts);
    const NetworkFinder finder(row.parts);
    const Rational wanted = writtenValue(row.numerator) / writtenValue(row.denominator);
    const double approximate = row.numerator / row.denominator;
    const auto listed = static_cast<std::size_t>(row.top);
    if (!row.divider) {
        const auto near = fourPartsNear<Network>(fewer, 2, approximate, joined, Network::joined);
        FindRequest request;
        request.wanted = row.numerator;
        request.fewestParts = 4;
        request.top = row.top;
        EXPECT_EQ(written(finder.find(request).at(0).networks),
                  bestByTheRules(
                      near, [&](const Network& n) { return n.exactValue() / wanted - 1; }, listed));
        return;
    }
    const auto measure = [&](auto ratio) {
        return *row.divider == DividerMeasure::Ratio ? ratio : 1 / ratio;
    };
    const auto near = fourPartsNear<Divider>(
        fewer, 3, approximate,
        [&](Join, double upper, double lower) { return measure(lower / (upper + lower)); },
        [](Join, Network upper, Network lower) {
            return Divider{upper, lower};
        });
    DividerRequest request;
    request.measure = *row.divider;
    request.wantedNumerator = row.numerator;
    request.wantedDenominator = row.denominator;
    request.fewestParts = 4;
    request.top = row.top;
    EXPECT_EQ(
        written(findDividers(finder, request).at(0).dividers),
        bestByTheRules(
            near, [&](const Divider& d) { return measure(d.exactRatio()) / wanted - 1; }, listed));
}

// Over one decade a value is hit exactly by a hundred or two networks of four
// parts, too few for a list to close early; over two decades by several
// hundred, as a ratio is by dividers over one.
const std::vector<double> kE24Decade = eSeriesValues(ESeries::E24, 1e3, 10e3);
const std::vector<double> kE24TwoDecades = eSeriesValues(ESeries::E24, 100, 10e3);
constexpr auto kRatio = DividerMeasure::Ratio;
constexpr auto kGain = DividerMeasure::Gain;

INSTANTIATE_TEST_SUITE_P(
    Decades, EverydayRequestTest,
    ::testing::Values(EverydayCase{"PairsOfPairsForOneK", kE24TwoDecades, std::nullopt, 1e3, 1, 20},
                      EverydayCase{"OneAndAHalfK", kE24TwoDecades, std::nullopt, 1.5e3, 1, 50},
                      EverydayCase{"FourPointSevenK", kE24TwoDecades, std::nullopt, 4.7e3, 1, 50},
                      EverydayCase{"AHalf", kE24Decade, kRatio, 0.5, 1, 20},
                      EverydayCase{"AQuarter", kE24Decade, kRatio, 0.25, 1, 100},
                      EverydayCase{"ThreePointThreeVoltsFromZeroPointEight", kE24Decade, kGain, 3.3,
                                   0.8, 50},
                      // Equal errors deep into the list, ordered by the tie rules alone.
                      EverydayCase{"AQuarterTwoHundredDeep", kE24Decade, kRatio, 0.25, 1, 200}),
    CaseName());

// ---- Exact corners ---------------------------------------------------------------

// 100m + 100m and 100m + 200m are 20 % off 250m exactly; as doubles one
// lies inside that and one beyond (0.1 + 0.2 > 0.3).
TEST(ExactCorners, KeepsAnErrorExactlyAtTheToleranceAndDropsOneAHairBeyond) {
    const NetworkFinder finder({0.1, 0.2});
    FindRequest request;
    request.wanted = 0.25;
    request.fewestParts = request.mostParts = 2;
    request.top = 10;
    request.maxErrorPercent = 20;
    EXPECT_EQ(written(finder.find(request).at(0).networks),
              (std::vector<std::string>{"100m + 100m", "100m + 200m"}));
    request.maxErrorPercent = 19.99999999999999;
    EXPECT_EQ(written(finder.find(request).at(0).networks), std::vector<std::string>{});
}

// Totals exactly at an end are within the bounds, though as doubles
// 0.1 + 0.2 lies above 0.3 and 0.1 + 0.7 below 0.8.
TEST(ExactCorners, KeepsADividerWhoseTotalIsExactlyAtAnEnd) {
    const NetworkFinder finder({0.1, 0.2, 0.7});
    DividerRequest request;
    request.mostParts = 2;
    request.wantedNumerator = 0.2;
    request.wantedDenominator = 0.3;
    request.highestTotal = 0.3;
    EXPECT_EQ(written(findDividers(finder, request).at(0).dividers),
              (std::vector<std::string>{"100m / 200m", "100m / 100m", "200m / 100m"}));
    request.wantedNumerator = 0.875;
    request.wantedDenominator = 1;
    request.lowestTotal = request.highestTotal = 0.8;
    EXPECT_EQ(written(findDividers(finder, request).at(0).dividers),
              (std::vector<std::string>{"100m / 700m", "700m / 100m"}));
}

}  // namespace
}  // namespace gosei::networks
