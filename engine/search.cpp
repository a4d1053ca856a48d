#include "engine/search.h"

#include <cmath>
#include <limits>

namespace gosei {
namespace {

float single(double value) {
    return static_cast<float>(value);
}

double V(int slot) {
    return ValueTable[static_cast<std::size_t>(slot)];
}

// One pass sequence of either search: the list, the current limit and the
// bookkeeping that lets idle passes be skipped.
class PassSequence {
  public:
    PassSequence(const CalculationInput& input, const SeriesParams& params)
        : m_result{CandidateList(params.capacity)},
          m_input(input),
          m_params(params),
          m_tolerance(startTolerance(input, params)) {}

    bool firstPartTaken(double a) const {
        const float part = single(a);
        return part == list().at(1).partA || part == list().at(2).partA;
    }
    bool secondPartTaken(double b) const {
        const float part = single(b);
        return part == list().at(1).partB || part == list().at(2).partB;
    }

    // Tests one combination and appends it when its error is inside the limit.
    bool offer(double a, double b, double combinedValue) {
        const float combined = single(combinedValue);
        const double mantissa = m_input.mantissa;
        const float relError = single((mantissa - combined) / mantissa);
        const float size = std::fabs(relError);
        if (!(size < m_tolerance)) {
            if (size < m_smallestRejected) m_smallestRejected = size;
            return false;
        }
        m_acceptedInPass = true;
        if (!list().full()) {
            m_result.appendedInPass[static_cast<std::size_t>(list().count())] =
                static_cast<std::int16_t>(m_result.passCount);
            m_result.list.append({single(a), single(b), relError, combined});
        }
        return true;
    }

    const CandidateList& list() const { return m_result.list; }
    SearchResult& result() { return m_result; }

    // Runs passes, widening the limit after each one that left too few
    // candidates, until there are enough or the limit is past giving up.
    template <typename Pass>
    SearchResult run(Pass&& runPass, PassMode mode, WindowOperations& window) {
        for (;;) {
            beginPass();
            runPass();
            if (list().count() >= m_params.stopCount) break;
            if (!widen(window)) break;
            if (mode == PassMode::SkipIdlePasses && !m_acceptedInPass) {
                // Nothing changed, so the next passes test the same
                // combinations and stay idle until the limit passes the
                // smallest error they rejected.
                while (!(m_smallestRejected < m_tolerance)) {
                    ++m_result.passCount;
                    if (!widen(window)) return m_result;
                }
            }
        }
        return m_result;
    }

  private:
    void beginPass() {
        ++m_result.passCount;
        m_acceptedInPass = false;
        m_smallestRejected = std::numeric_limits<float>::infinity();
    }

    // Gives up with "warning" past the limit, or widens it for the next pass.
    bool widen(WindowOperations& window) {
        if (m_tolerance > m_params.giveUpTolerance) {
            window.setCellText(Block::Parallel, 1, Cell::PartA, "warning");
            m_result.gaveUp = true;
            return false;
        }
        m_tolerance = single(static_cast<double>(m_tolerance) + m_params.wideningStep);
        return true;
    }

    SearchResult m_result;
    const CalculationInput& m_input;
    const SeriesParams& m_params;
    float m_tolerance;
    bool m_acceptedInPass = false;
    float m_smallestRejected = std::numeric_limits<float>::infinity();
};

void runSeriesPass(PassSequence& sequence, int memberCount, int& lastSingleIndex) {
    const int n = memberCount;
    // A part on its own, then 10 on its own.
    for (int i = 1; i <= n; ++i) {
        if (i == lastSingleIndex || sequence.firstPartTaken(V(i))) continue;
        if (sequence.offer(V(i), 0.0, V(i))) lastSingleIndex = i;
    }
    if (lastSingleIndex != kTenSlot && sequence.offer(V(kTenSlot), 0.0, V(kTenSlot))) {
        lastSingleIndex = kTenSlot;
    }
    // Two parts of the working decade, and two of the decade below.
    for (int i = 1; i <= n; ++i) {
        if (i == lastSingleIndex) continue;
        for (int j = i; j <= n; ++j) {
            if (j == lastSingleIndex) continue;
            if (!sequence.firstPartTaken(V(i))) sequence.offer(V(i), V(j), V(j) + V(i));
            if (!sequence.firstPartTaken(V(i) / 10)) {
                sequence.offer(V(i) / 10, V(j) / 10, V(j) / 10 + V(i) / 10);
            }
        }
    }
    // A part of the decade below with one of the working decade; the taken
    // test is made once per first part.
    for (int i = 1; i <= n; ++i) {
        if (sequence.firstPartTaken(V(i) / 10)) continue;
        for (int j = 1; j <= n; ++j) {
            if (j == lastSingleIndex) continue;
            sequence.offer(V(i) / 10, V(j), V(i) / 10 + V(j));
        }
    }
}

// Reciprocal of the summed reciprocals; the sum is commutative, so the order
// of the parts does not change the result.
double parallelValue(double a, double b) {
    return 1 / (1 / b + 1 / a);
}

void runParallelPass(PassSequence& sequence, const SeriesParams& params, int lastSingleIndex) {
    const int n = params.memberCount;
    // Two parts of the working decade, and two of the decade above.
    for (int i = 1; i <= n; ++i) {
        if (i == lastSingleIndex) continue;
        for (int j = i; j <= n; ++j) {
            if (j == lastSingleIndex) continue;
            if (!sequence.firstPartTaken(V(i))) {
                sequence.offer(V(i), V(j), parallelValue(V(i), V(j)));
            }
            if (!sequence.firstPartTaken(10 * V(i))) {
                sequence.offer(10 * V(i), 10 * V(j), parallelValue(10 * V(i), 10 * V(j)));
            }
        }
    }
    // A part of the decade above with one of the working decade; the taken
    // test on the first part is made once per first part.
    for (int i = 1; i <= n; ++i) {
        if (sequence.firstPartTaken(10 * V(i))) continue;
        for (int j = 1; j <= n; ++j) {
            if (j == lastSingleIndex) continue;
            if (params.skipKnownPartBInMixedStep && sequence.secondPartTaken(V(j))) continue;
            sequence.offer(10 * V(i), V(j), parallelValue(10 * V(i), V(j)));
        }
    }
    // 10 with each member.
    constexpr double kTen = 10.0;
    if (sequence.firstPartTaken(kTen)) return;
    for (int j = 1; j <= n; ++j) {
        if (sequence.secondPartTaken(V(j)) || j == lastSingleIndex) continue;
        sequence.offer(kTen, V(j), parallelValue(kTen, V(j)));
    }
}

}  // namespace

SearchResult seriesSearch(const CalculationInput& input, const SeriesParams& params,
                          WindowOperations& window, PassMode mode) {
    PassSequence sequence(input, params);
    int& lastSingleIndex = sequence.result().lastSingleIndex;
    return sequence.run([&] { runSeriesPass(sequence, params.memberCount, lastSingleIndex); }, mode,
                        window);
}

SearchResult parallelSearch(const CalculationInput& input, const SeriesParams& params,
                            int lastSingleIndex, WindowOperations& window, PassMode mode) {
    PassSequence sequence(input, params);
    sequence.result().lastSingleIndex = lastSingleIndex;
    return sequence.run([&] { runParallelPass(sequence, params, lastSingleIndex); }, mode, window);
}

}  // namespace gosei
