#include "cli/find_command.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "cli/terminal_text.h"
#include "engine/decimal_conversion.h"

#include "networks/e_series.h"
#include "networks/network_search.h"
#include "networks/value_text.h"

namespace gosei::cli {
namespace {

using namespace gosei::networks;

constexpr int kDefaultTop = 3;
constexpr int kDefaultTopWithinTolerance = 20;
constexpr int kMostTop = 1000;

// The request as understood from the command line.
struct FindSettings {
    double wanted = 0;
    ESeries series = ESeries::E24;
    double low = 1;
    double high = 1e7;
    bool rangeGiven = false;
    std::optional<std::string> stockPath;
    std::vector<double> excluded;
    int fewestParts = 1;
    int mostParts = kMostParts;
    std::optional<int> top;
    std::optional<double> tolerancePercent;
    bool json = false;

    int topCount() const {
        return top.value_or(tolerancePercent ? kDefaultTopWithinTolerance : kDefaultTop);
    }
};

using Problem = std::string;

std::optional<int> wholeNumber(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

// "LOW..HIGH" with both ends read by `read`.
template <typename T>
std::optional<std::pair<T, T>> rangeOf(std::string_view text,
                                       std::optional<T> (*read)(std::string_view)) {
    const auto dots = text.find("..");
    if (dots == std::string_view::npos) return std::nullopt;
    const auto low = read(text.substr(0, dots));
    const auto high = read(text.substr(dots + 2));
    if (!low || !high) return std::nullopt;
    return std::pair{*low, *high};
}

std::optional<Problem> readPartCounts(std::string_view text, FindSettings& settings) {
    if (const auto most = wholeNumber(text)) {
        settings.fewestParts = 1;
        settings.mostParts = *most;
    } else if (const auto counts = rangeOf(text, wholeNumber)) {
        settings.fewestParts = counts->first;
        settings.mostParts = counts->second;
    } else {
        return "--parts \"" + std::string(text) + "\" is not N or M..N";
    }
    if (settings.fewestParts < 1 || settings.mostParts > kMostParts ||
        settings.fewestParts > settings.mostParts)
        return "--parts must lie within 1..4, smaller count first";
    return std::nullopt;
}

std::optional<Problem> readExcluded(std::string_view text, FindSettings& settings) {
    while (true) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const auto value = parseValue(item);
        if (!value || !(*value > 0))
            return "--exclude: \"" + std::string(item) + "\" is not a positive value";
        settings.excluded.push_back(*value);
        if (comma == std::string_view::npos) return std::nullopt;
        text.remove_prefix(comma + 1);
    }
}

std::optional<Problem> readOption(std::string_view name, std::string_view text,
                                  FindSettings& settings) {
    if (name == "--series") {
        const auto series = eSeriesFromName(text);
        if (!series)
            return "unknown series \"" + std::string(text) +
                   "\" (expected E1, E3, E6, E12, E24, E48, E96 or E192)";
        settings.series = *series;
    } else if (name == "--stock") {
        settings.stockPath = std::string(text);
    } else if (name == "--range") {
        const auto range = rangeOf(text, parseValue);
        if (!range || !(range->first > 0) || !(range->second >= range->first))
            return "--range \"" + std::string(text) + "\" is not LOW..HIGH with 0 < LOW <= HIGH";
        settings.low = range->first;
        settings.high = range->second;
        settings.rangeGiven = true;
    } else if (name == "--exclude") {
        return readExcluded(text, settings);
    } else if (name == "--parts") {
        return readPartCounts(text, settings);
    } else if (name == "--top") {
        const auto top = wholeNumber(text);
        if (!top || *top < 1 || *top > kMostTop)
            return "--top \"" + std::string(text) + "\" is not a whole number from 1 to 1000";
        settings.top = *top;
    } else if (name == "--tolerance") {
        double percent = 0;
        const auto [end, error] = parseDecimal(text.data(), text.data() + text.size(), percent);
        if (error != std::errc() || end != text.data() + text.size() || !(percent >= 0) ||
            !(percent < 1e6))
            return "--tolerance \"" + std::string(text) + "\" is not a percentage of 0 or more";
        settings.tolerancePercent = percent;
    } else {
        return "unknown option " + std::string(name);
    }
    return std::nullopt;
}

std::variant<FindSettings, Problem> readArguments(std::span<const std::string_view> args) {
    FindSettings settings;
    std::optional<std::string_view> wantedText;
    bool seriesGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--json") {
            settings.json = true;
            continue;
        }
        if (!arg.starts_with("--")) {
            if (wantedText) return "more than one value: " + std::string(arg);
            wantedText = arg;
            continue;
        }
        std::string_view name = arg;
        std::string_view text;
        if (const auto equals = arg.find('='); equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            text = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            text = args[++i];
        } else {
            return std::string(arg) + " needs a value";
        }
        seriesGiven = seriesGiven || name == "--series";
        if (auto problem = readOption(name, text, settings)) return *problem;
    }
    if (!wantedText) return "no value given (gosei-cli find VALUE [options])";
    const auto wanted = parseValue(*wantedText);
    if (!wanted && wantedText->starts_with('-') && parseValue(wantedText->substr(1)))
        return "the value must be greater than 0";
    if (!wanted) return "\"" + std::string(*wantedText) + "\" is not a value";
    if (!(*wanted > 0)) return "the value must be greater than 0";
    settings.wanted = *wanted;
    if (settings.stockPath && (seriesGiven || settings.rangeGiven))
        return "--stock takes no --series or --range";
    return settings;
}

