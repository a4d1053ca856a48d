#include "networks/e_series.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace gosei::networks {
namespace {

// E24 and below have two significant figures and are not a subset of E192:
// for example 2.7 is in E24 but E192 has 2.71. Each of E12, E6, E3 takes
// every second value of the series above it.
constexpr std::array<int, 24> kE24 = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                                      330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};

// E96 takes every second value of E192, E48 every fourth. 920 is the
// standard's value where rounding 10^(i/192) would give 919.
constexpr std::array<int, 192> kE192 = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123,
    124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152,
    154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176, 178, 180, 182, 184, 187, 189,
    191, 193, 196, 198, 200, 203, 205, 208, 210, 213, 215, 218, 221, 223, 226, 229, 232, 234,
    237, 240, 243, 246, 249, 252, 255, 258, 261, 264, 267, 271, 274, 277, 280, 284, 287, 291,
    294, 298, 301, 305, 309, 312, 316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361,
    365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448,
    453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673, 681, 690,
    698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

template <std::size_t Size, std::size_t Step>
constexpr auto everyNth(const std::array<int, Size>& values) {
    std::array<int, Size / Step> picked{};
    for (std::size_t i = 0; i < picked.size(); ++i)
        picked[i] = values[i * Step];
    return picked;
}

constexpr std::array<int, 1> kE1 = {100};
constexpr auto kE3 = everyNth<24, 8>(kE24);
constexpr auto kE6 = everyNth<24, 4>(kE24);
constexpr auto kE12 = everyNth<24, 2>(kE24);
constexpr auto kE48 = everyNth<192, 4>(kE192);
constexpr auto kE96 = everyNth<192, 2>(kE192);

struct Named {
    ESeries series;
    std::string_view name;
};
constexpr std::array<Named, 8> kNames = {{{ESeries::E1, "E1"},
                                          {ESeries::E3, "E3"},
                                          {ESeries::E6, "E6"},
                                          {ESeries::E12, "E12"},
                                          {ESeries::E24, "E24"},
                                          {ESeries::E48, "E48"},
                                          {ESeries::E96, "E96"},
                                          {ESeries::E192, "E192"}}};

// mantissa * 10^(exponent - 2) with a single rounding: both operands of the
// one multiplication or division are exact.
double scaled(int mantissa, int exponent) {
    const int shift = exponent - 2;
    const double power = std::pow(10.0, std::abs(shift));
    return shift >= 0 ? mantissa * power : mantissa / power;
}

}  // namespace

std::optional<ESeries> eSeriesFromName(std::string_view name) {
    for (const Named& named : kNames)
        if (named.name == name) return named.series;
    return std::nullopt;
}

std::string_view eSeriesName(ESeries series) {
    return kNames[static_cast<std::size_t>(series)].name;
}

std::span<const int> decadeMantissas(ESeries series) {
    switch (series) {
        case ESeries::E1:
            return kE1;
        case ESeries::E3:
            return kE3;
        case ESeries::E6:
            return kE6;
        case ESeries::E12:
            return kE12;
        case ESeries::E24:
            return kE24;
        case ESeries::E48:
            return kE48;
        case ESeries::E96:
            return kE96;
        case ESeries::E192:
            return kE192;
    }
    return kE1;
}

std::vector<double> eSeriesValues(ESeries series, double low, double high) {
    std::vector<double> values;
    if (!(low > 0) || !(high >= low) || !std::isfinite(high)) return values;
    const int first = static_cast<int>(std::floor(std::log10(low))) - 1;
    const int last = static_cast<int>(std::floor(std::log10(high))) + 1;
    for (int exponent = first; exponent <= last; ++exponent) {
        for (int mantissa : decadeMantissas(series)) {
            const double value = scaled(mantissa, exponent);
            if (value >= low && value <= high) values.push_back(value);
        }
    }
    return values;
}

}  // namespace gosei::networks
