#pragma once

#include <cstdint>
#include <optional>

#include "engine/series.h"
#include "engine/window_operations.h"

namespace gosei {

// The wanted value scaled into the working decade, and the tolerance as a
// fraction. Made afresh by every calculation.
struct CalculationInput {
    float mantissa = 0.0f;
    std::int16_t DecadeExponent = 0;  // powers of ten taken out of the wanted value
    float requestedTolerance = 0.0f;  // 0 when none was given
};

// Scales a positive, finite single-precision value into the working decade:
// 1 <= mantissa < 10 for values of 1 or more, 1 < mantissa <= 10 below 1.
CalculationInput normalise(float wantedValue);

enum class InputOutcome {
    GoOn,
    GoOnWithToleranceCleared,  // E24: too loose, emptied, default used
    ToleranceRefused,          // E3, E6, E12: too loose, calculation ends
    TargetRejected,            // not a positive number
    TargetOutOfRange,          // positive, but beyond what single precision holds
};

constexpr bool goesOn(InputOutcome outcome) {
    return outcome == InputOutcome::GoOn || outcome == InputOutcome::GoOnWithToleranceCleared;
}

struct PreparedInput {
    InputOutcome outcome;
    CalculationInput input;  // meaningful only when the outcome goes on
};

// Reads both boxes, normalises the target and checks the tolerance against
// the series' limit, showing the message the outcome calls for.
PreparedInput prepareInput(const SeriesParams& params, WindowOperations& window);

// The tolerance a search starts from. A negative tolerance passes the check
// and is then treated as none.
float startTolerance(const CalculationInput& input, const SeriesParams& params);

}  // namespace gosei
