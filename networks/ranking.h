#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
#include <compare>
#include <cstddef>
#include <limits>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "networks/exact.h"

namespace gosei::networks {

// How the searches rank what they find, exactly.
//
// An item (a network, or a divider) has a measure, its value or its ratio,
// and an error e = measure / wanted - 1. The searches work both out in
// double, and the double is close enough to decide nearly always:
//
// - a part's double is within u = 2^-53 (relative) of its decimal;
// - a sum of positive terms is within u more than its worst term, and a
//   reciprocal adds u, to first order; a network of at most four parts goes
//   through at most eight such steps from any part (the deepest is
//   P | (P + (P | P))), so its value is within 9u; a divider's ratio or gain
//   adds a sum and a quotient: 11u;
// - the wanted value is within u, a wanted ratio (a quotient of two
//   decimals) within 3u;
// - e is worked out as (measure - wanted) / wanted, two roundings more.
//
// So |e_double - e| <= (1 + |e|)(11u + 3u) + 2u|e| < 17u (1 + |e|), and as
// |e| <= |e_double| + |e_double - e|, below 18u (1 + |e_double|) (the terms
// of second order are under 2^-100). kErrorBound = 2^-46 = 128u keeps seven
// times that as margin. Two errors whose magnitudes, as doubles, lie further
// apart than the sum of their bounds are ordered by their doubles; closer
// ones are compared exactly, in rationals, and only exactly equal errors
// tie. A maximum error is held to the same way.
//
// The searches walk sorted tables only while a value could still enter the
// list: within a band around the wanted value as wide as the worst error
// kept. That band is widened by kBandSlack = 2^-44 relative, some forty
// times what any value or band end can be off by, so nothing that ranks
// within the list is passed over. It is kept that narrow because every
// network within it is built and offered: where parts are tiny beside the
// wanted value, a wider band holds ever more networks that differ from a
// better one by a tiny part alone.
inline constexpr double kErrorBound = 0x1p-46;
inline constexpr double kBandSlack = 0x1p-44;

// What equal errors are ranked by: fewer distinct part values first, then a
// smaller ratio of the largest part to the smallest.
struct TieKey {
    std::size_t distinct;
    double smallest;
    double largest;
};

// The key of two parts, and the least key that the parts of two keys can
// have together: a key of one or two distinct values says which values they
// are, so two such keys give the joint one exactly; otherwise their values
// may coincide, and only the larger count is sure.
inline TieKey tieKeyOf(double a, double b) {
    return {a == b ? 1u : 2u, std::min(a, b), std::max(a, b)};
}
inline TieKey leastJointKey(const TieKey& a, const TieKey& b) {
    std::size_t distinct = std::max(a.distinct, b.distinct);
    if (a.distinct <= 2 && b.distinct <= 2) {
        // The values of a, and those of b that are not among them.
        const auto inA = [&](double value) { return value == a.smallest || value == a.largest; };
        distinct =
            a.distinct + (inA(b.smallest) ? 0 : 1) + (b.distinct == 2 && !inA(b.largest) ? 1 : 0);
    }
    return {distinct, std::min(a.smallest, b.smallest), std::max(a.largest, b.largest)};
}

template <typename Item>
TieKey tieKeyOf(const Item& item) {
    std::vector<double> parts = item.partValues();
    std::sort(parts.begin(), parts.end());
    const std::size_t distinct =
        static_cast<std::size_t>(std::unique(parts.begin(), parts.end()) - parts.begin());
    return {distinct, parts.front(), parts.back()};
}

// The ratios are compared by their doubles (each within 3u of its exact
// value) where those lie far enough apart, exactly otherwise.
inline std::strong_ordering compareTieKeys(const TieKey& a, const TieKey& b) {
    if (const auto order = a.distinct <=> b.distinct; order != 0) return order;
    const bool evenA = a.smallest == a.largest;
    const bool evenB = b.smallest == b.largest;
    if (evenA || evenB || (a.smallest == b.smallest && a.largest == b.largest))
        return evenB <=> evenA;  // a spread of 1 is the least; equal parts, equal spreads
    const double spreadA = a.largest / a.smallest;
    const double spreadB = b.largest / b.smallest;
    if (std::abs(spreadA - spreadB) > 0x1p-50 * std::max(spreadA, spreadB))
        return spreadA < spreadB ? std::strong_ordering::less : std::strong_ordering::greater;
    const Rational exactA = writtenValue(a.largest) / writtenValue(a.smallest);
    const Rational exactB = writtenValue(b.largest) / writtenValue(b.smallest);
    if (exactA == exactB) return std::strong_ordering::equal;
    return exactA < exactB ? std::strong_ordering::less : std::strong_ordering::greater;
}

// Equal errors are ranked by their tie keys, then in canonical order.
template <typename Item>
std::strong_ordering tieOrder(const Item& a, const Item& b) {
    if (const auto order = compareTieKeys(tieKeyOf(a), tieKeyOf(b)); order != 0) return order;
    return a <=> b;
}

// A part value and how many of it there are, fewer than a network can use.
struct ScarcePart {
    double value;
    int count;
};

// Whether `parts` uses no scarce value more times than there are of it.
// `scarce` is ascending by value.
inline bool withinStock(std::vector<double> parts, const std::vector<ScarcePart>& scarce) {
    std::sort(parts.begin(), parts.end());
    for (const ScarcePart& part : scarce) {
        const auto [first, last] = std::equal_range(parts.begin(), parts.end(), part.value);
        if (last - first > part.count) return false;
    }
    return true;
}

// What a list keeps: how many items, within which error, and when it stops
// taking offers.
struct ListLimits {
    int capacity = 3;
    // The largest |error| an item may have, as a double and exactly.
    std::optional<std::pair<double, Rational>> maxError;
    // How many offers the list takes before it admits nothing more.
    std::size_t mostExamined = std::numeric_limits<std::size_t>::max();
    // Once set, the list admits nothing more either.
    const std::atomic<bool>* cancelled = nullptr;
    // Items that use a scarce value more times than there are of it are
    // turned away; none when null or empty.
    const std::vector<ScarcePart>* scarce = nullptr;
};

// The limits a request asks for: its `top`, `maxErrorPercent` (a decimal
// as written), `mostExamined`, `cancelled` and `scarceParts`, which must
// outlive the list.
template <typename Request>
ListLimits limitsOf(const Request& request) {
    ListLimits limits;
    limits.capacity = request.top;
    limits.mostExamined = request.mostExamined;
    limits.cancelled = request.cancelled;
    if (!request.scarceParts.empty()) limits.scarce = &request.scarceParts;
    if (request.maxErrorPercent)
        limits.maxError = {*request.maxErrorPercent / 100, exactFraction(*request.maxErrorPercent)};
    return limits;
}

// An item as ranked: its error as the nearest double and exactly.
template <typename Item>
struct Ranked {
    Item item;
    double error;
    Rational exactError;
};

// The best items of one search, best first, without repeats, and the band of
// measures that may still enter. `Measures` gives an item's measure in double
// (`approximate`, worked out the same way for the same item, so that repeats
// have equal doubles) and exactly (`exact`).
//
// While the search runs, items are ranked by their doubles alone, and every
// item whose error may still be within the bound of the capacity-th is
// kept; `take` then ranks those exactly. So exact arithmetic is spent only
// on the few items close to the end of the list, once each.
template <typename Item, typename Measures>
class TopList {
  public:
    TopList(double wanted, Rational exactWanted, const ListLimits& limits, Measures measures)
        : m_wanted(wanted),
          m_exactWanted(std::move(exactWanted)),
          m_limits(limits),
          m_capacity(static_cast<std::size_t>(std::max(limits.capacity, 0))),
          m_measures(std::move(measures)),
          m_capacityth(m_entries.end()) {
        updateBand();
    }

