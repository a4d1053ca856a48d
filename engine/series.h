#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace gosei {

// The standard mantissas of one decade, ordered so that every series is a
// prefix: E3 is slots 1-3, E6 1-6, E12 1-12, E24 1-24. Slot 25 is 10, the
// top of the decade; slot 0 is unused.
inline constexpr std::array<double, 26> ValueTable = {
    0.0,                            //
    1.0,  2.2, 4.7,                 // E3
    1.5,  3.3, 6.8,                 // added by E6
    1.2,  1.8, 2.7, 3.9, 5.6, 8.2,  // added by E12
    1.1,  1.3, 1.6, 2.0, 2.4, 3.0,  // added by E24
    3.6,  4.3, 5.1, 6.2, 7.5, 9.1,  //
    10.0,                           // top of the decade
};
inline constexpr int kTenSlot = 25;

enum class Series { E3, E6, E12, E24 };

enum class ExcessTolerance {
    EndCalculation,      // the message ends the calculation
    ClearAndUseDefault,  // the message empties the tolerance box and goes on
};

// Everything that distinguishes the four calculations.
struct SeriesParams {
    std::int16_t memberCount;
    float maxTolerance;
    ExcessTolerance onExcessTolerance;
    float defaultTolerance;
    double wideningStep;
    float giveUpTolerance;
    std::int16_t stopCount;
    std::int16_t capacity;
    bool skipKnownPartBInMixedStep;
};

inline constexpr int kMaxCapacity = 100;

const SeriesParams& seriesParams(Series series);

// "E3", "E6", "E12" or "E24"; anything else has no series.
std::optional<Series> seriesFromName(std::string_view name);
std::string_view seriesName(Series series);

}  // namespace gosei
