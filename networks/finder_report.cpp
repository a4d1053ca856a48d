#include "networks/finder_report.h"

#include <cmath>
#include <cstdio>

#include "decimal/decimal_conversion.h"
#include "networks/value_text.h"

namespace gosei::networks {
namespace {

// Significant digits of the columns.
constexpr int kValueDigits = 7;
constexpr int kErrorDigits = 4;
constexpr int kWorstCaseDigits = 2;

// What the divider's column shows: its ratio, or a regulator's output.
Rational shownRatio(const FinderSetup& setup, const Rational& ratio) {
    return setup.ratioForm == RatioForm::Regulator ? writtenValue(setup.vref) / ratio : ratio;
}

// ---- JSON ----------------------------------------------------------------

std::string jsonNumber(double value) {
    return std::isfinite(value) ? shortestText(value) : "null";
}

std::string jsonNumber(const Rational& value) {
    return jsonNumber(nearestDouble(value));
}

std::string jsonList(const std::vector<double>& values) {
    std::string text = "[";
    for (double value : values)
        text += (text.size() > 1 ? "," : "") + jsonNumber(value);
    return text + "]";
}

std::string jsonPercent(const Rational& fraction) {
    return jsonNumber(fraction * 100);
}

std::string jsonWorstCase(const FinderSetup& setup, const ErrorRange& range) {
    if (!setup.showsWorstCase()) return "null";
    return "[" + jsonPercent(range.low) + "," + jsonPercent(range.high) + "]";
}

std::string jsonRequest(const FinderSetup& setup) {
    const ListRequest& list = setup.list();
    std::string text = "{";
    if (setup.mode == FinderMode::Network) {
        text += "\"wanted\":" + jsonNumber(setup.find.wanted);
    } else {
        const Rational ratio = setup.exactRatio();
        text += "\"ratio\":" + jsonNumber(ratio) +
                ",\"ratio_exact\":" + jsonString(fractionText(ratio));
        if (setup.ratioForm == RatioForm::Voltages)
            text += ",\"vout\":" + jsonNumber(setup.vout) + ",\"vin\":" + jsonNumber(setup.vin);
        if (setup.ratioForm == RatioForm::Regulator)
            text += ",\"vref\":" + jsonNumber(setup.vref) + ",\"vout\":" + jsonNumber(setup.vout);
    }
    if (setup.series) {
        text += ",\"series\":" + jsonString(eSeriesName(*setup.series)) + ",\"range\":[" +
                jsonNumber(setup.low) + "," + jsonNumber(setup.high) + "]";
    } else {
        text += ",\"stock\":" + jsonString(setup.stockName) +
                ",\"counted_stock\":" + (setup.countedStock ? "true" : "false");
    }
    text += ",\"exclude\":" + jsonList(setup.excluded) +
            ",\"part_values\":" + std::to_string(setup.parts.size()) + ",\"part_counts\":[" +
            std::to_string(list.fewestParts) + "," + std::to_string(list.mostParts) +
            "],\"top\":" + std::to_string(list.top) + ",\"tolerance_percent\":" +
            (list.maxErrorPercent ? jsonNumber(*list.maxErrorPercent) : "null") +
            ",\"part_tolerance_percent\":" + jsonNumber(list.partTolerancePercent);
    if (setup.mode == FinderMode::Divider)
        text += ",\"total\":[" + jsonNumber(setup.divider.lowestTotal) + "," +
                jsonNumber(setup.divider.highestTotal) + "]";
    return text + "}";
}

// The fields every network has, alone or as an arm of a divider.
std::string jsonNetworkFields(const Network& network) {
    const Rational value = network.exactValue();
    return "\"expression\":" + jsonString(network.expression()) +
           ",\"topology\":" + jsonString(network.topology()) +
           ",\"parts\":" + jsonList(network.partValues()) + ",\"value\":" + jsonNumber(value) +
           ",\"value_exact\":" + jsonString(fractionText(value));
}

std::string jsonResult(const FinderSetup& setup, const RankedNetwork& ranked) {
    return "{" + jsonNetworkFields(ranked.network) +
           ",\"error_percent\":" + jsonPercent(ranked.exactError) +
           ",\"worst_case_percent\":" + jsonWorstCase(setup, ranked.worstCase) + "}";
}

std::string jsonResult(const FinderSetup& setup, const RankedDivider& ranked) {
    const Divider& divider = ranked.divider;
    const Rational ratio = divider.exactRatio();
    std::string text = "{\"top\":{" + jsonNetworkFields(divider.top) + "},\"bottom\":{" +
                       jsonNetworkFields(divider.bottom) + "},\"ratio\":" + jsonNumber(ratio) +
                       ",\"ratio_exact\":" + jsonString(fractionText(ratio));
    if (setup.ratioForm == RatioForm::Regulator)
        text += ",\"output\":" + jsonNumber(shownRatio(setup, ratio));
    return text + ",\"error_percent\":" + jsonPercent(ranked.exactError) +
           ",\"total\":" + jsonNumber(divider.exactTotal()) +
           ",\"worst_case_percent\":" + jsonWorstCase(setup, ranked.worstCase) + "}";
}

template <typename Result, typename Items>
std::string jsonResults(const FinderSetup& setup, const std::vector<Result>& results,
                        Items Result::*items, const char* name) {
    std::string text;
    for (const Result& result : results) {
        text += (text.empty() ? "{" : ",{") + std::string("\"part_count\":") +
                std::to_string(result.partCount) + ",\"" + name + "\":[";
        for (const auto& ranked : result.*items)
            text += (&ranked == &(result.*items).front() ? "" : ",") + jsonResult(setup, ranked);
        text += "]}";
    }
    return text;
}

}  // namespace

FinderAnswer answerFor(const FinderSetup& setup, const NetworkFinder& finder) {
    FinderAnswer answer;
    if (setup.mode == FinderMode::Network) {
        answer.networks = finder.find(setup.find);
    } else {
        answer.dividers = findDividers(finder, setup.divider);
    }
    return answer;
}

std::string worstCaseText(const ErrorRange& range) {
    return percentText(range.low, kWorstCaseDigits, Rounding::Down) + " … " +
           percentText(range.high, kWorstCaseDigits, Rounding::Up);
}

NetworkRow rowOf(const FinderSetup& setup, const RankedNetwork& ranked) {
    return {ranked.network.expression(), valueText(ranked.network.exactValue(), kValueDigits),
            percentText(ranked.exactError, kErrorDigits),
            setup.showsWorstCase() ? worstCaseText(ranked.worstCase) : ""};
}

DividerRow rowOf(const FinderSetup& setup, const RankedDivider& ranked) {
    const Divider& divider = ranked.divider;
    const Rational ratio = divider.exactRatio();
    return {divider.top.expression(),
            divider.bottom.expression(),
            decimalText(shownRatio(setup, ratio), kValueDigits),
            percentText(ranked.exactError, kErrorDigits),
            valueText(divider.exactTotal(), kValueDigits),
            setup.showsWorstCase() ? worstCaseText(ranked.worstCase) : ""};
}

std::string reportJson(const FinderSetup& setup, const FinderAnswer& answer) {
    const std::string results =
        setup.mode == FinderMode::Network
            ? jsonResults(setup, answer.networks, &PartCountResult::networks, "networks")
            : jsonResults(setup, answer.dividers, &DividerPartCountResult::dividers, "dividers");
    return "{\"request\":" + jsonRequest(setup) + ",\"results\":[" + results + "]}\n";
}

std::string jsonString(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace gosei::networks
