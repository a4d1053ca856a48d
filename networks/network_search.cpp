#include "networks/network_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace gosei::networks {
namespace {

constexpr std::array<Join, 2> kJoins = {Join::Series, Join::Parallel};

Join otherJoin(Join join) {
    return join == Join::Series ? Join::Parallel : Join::Series;
}

double combined(Join join, double a, double b) {
    return join == Join::Series ? a + b : 1.0 / (1.0 / a + 1.0 / b);
}

// The value `rest` must have for `combined(join, part, rest)` to equal
// `total`: 0 when every rest gives too much, infinity when no rest gives
// enough. Both combinations rise with `rest`, so this is where the best
// rests are.
double restFor(Join join, double total, double part) {
    if (join == Join::Series) return total > part ? total - part : 0.0;
    if (total >= part) return std::numeric_limits<double>::infinity();
    if (total == 0) return 0.0;
    return 1.0 / (1.0 / total - 1.0 / part);
}

// The best networks of one part count, best first, without repeats.
class TopList {
  public:
    TopList(double wanted, int capacity, double maxError)
        : m_wanted(wanted),
          m_capacity(static_cast<std::size_t>(std::max(capacity, 0))),
          m_maxError(maxError) {
        updateAdmitted();
    }

    // Whether a network of this value could still enter the list: a test
    // of the value alone, so that searches ask before they build a network.
    // Errors within kErrorTie of the last entry's pass, as the tie rules may
    // still favour them.
    bool admits(double value) const { return value >= m_lowest && value <= m_highest; }
    double lowestAdmitted() const { return m_lowest; }
    double highestAdmitted() const { return m_highest; }

    void offer(Network network) {
        RankedNetwork candidate{std::move(network), 0.0};
        candidate.error = (candidate.network.value() - m_wanted) / m_wanted;
        if (m_capacity == 0 || std::abs(candidate.error) > m_maxError + kErrorTie) return;
        if (m_ranked.size() == m_capacity && !ranksBefore(candidate, m_ranked.back())) return;
        for (const RankedNetwork& ranked : m_ranked)
            if (ranked.network == candidate.network) return;
        const auto place =
            std::upper_bound(m_ranked.begin(), m_ranked.end(), candidate, ranksBefore);
        m_ranked.insert(place, std::move(candidate));
        if (m_ranked.size() > m_capacity) m_ranked.pop_back();
        updateAdmitted();
    }

    std::vector<RankedNetwork> take() { return std::move(m_ranked); }

  private:
    void updateAdmitted() {
        double error = m_maxError;
        if (m_capacity > 0 && m_ranked.size() == m_capacity)
            error = std::min(error, std::abs(m_ranked.back().error));
        m_lowest = m_capacity == 0 ? 1.0 : m_wanted * (1 - (error + kErrorTie));
        m_highest = m_capacity == 0 ? 0.0 : m_wanted * (1 + (error + kErrorTie));
    }

    double m_wanted;
    std::size_t m_capacity;
    double m_maxError;
    std::vector<RankedNetwork> m_ranked;
    double m_lowest = 0;  // the values a network needs to enter the list
    double m_highest = 0;
};

// Offers the entries from `begin` to `end` of an ascending table on both
// sides of `split`, each side walked away from it while its networks could
// still enter the list. `valueAt(i)` must rise with i, and `split` must be
// where the wanted value falls between valueAt(split - 1) and valueAt(split),
// or `begin` if the wanted value lies below valueAt(begin).
template <typename ValueAt, typename NetworkAt>
void walkOutwards(std::size_t begin, std::size_t split, std::size_t end, TopList& list,
                  ValueAt valueAt, NetworkAt networkAt) {
    for (std::size_t i = split; i < end && list.admits(valueAt(i)); ++i)
        list.offer(networkAt(i));
    for (std::size_t i = split; i > begin && list.admits(valueAt(i - 1)); --i)
        list.offer(networkAt(i - 1));
}

std::size_t lowerBound(const std::vector<double>& sorted, std::size_t end, double value) {
    return static_cast<std::size_t>(
        std::lower_bound(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(end), value) -
        sorted.begin());
}

struct MadePair {
    double value;
    std::uint16_t first;
    std::uint16_t second;
    Join join;
};

// Positive doubles order as their bit patterns do, so the leading bits
// (exponent and the top of the mantissa) name a bucket of nearby values.
std::uint64_t bucketOf(double value) {
    std::uint64_t bits = 0;  // std::bit_cast, where the library lacks it
    std::memcpy(&bits, &value, sizeof bits);
    return bits >> 42;
}

// A counting sort on the buckets leaves runs of a few dozen values, each
// then sorted by comparison: some three times faster than sorting the whole
// table by comparison, which took most of the time of a request.
void sortByValue(std::vector<MadePair>& pairs) {
    if (pairs.empty()) return;
    const auto byValue = [](const MadePair& a, const MadePair& b) { return a.value < b.value; };
    const auto [lowest, highest] = std::minmax_element(pairs.begin(), pairs.end(), byValue);
    const std::uint64_t firstBucket = bucketOf(lowest->value);
    const auto bucketIndex = [&](double value) {
        return static_cast<std::size_t>(bucketOf(value) - firstBucket);
    };
    std::vector<std::size_t> bucketStart(bucketIndex(highest->value) + 2, 0);
    for (const MadePair& pair : pairs)
        ++bucketStart[bucketIndex(pair.value) + 1];
    for (std::size_t i = 1; i < bucketStart.size(); ++i)
        bucketStart[i] += bucketStart[i - 1];

    std::vector<MadePair> sorted(pairs.size());
    std::vector<std::size_t> next(bucketStart.begin(), bucketStart.end() - 1);
    for (const MadePair& pair : pairs)
        sorted[next[bucketIndex(pair.value)]++] = pair;
    for (std::size_t bucket = 0; bucket + 1 < bucketStart.size(); ++bucket) {
        std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(bucketStart[bucket]),
                  sorted.begin() + static_cast<std::ptrdiff_t>(bucketStart[bucket + 1]), byValue);
    }
    pairs = std::move(sorted);
}

