#include "networks/network_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "networks/divider_search.h"
#include "networks/e_series.h"
#include "tests/case_name.h"
#include "tests/networks/exhaustive_search.h"

namespace gosei::networks {
namespace {

using testing::bestError;
using testing::everyNetwork;
using testing::everyNetworkValue;
using testing::exactlyRanked;

std::vector<PartCountResult> findFor(const std::vector<double>& parts, double wanted, int top = 3,
                                     std::optional<double> maxErrorPercent = std::nullopt) {
    FindRequest request;
    request.wanted = wanted;
    request.top = top;
    request.maxErrorPercent = maxErrorPercent;
    return NetworkFinder(parts).find(request);
}

std::vector<std::string> expressionsOf(const std::vector<RankedNetwork>& networks) {
    std::vector<std::string> expressions;
    for (const RankedNetwork& ranked : networks)
        expressions.push_back(ranked.network.expression());
    return expressions;
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
                ASSERT_NEAR(std::abs(best.error), expected, 1e-12)
                    << set.name << ", wanted " << wanted << ", " << result.partCount
                    << " parts: found " << best.network.expression();
                EXPECT_EQ(best.network.partCount(), result.partCount);
            }
            ++targetsChecked;
        }
    }
    EXPECT_GE(targetsChecked, 2000);
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

// Targets where double cannot tell the best networks apart: halfway between
// the values of two networks (exactly, where that is a decimal, or as the
// nearest double), and values some network hits exactly.
std::vector<double> nearTieTargets(const std::vector<Network>& networks, std::mt19937_64& random,
                                   int count) {
    std::uniform_int_distribution<std::size_t> pick(0, networks.size() - 1);
    std::vector<double> targets;
    for (int i = 0; i < count; ++i) {
        const Rational a = networks[pick(random)].exactValue();
        const Rational b = networks[pick(random)].exactValue();
        targets.push_back(nearestDouble(i % 3 == 2 ? a : (a + b) / 2));
    }
    return targets;
}

// The whole top list, ties and all, is the head of every distinct network
// ranked exactly: on random stock lists of up to four values, for random
// targets and for near ties.
TEST(NetworkSearch, ListsTheSameTopNetworksAsRankingEveryNetworkExactly) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> sizes(1, 4);
    std::uniform_int_distribution<int> mantissas(1, 30);
    constexpr int kTop = 5;
    int nearTies = 0;
    for (int list = 0; list < 20; ++list) {
        std::vector<double> stock;
        for (int size = sizes(random); size > 0; --size)
            stock.push_back(mantissas(random) * (list % 2 == 0 ? 100.0 : 0.1));
        std::vector<std::vector<Network>> networks;
        for (int count = 1; count <= kMostParts; ++count)
            networks.push_back(everyNetwork(stock, count));
        const NetworkFinder finder(stock);
        std::uniform_real_distribution<double> logarithm(std::log(stock.front() / 4),
                                                         std::log(stock.front() * 4));
        std::vector<double> targets = nearTieTargets(networks[3], random, 12);
        for (int target = 0; target < 4; ++target)
            targets.push_back(std::exp(logarithm(random)));
        for (double wanted : targets) {
            FindRequest request;
            request.wanted = wanted;
            request.top = kTop;
            for (const PartCountResult& result : finder.find(request)) {
                const auto& all = networks[static_cast<std::size_t>(result.partCount - 1)];
                std::vector<std::string> expected;
                for (const Network& network : exactlyRanked(
                         all, writtenValue(wanted), [](const Network& n) { return n.exactValue(); },
                         kTop))
                    expected.push_back(network.expression());
                ASSERT_EQ(expressionsOf(result.networks), expected)
                    << "wanted " << wanted << ", " << result.partCount << " parts";
                for (const RankedNetwork& ranked : result.networks) {
                    ASSERT_EQ(ranked.exactError,
                              ranked.network.exactValue() / writtenValue(wanted) - 1);
                    ASSERT_EQ(ranked.error, nearestDouble(ranked.exactError));
                }
                // Two of the listed errors closer than double can tell.
                for (std::size_t i = 1; i < result.networks.size(); ++i) {
                    const auto& [a, b] = std::tie(result.networks[i - 1], result.networks[i]);
                    if (abs(a.exactError) != abs(b.exactError) &&
                        std::abs(std::abs(a.error) - std::abs(b.error)) < 1e-15)
                        ++nearTies;
                }
            }
        }
    }
    EXPECT_GT(nearTies, 20);
}

// One value makes 1, 2, 4 and 10 distinct networks of one to four parts:
// the arrangements the search must tell apart.
TEST(NetworkSearch, CountsTheArrangementsOfOneValue) {
    std::vector<std::size_t> counts;
    for (const PartCountResult& result : findFor({1000}, 1000, 100))
        counts.push_back(result.networks.size());
    EXPECT_EQ(counts, (std::vector<std::size_t>{1, 2, 4, 10}));
}

// The work of a search stays near what its walks need: a few times the most
// seen over 200 targets. A band that never narrowed would examine every
// network; each part count is asked for alone, with its limit, which stops
// such a search early, so that this fails fast.
TEST(NetworkSearch, ExaminesFewNetworksForEachPartCount) {
    const NetworkFinder finder(eSeriesValues(ESeries::E24, 1, 10e6));
    constexpr std::size_t kMostNetworks[] = {0, 20, 50, 1500, 200000};
    constexpr std::size_t kMostDividers[] = {0, 0, 1000, 5000, 300000};
    for (int i = 0; i < 12; ++i) {
        for (int count = 1; count <= kMostParts; ++count) {
            FindRequest request;
            request.wanted = 0.3 * std::pow(10.0, i * 0.65);
            request.fewestParts = request.mostParts = count;
            request.mostExamined = kMostNetworks[count];
            EXPECT_LE(finder.find(request).at(0).examined, kMostNetworks[count])
                << request.wanted << ", " << count << " parts";
            if (count == 1) continue;
            DividerRequest divider;
            divider.wantedNumerator = 0.01 + i * 0.082;
            divider.fewestParts = divider.mostParts = count;
            divider.mostExamined = kMostDividers[count];
            EXPECT_LE(findDividers(finder, divider).at(0).examined, kMostDividers[count])
                << divider.wantedNumerator << ", " << count << " parts";
        }
    }
}

// A caller that no longer wants the answer sets the flag from another
// thread while a search runs; a search that sees it set does no more work.
TEST(NetworkSearch, DoesNoWorkOnceCancelled) {
    const NetworkFinder finder(eSeriesValues(ESeries::E192, 1, 10e6));
    const std::atomic<bool> cancelled = true;
    FindRequest request;
    request.wanted = 4.7e3;
    request.cancelled = &cancelled;
    for (const PartCountResult& result : finder.find(request))
        EXPECT_LE(result.examined, 1u) << result.partCount << " parts";
    DividerRequest divider;
    divider.wantedNumerator = 0.66;
    divider.cancelled = &cancelled;
    for (const DividerPartCountResult& result : findDividers(finder, divider))
        EXPECT_LE(result.examined, 1u) << result.partCount << " parts";
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
    EXPECT_EQ(results[0].networks[0].error, -0.06);
    EXPECT_EQ(results[0].networks[0].exactError, Rational(-3, 50));
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
    const auto results = findFor(eSeriesValues(ESeries::E12, 1, 1e6), 5000, 10, 7);
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
