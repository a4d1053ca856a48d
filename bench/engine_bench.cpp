// Whole calculations for the slowest targets of each series, and the batch
// throughput of the command line. The slowest targets are found by scanning
// targets over several decades for the largest number of passes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "cli/cli_commands.h"
#include "engine/calculation.h"
#include "engine/memory_window.h"
#include "engine/search.h"

namespace {

using namespace gosei;

struct Slowest {
    std::string target;
    int passes = 0;  // series and parallel passes together
};

Slowest findSlowest(Series series) {
    Slowest slowest;
    const SeriesParams& params = seriesParams(series);
    for (int step = 0; step < 9000; ++step) {
        const float wanted = 1.0f + static_cast<float>(step) * 0.001f;
        MemoryWindow window;
        const CalculationInput input = normalise(wanted);
        const SearchResult found = seriesSearch(input, params, window);
        const int passes = found.passCount +
                           parallelSearch(input, params, found.lastSingleIndex, window).passCount;
        if (passes > slowest.passes) {
            char text[32];
            std::snprintf(text, sizeof text, "%.3f", static_cast<double>(wanted));
            slowest = {text, passes};
        }
    }
    return slowest;
}

void BM_SlowestCalculation(benchmark::State& state, Series series) {
    const Slowest slowest = findSlowest(series);
    for (auto _ : state) {
        MemoryWindow window;
        window.targetText = slowest.target;
        benchmark::DoNotOptimize(runCalculation(series, window));
    }
    state.SetLabel("target " + slowest.target + ", " + std::to_string(slowest.passes) + " passes");
}
BENCHMARK_CAPTURE(BM_SlowestCalculation, E3, Series::E3);
BENCHMARK_CAPTURE(BM_SlowestCalculation, E6, Series::E6);
BENCHMARK_CAPTURE(BM_SlowestCalculation, E12, Series::E12);
BENCHMARK_CAPTURE(BM_SlowestCalculation, E24, Series::E24);

// Ordinary lines: every series, targets over many decades, with and without
// a tolerance.
std::string ordinaryBatch(int lines) {
    const char* series[] = {"E3", "E6", "E12", "E24"};
    const char* tolerances[] = {"", "", "1", "2.5"};
    std::string input;
    for (int i = 0; i < lines; ++i) {
        char target[32];
        std::snprintf(target, sizeof target, "%.4ge%d", 1.0 + (i * 0.37) - 9 * int(i * 0.37 / 9),
                      i % 13 - 6);
        input += std::string(series[i % 4]) + '\t' + target + '\t' + tolerances[(i / 4) % 4] + '\n';
    }
    return input;
}

void BM_BatchThroughput(benchmark::State& state) {
    const int lines = 10000;
    const std::string input = ordinaryBatch(lines);
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out;
        cli::runBatch(in, out);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_BatchThroughput)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