    double wanted() const { return m_wanted; }
    // The measures an item needs to enter the list, worked out in double.
    double lowestAdmitted() const { return m_lowest; }
    double highestAdmitted() const { return m_highest; }
    std::size_t examined() const { return m_examined; }
    bool exhausted() const {
        return m_examined > m_limits.mostExamined ||
               (m_limits.cancelled && m_limits.cancelled->load(std::memory_order_relaxed));
    }

    void offer(Item item) {
        ++m_examined;
        if (m_capacity == 0 || exhausted()) {
            updateBand();
            return;
        }
        const double size = std::abs((m_measures.approximate(item) - m_wanted) / m_wanted);
        if (size > m_keptUpTo || losesToTheLast(size, item)) return;
        if (m_limits.scarce && !withinStock(item.partValues(), *m_limits.scarce)) return;
        const auto [place, added] = m_entries.insert(Entry{size, std::move(item), {}});
        if (!added) return;
        if (m_entries.size() == m_capacity) {
            m_capacityth = std::prev(m_entries.end());
        } else if (m_entries.size() > m_capacity && Order{}(*place, *m_capacityth)) {
            m_capacityth = std::prev(m_capacityth);
        }
        updateBand();
        while (!m_entries.empty() && std::prev(m_entries.end())->size > m_keptUpTo)
            m_entries.erase(std::prev(m_entries.end()));
        if (m_entries.size() > 2 * m_capacity + kRankedExactlyAbove) rankExactly();
    }

