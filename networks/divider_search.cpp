#include "networks/divider_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "networks/network_walks.h"
#include "networks/ranking.h"

namespace gosei::networks {

std::vector<double> Divider::partValues() const {
    std::vector<double> values = top.partValues();
    const std::vector<double> lower = bottom.partValues();
    values.insert(values.end(), lower.begin(), lower.end());
    return values;
}

Rational Divider::exactRatio() const {
    const Rational lower = bottom.exactValue();
    return lower / (top.exactValue() + lower);
}

Rational DividerRequest::exactWanted() const {
    return writtenValue(wantedNumerator) / writtenValue(wantedDenominator);
}

Rational Divider::exactTotal() const {
    return top.exactValue() + bottom.exactValue();
}

std::strong_ordering Divider::operator<=>(const Divider& other) const {
    if (const auto order = top <=> other.top; order != 0) return order;
    return bottom <=> other.bottom;
}

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

Rational exactMeasureOf(DividerMeasure measure, const Rational& top, const Rational& bottom) {
    return measure == DividerMeasure::Ratio ? bottom / (top + bottom) : (top + bottom) / bottom;
}

double measureOf(DividerMeasure measure, double top, double bottom) {
    return measure == DividerMeasure::Ratio ? bottom / (top + bottom) : (top + bottom) / bottom;
}

struct DividerMeasures {
    DividerMeasure measure;
    double approximate(const Divider& divider) const {
        return measureOf(measure, divider.top.value(), divider.bottom.value());
    }
    Rational exact(const Divider& divider) const {
        return exactMeasureOf(measure, divider.top.exactValue(), divider.bottom.exactValue());
    }
};
using DividerList = TopList<Divider, DividerMeasures>;

// The quotient top / bottom, which every measure follows: the ratio
// 1 / (1 + q) falls as it rises, the gain 1 + q rises with it.
struct QuotientBand {
    double low;
    double high;
    bool empty() const { return !(low <= high); }
};

QuotientBand quotientBand(DividerMeasure measure, double lowestMeasure, double highestMeasure) {
    if (measure == DividerMeasure::Ratio) {
        return {std::max(0.0, 1 / highestMeasure - 1),
                lowestMeasure > 0 ? 1 / lowestMeasure - 1 : kInfinity};
    }
    return {std::max(0.0, lowestMeasure - 1), highestMeasure - 1};
}

double quotientFor(DividerMeasure measure, double wanted) {
    return measure == DividerMeasure::Ratio ? 1 / wanted - 1 : wanted - 1;
}

// What holds for every divider of one request.
class DividerBounds {
  public:
    explicit DividerBounds(const DividerRequest& request)
        : m_measure(request.measure),
          m_wantedQuotient(
              quotientFor(request.measure, request.wantedNumerator / request.wantedDenominator)),
          m_lowestTotal(request.lowestTotal),
          m_highestTotal(request.highestTotal),
          m_exactLowestTotal(writtenValue(request.lowestTotal)),
          m_exactHighestTotal(std::isfinite(request.highestTotal)
                                  ? writtenValue(request.highestTotal)
                                  : Rational(0)) {}

    DividerMeasure measure() const { return m_measure; }
    double wantedQuotient() const { return m_wantedQuotient; }
    // The bounds of the total, widened so that no total within them is
    // lost to rounding.
    double lowestTotal() const { return m_lowestTotal * (1 - kBandSlack); }
    double highestTotal() const { return m_highestTotal * (1 + kBandSlack); }

    // Whether the divider's total lies within the bounds: by its double
    // (within 10u of the exact total) unless that is close to an end.
    bool allowsTotal(double total, const Divider& divider) const {
        constexpr double kNear = 0x1p-45;
        if (total < m_lowestTotal * (1 - kNear) || total > m_highestTotal * (1 + kNear))
            return false;
        if (total > m_lowestTotal * (1 + kNear) && total < m_highestTotal * (1 - kNear))
            return true;
        const Rational exact = divider.exactTotal();
        return exact >= m_exactLowestTotal &&
               (!std::isfinite(m_highestTotal) || exact <= m_exactHighestTotal);
    }

  private:
    DividerMeasure m_measure;
    double m_wantedQuotient;
    double m_lowestTotal;
    double m_highestTotal;
    Rational m_exactLowestTotal;
    Rational m_exactHighestTotal;
};

// The network of the enumerated arm: a part or an entry of the table of
// two-part values, built only once a divider with it is offered, as most
// are walked against without one.
class FixedArm {
  public:
    FixedArm(const NetworkFinder& finder, int partCount, std::size_t index)
        : m_finder(finder), m_partCount(partCount), m_index(index) {}

    const Network& network() {
        if (!m_network) {
            m_network = m_partCount == 1 ? Network::part(m_finder.parts()[m_index])
                                         : m_finder.pairNetwork(m_index);
        }
        return *m_network;
    }