std::variant<std::vector<double>, Problem> readStock(const std::string& path) {
    const std::string unreadable = "cannot read stock file " + path;
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return unreadable;
    std::ifstream file(path, std::ios::binary);
    if (!file) return unreadable;
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) return unreadable;
    const auto stock = parseStockList(text.str());
    if (const auto* problem = std::get_if<StockListError>(&stock))
        return "stock file " + path + ": " + problem->message;
    return std::get<std::vector<double>>(stock);
}

std::string partsDescription(const FindSettings& settings) {
    if (settings.stockPath) return "stock " + *settings.stockPath;
    return std::string(eSeriesName(settings.series)) + " " + valueText(settings.low) + ".." +
           valueText(settings.high);
}

std::variant<std::vector<double>, Problem> partValues(const FindSettings& settings) {
    std::vector<double> values;
    if (settings.stockPath) {
        auto stock = readStock(*settings.stockPath);
        if (const auto* problem = std::get_if<Problem>(&stock)) return *problem;
        values = std::move(std::get<std::vector<double>>(stock));
    } else {
        values = eSeriesValues(settings.series, settings.low, settings.high);
    }
    values = withoutExcluded(std::move(values), settings.excluded);
    if (values.empty()) return "no parts left in " + partsDescription(settings);
    return values;
}

std::string percentText(double error) {
    if (error == 0) return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%+.4g", error * 100);
    return text;
}

std::string tableText(const FindSettings& settings, std::size_t partCount,
                      const std::vector<PartCountResult>& results) {
    const std::string networkHead = "回路 / network";
    const std::string valueHead = "合成値 / value";
    std::size_t networkWidth = displayWidth(networkHead);
    for (const PartCountResult& result : results)
        for (const RankedNetwork& ranked : result.networks)
            networkWidth = std::max(networkWidth, displayWidth(ranked.network.expression()));
    networkWidth += 3;
    const std::size_t valueWidth = displayWidth(valueHead) + 3;

    std::string text = "目標 / wanted " + valueText(settings.wanted) + ", 部品 / parts " +
                       partsDescription(settings) + " (" + std::to_string(partCount) + " values)\n";
    for (const PartCountResult& result : results) {
        const std::string count = std::to_string(result.partCount);
        text +=
            "\n" + count + " 個 / " + count + (result.partCount == 1 ? " part" : " parts") + "\n";
        text += padded(networkHead, networkWidth) + padded(valueHead, valueWidth) +
                "誤差 / error (％)\n";
        if (result.networks.empty()) text += "なし / none\n";
        for (const RankedNetwork& ranked : result.networks) {
            text += padded(ranked.network.expression(), networkWidth) +
                    padded(valueText(ranked.network.value(), 7), valueWidth) +
                    percentText(ranked.error) + "\n";
        }
    }
    return text;
}