class Search {
  public:
    Search(const NetworkFinder& finder, const FindRequest& request)
        : m_parts(finder.parts()),
          m_pairs(finder.pairValues()),
          m_finder(finder),
          m_wanted(request.wanted) {}

    void singleParts(TopList& list) const {
        walkOutwards(
            0, lowerBound(m_parts, m_parts.size(), m_wanted), m_parts.size(), list,
            [&](std::size_t i) { return m_parts[i]; },
            [&](std::size_t i) { return Network::part(m_parts[i]); });
    }

    void pairs(TopList& list) const {
        walkOutwards(
            0, lowerBound(m_pairs, m_pairs.size(), m_wanted), m_pairs.size(), list,
            [&](std::size_t i) { return m_pairs[i]; },
            [&](std::size_t i) { return m_finder.pairNetwork(i); });
    }

    // P + W for both joins.
    void partWithPair(TopList& list) const {
        for (Join join : kJoins) {
            for (double part : m_parts) {
                walkOutwards(
                    0, lowerBound(m_pairs, m_pairs.size(), restFor(join, m_wanted, part)),
                    m_pairs.size(), list,
                    [&](std::size_t i) { return combined(join, part, m_pairs[i]); },
                    [&](std::size_t i) {
                        return Network::joined(join, Network::part(part), m_finder.pairNetwork(i));
                    });
            }
        }
    }

    // W + W for both joins, each two pairs met once: from the first in table
    // order, looking at the second from there up. As the first rises, the
    // rest it needs falls, so one pointer walks down the table for the whole
    // pass; and once the first with itself gives too much, so does every
    // later first with anything from there up.
    void pairWithPair(TopList& list) const {
        for (Join join : kJoins) {
            std::size_t split = m_pairs.size();
            for (std::size_t first = 0; first < m_pairs.size(); ++first) {
                const double pair = m_pairs[first];
                if (combined(join, pair, pair) > list.highestAdmitted()) break;
                const double rest = restFor(join, m_wanted, pair);
                while (split > 0 && m_pairs[split - 1] >= rest)
                    --split;
                walkOutwards(
                    first, std::max(split, first), m_pairs.size(), list,
                    [&](std::size_t i) { return combined(join, pair, m_pairs[i]); },
                    [&](std::size_t i) {
                        return Network::joined(join, m_finder.pairNetwork(first),
                                               m_finder.pairNetwork(i));
                    });
            }
        }
    }