  private:
    const NetworkFinder& m_finder;
    int m_partCount;
    std::size_t m_index;
    std::optional<Network> m_network;
};

// Offers the networks of one arm, walked against a fixed network in the
// other, to the list as dividers.
class ArmSink {
  public:
    ArmSink(DividerList& list, const DividerBounds& bounds, FixedArm fixed, TieKey fixedKey,
            double fixedValue, bool walkingTop)
        : m_list(list),
          m_bounds(bounds),
          m_fixed(std::move(fixed)),
          m_fixedKey(fixedKey),
          m_fixedValue(fixedValue),
          m_walkingTop(walkingTop) {}

    // The value that makes the divider exact, or where that would take the
    // total out of its bounds, the nearest value that does not: the walks
    // go out from here, and the measure worsens from here in both
    // directions within the bounds.
    double wanted() const {
        const double exact = m_walkingTop ? m_fixedValue * m_bounds.wantedQuotient()
                                          : m_fixedValue / m_bounds.wantedQuotient();
        return std::clamp(exact, lowestTotal(), std::max(lowestTotal(), highestTotal()));
    }
    double lowestAdmitted() const { return band().first; }
    double highestAdmitted() const { return band().second; }
    bool closedTo(const TieKey& parts) const {
        return m_list.closedTo(leastJointKey(parts, m_fixedKey));
    }
    bool closedBeyondDoubt(const TieKey& parts) const { return m_list.closedBeyondDoubt(parts); }

    void offer(Network arm) {
        const Network& fixed = m_fixed.network();
        const double total = arm.value() + fixed.value();
        Divider divider =
            m_walkingTop ? Divider{std::move(arm), fixed} : Divider{fixed, std::move(arm)};
        if (m_bounds.allowsTotal(total, divider)) m_list.offer(std::move(divider));
    }

  private:
    // The values of the walked arm that keep both the measure within the
    // list's band and the total within its bounds, worked out again only
    // when the list's band has changed: the walks ask for it at every step.
    std::pair<double, double> band() const {
        const std::pair<double, double> listBand{m_list.lowestAdmitted(), m_list.highestAdmitted()};
        if (listBand != m_bandOf) {
            m_bandOf = listBand;
            m_band = armBand();
        }
        return m_band;
    }

    std::pair<double, double> armBand() const {
        const QuotientBand quotients =
            quotientBand(m_bounds.measure(), m_list.lowestAdmitted(), m_list.highestAdmitted());
        if (quotients.empty()) return {kInfinity, -kInfinity};
        if (m_walkingTop) {
            return {std::max(m_fixedValue * quotients.low, lowestTotal()),
                    std::min(m_fixedValue * quotients.high, highestTotal())};
        }
        return {std::max(m_fixedValue / quotients.high, lowestTotal()),
                std::min(m_fixedValue / quotients.low, highestTotal())};
    }

    // The walked arm's values that keep the total within its bounds.
    double lowestTotal() const { return m_bounds.lowestTotal() - m_fixedValue; }
    double highestTotal() const { return m_bounds.highestTotal() - m_fixedValue; }

    DividerList& m_list;
    const DividerBounds& m_bounds;
    FixedArm m_fixed;
    TieKey m_fixedKey;  // of the fixed arm's parts
    double m_fixedValue;
    bool m_walkingTop;
    // The list's band that m_band was worked out for.
    mutable std::pair<double, double> m_bandOf{kInfinity, kInfinity};
    mutable std::pair<double, double> m_band;
};

// The values the enumerated arm can have and still be part of a divider
// whose quotient top / bottom lies within `quotients` and whose total lies
// within its bounds: the total is the bottom times 1 + q, or the top times
// 1 + 1/q.
std::pair<double, double> enumeratedBand(const QuotientBand& quotients, const DividerBounds& bounds,
                                         bool enumeratingBottom) {
    if (quotients.empty()) return {kInfinity, -kInfinity};
    const double slack = 1 + kBandSlack;
    if (enumeratingBottom)
        return {bounds.lowestTotal() / (1 + quotients.high) / slack,
                bounds.highestTotal() / (1 + quotients.low) * slack};
    return {bounds.lowestTotal() / (1 / quotients.low + 1) / slack,
            bounds.highestTotal() / (1 / quotients.high + 1) * slack};
}

std::pair<double, double> enumeratedBand(const DividerList& list, const DividerBounds& bounds,
                                         bool enumeratingBottom) {
    return enumeratedBand(
        quotientBand(bounds.measure(), list.lowestAdmitted(), list.highestAdmitted()), bounds,
        enumeratingBottom);
}

class DividerSearch {
  public:
    DividerSearch(const NetworkFinder& finder, const DividerBounds& bounds)
        : m_finder(finder), m_walks(finder), m_bounds(bounds) {}

