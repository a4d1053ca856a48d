#pragma once

// A deliberately simple search to check the fast one against: every
// arrangement of every choice of parts, with no cleverness beyond dropping
// repeated values between part counts.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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

}  // namespace gosei::networks::testing
