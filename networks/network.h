#pragma once

#include <compare>
#include <string>
#include <vector>

#include "networks/exact.h"
#include "networks/part_kind.h"

namespace gosei::networks {

enum class Join { Series, Parallel };

// A series-parallel network of parts, always held in canonical form: a group
// never directly holds a group of its own join (a + (b + c) is a + b + c),
// and the members of a group stand in canonical order (see `operator<=>`).
// Two networks that are the same circuit are therefore equal.
class Network {
  public:
    static Network part(double value);
    static Network joined(Join join, Network first, Network second);

    bool isPart() const { return m_members.empty(); }
    Join join() const { return m_join; }
    const std::vector<Network>& members() const { return m_members; }
    // The value as resistors combine (inductors too), which the searches
    // rank by. Each group's value is worked out from its members in
    // canonical order, so equal networks have bit-identical values.
    double value() const { return m_value; }
    int partCount() const { return m_partCount; }
    // The value exactly, from the decimals its parts stand for, as resistors
    // combine; and as parts of the kind do.
    Rational exactValue() const;
    Rational exactValue(PartKind kind) const;

    // The same parts with every series group made parallel and every
    // parallel group series: its resistance is this network's capacitance.
    Network dual() const;

    // The part values in the order they are written.
    std::vector<double> partValues() const;
    int distinctValueCount() const;
    double largestToSmallestRatio() const;

    // "4.7k + (10k | 22k)": series as " + ", parallel as " | ", each part
    // with every digit it was written with.
    std::string expression() const;
    // The same with the parts lettered in writing order: "A + (B | C)".
    std::string topology() const;

    // Canonical order: single parts before groups, parts by value; groups by
    // part count, then series before parallel, then value, then members.
    std::strong_ordering operator<=>(const Network& other) const;
    bool operator==(const Network& other) const { return (*this <=> other) == 0; }

  private:
    Join m_join = Join::Series;
    double m_value = 0;
    int m_partCount = 1;
    std::vector<Network> m_members;  // empty for a single part
};

}  // namespace gosei::networks
