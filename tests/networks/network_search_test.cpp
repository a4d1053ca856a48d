#include "networks/network_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "networks/e_series.h"
#include "tests/case_name.h"
#include "tests/networks/exhaustive_search.h"

namespace gosei::networks {
namespace {

using testing::bestError;
using testing::everyNetworkValue;

std::vector<PartCountResult> findFor(const std::vector<double>& parts, double wanted, int top = 3,
                                     double maxError = std::numeric_limits<double>::infinity()) {
    FindRequest request;
    request.wanted = wanted;
    request.top = top;
    request.maxError = maxError;
    return NetworkFinder(parts).find(request);
}

// ---- Against the exhaustive search ------------------------------------------------

struct PartSet {
    const char* name;
    std::vector<double> parts;
};

std::vector<PartSet> differentialPartSets() {
    std::vector<PartSet> sets = {
        {"E3 over three decades", eSeriesValues(ESeries::E3, 1, 1000)},
        {"E6 over two decades", eSeriesValues(ESeries::E6, 10, 1000)},
        {"E6 over three decades", eSeriesValues(ESeries::E6, 100, 100e3)},
        {"E12 over two decades", eSeriesValues(ESeries::E12, 1, 100)},
    };
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> sizes(1, 7);
    std::uniform_int_distribution<int> mantissas(10, 999);
    std::uniform_int_distribution<int> decades(0, 4);
    for (int list = 0; list < 24; ++list) {
        std::vector<double> stock;
        for (int size = sizes(random); size > 0; --size)
            stock.push_back(mantissas(random) * std::pow(10.0, decades(random)));
        sets.push_back({"random stock list", stock});
    }
    return sets;
}

// Targets spread evenly in logarithm over what the parts can reach and a
// little beyond, and as many again that some network hits exactly.
std::vector<double> targetsFor(const std::vector<std::vector<double>>& values, int count,
                               std::mt19937_64& random) {
    const double low = std::log(values[3].front() / 2);
    const double high = std::log(values[3].back() * 2);
    std::uniform_real_distribution<double> logarithm(low, high);
    std::uniform_int_distribution<std::size_t> partCount(0, 3);
    std::vector<double> targets;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            targets.push_back(std::exp(logarithm(random)));
        } else {
            const auto& exact = values[partCount(random)];
            targets.push_back(
                exact[std::uniform_int_distribution<std::size_t>(0, exact.size() - 1)(random)]);
        }
    }
    return targets;
}

TEST(NetworkSearch, FindsTheBestErrorOfEveryPartCountAsTheExhaustiveSearchDoes) {
    std::mt19937_64 random(11);
    int targetsChecked = 0;
    for (const PartSet& set : differentialPartSets()) {
        const auto values = everyNetworkValue(set.parts, kMostParts);
        const NetworkFinder finder(set.parts);
        const int targetCount = set.parts.size() > 8 ? 400 : 40;
        for (double wanted : targetsFor(values, targetCount, random)) {
            FindRequest request;
            request.wanted = wanted;
            request.top = 1;
            const auto results = finder.find(request);
            ASSERT_EQ(results.size(), 4u);
            for (const PartCountResult& result : results) {
                ASSERT_EQ(result.networks.size(), 1u);
                const RankedNetwork& best = result.networks.front();
                const double expected =
                    bestError(values[static_cast<std::size_t>(result.partCount - 1)], wanted);
                ASSERT_NEAR(std::abs(best.error), expected, kErrorTie)
                    << set.name << ", wanted " << wanted << ", " << result.partCount
                    << " parts: found " << best.network.expression();
                EXPECT_EQ(best.network.partCount(), result.partCount);
            }
            ++targetsChecked;
        }
    }
    EXPECT_GE(targetsChecked, 2000);
}

// Every network of `count` parts over `parts`, each arrangement built and
// reduced to canonical form, repeats removed.
std::vector<Network> everyNetwork(const std::vector<double>& parts, int count) {
    std::vector<Network> networks;
    if (count == 1) {
        for (double part : parts)
            networks.push_back(Network::part(part));
    }
    for (int first = 1; first < count; ++first) {
        for (const Network& a : everyNetwork(parts, first))
            for (const Network& b : everyNetwork(parts, count - first))
                for (Join join : {Join::Series, Join::Parallel})
                    networks.push_back(Network::joined(join, a, b));
    }
    std::sort(networks.begin(), networks.end());
    networks.erase(std::unique(networks.begin(), networks.end()), networks.end());
    return networks;
}

