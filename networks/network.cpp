#include "networks/network.h"

#include <algorithm>
#include <functional>

#include "networks/value_text.h"

namespace gosei::networks {
namespace {

std::strong_ordering compareValues(double a, double b) {
    if (a < b) return std::strong_ordering::less;
    if (b < a) return std::strong_ordering::greater;
    return std::strong_ordering::equal;
}

// Writes the network with `leaf` for each part, parenthesising groups
// inside groups.
std::string written(const Network& network, const std::function<std::string(double)>& leaf) {
    if (network.isPart()) return leaf(network.value());
    const char* joint = network.join() == Join::Series ? " + " : " | ";
    std::string text;
    for (const Network& member : network.members()) {
        if (!text.empty()) text += joint;
        if (member.isPart()) {
            text += written(member, leaf);
        } else {
            text.append("(").append(written(member, leaf)).append(")");
        }
    }
    return text;
}

// The value as a quotient of integers: a sum of members a/b and c/d is
// (ad + cb) / bd, and a parallel group is the reciprocal of the sum of the
// reciprocals.
Fraction exactFraction(const Network& network) {
    if (network.isPart()) return writtenFraction(network.value());
    const bool series = network.join() == Join::Series;
    Fraction sum{Integer(0), Integer(1)};
    for (const Network& member : network.members()) {
        Fraction term = exactFraction(member);
        if (!series) std::swap(term.numerator, term.denominator);
        sum = {sum.numerator * term.denominator + term.numerator * sum.denominator,
               sum.denominator * term.denominator};
    }
    if (!series) std::swap(sum.numerator, sum.denominator);
    return sum;
}

void collectParts(const Network& network, std::vector<double>& values) {
    if (network.isPart()) values.push_back(network.value());
    for (const Network& member : network.members())
        collectParts(member, values);
}

}  // namespace

Network Network::part(double value) {
    Network network;
    network.m_value = value;
    return network;
}

Network Network::joined(Join join, Network first, Network second) {
    Network network;
    network.m_join = join;
    for (Network* side : {&first, &second}) {
        if (!side->isPart() && side->m_join == join) {
            for (Network& member : side->m_members)
                network.m_members.push_back(std::move(member));
        } else {
            network.m_members.push_back(std::move(*side));
        }
    }
    std::sort(network.m_members.begin(), network.m_members.end());
    network.m_partCount = 0;
    double sum = 0;
    for (const Network& member : network.m_members) {
        network.m_partCount += member.m_partCount;
        sum += join == Join::Series ? member.m_value : 1.0 / member.m_value;
    }
    network.m_value = join == Join::Series ? sum : 1.0 / sum;
    return network;
}

Rational Network::exactValue() const {
    return exactFraction(*this).reduced();
}

Rational Network::exactValue(PartKind kind) const {
    return kind == PartKind::Capacitor ? dual().exactValue() : exactValue();
}

Network Network::dual() const {
    if (isPart()) return *this;
    const Join swapped = m_join == Join::Series ? Join::Parallel : Join::Series;
    Network network = m_members.front().dual();
    for (std::size_t i = 1; i < m_members.size(); ++i)
        network = joined(swapped, std::move(network), m_members[i].dual());
    return network;
}

std::vector<double> Network::partValues() const {
    std::vector<double> values;
    collectParts(*this, values);
    return values;
}

int Network::distinctValueCount() const {
    std::vector<double> values = partValues();
    std::sort(values.begin(), values.end());
    return static_cast<int>(std::unique(values.begin(), values.end()) - values.begin());
}

double Network::largestToSmallestRatio() const {
    const std::vector<double> values = partValues();
    const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
    return *largest / *smallest;
}

std::string Network::expression() const {
    return written(*this, [](double value) { return valueText(value); });
}

std::string Network::topology() const {
    char letter = 'A';
    return written(*this, [&letter](double) { return std::string(1, letter++); });
}

std::strong_ordering Network::operator<=>(const Network& other) const {
    if (isPart() != other.isPart()) {
        return isPart() ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    if (isPart()) return compareValues(m_value, other.m_value);
    if (const auto order = m_partCount <=> other.m_partCount; order != 0) return order;
    if (m_join != other.m_join) {
        return m_join == Join::Series ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    if (const auto order = compareValues(m_value, other.m_value); order != 0) return order;
    // Member by member, then the shorter first (lexicographical_compare_three_way,
    // which not every standard library has).
    const std::size_t common = std::min(m_members.size(), other.m_members.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (const auto order = m_members[i] <=> other.m_members[i]; order != 0) return order;
    }
    return m_members.size() <=> other.m_members.size();
}

}  // namespace gosei::networks
