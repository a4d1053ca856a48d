#include "networks/divider_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "networks/e_series.h"
#include "tests/networks/exhaustive_search.h"

namespace gosei::networks {
namespace {

using testing::everyDivider;
using testing::exactlyRanked;

std::string written(const Divider& divider) {
    return divider.top.expression() + " / " + divider.bottom.expression();
}

Rational measureOf(DividerMeasure measure, const Divider& divider) {
    const Rational ratio = divider.exactRatio();
    return measure == DividerMeasure::Ratio ? ratio : 1 / ratio;
}

// The whole top list of every part count equals every divider ranked
// exactly, on random stock lists of up to four values: ratios and gains,
// random targets and near ties, with and without bounds on the total.
TEST(DividerSearch, ListsTheSameTopDividersAsRankingEveryDividerExactly) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> sizes(1, 4);
    std::uniform_int_distribution<int> mantissas(1, 47);
    constexpr int kTop = 4;
    int compared = 0;
    for (int list = 0; list < 24; ++list) {
        std::vector<double> stock;
        for (int size = sizes(random); size > 0; --size)
            stock.push_back(mantissas(random) * 100.0);
        std::vector<std::vector<Divider>> dividers;
        for (int count = 2; count <= kMostParts; ++count)
            dividers.push_back(everyDivider(stock, count));
        const NetworkFinder finder(stock);
        for (int target = 0; target < 8; ++target) {
            DividerRequest request;
            request.measure = target % 2 == 0 ? DividerMeasure::Ratio : DividerMeasure::Gain;
            request.top = kTop;
            // Halfway between two dividers' measures, one divider's measure,
            // or anywhere.
            const auto& some = dividers[2];
            std::uniform_int_distribution<std::size_t> pick(0, some.size() - 1);
            const Rational a = measureOf(request.measure, some[pick(random)]);
            const Rational b = measureOf(request.measure, some[pick(random)]);
            const double anywhere = std::uniform_real_distribution<double>(0.05, 0.95)(random);
            const double wanted =
                target % 4 == 3
                    ? (request.measure == DividerMeasure::Ratio ? anywhere : 1 / anywhere)
                    : nearestDouble(target % 4 == 2 ? a : (a + b) / 2);
            if (wanted == 1) continue;
            request.wantedNumerator = wanted;
            if (list % 3 == 0) {
                request.lowestTotal = 2000;
                request.highestTotal = 9000;
            } else {
                request.lowestTotal = 0;
            }
            const Rational exactWanted = writtenValue(wanted);
            for (const DividerPartCountResult& result : findDividers(finder, request)) {
                std::vector<Divider> allowed;
                for (const Divider& divider :
                     dividers[static_cast<std::size_t>(result.partCount - 2)]) {
                    const Rational total = divider.exactTotal();
                    if (total >= writtenValue(request.lowestTotal) &&
                        (!std::isfinite(request.highestTotal) ||
                         total <= writtenValue(request.highestTotal)))
                        allowed.push_back(divider);
                }
                std::vector<std::string> expected, found;
                for (const Divider& divider : exactlyRanked(
                         allowed, exactWanted,
                         [&](const Divider& d) { return measureOf(request.measure, d); }, kTop))
                    expected.push_back(written(divider));
                for (const RankedDivider& ranked : result.dividers) {
                    found.push_back(written(ranked.divider));
                    ASSERT_EQ(ranked.exactError,
                              measureOf(request.measure, ranked.divider) / exactWanted - 1);
                }
                ASSERT_EQ(found, expected) << "list " << list << ", wanted " << wanted << ", "
                                           << result.partCount << " parts";
                ++compared;
            }
        }
    }
    EXPECT_GE(compared, 500);
}

TEST(DividerSearch, FindsTheExactFeedbackOfARegulator) {
    DividerRequest request;
    request.measure = DividerMeasure::Gain;
    request.wantedNumerator = 3.3;
    request.wantedDenominator = 0.8;
    request.fewestParts = request.mostParts = 3;
    request.lowestTotal = 10e3;
    request.highestTotal = 100e3;
    request.partTolerancePercent = 1;
    const auto results = findDividers(NetworkFinder(eSeriesValues(ESeries::E96, 1, 10e6)), request);
    const RankedDivider& best = results.at(0).dividers.at(0);
    EXPECT_EQ(written(best.divider), "30.9k + 31.6k / 20k");
    EXPECT_EQ(best.exactError, 0);
    // Vout = Vref (1 + top / bottom) at its extremes: 62.5k (1 ± 1 %) over
    // 20k (1 ∓ 1 %).
    EXPECT_EQ(best.worstCase.low, (1 + Rational(625 * 99, 200 * 101)) / Rational(33, 8) - 1);
    EXPECT_EQ(best.worstCase.high, (1 + Rational(625 * 101, 200 * 99)) / Rational(33, 8) - 1);
}

}  // namespace
}  // namespace gosei::networks
