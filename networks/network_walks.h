#pragma once

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <limits>
#include <vector>

#include "networks/network.h"
#include "networks/network_search.h"
#include "networks/ranking.h"

namespace gosei::networks {

// The walks behind both searches, over the tables of a NetworkFinder.
//
// Every series-parallel network of up to four parts is, up to the order of
// members, one of these binary shapes, where P is a part, W a network of two
// parts and + either join:
//     P,   W,   P + W,   W + W,   P + (P + W)
// The last with both joins equal is also W + W, so only the mixed joins
// remain. For each shape all but the innermost W are enumerated; that W is
// looked up in the sorted table of all two-part values. The network's value
// rises with W, so the entries next to the W that would be exact are the
// best, and walking outwards from there finds the next best in order, for as
// long as the sink still admits the values.

// What the walks offer networks to: the value to walk out from (where a
// network would be best), the band of values that may still enter, both
// worked out in double, whether no network with some given parts can enter
// any more (see TopList::closedTo), whether no item with those parts among
// its own can (TopList::closedBeyondDoubt), and the offer.
template <typename Sink>
concept NetworkSink = requires(Sink& sink, const Sink& view, Network network, TieKey parts) {
    { view.wanted() } -> std::convertible_to<double>;
    { view.lowestAdmitted() } -> std::convertible_to<double>;
    { view.highestAdmitted() } -> std::convertible_to<double>;
    { view.closedTo(parts) } -> std::convertible_to<bool>;
    { view.closedBeyondDoubt(parts) } -> std::convertible_to<bool>;
    sink.offer(std::move(network));
};

namespace walk_detail {

inline constexpr std::array<Join, 2> kJoins = {Join::Series, Join::Parallel};

inline Join otherJoin(Join join) {
    return join == Join::Series ? Join::Parallel : Join::Series;
}

inline double combined(Join join, double a, double b) {
    return join == Join::Series ? a + b : 1.0 / (1.0 / a + 1.0 / b);
}

// The value `rest` must have for `combined(join, part, rest)` to equal
// `total`: 0 when every rest gives too much, infinity when no rest gives
// enough. Both combinations rise with `rest`, so this is where the best
// rests are.
inline double restFor(Join join, double total, double part) {
    if (join == Join::Series) return total > part ? total - part : 0.0;
    if (total >= part) return std::numeric_limits<double>::infinity();
    if (total == 0) return 0.0;
    return 1.0 / (1.0 / total - 1.0 / part);
}

template <NetworkSink Sink>
bool admitsAny(const Sink& sink) {
    return sink.lowestAdmitted() <= sink.highestAdmitted();
}

template <NetworkSink Sink>
bool admits(const Sink& sink, double value) {
    return value >= sink.lowestAdmitted() && value <= sink.highestAdmitted();
}

// Offers the entries from `begin` to `end` of an ascending table on both
// sides of `split`, each side walked away from it while the sink admits its
// values. `valueAt(i)` must rise with i, and `split` must be where the
// wanted value falls between valueAt(split - 1) and valueAt(split), or
// `begin` if the wanted value lies below valueAt(begin). An entry whose
// parts (`partsAt(i)`) the sink is closed to is passed over unbuilt.
template <NetworkSink Sink, typename ValueAt, typename PartsAt, typename NetworkAt>
void walkOutwards(std::size_t begin, std::size_t split, std::size_t end, Sink& sink,
                  ValueAt valueAt, PartsAt partsAt, NetworkAt networkAt) {
    const auto offer = [&](std::size_t i) {
        if (!sink.closedTo(partsAt(i))) sink.offer(networkAt(i));
    };
    for (std::size_t i = split; i < end && admits(sink, valueAt(i)); ++i)
        offer(i);
    for (std::size_t i = split; i > begin && admits(sink, valueAt(i - 1)); --i)
        offer(i - 1);
}

inline std::size_t lowerBound(const std::vector<double>& sorted, std::size_t end, double value) {
    return static_cast<std::size_t>(
        std::lower_bound(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(end), value) -
        sorted.begin());
}

// The same, for a value expected just below sorted[end]: steps down in
// doubling strides, then searches the last stride, so that a run of lookups
// for slowly falling values costs a few steps each.
inline std::size_t lowerBoundBelow(const std::vector<double>& sorted, std::size_t end,
                                   double value) {
    std::size_t stride = 1;
    std::size_t high = end;
    while (stride <= high && sorted[high - stride] >= value) {
        high -= stride;
        stride *= 2;
    }
    const std::size_t low = stride <= high ? high - stride : 0;
    return static_cast<std::size_t>(
        std::lower_bound(sorted.begin() + static_cast<std::ptrdiff_t>(low),
                         sorted.begin() + static_cast<std::ptrdiff_t>(high), value) -
        sorted.begin());
}

// The same, for a value expected near sorted[hint]: steps away from it in
// doubling strides, then searches the last stride.
inline std::size_t lowerBoundNear(const std::vector<double>& sorted, std::size_t hint,
                                  double value) {
    const std::size_t size = sorted.size();
    if (hint < size && sorted[hint] < value) {
        std::size_t low = hint + 1;  // sorted[low - 1] < value
        std::size_t stride = 1;
        while (low + stride - 1 < size && sorted[low + stride - 1] < value) {
            low += stride;
            stride *= 2;
        }
        const std::size_t high = std::min(size, low + stride - 1);
        return static_cast<std::size_t>(
            std::lower_bound(sorted.begin() + static_cast<std::ptrdiff_t>(low),
                             sorted.begin() + static_cast<std::ptrdiff_t>(high), value) -
            sorted.begin());
    }
    return lowerBoundBelow(sorted, std::min(hint, size), value);
}

}  // namespace walk_detail

class NetworkWalks {
  public:
    explicit NetworkWalks(const NetworkFinder& finder)
        : m_parts(finder.parts()), m_pairs(finder.pairValues()), m_finder(finder) {}

