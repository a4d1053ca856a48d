#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "networks/e_series.h"
#include "networks/value_text.h"

namespace gosei::networks {

// What the parts of a network are. Resistors and inductors add in series;
// capacitors add in parallel and combine by reciprocals in series. The
// searches work in resistors' terms: a network's capacitance is the
// resistance of its dual, the same parts with series and parallel swapped
// (see Network::dual).
enum class PartKind { Resistor, Capacitor, Inductor };

struct PartKindFacts {
    PartKind kind;
    std::string_view letter;    // "R", "C", "L", as --kind takes it
    std::string_view japanese;  // 抵抗, コンデンサ, コイル
    std::string_view english;   // "resistors"
    Unit unit;                  // which letters its values may carry
    std::string_view unitSign;  // "Ω", "F", "H"
    std::string_view unitName;  // "ohms", "farads", "henries"
    // The parts a request takes unless it names others.
    ESeries series;
    double low, high;
};

// In the order of PartKind, which factsOf relies on.
inline constexpr std::array<PartKindFacts, 3> kPartKinds = {{
    {PartKind::Resistor, "R", "抵抗", "resistors", Unit::Ohm, "Ω", "ohms", ESeries::E24, 1, 10e6},
    {PartKind::Capacitor, "C", "コンデンサ", "capacitors", Unit::Farad, "F", "farads", ESeries::E12,
     1e-12, 10e-3},
    {PartKind::Inductor, "L", "コイル", "inductors", Unit::Henry, "H", "henries", ESeries::E12,
     1e-9, 1},
}};

constexpr const PartKindFacts& factsOf(PartKind kind) {
    return kPartKinds[static_cast<std::size_t>(kind)];
}

// "R", "C" or "L" in either case, full-width too.
std::optional<PartKind> partKindFromLetter(std::string_view letter);
// The kind whose values are written in `unit`, if any is.
std::optional<PartKind> partKindOf(Unit unit);

// The tolerance parts of the kind and series are usually sold with, in
// percent (none, 0, for E1).
double usualTolerancePercent(ESeries series, PartKind kind);

}  // namespace gosei::networks
