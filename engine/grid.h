#pragma once

#include <string>

#include "engine/search.h"
#include "engine/window_operations.h"

namespace gosei {

// Writes positions 1 to 3 of a list into a block, row by row: part values and
// the combined value rounded in the working decade and scaled back by
// 10^decadeExponent, the error in percent rounded down to one decimal.
void writeBlock(WindowOperations& window, Block block, const CandidateList& list,
                int decadeExponent);

// Empties rows that hold no candidate and writes "不要" beside a series part
// that stands alone, reading the cells back from the window.
void cleanUpGrid(WindowOperations& window);

inline constexpr std::string_view kNotNeeded = "不要";

// Whether a cell text reads as the number zero. An emptied cell does, so a
// row that the clean-up emptied stays empty.
bool readsAsZero(std::string_view cellText);

// 10^exponent as the double nearest to the exact power.
double powerOfTen(int exponent);

}  // namespace gosei
