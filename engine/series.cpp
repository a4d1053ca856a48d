#include "engine/series.h"

namespace gosei {
namespace {

// The rows differ on purpose: E3 gives up later, E12 starts at 0.0003 but
// widens by 0.0002, E24 keeps 100 candidates and goes on after the message,
// and only E3 skips known second parts in the mixed-decade parallel step.
constexpr SeriesParams kE3{3,  0.33f, ExcessTolerance::EndCalculation, 0.001f, 0.001, 0.5f, 3,
                           30, true};
constexpr SeriesParams kE6{6,  0.2f, ExcessTolerance::EndCalculation, 0.001f, 0.001, 0.3f, 3,
                           30, false};
constexpr SeriesParams kE12{12, 0.1f, ExcessTolerance::EndCalculation, 0.0003f, 0.0002, 0.3f, 3,
                            30, false};
constexpr SeriesParams kE24{
    24, 0.05f, ExcessTolerance::ClearAndUseDefault, 0.0001f, 0.0001, 0.3f, 3, 100, false};

static_assert(kE24.capacity <= kMaxCapacity);

}  // namespace

const SeriesParams& seriesParams(Series series) {
    switch (series) {
        case Series::E3:
            return kE3;
        case Series::E6:
            return kE6;
        case Series::E12:
            return kE12;
        case Series::E24:
            return kE24;
    }
    return kE6;
}

std::optional<Series> seriesFromName(std::string_view name) {
    for (Series series : {Series::E3, Series::E6, Series::E12, Series::E24}) {
        if (name == seriesName(series)) return series;
    }
    return std::nullopt;
}

std::string_view seriesName(Series series) {
    switch (series) {
        case Series::E3:
            return "E3";
        case Series::E6:
            return "E6";
        case Series::E12:
            return "E12";
        case Series::E24:
            return "E24";
    }
    return "";
}

}  // namespace gosei
