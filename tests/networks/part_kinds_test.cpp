#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "networks/e_series.h"
#include "networks/network_search.h"
#include "tests/networks/exhaustive_search.h"

namespace gosei::networks {
namespace {

using testing::everyNetwork;
using testing::valueAs;

struct PartSet {
    std::string name;
    std::vector<double> parts;
};

std::vector<PartSet> partSets() {
    std::vector<PartSet> sets = {
        {"E3 decade", eSeriesValues(ESeries::E3, 1e-6, 10e-6)},
        {"E6 decade", eSeriesValues(ESeries::E6, 1e-9, 10e-9)},
        {"E12 decade", eSeriesValues(ESeries::E12, 10e-12, 100e-12)},
    };
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<int> sizes(1, 6);
    std::uniform_int_distribution<int> mantissas(10, 999);
    std::uniform_int_distribution<int> decades(-12, -7);
    for (int list = 0; list < 12; ++list) {
        std::vector<double> stock;
        for (int size = sizes(random); size > 0; --size)
            stock.push_back(mantissas(random) * std::pow(10.0, decades(random)));
        sets.push_back({"random stock list " + std::to_string(list), stock});
    }
    return sets;
}

// The least exact |value / wanted - 1| over the ascending `values`.
Rational leastError(const std::vector<Rational>& values, const Rational& wanted) {
    const auto above = std::lower_bound(values.begin(), values.end(), wanted);
    Rational least = -1;
    for (auto at = above == values.begin() ? above : above - 1; at != values.end() && at <= above;
         ++at) {
        const Rational error = abs(*at / wanted - 1);
        if (least < 0 || error < least) least = error;
    }
    return least;
}

// For capacitors and inductors, the first network of each part count has
// the least error of every series-parallel network of that many parts,
// each valued from its own tree as the kind's parts combine; and the error
// reported is that network's. Capacitors are found through the dual
// resistor networks, so this checks that the swap gives the right
// networks, not only the right numbers.
TEST(PartKinds, FindsTheBestNetworkOfEveryPartCountAsTheExhaustiveSearchDoes) {
    std::mt19937_64 random(12);
    int checked = 0;
    for (const PartSet& set : partSets()) {
        const NetworkFinder finder(set.parts);
        std::vector<std::vector<Network>> networks;
        for (int count = 1; count <= kMostParts; ++count)
            networks.push_back(everyNetwork(set.parts, count));
        for (const PartKind kind : {PartKind::Capacitor, PartKind::Inductor}) {
            std::vector<std::vector<Rational>> values;
            for (const auto& ofCount : networks) {
                std::vector<Rational> exact;
                for (const Network& network : ofCount)
                    exact.push_back(valueAs(network, kind));
                std::sort(exact.begin(), exact.end());
                exact.erase(std::unique(exact.begin(), exact.end()), exact.end());
                values.push_back(std::move(exact));
            }
            // Half spread over what the parts reach and beyond, half hit.
            const double low = std::log(nearestDouble(values[3].front()) / 2);
            const double high = std::log(nearestDouble(values[3].back()) * 2);
            std::uniform_real_distribution<double> logarithm(low, high);
            std::uniform_int_distribution<std::size_t> count(0, kMostParts - 1);
            for (int target = 0; target < 24; ++target) {
                const auto& hit = values[count(random)];
                const double wanted =
                    target % 2 == 0 ? std::exp(logarithm(random))
                                    : nearestDouble(hit[std::uniform_int_distribution<std::size_t>(
                                          0, hit.size() - 1)(random)]);
                FindRequest request;
                request.wanted = wanted;
                request.top = 1;
                request.kind = kind;
                const Rational exactWanted = writtenValue(wanted);
                for (const PartCountResult& result : finder.find(request)) {
                    ASSERT_EQ(result.networks.size(), 1u);
                    const RankedNetwork& best = result.networks.front();
                    const auto index = static_cast<std::size_t>(result.partCount - 1);
                    const Rational error = valueAs(best.network, kind) / exactWanted - 1;
                    EXPECT_EQ(best.network.partCount(), result.partCount);
                    EXPECT_EQ(best.exactError, error) << best.network.expression();
                    ASSERT_EQ(abs(error), leastError(values[index], exactWanted))
                        << set.name << ", kind " << factsOf(kind).letter << ", wanted " << wanted
                        << ", " << result.partCount << " parts: found "
                        << best.network.expression();
                    ++checked;
                }
            }
        }
    }
    EXPECT_EQ(checked, 15 * 2 * 24 * kMostParts);
}

}  // namespace
}  // namespace gosei::networks