// With a list long enough for every network, the search returns each
// distinct network exactly once.
TEST(NetworkSearch, ListsEveryDistinctNetworkOnceWhenTheListIsLongEnough) {
    const std::vector<double> parts = {1.37, 2.91, 7.13};
    for (const PartCountResult& result : findFor(parts, 5.0, 100000)) {
        std::vector<Network> found;
        for (const RankedNetwork& ranked : result.networks)
            found.push_back(ranked.network);
        std::sort(found.begin(), found.end());
        EXPECT_TRUE(found == everyNetwork(parts, result.partCount)) << result.partCount << " parts";
    }
}

// The whole top list, ties and all, is the head of every distinct network
// ranked: on random stock lists of up to four values.
TEST(NetworkSearch, ListsTheSameTopNetworksAsRankingEveryNetwork) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> sizes(1, 4);
    std::uniform_int_distribution<int> mantissas(1, 30);
    constexpr int kTop = 5;
    for (int list = 0; list < 20; ++list) {
        std::vector<double> stock;
        for (int size = sizes(random); size > 0; --size)
            stock.push_back(mantissas(random) * 100.0);
        std::vector<std::vector<Network>> networks;
        for (int count = 1; count <= kMostParts; ++count)
            networks.push_back(everyNetwork(stock, count));
        const NetworkFinder finder(stock);
        std::uniform_real_distribution<double> logarithm(std::log(10.0), std::log(1e4));
        for (int target = 0; target < 10; ++target) {
            // Whole hundreds hit many networks exactly, so ties get ranked too.
            const double wanted =
                target % 2 == 0 ? std::exp(logarithm(random)) : 100.0 * mantissas(random);
            FindRequest request;
            request.wanted = wanted;
            request.top = kTop;
            for (const PartCountResult& result : finder.find(request)) {
                std::vector<RankedNetwork> ranked;
                for (const Network& network :
                     networks[static_cast<std::size_t>(result.partCount - 1)])
                    ranked.push_back({network, (network.value() - wanted) / wanted});
                std::sort(ranked.begin(), ranked.end(), ranksBefore);
                ranked.resize(std::min<std::size_t>(ranked.size(), kTop));
                std::vector<std::string> expected, found;
                for (const RankedNetwork& one : ranked)
                    expected.push_back(one.network.expression());
                for (const RankedNetwork& one : result.networks)
                    found.push_back(one.network.expression());
                ASSERT_EQ(found, expected)
                    << "wanted " << wanted << ", " << result.partCount << " parts";
            }
        }
    }
}

// One value makes 1, 2, 4 and 10 distinct networks of one to four parts:
// the arrangements the search must tell apart.
TEST(NetworkSearch, CountsTheArrangementsOfOneValue) {
    std::vector<std::size_t> counts;
    for (const PartCountResult& result : findFor({1000}, 1000, 100))
        counts.push_back(result.networks.size());
    EXPECT_EQ(counts, (std::vector<std::size_t>{1, 2, 4, 10}));
}

// ---- Known cases -----------------------------------------------------------------

TEST(NetworkSearch, FindsAValueOfTheSeriesAsOnePartWithoutError) {
    const auto results = findFor(eSeriesValues(ESeries::E96, 1, 10e6), 48.7e3);
    const RankedNetwork& best = results[0].networks.front();
    EXPECT_EQ(best.network.expression(), "48.7k");
    EXPECT_EQ(best.error, 0.0);
}

TEST(NetworkSearch, RanksTheNeighboursOfOnePartByError) {
    const auto results = findFor(eSeriesValues(ESeries::E12, 1, 1e6), 5000);
    std::vector<std::string> expressions;
    for (const RankedNetwork& ranked : results[0].networks)
        expressions.push_back(ranked.network.expression());
    EXPECT_EQ(expressions, (std::vector<std::string>{"4.7k", "5.6k", "3.9k"}));
    EXPECT_DOUBLE_EQ(results[0].networks[0].error, -0.06);
}

struct MultipleCase {
    const char* name;
    int partCount;
    double wanted;
    std::string expression;
};

class StockOfOneValueTest : public ::testing::TestWithParam<MultipleCase> {};

