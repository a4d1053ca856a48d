#pragma once

// A deliberately simple search to check the fast one against: every
// arrangement of every choice of parts, with no cleverness beyond dropping
// repeated values between part counts.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "networks/divider_search.h"
#include "networks/network.h"
#include "networks/ranking.h"

namespace gosei::networks::testing {

// For each part count 1..mostParts (index count - 1), every value that any
// series-parallel network of exactly that many parts can take, ascending and
// without repeats. A network of k parts joins, in series or in parallel, a
// network of j parts with one of k - j parts, for every j.
inline std::vector<std::vector<double>> everyNetworkValue(const std::vector<double>& parts,
                                                          int mostParts) {
    std::vector<std::vector<double>> byCount{parts};
    for (int count = 2; count <= mostParts; ++count) {
        std::vector<double> values;
        for (int first = 1; first < count; ++first) {
            for (double a : byCount[static_cast<std::size_t>(first - 1)]) {
                for (double b : byCount[static_cast<std::size_t>(count - first - 1)]) {
                    values.push_back(a + b);
                    values.push_back(1.0 / (1.0 / a + 1.0 / b));
                }
            }
        }
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        byCount.push_back(std::move(values));
    }
    std::sort(byCount[0].begin(), byCount[0].end());
    return byCount;
}

// The smallest |value - wanted| / wanted over the ascending `values`.
inline double bestError(const std::vector<double>& values, double wanted) {
    const auto above = std::lower_bound(values.begin(), values.end(), wanted);
    double best = std::numeric_limits<double>::infinity();
    if (above != values.end()) best = std::abs(*above - wanted) / wanted;
    if (above != values.begin()) best = std::min(best, std::abs(*(above - 1) - wanted) / wanted);
    return best;
}

// Every network of `count` parts over `parts`, each arrangement built and
// reduced to canonical form, repeats removed.
inline std::vector<Network> everyNetwork(const std::vector<double>& parts, int count) {
    std::vector<Network> networks;
    if (count == 1) {
        for (double part : parts)
            networks.push_back(Network::part(part));
    }
    for (int first = 1; first < count; ++first) {
        for (const Network& a : everyNetwork(parts, first))
            for (const Network& b : everyNetwork(parts, count - first))
                for (Join join : {Join::Series, Join::Parallel})
                    networks.push_back(Network::joined(join, a, b));
    }
    std::sort(networks.begin(), networks.end());
    networks.erase(std::unique(networks.begin(), networks.end()), networks.end());
    return networks;
}

// A network's value as parts of the kind combine, worked out exactly from
// its tree alone: a group whose parts add (resistors and inductors in
// series, capacitors in parallel) is the sum of its members, any other the
// reciprocal of the sum of their reciprocals.
inline Rational valueAs(const Network& network, PartKind kind) {
    if (network.isPart()) return writtenValue(network.value());
    const bool adds = (network.join() == Join::Series) != (kind == PartKind::Capacitor);
    Rational sum = 0;
    for (const Network& member : network.members())
        sum += adds ? valueAs(member, kind) : 1 / valueAs(member, kind);
    return adds ? sum : 1 / sum;
}

// Every divider of `count` parts in all over `parts`.
inline std::vector<Divider> everyDivider(const std::vector<double>& parts, int count) {
    std::vector<std::vector<Network>> arms;
    for (int armCount = 1; armCount < count; ++armCount)
        arms.push_back(everyNetwork(parts, armCount));
    std::vector<Divider> dividers;
    for (int top = 1; top < count; ++top)
        for (const Network& upper : arms[static_cast<std::size_t>(top - 1)])
            for (const Network& lower : arms[static_cast<std::size_t>(count - top - 1)])
                dividers.push_back({upper, lower});
    return dividers;
}

// The first `top` of `items` ranked by the exact size of their errors
// against `wanted`, then by the tie rules; `measure` gives an item's
// measure exactly.
template <typename Item, typename Measure>
std::vector<Item> exactlyRanked(std::vector<Item> items, const Rational& wanted, Measure measure,
                                std::size_t top) {
    std::vector<std::pair<Rational, Item>> ranked;
    for (Item& item : items)
        ranked.emplace_back(abs(measure(item) / wanted - 1), std::move(item));
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return tieOrder(a.second, b.second) < 0;
    });
    std::vector<Item> best;
    for (std::size_t i = 0; i < std::min(top, ranked.size()); ++i)
        best.push_back(ranked[i].second);
    return best;
}

}  // namespace gosei::networks::testing