    // Whether no item whose parts include those of `parts` can enter any
    // more: the last of the list, as last ranked exactly, hits the wanted
    // value exactly, so no error can be smaller, and its tie key is better
    // than that of any such item. (An item's distinct values and spread are
    // never below those of some of its parts.)
    bool closedTo(const TieKey& parts) const {
        return m_exactLast && m_exactLast->hits && compareTieKeys(parts, m_exactLast->rank.tie) > 0;
    }

    // Whether no item whose parts include those of `parts` can enter, as
    // closedTo, and by more than the doubles of the tie keys can be off by:
    // so also none whose parts' key, as doubles, is no better than this one.
    bool closedBeyondDoubt(const TieKey& parts) const {
        if (!m_exactLast || !m_exactLast->hits) return false;
        const TieKey& last = m_exactLast->rank.tie;
        if (parts.distinct != last.distinct) return parts.distinct > last.distinct;
        return parts.largest / parts.smallest > last.largest / last.smallest * (1 + 0x1p-48);
    }

    // The best items, ranked exactly.
    std::vector<Ranked<Item>> take() {
        rankExactly();
        std::vector<Ranked<Item>> ranked;
        for (const Entry* entry : exactOrder()) {
            Rational error = exactRank(*entry).error;
            ranked.push_back({entry->item, nearestDouble(error), std::move(error)});
        }
        m_entries.clear();
        m_capacityth = m_entries.end();
        return ranked;
    }

  private:
    // Items close to the end of the list that may be kept before they are
    // ranked exactly: enough that ties of many items are ranked in batches,
    // few enough to hold little memory.
    static constexpr std::size_t kRankedExactlyAbove = 256;

    struct ExactRank {
        Rational error;
        Rational size;
        TieKey tie;
    };
    struct Entry {
        double size;  // |error| as worked out in double
        Item item;
        mutable std::optional<ExactRank> exact;  // worked out when ranked exactly
    };
    struct Order {
        bool operator()(const Entry& a, const Entry& b) const {
            if (a.size != b.size) return a.size < b.size;
            return a.item < b.item;
        }
    };

    const ExactRank& exactRank(const Entry& entry) const {
        if (!entry.exact) {
            Rational error = m_measures.exact(entry.item) / m_exactWanted - 1;
            Rational size = abs(error);
            entry.exact = ExactRank{std::move(error), std::move(size), tieKeyOf(entry.item)};
        }
        return *entry.exact;
    }