    // Offers the sink the networks of `partCount` parts (1 to 4) whose
    // values it admits, best first within each walk.
    template <NetworkSink Sink>
    void walk(int partCount, Sink& sink) const {
        switch (partCount) {
            case 1:
                singleParts(sink);
                break;
            case 2:
                pairs(sink);
                break;
            case 3:
                partWithPair(sink);
                break;
            case 4:
                pairWithPair(sink);
                partWithPartAndPair(sink);
                break;
        }
    }

  private:
    template <NetworkSink Sink>
    void singleParts(Sink& sink) const {
        using namespace walk_detail;
        walkOutwards(
            0, lowerBound(m_parts, m_parts.size(), sink.wanted()), m_parts.size(), sink,
            [&](std::size_t i) { return m_parts[i]; },
            [&](std::size_t i) { return tieKeyOf(m_parts[i], m_parts[i]); },
            [&](std::size_t i) { return Network::part(m_parts[i]); });
    }

    template <NetworkSink Sink>
    void pairs(Sink& sink) const {
        using namespace walk_detail;
        walkPairs(
            0, lowerBound(m_pairs, m_pairs.size(), sink.wanted()), sink,
            [&](std::size_t i) { return m_pairs[i]; }, [&](std::size_t i) { return pairKey(i); },
            [&](std::size_t i) { return m_finder.pairNetwork(i); });
    }

    // P + W for both joins, the parts visited from the balanced ones (a part
    // near a third of the wanted value in series, three times it in
    // parallel) outwards, for the reason pairWithPair gives.
    template <NetworkSink Sink>
    void partWithPair(Sink& sink) const {
        using namespace walk_detail;
        for (Join join : kJoins) {
            const double balanced = join == Join::Series ? sink.wanted() / 3 : sink.wanted() * 3;
            const std::size_t balance = lowerBound(m_parts, m_parts.size(), balanced);
            std::size_t split = m_pairs.size();
            const auto visit = [&](std::size_t index) {
                const double part = m_parts[index];
                if (sink.closedTo(tieKeyOf(part, part))) return;
                split = lowerBoundNear(m_pairs, split, restFor(join, sink.wanted(), part));
                walkPairs(
                    0, split, sink, [&](std::size_t i) { return combined(join, part, m_pairs[i]); },
                    [&](std::size_t i) { return leastJointKey(tieKeyOf(part, part), pairKey(i)); },
                    [&](std::size_t i) {
                        return Network::joined(join, Network::part(part), m_finder.pairNetwork(i));
                    });
            };
            // P + W lies above P, and P | W below it.
            const bool series = join == Join::Series;
            for (std::size_t index = balance; index > 0 && admitsAny(sink); --index) {
                if (!series && m_parts[index - 1] < sink.lowestAdmitted()) break;
                visit(index - 1);
            }
            for (std::size_t index = balance; index < m_parts.size() && admitsAny(sink); ++index) {
                if (series && m_parts[index] > sink.highestAdmitted()) break;
                visit(index);
            }
        }
    }

    // W + W for both joins, each two pairs met once: from the first in table
    // order, looking at the second from there up. The firsts are visited from
    // the balanced ones (the first with itself near the wanted value) down,
    // then up from there: balanced networks have close parts, which win
    // ties, so that a list that many networks hit exactly soon holds the
    // winners and is closed to the rest (see TopList::closedTo). Once a
    // first above the balance with itself gives too much, so does every
    // later one with anything from there up.
    template <NetworkSink Sink>
    void pairWithPair(Sink& sink) const {
        using namespace walk_detail;
        for (Join join : kJoins) {
            const double balanced = join == Join::Series ? sink.wanted() / 2 : sink.wanted() * 2;
            const std::size_t balance = lowerBound(m_pairs, m_pairs.size(), balanced);
            std::size_t split = balance;
            const auto visit = [&](std::size_t first) {
                const double pair = m_pairs[first];
                split = lowerBoundNear(m_pairs, split, restFor(join, sink.wanted(), pair));
                const TieKey firstKey = pairKey(first);
                if (sink.closedTo(firstKey)) return;
                walkPairs(
                    first, std::max(split, first), sink,
                    [&](std::size_t i) { return combined(join, pair, m_pairs[i]); },
                    [&](std::size_t i) { return leastJointKey(firstKey, pairKey(i)); },
                    [&](std::size_t i) {
                        return Network::joined(join, m_finder.pairNetwork(first),
                                               m_finder.pairNetwork(i));
                    });
            };
            for (std::size_t first = balance; first > 0 && admitsAny(sink); --first)
                visit(first - 1);
            split = balance;
            for (std::size_t first = balance; first < m_pairs.size(); ++first) {
                if (combined(join, m_pairs[first], m_pairs[first]) > sink.highestAdmitted()) break;
                visit(first);
            }
        }
    }

