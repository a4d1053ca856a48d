#pragma once

#include <array>
#include <cstdint>

#include "engine/input.h"
#include "engine/series.h"
#include "engine/window_operations.h"

namespace gosei {

// An accepted pair. partB is 0 when partA stands alone; relError is
// (mantissa - combined) / mantissa, positive when the pair lies below.
struct Candidate {
    float partA = 0.0f;
    float partB = 0.0f;
    float relError = 0.0f;
    float combined = 0.0f;

    friend bool operator==(const Candidate&, const Candidate&) = default;
};

// Candidates in the order of acceptance, positions 1 to capacity. Unfilled
// positions read as all zeros, which the grid shows.
class CandidateList {
  public:
    explicit CandidateList(int capacity) : m_capacity(capacity) {}

    const Candidate& at(int position) const { return m_positions[position - 1]; }
    int count() const { return m_count; }
    int capacity() const { return m_capacity; }
    bool full() const { return m_count >= m_capacity; }
    // Appends unless the list is full; a full list stores nothing more.
    void append(const Candidate& candidate) {
        if (!full()) m_positions[m_count++] = candidate;
    }

  private:
    std::array<Candidate, kMaxCapacity> m_positions{};
    int m_count = 0;
    int m_capacity;
};

struct SearchResult {
    CandidateList list;
    int passCount = 0;
    bool gaveUp = false;  // "warning" was written
    // Slot of the part last accepted alone by the series search: 0 for none,
    // 25 for the value 10. The parallel search passes it through.
    int lastSingleIndex = 0;
    // The pass in which each stored position was appended (index position - 1).
    std::array<std::int16_t, kMaxCapacity> appendedInPass{};
};

// Passes run one after another while the tolerance widens, unless a pass that
// accepted nothing lets the search step straight to the first tolerance that
// admits something new: such passes change nothing but the pass count.
enum class PassMode { SkipIdlePasses, RunEveryPass };

SearchResult seriesSearch(const CalculationInput& input, const SeriesParams& params,
                          WindowOperations& window, PassMode mode = PassMode::SkipIdlePasses);

SearchResult parallelSearch(const CalculationInput& input, const SeriesParams& params,
                            int lastSingleIndex, WindowOperations& window,
                            PassMode mode = PassMode::SkipIdlePasses);

}  // namespace gosei
