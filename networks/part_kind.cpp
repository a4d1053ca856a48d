#include "networks/part_kind.h"

#include <array>

namespace gosei::networks {
namespace {

// Rows E1 to E192, columns resistors, capacitors, inductors. Resistors
// follow the series' definition. Capacitors: E3 and E6 parts (electrolytics
// and most ceramics) are ±20 %, E12 ±10 %, E24 (C0G, film) ±5 %, and the
// finer series as for resistors. Inductors: E6 ±20 %, E12 ±10 %, and
// otherwise as resistors but no finer than the ±5 % of precision parts.
constexpr std::array<std::array<double, 3>, 8> kUsualTolerance = {{
    {0, 0, 0},
    {40, 20, 40},
    {20, 20, 20},
    {10, 10, 10},
    {5, 5, 5},
    {2, 2, 5},
    {1, 1, 5},
    {0.5, 0.5, 5},
}};

}  // namespace

std::optional<PartKind> partKindFromLetter(std::string_view letter) {
    std::string ascii = asciiForms(letter);
    if (ascii.size() == 1 && ascii[0] >= 'a' && ascii[0] <= 'z')
        ascii[0] = static_cast<char>(ascii[0] - 'a' + 'A');
    for (const PartKindFacts& facts : kPartKinds)
        if (facts.letter == ascii) return facts.kind;
    return std::nullopt;
}

std::optional<PartKind> partKindOf(Unit unit) {
    for (const PartKindFacts& facts : kPartKinds)
        if (facts.unit == unit) return facts.kind;
    return std::nullopt;
}

double usualTolerancePercent(ESeries series, PartKind kind) {
    return kUsualTolerance[static_cast<std::size_t>(series)][static_cast<std::size_t>(kind)];
}

}  // namespace gosei::networks