    // P + (P | W) and P | (P + W). For one outer part, the rest needed falls
    // as the inner part rises, so each lookup only searches below the last.
    // Parts whose networks cannot reach the values the sink admits are
    // skipped without a lookup: P + (P | W) lies above its outer part and
    // below its value with W infinite; P | (P + W) lies below its value with
    // W infinite and above its value with W zero.
    template <NetworkSink Sink>
    void partWithPartAndPair(Sink& sink) const {
        using namespace walk_detail;
        const double infinity = std::numeric_limits<double>::infinity();
        for (Join outer : kJoins) {
            const Join inner = otherJoin(outer);
            const bool outerSeries = outer == Join::Series;
            for (double outerPart : m_parts) {
                if (outerSeries && outerPart > sink.highestAdmitted()) break;
                if (!outerSeries && combined(outer, outerPart, infinity) < sink.lowestAdmitted())
                    continue;
                const double innerTotal = restFor(outer, sink.wanted(), outerPart);
                std::size_t split = m_pairs.size();
                for (double innerPart : m_parts) {
                    const double extreme = combined(
                        outer, outerPart, combined(inner, innerPart, outerSeries ? infinity : 0.0));
                    if (outerSeries && extreme < sink.lowestAdmitted()) continue;
                    if (!outerSeries && extreme > sink.highestAdmitted()) break;
                    const TieKey partsKey = tieKeyOf(outerPart, innerPart);
                    if (sink.closedTo(partsKey)) continue;
                    split = lowerBoundBelow(m_pairs, split, restFor(inner, innerTotal, innerPart));
                    walkPairs(
                        0, split, sink,
                        [&](std::size_t i) {
                            return combined(outer, outerPart,
                                            combined(inner, innerPart, m_pairs[i]));
                        },
                        [&](std::size_t i) { return leastJointKey(partsKey, pairKey(i)); },
                        [&](std::size_t i) {
                            return Network::joined(outer, Network::part(outerPart),
                                                   Network::joined(inner, Network::part(innerPart),
                                                                   m_finder.pairNetwork(i)));
                        });
                }
            }
        }
    }

    // walkOutwards over the pair table, from `split` up to its end and down
    // to `begin`, a run of equal values at a time. The entries of a run stand
    // in the order of their own parts' tie keys (see NetworkFinder), and no
    // network's key is better than that of some of its parts, so a run is
    // left at the first entry whose own key the sink is closed to beyond
    // doubt: every later one's is no better. Where many two-part networks
    // share a value (sums of whole numbers), most of each run is passed over.
    template <NetworkSink Sink, typename ValueAt, typename PartsAt, typename NetworkAt>
    void walkPairs(std::size_t begin, std::size_t split, Sink& sink, ValueAt valueAt,
                   PartsAt partsAt, NetworkAt networkAt) const {
        using namespace walk_detail;
        const auto offerRun = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i) {
                if (!sink.closedTo(partsAt(i))) {
                    sink.offer(networkAt(i));
                } else if (sink.closedBeyondDoubt(pairKey(i))) {
                    return;
                }
            }
        };
        const std::size_t end = m_pairs.size();
        for (std::size_t i = split; i < end && admits(sink, valueAt(i));) {
            std::size_t runEnd = i + 1;
            while (runEnd < end && m_pairs[runEnd] == m_pairs[i])
                ++runEnd;
            offerRun(i, runEnd);
            i = runEnd;
        }
        for (std::size_t i = split; i > begin && admits(sink, valueAt(i - 1));) {
            std::size_t runStart = i - 1;
            while (runStart > begin && m_pairs[runStart - 1] == m_pairs[i - 1])
                --runStart;
            offerRun(runStart, i);
            i = runStart;
        }
    }

    TieKey pairKey(std::size_t index) const {
        const auto [smaller, larger] = m_finder.pairParts(index);
        return tieKeyOf(smaller, larger);
    }

    const std::vector<double>& m_parts;
    const std::vector<double>& m_pairs;
    const NetworkFinder& m_finder;
};

}  // namespace gosei::networks
