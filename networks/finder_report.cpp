#include "networks/finder_report.h"

#include <cmath>

#include "decimal/decimal_conversion.h"
#include "json/json_text.h"
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
    return json::arrayOf(values, [](double value) { return jsonNumber(value); });
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
        // Resistors' answers stay as they were before there were kinds.
        if (setup.kind != PartKind::Resistor)
            text += ",\"kind\":" + json::quoted(factsOf(setup.kind).letter);
    } else {
        const Rational ratio = setup.exactRatio();
        text += "\"ratio\":" + jsonNumber(ratio) +
                ",\"ratio_exact\":" + json::quoted(fractionText(ratio));
        if (setup.ratioForm == RatioForm::Voltages)
            text += ",\"vout\":" + jsonNumber(setup.vout) + ",\"vin\":" + jsonNumber(setup.vin);
        if (setup.ratioForm == RatioForm::Regulator)
            text += ",\"vref\":" + jsonNumber(setup.vref) + ",\"vout\":" + jsonNumber(setup.vout);
    }
    if (setup.series) {
        text += ",\"series\":" + json::quoted(eSeriesName(*setup.series)) + ",\"range\":[" +
                jsonNumber(setup.low) + "," + jsonNumber(setup.high) + "]";
    } else {
        text += ",\"stock\":" + json::quoted(setup.stockName) +
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
std::string jsonNetworkFields(const Network& network, PartKind kind) {
    const Rational value = network.exactValue(kind);
    return "\"expression\":" + json::quoted(network.expression()) +
           ",\"topology\":" + json::quoted(network.topology()) +
           ",\"parts\":" + jsonList(network.partValues()) + ",\"value\":" + jsonNumber(value) +
           ",\"value_exact\":" + json::quoted(fractionText(value));
}

std::string jsonResult(const FinderSetup& setup, const RankedNetwork& ranked) {
    return "{" + jsonNetworkFields(ranked.network, setup.kind) +
           ",\"error_percent\":" + jsonPercent(ranked.exactError) +
           ",\"worst_case_percent\":" + jsonWorstCase(setup, ranked.worstCase) + "}";
}

std::string jsonResult(const FinderSetup& setup, const RankedDivider& ranked) {
    const Divider& divider = ranked.divider;
    const Rational ratio = divider.exactRatio();
    std::string text = "{\"top\":{" + jsonNetworkFields(divider.top, PartKind::Resistor) +
                       "},\"bottom\":{" + jsonNetworkFields(divider.bottom, PartKind::Resistor) +
                       "},\"ratio\":" + jsonNumber(ratio) +
                       ",\"ratio_exact\":" + json::quoted(fractionText(ratio));
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

namespace {

// The cells of a row, one for each heading but the worst case's.
std::vector<std::string> cellsOf(const FinderSetup& setup, const RankedNetwork& ranked) {
    return {ranked.network.expression(),
            valueText(ranked.network.exactValue(setup.kind), kValueDigits),
            percentText(ranked.exactError, kErrorDigits)};
}

std::vector<std::string> cellsOf(const FinderSetup& setup, const RankedDivider& ranked) {
    const Divider& divider = ranked.divider;
    return {divider.top.expression(), divider.bottom.expression(),
            decimalText(shownRatio(setup, divider.exactRatio()), kValueDigits),
            percentText(ranked.exactError, kErrorDigits),
            valueText(divider.exactTotal(), kValueDigits)};
}

std::vector<Words> headingsOf(const FinderSetup& setup) {
    std::vector<Words> headings;
    if (setup.mode == FinderMode::Network) {
        // Capacitances and inductances name their unit; ohms go without, as
        // they always have.
        const PartKind kind = setup.find.kind;
        const std::string unit =
            kind == PartKind::Resistor ? "" : " (" + std::string(factsOf(kind).unitSign) + ")";
        headings = {{"回路", "network"}, {"合成値", "value", unit}, {"誤差", "error", " (％)"}};
    } else {
        headings = {{"上", "top"},
                    {"下", "bottom"},
                    setup.ratioForm == RatioForm::Regulator ? Words{"出力", "output", " (V)"}
                                                            : Words{"分圧比", "ratio"},
                    {"誤差", "error", " (％)"},
                    {"合計", "total"}};
    }
    if (setup.showsWorstCase()) headings.push_back({"最悪値", "worst case", " (％)"});
    return headings;
}

template <typename Result, typename Items>
void addGroups(ResultsTable& table, const FinderSetup& setup, const std::vector<Result>& found,
               Items Result::*items) {
    std::optional<Rational> bestError;
    for (const Result& result : found) {
        ResultGroup group{result.partCount, {}};
        for (const auto& ranked : result.*items) {
            group.rows.push_back(cellsOf(setup, ranked));
            if (setup.showsWorstCase())
                group.rows.back().push_back(worstCaseText(ranked.worstCase));
            // Of equal errors, the first found: the one of fewest parts.
            const Rational error = abs(ranked.exactError);
            if (!bestError || error < *bestError) {
                bestError = error;
                table.best = std::pair{table.groups.size(), group.rows.size() - 1};
            }
        }
        table.groups.push_back(std::move(group));
    }
}

}  // namespace

Words partCountWords(int count) {
    const std::string number = std::to_string(count);
    return {number + " 個", number + (count == 1 ? " part" : " parts")};
}

ResultsTable resultsTable(const FinderSetup& setup, const FinderAnswer& answer) {
    ResultsTable table;
    table.headings = headingsOf(setup);
    if (setup.mode == FinderMode::Network) {
        addGroups(table, setup, answer.networks, &PartCountResult::networks);
    } else {
        addGroups(table, setup, answer.dividers, &DividerPartCountResult::dividers);
    }
    return table;
}

std::string reportJson(const FinderSetup& setup, const FinderAnswer& answer) {
    const std::string results =
        setup.mode == FinderMode::Network
            ? jsonResults(setup, answer.networks, &PartCountResult::networks, "networks")
            : jsonResults(setup, answer.dividers, &DividerPartCountResult::dividers, "dividers");
    return "{\"request\":" + jsonRequest(setup) + ",\"results\":[" + results + "]}\n";
}

}  // namespace gosei::networks
