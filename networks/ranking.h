#pragma once

#include <algorithm>
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
// kept. That band is widened by kBandSlack = 2^-40 relative, thousands of
// times what any value or band end can be off by, so nothing that ranks
// within the list is passed over.
inline constexpr double kErrorBound = 0x1p-46;
inline constexpr double kBandSlack = 0x1p-40;

// What equal errors are ranked by: fewer distinct part values first, then a
// smaller ratio of the largest part to the smallest.
struct TieKey {
    std::size_t distinct;
    double smallest;
    double largest;
};

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
    if (a.smallest == b.smallest && a.largest == b.largest) return std::strong_ordering::equal;
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
    struct Limits {
        int capacity = 3;
        // The largest |error| an item may have, as a double and exactly.
        std::optional<std::pair<double, Rational>> maxError;
        // How many offers the list takes before it admits nothing more.
        std::size_t mostExamined = std::numeric_limits<std::size_t>::max();
    };

    TopList(double wanted, Rational exactWanted, const Limits& limits, Measures measures)
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
    bool exhausted() const { return m_examined > m_limits.mostExamined; }

    void offer(Item item) {
        ++m_examined;
        if (m_capacity == 0 || exhausted()) {
            updateBand();
            return;
        }
        const double size = std::abs((m_measures.approximate(item) - m_wanted) / m_wanted);
        if (size > m_keptUpTo || (m_matchBar && !beforeMatchBar(size, item))) return;
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

    // The best items, ranked exactly.
    std::vector<Ranked<Item>> take() {
        rankExactly();
        std::vector<Ranked<Item>> ranked;
        for (const Entry* entry : bestEntries()) {
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

    // Where `capacity` items have no error at all, they are the first in
    // exact order that have none in tie order: no item has a smaller error,
    // and equal errors rank by their tie keys, then canonically. Only an
    // item whose double leaves room for no error can have none, so the
    // others need no exact ranking; neither do those past the capacity-th
    // without error in tie order, which is where many exact matches (as
    // four parts of E192 give nearly any value) save nearly all the work.
    std::optional<std::vector<const Entry*>> exactMatchesFirst() const {
        if (m_capacity == 0) return std::nullopt;
        std::vector<std::pair<TieKey, const Entry*>> candidates;
        for (const Entry& entry : m_entries)
            if (entry.size <= bound(0)) candidates.emplace_back(tieKeyOf(entry.item), &entry);
        if (candidates.size() < m_capacity) return std::nullopt;
        std::sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
            if (const auto tie = compareTieKeys(a.first, b.first); tie != 0) return tie < 0;
            return a.second->item < b.second->item;
        });
        std::vector<const Entry*> best;
        for (const auto& [tie, entry] : candidates) {
            if (exactRank(*entry).size != 0) continue;
            best.push_back(entry);
            if (best.size() == m_capacity) return best;
        }
        return std::nullopt;
    }

    // The best entries in exact order, at most `capacity` of them. Where
    // they are exact matches, the worst of them in tie order becomes the bar
    // that later items must pass to be kept.
    std::vector<const Entry*> bestEntries() {
        auto matches = exactMatchesFirst();
        if (!matches) return exactOrder();
        m_matchBar = MatchBar{tieKeyOf(matches->back()->item), matches->back()->item};
        return *std::move(matches);
    }

    // Whether an item may rank before the worst of `capacity` exact matches:
    // only where it may have no error itself and comes first in tie order.
    bool beforeMatchBar(double size, const Item& item) const {
        if (size > bound(0)) return false;
        const auto tie = compareTieKeys(tieKeyOf(item), m_matchBar->tie);
        return tie < 0 || (tie == 0 && item < m_matchBar->item);
    }

    // Keeps only the entries that rank within the capacity exactly: later
    // items can only push them further down.
    void rankExactly() {
        const std::vector<const Entry*> best = bestEntries();
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

    struct MatchBar {
        TieKey tie;
        Item item;
    };

    double m_wanted;
    Rational m_exactWanted;
    Limits m_limits;
    std::size_t m_capacity;
    Measures m_measures;
    std::set<Entry, Order> m_entries;
    typename std::set<Entry, Order>::iterator m_capacityth;  // once there are enough
    double m_keptUpTo = 0;  // the largest |error| in double still kept
    std::size_t m_examined = 0;
    // Once `capacity` exact matches are kept (see bestEntries).
    std::optional<MatchBar> m_matchBar;
    double m_lowest = 0;
    double m_highest = 0;
};

}  // namespace gosei::networks
