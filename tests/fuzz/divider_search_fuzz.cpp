// The divider search against every divider ranked exactly, on small part
// lists and requests made from the input: the whole top list of each part
// count must be the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "networks/divider_search.h"
#include "tests/networks/exhaustive_search.h"

namespace {

using namespace gosei::networks;

// Reads bytes from the input, zeros once it is used up.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    unsigned next() { return m_at < m_size ? m_data[m_at++] : 0u; }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

Rational measureOf(DividerMeasure measure, const Divider& divider) {
    const Rational ratio = divider.exactRatio();
    return measure == DividerMeasure::Ratio ? ratio : 1 / ratio;
}

std::string written(const Divider& divider) {
    return divider.top.expression() + " / " + divider.bottom.expression();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    std::vector<double> parts;
    for (unsigned count = bytes.next() % 4 + 1; count > 0; --count)
        parts.push_back((bytes.next() % 99 + 1) * std::pow(10.0, bytes.next() % 4));

    DividerRequest request;
    request.measure = bytes.next() % 2 == 0 ? DividerMeasure::Ratio : DividerMeasure::Gain;
    // A wanted ratio or gain from two small decimals, as a person writes it.
    const double smaller = bytes.next() % 250 + 1;
    const double larger = smaller + bytes.next() % 250 + 1;
    request.wantedNumerator = request.measure == DividerMeasure::Ratio ? smaller : larger;
    request.wantedDenominator = request.measure == DividerMeasure::Ratio ? larger : smaller;
    request.top = static_cast<int>(bytes.next() % 4 + 1);
    if (bytes.next() % 2 == 0) request.maxErrorPercent = bytes.next() % 50;
    request.lowestTotal = bytes.next() % 2 == 0 ? 0 : (bytes.next() % 100) * 10.0;
    request.highestTotal = request.lowestTotal + (bytes.next() % 2 == 0 ? 1e9 : bytes.next() * 100.0);

    const NetworkFinder finder(parts);
    const Rational wanted =
        writtenValue(request.wantedNumerator) / writtenValue(request.wantedDenominator);
    for (const DividerPartCountResult& result : findDividers(finder, request)) {
        std::vector<Divider> allowed;
        for (const Divider& divider : testing::everyDivider(finder.parts(), result.partCount)) {
            const Rational total = divider.exactTotal();
            const Rational error = abs(measureOf(request.measure, divider) / wanted - 1);
            if (total >= writtenValue(request.lowestTotal) &&
                total <= writtenValue(request.highestTotal) &&
                (!request.maxErrorPercent || error <= exactFraction(*request.maxErrorPercent)))
                allowed.push_back(divider);
        }
        const auto expected = testing::exactlyRanked(
            allowed, wanted, [&](const Divider& d) { return measureOf(request.measure, d); },
            static_cast<std::size_t>(request.top));
        bool same = expected.size() == result.dividers.size();
        for (std::size_t i = 0; same && i < expected.size(); ++i)
            same = expected[i] == result.dividers[i].divider;
        if (!same) {
            std::fprintf(stderr, "%d parts: found", result.partCount);
            for (const RankedDivider& ranked : result.dividers)
                std::fprintf(stderr, " [%s]", written(ranked.divider).c_str());
            std::fprintf(stderr, "\nexpected");
            for (const Divider& divider : expected)
                std::fprintf(stderr, " [%s]", written(divider).c_str());
            std::fprintf(stderr, "\n");
            std::abort();
        }
    }
    return 0;
}
