#include "engine/calculation.h"

#include "engine/grid.h"
#include "engine/search.h"

namespace gosei {

InputOutcome runCalculation(Series series, WindowOperations& window) {
    const SeriesParams& params = seriesParams(series);
    const PreparedInput prepared = prepareInput(params, window);
    if (!goesOn(prepared.outcome)) return prepared.outcome;
    const CalculationInput& input = prepared.input;

    const SearchResult seriesFound = seriesSearch(input, params, window);
    writeBlock(window, Block::Series, seriesFound.list, input.DecadeExponent);

    const SearchResult parallelFound =
        parallelSearch(input, params, seriesFound.lastSingleIndex, window);
    writeBlock(window, Block::Parallel, parallelFound.list, input.DecadeExponent);

    cleanUpGrid(window);
    return prepared.outcome;
}

}  // namespace gosei
