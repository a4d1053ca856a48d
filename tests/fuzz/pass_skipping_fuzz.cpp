// Whole calculations with idle passes skipped against the same calculations
// running every pass: the lists, the passes that appended each candidate, the
// pass counts and the grids must be identical.
//
// Input: the first byte picks the series, the rest is the target text, then a
// tab and the tolerance text.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/grid.h"
#include "engine/input.h"
#include "engine/memory_window.h"
#include "engine/search.h"

namespace {

using gosei::Block;
using gosei::PassMode;
using gosei::SearchResult;

struct Calculation {
    SearchResult series;
    SearchResult parallel;
    std::array<std::string, gosei::MemoryWindow::kCellCount> cells;
};

// The steps of a calculation after the input, with the searches in one mode.
Calculation calculate(const gosei::CalculationInput& input, const gosei::SeriesParams& params,
                      PassMode mode) {
    gosei::MemoryWindow window;
    SearchResult series = gosei::seriesSearch(input, params, window, mode);
    gosei::writeBlock(window, Block::Series, series.list, input.DecadeExponent);
    SearchResult parallel =
        gosei::parallelSearch(input, params, series.lastSingleIndex, window, mode);
    gosei::writeBlock(window, Block::Parallel, parallel.list, input.DecadeExponent);
    gosei::cleanUpGrid(window);
    return {series, parallel, window.cells()};
}

const char* difference(const SearchResult& a, const SearchResult& b) {
    if (a.passCount != b.passCount) return "pass count";
    if (a.gaveUp != b.gaveUp) return "giving up";
    if (a.lastSingleIndex != b.lastSingleIndex) return "last single part";
    if (a.appendedInPass != b.appendedInPass) return "passes that appended";
    if (a.list.count() != b.list.count()) return "candidate count";
    for (int position = 1; position <= a.list.capacity(); ++position) {
        if (!(a.list.at(position) == b.list.at(position))) return "candidates";
    }
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr gosei::Series kSeries[] = {gosei::Series::E3, gosei::Series::E6, gosei::Series::E12,
                                         gosei::Series::E24};
    const gosei::Series series = kSeries[data[0] % 4];
    const std::string_view texts(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto tab = texts.find('\t');

    gosei::MemoryWindow window;
    window.targetText = texts.substr(0, tab);
    if (tab != std::string_view::npos) window.toleranceText = texts.substr(tab + 1);
    const gosei::SeriesParams& params = gosei::seriesParams(series);
    const gosei::PreparedInput prepared = gosei::prepareInput(params, window);
    if (prepared.outcome == gosei::InputOutcome::ToleranceRefused ||
        prepared.outcome == gosei::InputOutcome::TargetRejected) {
        return 0;
    }

    const Calculation skipping = calculate(prepared.input, params, PassMode::SkipIdlePasses);
    const Calculation everyPass = calculate(prepared.input, params, PassMode::RunEveryPass);
    const char* fault = nullptr;
    if (const char* d = difference(skipping.series, everyPass.series)) fault = d;
    if (const char* d = difference(skipping.parallel, everyPass.parallel)) fault = d;
    if (skipping.cells != everyPass.cells) fault = "grid";
    if (fault) {
        std::fprintf(stderr, "%s differs for %.*s, mantissa %.9g, tolerance %.9g\n", fault,
                     static_cast<int>(gosei::seriesName(series).size()),
                     gosei::seriesName(series).data(), double(prepared.input.mantissa),
                     double(prepared.input.requestedTolerance));
        std::abort();
    }
    return 0;
}
