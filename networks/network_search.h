#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "networks/network.h"

namespace gosei::networks {

// One network found for a wanted value.
struct RankedNetwork {
    Network network;
    double error;  // (value - wanted) / wanted
};

// The ranking: smaller absolute error first; errors within kErrorTie of each
// other count as equal (different arrangements of the same value round
// differently), and then fewer distinct part values come first, then a
// smaller ratio of the largest to the smallest part, then canonical order.
inline constexpr double kErrorTie = 1e-12;
bool ranksBefore(const RankedNetwork& a, const RankedNetwork& b);

struct FindRequest {
    double wanted = 0;
    // The part counts to search, within 1..kMostParts.
    int fewestParts = 1;
    int mostParts = 4;
    // How many networks to keep for each part count.
    int top = 3;
    // The largest relative error (not percent) a network may have.
    double maxError = std::numeric_limits<double>::infinity();
};

struct PartCountResult {
    int partCount;
    std::vector<RankedNetwork> networks;  // best first
};

inline constexpr int kMostParts = 4;
// Bounds the two-part table: building it for 2,000 parts peaks near 130 MB.
// E192 over ten decades fits.
inline constexpr std::size_t kMostDistinctParts = 2000;

// The exact best networks of one to four parts taken from a set of part
// values, any value any number of times. Built once for a set of parts, then
// asked for any number of wanted values.
//
// Every series-parallel network of up to four parts is, up to the order of
// members, one of these binary shapes, where P is a part, W a network of two
// parts and + either join:
//     P,   W,   P + W,   W + W,   P + (P + W)
// The last with both joins equal is also W + W, so only the mixed joins
// remain. For each shape all but the innermost W are enumerated; that W is
// looked up in a sorted table of all two-part values. The network's value
// rises with W, so the entries next to the W that would be exact are the
// best, and walking outwards from there finds the next best in order.
class NetworkFinder {
  public:
    // Positive, finite values; duplicates are dropped. More than
    // kMostDistinctParts distinct values throw std::length_error.
    explicit NetworkFinder(std::vector<double> parts);

    const std::vector<double>& parts() const { return m_parts; }

    // The smallest and largest value `partCount` parts can make: all of the
    // smallest in parallel, all of the largest in series.
    double lowestReachable(int partCount) const;
    double highestReachable(int partCount) const;

    std::vector<PartCountResult> find(const FindRequest& request) const;

    // Every value two parts can make, ascending, and the network of each.
    const std::vector<double>& pairValues() const { return m_pairValues; }
    Network pairNetwork(std::size_t index) const;

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

// `values` without those within a relative 1e-9 of any excluded value.
std::vector<double> withoutExcluded(std::vector<double> values, std::span<const double> excluded);

}  // namespace gosei::networks