    // The entries within the largest error allowed, ranked exactly, at most
    // `capacity` of them.
    std::vector<const Entry*> exactOrder() const {
        std::vector<const Entry*> order;
        for (const Entry& entry : m_entries)
            if (!m_limits.maxError || exactRank(entry).size <= m_limits.maxError->second)
                order.push_back(&entry);
        const auto before = [this](const Entry* a, const Entry* b) {
            const ExactRank& rankA = exactRank(*a);
            const ExactRank& rankB = exactRank(*b);
            if (rankA.size != rankB.size) return rankA.size < rankB.size;
            if (const auto tie = compareTieKeys(rankA.tie, rankB.tie); tie != 0) return tie < 0;
            return a->item < b->item;
        };
        const std::size_t kept = std::min(order.size(), m_capacity);
        std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept),
                          order.end(), before);
        order.resize(kept);
        return order;
    }

    // Whether an item with this error in double cannot rank before the last
    // of the list as ranked exactly: its error cannot be smaller, so only
    // the tie rules could put it first, and they do not. Many items of the
    // same exact error (a wanted value that many networks hit) are turned
    // away here without exact arithmetic.
    bool losesToTheLast(double size, const Item& item) const {
        if (!m_exactLast) return false;
        const auto& [rank, last, lastSize, hits] = *m_exactLast;
        const bool cannotBeSmaller = hits || size - bound(size) > lastSize * (1 + 0x1p-51);
        if (!cannotBeSmaller) return false;
        const auto tie = compareTieKeys(tieKeyOf(item), rank.tie);
        return tie > 0 || (tie == 0 && !(item < last));
    }

    // Keeps only the entries that rank within the capacity exactly: later
    // items can only push them further down.
    void rankExactly() {
        const std::vector<const Entry*> best = exactOrder();
        m_exactLast.reset();
        if (m_capacity > 0 && best.size() == m_capacity) {
            const ExactRank& rank = exactRank(*best.back());
            m_exactLast =
                ExactLast{rank, best.back()->item, nearestDouble(rank.size), rank.size == 0};
        }
        for (auto entry = m_entries.begin(); entry != m_entries.end();) {
            if (std::find(best.begin(), best.end(), &*entry) == best.end()) {
                entry = m_entries.erase(entry);
            } else {
                ++entry;
            }
        }
        m_capacityth = m_capacity > 0 && m_entries.size() == m_capacity ? std::prev(m_entries.end())
                                                                        : m_entries.end();
        updateBand();
    }

    static double bound(double size) { return kErrorBound * (1 + size); }

    // Keeps every item whose error may be within the capacity-th's exactly,
    // or within the largest error allowed, and admits the measures of such
    // items, widened by kBandSlack.
    void updateBand() {
        if (m_capacity == 0 || exhausted()) {
            m_keptUpTo = -1;
            m_lowest = std::numeric_limits<double>::infinity();
            m_highest = -std::numeric_limits<double>::infinity();
            return;
        }
        m_keptUpTo = std::numeric_limits<double>::infinity();
        if (m_limits.maxError) {
            // The largest error as a double is within 2u of its decimal.
            const double most = m_limits.maxError->first;
            m_keptUpTo = most + bound(most) + 0x1p-51 * most;
        }
        if (m_entries.size() >= m_capacity) {
            const double size = m_capacityth->size;
            m_keptUpTo = std::min(m_keptUpTo, size + 3 * bound(size));
        }
        const double reach = m_keptUpTo + kBandSlack * (1 + m_keptUpTo);
        m_lowest = m_wanted * (1 - reach);
        m_highest = m_wanted * (1 + reach);
    }

    double m_wanted;
    Rational m_exactWanted;
    ListLimits m_limits;
    std::size_t m_capacity;
    Measures m_measures;
    std::set<Entry, Order> m_entries;
    typename std::set<Entry, Order>::iterator m_capacityth;  // once there are enough
    // The last of the list as last ranked exactly.
    struct ExactLast {
        ExactRank rank;
        Item item;
        double size;  // |error| as the nearest double
        bool hits;    // of the wanted value exactly
    };
    std::optional<ExactLast> m_exactLast;
    double m_keptUpTo = 0;  // the largest |error| in double still kept
    std::size_t m_examined = 0;
    double m_lowest = 0;
    double m_highest = 0;
};

}  // namespace gosei::networks
