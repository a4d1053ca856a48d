// A stock list with quantities: no result uses a value more times than the
// list holds, and within that the top lists are those of ranking every
// allowed network or divider exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "networks/divider_search.h"
#include "networks/network_search.h"
#include "tests/networks/exhaustive_search.h"

namespace gosei::networks {
namespace {

using testing::everyDivider;
using testing::everyNetwork;
using testing::exactlyRanked;

// Whether `parts` takes no value more often than `scarce` holds it.
bool inStock(const std::vector<double>& parts, const std::vector<ScarcePart>& scarce) {
    return std::all_of(scarce.begin(), scarce.end(), [&](const ScarcePart& held) {
        return std::count(parts.begin(), parts.end(), held.value) <= held.count;
    });
}

template <typename Item>
std::vector<Item> allowed(const std::vector<Item>& items, const std::vector<ScarcePart>& scarce) {
    std::vector<Item> kept;
    std::copy_if(items.begin(), items.end(), std::back_inserter(kept),
                 [&](const Item& item) { return inStock(item.partValues(), scarce); });
    return kept;
}

// How the first `top` of the items that the quantities allow are written,
// ranked exactly against `wanted` by `measure`.
template <typename Item, typename Measure, typename Written>
std::vector<std::string> bestAllowed(const std::vector<Item>& items,
                                     const std::vector<ScarcePart>& scarce, double wanted,
                                     Measure measure, Written written, std::size_t top) {
    std::vector<std::string> texts;
    for (const Item& item :
         exactlyRanked(allowed(items, scarce), writtenValue(wanted), measure, top))
        texts.push_back(written(item));
    return texts;
}

struct RandomStock {
    std::vector<double> values;
    std::vector<ScarcePart> scarce;
};

// Two to four values, most of them held once to three times. Values that
// are multiples of each other make many exact ties, where quantities
// decide which networks may be listed.
RandomStock randomStock(std::mt19937_64& random) {
    std::uniform_int_distribution<int> sizes(2, 4), mantissas(1, 12), counts(1, 4);
    RandomStock stock;
    for (int size = sizes(random); size > 0; --size)
        stock.values.push_back(mantissas(random) * 500.0);
    std::sort(stock.values.begin(), stock.values.end());
    stock.values.erase(std::unique(stock.values.begin(), stock.values.end()), stock.values.end());
    for (double value : stock.values)
        if (const int count = counts(random); count < kMostParts)
            stock.scarce.push_back({value, count});
    return stock;
}

TEST(ScarceParts, ListsTheBestNetworksThatTheQuantitiesAllow) {
    std::mt19937_64 random(1709);
    constexpr int kTop = 6;
    for (int list = 0; list < 30; ++list) {
        const RandomStock stock = randomStock(random);
        const NetworkFinder finder(stock.values);
        for (double wanted : {stock.values.front() * 2, stock.values.back() / 2, 1234.5}) {
            FindRequest request;
            request.wanted = wanted;
            request.top = kTop;
            request.scarceParts = stock.scarce;
            for (const PartCountResult& result : finder.find(request)) {
                const std::vector<std::string> expected = bestAllowed(
                    everyNetwork(stock.values, result.partCount), stock.scarce, wanted,
                    [](const Network& n) { return n.exactValue(); },
                    [](const Network& n) { return n.expression(); }, kTop);
                std::vector<std::string> found;
                for (const RankedNetwork& ranked : result.networks)
                    found.push_back(ranked.network.expression());
                ASSERT_EQ(found, expected) << "list " << list << ", wanted " << wanted << ", "
                                           << result.partCount << " parts";
            }
        }
    }
}

TEST(ScarceParts, ListsTheBestDividersThatTheQuantitiesAllow) {
    std::mt19937_64 random(2212);
    constexpr int kTop = 5;
    for (int list = 0; list < 20; ++list) {
        const RandomStock stock = randomStock(random);
        const NetworkFinder finder(stock.values);
        for (double ratio : {0.25, 0.5, 0.3}) {
            DividerRequest request;
            request.wantedNumerator = ratio;
            request.lowestTotal = 0;
            request.top = kTop;
            request.scarceParts = stock.scarce;
            for (const DividerPartCountResult& result : findDividers(finder, request)) {
                const auto written = [](const Divider& divider) {
                    return divider.top.expression() + " / " + divider.bottom.expression();
                };
                const std::vector<std::string> expected = bestAllowed(
                    everyDivider(stock.values, result.partCount), stock.scarce, ratio,
                    [](const Divider& d) { return d.exactRatio(); }, written, kTop);
                std::vector<std::string> found;
                for (const RankedDivider& ranked : result.dividers)
                    found.push_back(written(ranked.divider));
                ASSERT_EQ(found, expected) << "list " << list << ", ratio " << ratio << ", "
                                           << result.partCount << " parts";
            }
        }
    }
}

}  // namespace
}  // namespace gosei::networks
