#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "networks/exact.h"
#include "networks/network.h"
#include "networks/ranking.h"

namespace gosei::networks {

// The errors a network's value (or a divider's ratio) can take when every
// part is anywhere within its tolerance, as fractions like the error.
struct ErrorRange {
    Rational low;
    Rational high;
};

// One network found for a wanted value. The ranking (see ranking.h): smaller
// |error| first, decided exactly; equal errors by fewer distinct part
// values, then by a smaller ratio of the largest to the smallest part, then
// by canonical order.
struct RankedNetwork {
    Network network;
    double error;         // the double nearest to exactError
    Rational exactError;  // value / wanted - 1
    ErrorRange worstCase;
};

inline constexpr int kMostParts = 4;

// What both searches, of networks and of dividers, are asked besides what
// they look for.
struct ListRequest {
    // The part counts to search, within 1..kMostParts (2.. for dividers).
    int fewestParts = 1;
    int mostParts = kMostParts;
    // How many results to keep for each part count.
    int top = 3;
    // The largest |error| a result may have, in percent, a decimal as
    // written; none when empty.
    std::optional<double> maxErrorPercent;
    // Each part's tolerance in percent, a decimal as written, below 100.
    double partTolerancePercent = 0;
    // How many results a search of one part count examines before it gives
    // up (see PartCountResult::examined), for a caller that must not wait.
    std::size_t mostExamined = std::numeric_limits<std::size_t>::max();
    // Set by a caller that no longer wants the answer, from any thread: the
    // search then stops as soon as it looks, and its results are not the
    // best.
    const std::atomic<bool>* cancelled = nullptr;
    // Values that a stock list holds fewer of than a result may use: no
    // result uses a value more times than given here. Ascending by value;
    // values not named may be used any number of times.
    std::vector<ScarcePart> scarceParts;
};

struct FindRequest : ListRequest {
    // The wanted value, a decimal as written (see exact.h).
    double wanted = 0;
    // Capacitor networks are the duals of the resistor networks found for
    // the same numbers (see Network::dual): the dual keeps the parts, so the
    // error, the tie keys and the worst case are the same. Ties keep the
    // order of the resistor networks, in which series groups come before
    // parallel ones: for capacitors, parallel groups (where they add) before
    // series ones.
    PartKind kind = PartKind::Resistor;
};

struct PartCountResult {
    int partCount;
    std::vector<RankedNetwork> networks;  // best first
    // The networks the search offered to its list: the work it did, a few
    // hundred to a few thousand for any request. Beyond mostExamined the
    // search stopped early and `networks` may not be the best.
    std::size_t examined;
};

// Bounds the two-part table: building it for 2,000 parts peaks near 130 MB.
// E192 over ten decades fits.
inline constexpr std::size_t kMostDistinctParts = 2000;

// The exact best networks of one to four parts taken from a set of part
// values, any value any number of times. Built once for a set of parts (its
// sorted table of every two-part value), then asked for any number of
// wanted values. network_walks.h explains the search, ranking.h how it is
// exact.
class NetworkFinder {
  public:
    // Positive values within the readers' range (see value_text.h);
    // duplicates are dropped. More than kMostDistinctParts distinct values
    // throw std::length_error.
    explicit NetworkFinder(std::vector<double> parts);

    const std::vector<double>& parts() const { return m_parts; }

    std::vector<PartCountResult> find(const FindRequest& request) const;

    // Every value two parts can make, ascending, and the network of each.
    const std::vector<double>& pairValues() const { return m_pairValues; }
    Network pairNetwork(std::size_t index) const;
    // The two parts of that network, the smaller first.
    std::pair<double, double> pairParts(std::size_t index) const;

  private:
    struct PairEntry {
        std::uint16_t first;
        std::uint16_t second;
        Join join;
    };

    std::vector<double> m_parts;           // ascending, distinct
    std::vector<double> m_pairValues;      // every two-part value, ascending
    std::vector<PairEntry> m_pairEntries;  // what makes each of them
};

// `values` without those equal to any excluded value.
std::vector<double> withoutExcluded(std::vector<double> values, std::span<const double> excluded);

}  // namespace gosei::networks