// One value in stock still makes its series and parallel multiples.
TEST_P(StockOfOneValueTest, MakesTheMultipleExactly) {
    const MultipleCase& row = GetParam();
    const auto results = findFor({1000}, row.wanted, 1);
    const RankedNetwork& best = results[static_cast<std::size_t>(row.partCount - 1)].networks[0];
    EXPECT_EQ(best.network.expression(), row.expression);
    EXPECT_NEAR(best.error, 0.0, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Multiples, StockOfOneValueTest,
    ::testing::Values(MultipleCase{"TwoInSeries", 2, 2000, "1k + 1k"},
                      MultipleCase{"TwoInParallel", 2, 500, "1k | 1k"},
                      MultipleCase{"ThreeInSeries", 3, 3000, "1k + 1k + 1k"},
                      MultipleCase{"ThreeInParallel", 3, 1000.0 / 3, "1k | 1k | 1k"},
                      MultipleCase{"OneAndAHalf", 3, 1500, "1k + (1k | 1k)"},
                      MultipleCase{"TwoThirds", 3, 2000.0 / 3, "1k | (1k + 1k)"},
                      MultipleCase{"FourInSeries", 4, 4000, "1k + 1k + 1k + 1k"},
                      MultipleCase{"FourInParallel", 4, 250, "1k | 1k | 1k | 1k"},
                      MultipleCase{"PairsOfPairs", 4, 1000,
                                   "(1k | 1k) + (1k | 1k)"},  // before (1k + 1k) | (1k + 1k)
                      MultipleCase{"ChainOfFour", 4, 5000.0 / 3, "1k + (1k | (1k + 1k))"},
                      MultipleCase{"ParallelChainOfFour", 4, 600, "1k | (1k + (1k | 1k))"},
                      MultipleCase{"OneAndAThird", 4, 4000.0 / 3, "1k + (1k | 1k | 1k)"},
                      MultipleCase{"ThreeQuarters", 4, 750, "1k | (1k + 1k + 1k)"},
                      MultipleCase{"TwoAndAHalf", 4, 2500, "1k + 1k + (1k | 1k)"},
                      MultipleCase{"TwoFifths", 4, 400, "1k | 1k | (1k + 1k)"}),
    CaseName());

TEST(NetworkSearch, NeverUsesAnExcludedValue) {
    const std::vector<double> excluded = {4700, 10e3};
    const auto parts = withoutExcluded(eSeriesValues(ESeries::E24, 1, 10e6), excluded);
    for (double wanted : {4700.0, 10e3, 14.7e3, 2350.0, 5000.0}) {
        for (const PartCountResult& result : findFor(parts, wanted, 10)) {
            for (const RankedNetwork& ranked : result.networks) {
                for (double part : ranked.network.partValues()) {
                    EXPECT_NE(part, 4700) << ranked.network.expression();
                    EXPECT_NE(part, 10e3) << ranked.network.expression();
                }
            }
        }
    }
    EXPECT_EQ(parts.size(), 169u - 2u);
}

TEST(NetworkSearch, BreaksEqualErrorsByFewerDistinctValuesThenBySmallerRatio) {
    // 2k: 1k + 1k (one value), 500 + 1.5k (ratio 3), 200 + 1.8k (ratio 9).
    const auto results = findFor({200, 500, 1000, 1500, 1800}, 2000, 3);
    std::vector<std::string> expressions;
    for (const RankedNetwork& ranked : results[1].networks)
        expressions.push_back(ranked.network.expression());
    EXPECT_EQ(expressions, (std::vector<std::string>{"1k + 1k", "500 + 1.5k", "200 + 1.8k"}));
}

TEST(NetworkSearch, KeepsOnlyNetworksWithinTheTolerance) {
    const auto results = findFor(eSeriesValues(ESeries::E12, 1, 1e6), 5000, 10, 0.07);
    ASSERT_EQ(results[0].networks.size(), 1u);
    EXPECT_EQ(results[0].networks[0].network.expression(), "4.7k");
    for (const PartCountResult& result : results)
        for (const RankedNetwork& ranked : result.networks)
            EXPECT_LE(std::abs(ranked.error), 0.07);
}

TEST(NetworkSearch, KeepsNothingWhenAskedForNoNetworks) {
    for (const PartCountResult& result : findFor({10, 22, 47}, 33, 0))
        EXPECT_TRUE(result.networks.empty()) << result.partCount << " parts";
}

}  // namespace
}  // namespace gosei::networks
