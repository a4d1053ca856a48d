#include "engine/input.h"

#include <string>

#include "engine/number_text.h"

namespace gosei {
namespace {

// A number too small or too large for a double reads as 0 or infinity, which
// the range test refuses as well.
bool isWithinRange(double target) {
    return target >= kSmallestTarget && target <= kLargestTarget;
}

}  // namespace

CalculationInput normalise(float wantedValue) {
    CalculationInput input;
    input.mantissa = wantedValue;
    if (input.mantissa >= 10.0f) {
        while (input.mantissa >= 10.0f) {
            input.mantissa = static_cast<float>(static_cast<double>(input.mantissa) / 10.0);
            ++input.DecadeExponent;
        }
    } else if (input.mantissa < 1.0f) {
        // Strictly greater than 1: a value that reaches exactly 1 goes on to 10.
        while (!(input.mantissa > 1.0f)) {
            input.mantissa = static_cast<float>(static_cast<double>(input.mantissa) * 10.0);
            --input.DecadeExponent;
        }
    }
    return input;
}

PreparedInput prepareInput(const SeriesParams& params, WindowOperations& window) {
    const std::string targetText = window.readTargetText();
    if (leadingNumberSign(targetText) <= 0) {
        window.showTargetMessage();
        return {InputOutcome::TargetRejected, {}};
    }
    const double target = leadingNumber(targetText);
    if (!isWithinRange(target)) {
        window.showRangeMessage();
        return {InputOutcome::TargetOutOfRange, {}};
    }
    CalculationInput input = normalise(static_cast<float>(target));
    input.requestedTolerance =
        static_cast<float>(leadingNumber(window.readToleranceText()) / 100.0);

    if (!(input.requestedTolerance > params.maxTolerance)) return {InputOutcome::GoOn, input};
    window.showToleranceMessage();
    if (params.onExcessTolerance == ExcessTolerance::EndCalculation) {
        return {InputOutcome::ToleranceRefused, {}};
    }
    window.clearToleranceText();
    input.requestedTolerance = 0.0f;
    return {InputOutcome::GoOnWithToleranceCleared, input};
}

float startTolerance(const CalculationInput& input, const SeriesParams& params) {
    return input.requestedTolerance > 0.0f ? input.requestedTolerance : params.defaultTolerance;
}

}  // namespace gosei
