#include "networks/network_search.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "networks/network_walks.h"
#include "networks/ranking.h"

namespace gosei::networks {
namespace {

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
// table by comparison, which took most of the time of a request. Equal
// values stand in the order of their parts' tie keys (see
// NetworkWalks::walkPairs): one value first, then by the ratio of the
// larger part to the smaller, as doubles.
void sortByValue(std::vector<MadePair>& pairs, const std::vector<double>& parts) {
    if (pairs.empty()) return;
    const auto byValueThenKey = [&](const MadePair& a, const MadePair& b) {
        if (a.value != b.value) return a.value < b.value;
        const bool evenA = a.first == a.second;
        const bool evenB = b.first == b.second;
        if (evenA || evenB) return evenA && !evenB;
        return parts[a.second] / parts[a.first] < parts[b.second] / parts[b.first];
    };
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
                  sorted.begin() + static_cast<std::ptrdiff_t>(bucketStart[bucket + 1]),
                  byValueThenKey);
    }
    pairs = std::move(sorted);
}

struct NetworkValue {
    double approximate(const Network& network) const { return network.value(); }
    Rational exact(const Network& network) const { return network.exactValue(); }
};
using NetworkList = TopList<Network, NetworkValue>;

// Every part scaled by 1 - tolerance, then by 1 + tolerance: a network's
// value scales with its parts.
ErrorRange worstCaseOf(const Rational& value, const Rational& wanted, const Rational& tolerance) {
    return {value * (1 - tolerance) / wanted - 1, value * (1 + tolerance) / wanted - 1};
}

}  // namespace

NetworkFinder::NetworkFinder(std::vector<double> parts) : m_parts(std::move(parts)) {
    std::sort(m_parts.begin(), m_parts.end());
    m_parts.erase(std::unique(m_parts.begin(), m_parts.end()), m_parts.end());
    if (m_parts.size() > kMostDistinctParts) throw std::length_error("too many distinct parts");

    std::vector<MadePair> made;
    made.reserve(m_parts.size() * (m_parts.size() + 1));
    for (std::size_t first = 0; first < m_parts.size(); ++first) {
        for (std::size_t second = first; second < m_parts.size(); ++second) {
            for (Join join : walk_detail::kJoins) {
                made.push_back({walk_detail::combined(join, m_parts[first], m_parts[second]),
                                static_cast<std::uint16_t>(first),
                                static_cast<std::uint16_t>(second), join});
            }
        }
    }
    sortByValue(made, m_parts);
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

std::pair<double, double> NetworkFinder::pairParts(std::size_t index) const {
    const PairEntry& entry = m_pairEntries[index];
    return {m_parts[entry.first], m_parts[entry.second]};
}

std::vector<PartCountResult> NetworkFinder::find(const FindRequest& request) const {
    std::vector<PartCountResult> results;
    if (m_parts.empty() || !(request.wanted > 0) || !std::isfinite(request.wanted)) return results;
    const Rational wanted = writtenValue(request.wanted);
    const Rational tolerance = exactFraction(request.partTolerancePercent);
    const ListLimits limits = limitsOf(request);
    const NetworkWalks walks(*this);
    for (int count = std::max(request.fewestParts, 1);
         count <= std::min(request.mostParts, kMostParts); ++count) {
        NetworkList list(request.wanted, wanted, limits, NetworkValue{});
        walks.walk(count, list);
        PartCountResult result{count, {}, list.examined()};
        for (Ranked<Network>& ranked : list.take()) {
            const Rational value = ranked.item.exactValue();
            if (request.kind == PartKind::Capacitor) ranked.item = ranked.item.dual();
            result.networks.push_back({std::move(ranked.item), ranked.error,
                                       std::move(ranked.exactError),
                                       worstCaseOf(value, wanted, tolerance)});
        }
        results.push_back(std::move(result));
    }
    return results;
}

std::vector<double> withoutExcluded(std::vector<double> values, std::span<const double> excluded) {
    std::erase_if(values, [&](double value) {
        return std::find(excluded.begin(), excluded.end(), value) != excluded.end();
    });
    return values;
}

}  // namespace gosei::networks
