#include "engine/input.h"

#include <cmath>

#include "engine/number_text.h"

namespace gosei {
namespace {

bool isUsableTarget(double target) {
    if (!(target > 0.0)) return false;
    const auto single = static_cast<float>(target);
    return single != 0.0f && std::isfinite(single);
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
    const double target = leadingNumber(window.readTargetText());
    if (!isUsableTarget(target)) {
        window.showTargetMessage();
        return {InputOutcome::TargetRejected, {}};
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
