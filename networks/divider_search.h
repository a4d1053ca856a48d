#pragma once

#include <atomic>
#include <compare>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "networks/exact.h"
#include "networks/network.h"
#include "networks/network_search.h"

namespace gosei::networks {

// A voltage divider: `top` between the input and the output tap, `bottom`
// between the tap and ground, each a network of one part or more.
struct Divider {
    Network top;
    Network bottom;

    int partCount() const { return top.partCount() + bottom.partCount(); }
    // The top's parts in writing order, then the bottom's.
    std::vector<double> partValues() const;
    // Vout / Vin = bottom / (top + bottom), and the total top + bottom.
    Rational exactRatio() const;
    Rational exactTotal() const;

    // Canonical order: by top, then by bottom.
    std::strong_ordering operator<=>(const Divider& other) const;
    bool operator==(const Divider& other) const = default;
};

// What a divider is measured by: its ratio Vout / Vin, or for a regulator,
// which holds the tap at Vref, its gain Vout / Vref = (top + bottom) /
// bottom, so that the error is the error of the output voltage.
enum class DividerMeasure { Ratio, Gain };

struct DividerRequest : ListRequest {
    // Both arms together have at least two parts.
    DividerRequest() { fewestParts = 2; }

    DividerMeasure measure = DividerMeasure::Ratio;
    // The wanted measure as a quotient of two decimals as written: a ratio
    // 0.66 is 0.66 / 1, "3.3/5" is 3.3 / 5; a regulator's gain for 3.3 V
    // out from a 0.8 V reference is 3.3 / 0.8. A ratio lies between 0 and
    // 1, a gain above 1.
    double wantedNumerator = 0;
    double wantedDenominator = 1;
    // The bounds of top + bottom, decimals as written (0 and infinity for
    // none).
    double lowestTotal = 0;
    double highestTotal = std::numeric_limits<double>::infinity();

    // The wanted measure exactly.
    Rational exactWanted() const;
};

struct RankedDivider {
    Divider divider;
    double error;         // the double nearest to exactError
    Rational exactError;  // measure / wanted - 1
    ErrorRange worstCase;
};

struct DividerPartCountResult {
    int partCount;
    std::vector<RankedDivider> dividers;  // best first
    std::size_t examined;                 // as PartCountResult::examined
};

// The exact best dividers of each part count from the parts of `finder`,
// ranked as networks are (ranking.h), the parts of both arms taken together
// for the ties.
//
// For each way to share the parts between the arms, the arm with fewer
// parts is enumerated (a part, or an entry of the table of two-part
// values), and for each of its values the other arm is walked as a network
// search would walk it (network_walks.h), outwards from the value that
// would make the divider exact, within the band of values that could still
// enter the list and keep the total within its bounds. The measure rises or
// falls with the walked arm, so the walks find the best in order.
std::vector<DividerPartCountResult> findDividers(const NetworkFinder& finder,
                                                 const DividerRequest& request);

}  // namespace gosei::networks
