// The network search: a whole request of one to four parts (building the
// tables included, as one run of `gosei-cli find` does) for E24, E96 and E192
// over 1 ohm to 10 Mohm, capacitors beside resistors of the same values,
// the search alone on tables built beforehand, the divider search likewise,
// and the exhaustive search of the tests on the smaller sets where it
// finishes.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <vector>

#include "networks/divider_search.h"
#include "networks/e_series.h"
#include "networks/network_search.h"
#include "tests/networks/exhaustive_search.h"

namespace {

using namespace gosei::networks;

// Targets spread evenly in logarithm over the range, none of them a series
// value, so that every part count has work to do.
std::vector<double> spreadTargets() {
    std::vector<double> targets;
    for (int i = 0; i < 16; ++i)
        targets.push_back(3.14159 * std::pow(10.0, i * 0.37));
    return targets;
}

FindRequest requestFor(double wanted) {
    FindRequest request;
    request.wanted = wanted;
    return request;
}

void reportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

void BM_WholeRequest(benchmark::State& state, ESeries series) {
    const std::vector<double> parts = eSeriesValues(series, 1, 10e6);
    const std::vector<double> targets = spreadTargets();
    std::size_t next = 0;
    for (auto _ : state) {
        const NetworkFinder finder(parts);
        benchmark::DoNotOptimize(finder.find(requestFor(targets[next++ % targets.size()])));
    }
    reportPeakMemory(state);
}
BENCHMARK_CAPTURE(BM_WholeRequest, E24, ESeries::E24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholeRequest, E96, ESeries::E96)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholeRequest, E192, ESeries::E192)->Unit(benchmark::kMillisecond);

void BM_SearchOnly(benchmark::State& state, ESeries series) {
    const NetworkFinder finder(eSeriesValues(series, 1, 10e6));
    const std::vector<double> targets = spreadTargets();
    std::size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(finder.find(requestFor(targets[next++ % targets.size()])));
}
BENCHMARK_CAPTURE(BM_SearchOnly, E24, ESeries::E24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchOnly, E96, ESeries::E96)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchOnly, E192, ESeries::E192)->Unit(benchmark::kMillisecond);

// Capacitors over their default parts, E12 from 1 pF to 10 mF, and
// resistors of the same values: a whole request of one to four parts for
// targets spread over the range. Capacitors are the resistors' search with
// each result swapped to its dual, so the two should take the same time.
void BM_WholeRequestOfKind(benchmark::State& state, PartKind kind) {
    const std::vector<double> parts = eSeriesValues(ESeries::E12, 1e-12, 10e-3);
    std::vector<double> targets;
    for (int i = 0; i < 16; ++i)
        targets.push_back(3.14159e-12 * std::pow(10.0, i * 0.61));
    std::size_t next = 0;
    for (auto _ : state) {
        const NetworkFinder finder(parts);
        FindRequest request = requestFor(targets[next++ % targets.size()]);
        request.kind = kind;
        benchmark::DoNotOptimize(finder.find(request));
    }
    reportPeakMemory(state);
}
BENCHMARK_CAPTURE(BM_WholeRequestOfKind, E12_1p_10m_capacitors, PartKind::Capacitor)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholeRequestOfKind, E12_1p_10m_resistors, PartKind::Resistor)
    ->Unit(benchmark::kMillisecond);

// Dividers of two to four parts: a whole request, the tables built as one
// run of `gosei-cli divider` builds them, for ratios spread over (0, 1),
// with the default bounds on the total and with none.
std::vector<double> spreadRatios() {
    std::vector<double> ratios;
    for (int i = 1; i < 16; ++i)
        ratios.push_back(i / 16.0 + 0.0031);
    return ratios;
}

void BM_WholeDividerRequest(benchmark::State& state, ESeries series, bool boundedTotal) {
    const std::vector<double> parts = eSeriesValues(series, 1, 10e6);
    const std::vector<double> ratios = spreadRatios();
    std::size_t next = 0;
    for (auto _ : state) {
        const NetworkFinder finder(parts);
        DividerRequest request;
        request.wantedNumerator = ratios[next++ % ratios.size()];
        if (boundedTotal) {
            request.lowestTotal = 10e3;
            request.highestTotal = 100e3;
        }
        benchmark::DoNotOptimize(findDividers(finder, request));
    }
    reportPeakMemory(state);
}
BENCHMARK_CAPTURE(BM_WholeDividerRequest, E24_total_10k_100k, ESeries::E24, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholeDividerRequest, E96_total_10k_100k, ESeries::E96, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholeDividerRequest, E192_total_10k_100k, ESeries::E192, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholeDividerRequest, E24_any_total, ESeries::E24, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WholeDividerRequest, E96_any_total, ESeries::E96, false)
    ->Unit(benchmark::kMillisecond);

// The same request on a smaller set, fast and exhaustive, for comparison.
void BM_FastOnSmallSet(benchmark::State& state, ESeries series, double high) {
    const std::vector<double> parts = eSeriesValues(series, 1, high);
    for (auto _ : state) {
        const NetworkFinder finder(parts);
        benchmark::DoNotOptimize(finder.find(requestFor(3.14159)));
    }
}

void BM_ExhaustiveOnSmallSet(benchmark::State& state, ESeries series, double high) {
    const std::vector<double> parts = eSeriesValues(series, 1, high);
    for (auto _ : state) {
        const auto values = testing::everyNetworkValue(parts, kMostParts);
        for (const auto& ofOneCount : values)
            benchmark::DoNotOptimize(testing::bestError(ofOneCount, 3.14159));
    }
    reportPeakMemory(state);
}
BENCHMARK_CAPTURE(BM_FastOnSmallSet, E12_two_decades, ESeries::E12, 100.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExhaustiveOnSmallSet, E12_two_decades, ESeries::E12, 100.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FastOnSmallSet, E24_one_decade, ESeries::E24, 10.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExhaustiveOnSmallSet, E24_one_decade, ESeries::E24, 10.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FastOnSmallSet, E24_two_decades, ESeries::E24, 100.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExhaustiveOnSmallSet, E24_two_decades, ESeries::E24, 100.0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