    // Every divider of `topCount` + `bottomCount` parts the list admits.
    void search(int topCount, int bottomCount, DividerList& list) const {
        // The arm with fewer parts is enumerated, the bottom of equal arms.
        const bool walkingTop = topCount >= bottomCount;
        const int enumeratedCount = walkingTop ? bottomCount : topCount;
        const std::vector<double>& values =
            enumeratedCount == 1 ? m_finder.parts() : m_finder.pairValues();
        // First the values that can make exact dividers within the bounds on
        // the total, so that the list fills with good ones early; then
        // outwards from them while the list still admits any.
        const double exact = m_bounds.wantedQuotient();
        const auto [low, high] = enumeratedBand({exact, exact}, m_bounds, walkingTop);
        const auto first = std::lower_bound(values.begin(), values.end(), low) - values.begin();
        const auto end = std::upper_bound(values.begin(), values.end(), high) - values.begin();
        // The band of enumerated values, worked out again only when the
        // list's has changed.
        std::pair<double, double> listBand{kInfinity, kInfinity}, band;
        const auto visit = [&](std::ptrdiff_t i) {
            if (listBand != std::pair{list.lowestAdmitted(), list.highestAdmitted()}) {
                listBand = {list.lowestAdmitted(), list.highestAdmitted()};
                band = enumeratedBand(list, m_bounds, walkingTop);
            }
            const auto [lowest, highest] = band;
            const double value = values[static_cast<std::size_t>(i)];
            if (value < lowest || value > highest) return false;
            const TieKey parts = partsOf(enumeratedCount, static_cast<std::size_t>(i));
            if (!list.closedTo(parts)) {
                ArmSink sink(list, m_bounds,
                             FixedArm(m_finder, enumeratedCount, static_cast<std::size_t>(i)),
                             parts, value, walkingTop);
                m_walks.walk(walkingTop ? topCount : bottomCount, sink);
            }
            return true;
        };
        for (std::ptrdiff_t i = first; i < end; ++i)
            visit(i);
        for (std::ptrdiff_t i = first - 1; i >= 0 && visit(i); --i) {
        }
        for (std::ptrdiff_t i = end; i < static_cast<std::ptrdiff_t>(values.size()) && visit(i);
             ++i) {
        }
    }

  private:
    TieKey partsOf(int enumeratedCount, std::size_t index) const {
        if (enumeratedCount == 1) {
            const double part = m_finder.parts()[index];
            return {1, part, part};
        }
        const auto [smaller, larger] = m_finder.pairParts(index);
        return tieKeyOf(smaller, larger);
    }

    const NetworkFinder& m_finder;
    NetworkWalks m_walks;
    const DividerBounds& m_bounds;
};

// Every part of the bottom at one end of its tolerance and every part of
// the top at the other: a network's value scales with its parts.
ErrorRange worstCaseOf(const DividerRequest& request, const Divider& divider,
                       const Rational& wanted) {
    const Rational tolerance = exactFraction(request.partTolerancePercent);
    const Rational top = divider.top.exactValue();
    const Rational bottom = divider.bottom.exactValue();
    const Rational low =
        exactMeasureOf(request.measure, top * (1 + tolerance), bottom * (1 - tolerance));
    const Rational high =
        exactMeasureOf(request.measure, top * (1 - tolerance), bottom * (1 + tolerance));
    // The ratio falls with the top, the gain rises with it.
    if (request.measure == DividerMeasure::Ratio) return {low / wanted - 1, high / wanted - 1};
    return {high / wanted - 1, low / wanted - 1};
}

}  // namespace

std::vector<DividerPartCountResult> findDividers(const NetworkFinder& finder,
                                                 const DividerRequest& request) {
    std::vector<DividerPartCountResult> results;
    const double wanted = request.wantedNumerator / request.wantedDenominator;
    const bool wantedValid =
        request.measure == DividerMeasure::Ratio ? wanted > 0 && wanted < 1 : wanted > 1;
    if (finder.parts().empty() || !wantedValid || !std::isfinite(wanted)) return results;
    const Rational exactWanted = request.exactWanted();
    const ListLimits limits = limitsOf(request);

    const DividerBounds bounds(request);
    const DividerSearch search(finder, bounds);
    for (int count = std::max(request.fewestParts, 2);
         count <= std::min(request.mostParts, kMostParts); ++count) {
        DividerList list(wanted, exactWanted, limits, DividerMeasures{request.measure});
        // The even share first: its dividers of equal arms win ties, and a
        // list that many dividers hit exactly is then closed to the rest
        // early (see TopList::closedTo).
        for (int topCount : {count / 2, count / 2 - 1, count / 2 + 1, count / 2 + 2})
            if (topCount >= 1 && topCount < count) search.search(topCount, count - topCount, list);
        DividerPartCountResult result{count, {}, list.examined()};
        for (Ranked<Divider>& ranked : list.take()) {
            ErrorRange worstCase = worstCaseOf(request, ranked.item, exactWanted);
            result.dividers.push_back({std::move(ranked.item), ranked.error,
                                       std::move(ranked.exactError), std::move(worstCase)});
        }
        results.push_back(std::move(result));
    }
    return results;
}

}  // namespace gosei::networks