std::string jsonNumber(double value) {
    return std::isfinite(value) ? shortestText(value) : "null";
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

std::string jsonList(const std::vector<double>& values) {
    std::string text = "[";
    for (double value : values)
        text += (text.size() > 1 ? "," : "") + jsonNumber(value);
    return text + "]";
}

std::string jsonText(const FindSettings& settings, std::size_t partCount,
                     const std::vector<PartCountResult>& results) {
    std::string text = "{\"request\":{\"wanted\":" + jsonNumber(settings.wanted);
    if (settings.stockPath) {
        text += ",\"stock\":" + jsonString(*settings.stockPath);
    } else {
        text += ",\"series\":" + jsonString(eSeriesName(settings.series)) + ",\"range\":[" +
                jsonNumber(settings.low) + "," + jsonNumber(settings.high) + "]";
    }
    text += ",\"exclude\":" + jsonList(settings.excluded) +
            ",\"part_values\":" + std::to_string(partCount) + ",\"part_counts\":[" +
            std::to_string(settings.fewestParts) + "," + std::to_string(settings.mostParts) +
            "],\"top\":" + std::to_string(settings.topCount()) + ",\"tolerance_percent\":" +
            (settings.tolerancePercent ? jsonNumber(*settings.tolerancePercent) : "null") +
            "},\"results\":[";
    for (const PartCountResult& result : results) {
        if (result.partCount != results.front().partCount) text += ",";
        text += "{\"part_count\":" + std::to_string(result.partCount) + ",\"networks\":[";
        for (const RankedNetwork& ranked : result.networks) {
            if (&ranked != &result.networks.front()) text += ",";
            text += "{\"expression\":" + jsonString(ranked.network.expression()) +
                    ",\"topology\":" + jsonString(ranked.network.topology()) +
                    ",\"parts\":" + jsonList(ranked.network.partValues()) +
                    ",\"value\":" + jsonNumber(ranked.network.value()) +
                    ",\"error_percent\":" + jsonNumber(ranked.error * 100) + "}";
        }
        text += "]}";
    }
    return text + "]}\n";
}

// The whole text for standard output.
struct Answer {
    std::string text;
};

std::variant<Answer, Problem> answer(std::span<const std::string_view> args) {
    auto read = readArguments(args);
    if (const auto* problem = std::get_if<Problem>(&read)) return *problem;
    const FindSettings& settings = std::get<FindSettings>(read);

    auto values = partValues(settings);
    if (const auto* problem = std::get_if<Problem>(&values)) return *problem;
    if (std::get<std::vector<double>>(values).size() > kMostDistinctParts)
        return "more than " + std::to_string(kMostDistinctParts) + " distinct parts in " +
               partsDescription(settings);

    const NetworkFinder finder(std::move(std::get<std::vector<double>>(values)));
    const double lowest = finder.lowestReachable(settings.mostParts);
    const double highest = finder.highestReachable(settings.mostParts);
    if (settings.wanted < lowest || settings.wanted > highest)
        return valueText(settings.wanted) + " is outside what " +
               std::to_string(settings.mostParts) + " parts of " + partsDescription(settings) +
               " can reach (" + valueText(lowest) + " to " + valueText(highest) + ")";

    FindRequest request;
    request.wanted = settings.wanted;
    request.fewestParts = settings.fewestParts;
    request.mostParts = settings.mostParts;
    request.top = settings.topCount();
    if (settings.tolerancePercent) request.maxError = *settings.tolerancePercent / 100;
    const auto results = finder.find(request);
    const std::size_t partCount = finder.parts().size();
    return Answer{settings.json ? jsonText(settings, partCount, results)
                                : tableText(settings, partCount, results)};
}

}  // namespace

int runFind(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kFindHelp;
        return 0;
    }
    const auto result = answer(args);
    if (const auto* problem = std::get_if<Problem>(&result)) {
        err << "gosei-cli find: " << *problem << '\n';
        return 2;
    }
    out << std::get<Answer>(result).text;
    out.flush();
    return 0;
}

}  // namespace gosei::cli