    // P + (P | W) and P | (P + W). For one outer part, the rest needed falls
    // as the inner part rises, so each lookup only searches below the last.
    // Parts whose networks cannot reach the values the list admits are
    // skipped without a lookup: P + (P | W) lies above its outer part and
    // below its value with W infinite; P | (P + W) lies below its value with
    // W infinite and above its value with W zero. Each bound is worked out
    // as the network's value is, so rounding cannot cross it.
    void partWithPartAndPair(TopList& list) const {
        const double infinity = std::numeric_limits<double>::infinity();
        for (Join outer : kJoins) {
            const Join inner = otherJoin(outer);
            const bool outerSeries = outer == Join::Series;
            for (double outerPart : m_parts) {
                if (outerSeries && outerPart > list.highestAdmitted()) break;
                if (!outerSeries && combined(outer, outerPart, infinity) < list.lowestAdmitted())
                    continue;
                const double innerTotal = restFor(outer, m_wanted, outerPart);
                std::size_t split = m_pairs.size();
                for (double innerPart : m_parts) {
                    const double extreme = combined(
                        outer, outerPart, combined(inner, innerPart, outerSeries ? infinity : 0.0));
                    if (outerSeries && extreme < list.lowestAdmitted()) continue;
                    if (!outerSeries && extreme > list.highestAdmitted()) break;
                    split = lowerBound(m_pairs, split, restFor(inner, innerTotal, innerPart));
                    walkOutwards(
                        0, split, m_pairs.size(), list,
                        [&](std::size_t i) {
                            return combined(outer, outerPart,
                                            combined(inner, innerPart, m_pairs[i]));
                        },
                        [&](std::size_t i) {
                            return Network::joined(outer, Network::part(outerPart),
                                                   Network::joined(inner, Network::part(innerPart),
                                                                   m_finder.pairNetwork(i)));
                        });
                }
            }
        }
    }

  private:
    const std::vector<double>& m_parts;
    const std::vector<double>& m_pairs;
    const NetworkFinder& m_finder;
    double m_wanted;
};

}  // namespace

bool ranksBefore(const RankedNetwork& a, const RankedNetwork& b) {
    const double errorA = std::abs(a.error);
    const double errorB = std::abs(b.error);
    if (std::abs(errorA - errorB) > kErrorTie) return errorA < errorB;
    const int distinctA = a.network.distinctValueCount();
    const int distinctB = b.network.distinctValueCount();
    if (distinctA != distinctB) return distinctA < distinctB;
    const double ratioA = a.network.largestToSmallestRatio();
    const double ratioB = b.network.largestToSmallestRatio();
    if (ratioA != ratioB) return ratioA < ratioB;
    return a.network < b.network;
}

NetworkFinder::NetworkFinder(std::vector<double> parts) : m_parts(std::move(parts)) {
    std::sort(m_parts.begin(), m_parts.end());
    m_parts.erase(std::unique(m_parts.begin(), m_parts.end()), m_parts.end());
    if (m_parts.size() > kMostDistinctParts) throw std::length_error("too many distinct parts");

    std::vector<MadePair> made;
    made.reserve(m_parts.size() * (m_parts.size() + 1));
    for (std::size_t first = 0; first < m_parts.size(); ++first) {
        for (std::size_t second = first; second < m_parts.size(); ++second) {
            for (Join join : kJoins) {
                made.push_back({combined(join, m_parts[first], m_parts[second]),
                                static_cast<std::uint16_t>(first),
                                static_cast<std::uint16_t>(second), join});
            }
        }
    }
    sortByValue(made);
    m_pairValues.reserve(made.size());
    m_pairEntries.reserve(made.size());
    for (const MadePair& one : made) {
        m_pairValues.push_back(one.value);
        m_pairEntries.push_back({one.first, one.second, one.join});
    }
}

Network NetworkFinder::pairNetwork(std::size_t index) const {
    const PairEntry& entry = m_pairEntries[index];
    return Network::joined(entry.join, Network::part(m_parts[entry.first]),
                           Network::part(m_parts[entry.second]));
}

double NetworkFinder::lowestReachable(int partCount) const {
    return m_parts.empty() ? 0.0 : m_parts.front() / partCount;
}

double NetworkFinder::highestReachable(int partCount) const {
    return m_parts.empty() ? 0.0 : m_parts.back() * partCount;
}

std::vector<PartCountResult> NetworkFinder::find(const FindRequest& request) const {
    std::vector<PartCountResult> results;
    if (m_parts.empty() || !(request.wanted > 0) || !std::isfinite(request.wanted)) return results;
    const Search search(*this, request);
    for (int count = std::max(request.fewestParts, 1);
         count <= std::min(request.mostParts, kMostParts); ++count) {
        TopList list(request.wanted, request.top, request.maxError);
        switch (count) {
            case 1:
                search.singleParts(list);
                break;
            case 2:
                search.pairs(list);
                break;
            case 3:
                search.partWithPair(list);
                break;
            case 4:
                search.pairWithPair(list);
                search.partWithPartAndPair(list);
                break;
        }
        results.push_back({count, list.take()});
    }
    return results;
}

std::vector<double> withoutExcluded(std::vector<double> values, std::span<const double> excluded) {
    std::erase_if(values, [&](double value) {
        return std::any_of(excluded.begin(), excluded.end(), [value](double unwanted) {
            return std::abs(value - unwanted) <= 1e-9 * unwanted;
        });
    });
    return values;
}

}  // namespace gosei::networks
