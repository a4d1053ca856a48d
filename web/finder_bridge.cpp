// The network search for the finder page (find.html), run in its worker.
// The page hands over its fields one at a time as "name=text", where the
// names are the fields' element ids and the texts are what the command
// line's options would hold; a search then answers in JSON (and can answer
// first for the part counts below four, see search()):
//   {"defaults": what an empty field stands for,
//    "problem": the command line's line for a request it refuses, or
//    "report": gosei-cli's --json, and "rows": for each part count, each
//    result's column texts and its schematic}.
// The tables of the last set of parts are kept, so that a request for the
// same parts searches at once.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "decimal/decimal_conversion.h"
#include "networks/finder_report.h"
#include "networks/finder_request.h"
#include "networks/value_text.h"
#include "view/schematic.h"

namespace {

using namespace gosei::networks;
using gosei::view::dividerSchematic;
using gosei::view::schematicJson;
using gosei::view::schematicOf;

struct Field {
    std::string_view name;
    std::optional<std::string> FinderOptions::*option;
};
constexpr std::array<Field, 12> kFields{{
    {"want", &FinderOptions::wanted},
    {"vref", &FinderOptions::vref},
    {"vout", &FinderOptions::vout},
    {"series", &FinderOptions::series},
    {"range", &FinderOptions::range},
    {"stock", &FinderOptions::stock},
    {"exclude", &FinderOptions::exclude},
    {"parts", &FinderOptions::parts},
    {"top", &FinderOptions::top},
    {"max-error", &FinderOptions::tolerance},
    {"part-tolerance", &FinderOptions::partTolerance},
    {"total", &FinderOptions::total},
}};

FinderOptions options;
std::string fieldText;
std::string answer;
std::optional<NetworkFinder> finder;

void setField(std::string_view name, std::string text) {
    if (name == "mode") {
        options.mode = text == "divider" ? FinderMode::Divider : FinderMode::Network;
    } else if (name == "stock-name") {
        options.stockName = std::move(text);
    }
    for (const Field& field : kFields)
        if (field.name == name) options.*(field.option) = std::move(text);
}

std::string jsonPair(const std::string& first, const std::string& second) {
    return "[" + jsonString(first) + "," + jsonString(second) + "]";
}

// What each empty field stands for in this request, for the page's
// placeholders; the part tolerance is 0 where parts have none.
std::string defaultsJson() {
    const FinderDefaults defaults = defaultsFor(options);
    return "{\"range\":" + jsonPair(valueText(kDefaultLow), valueText(kDefaultHigh)) +
           ",\"parts\":" +
           jsonPair(std::to_string(defaults.fewestParts), std::to_string(kMostParts)) +
           ",\"top\":" + jsonString(std::to_string(defaults.top)) +
           ",\"part-tolerance\":" + jsonString(gosei::shortestText(defaults.partTolerancePercent)) +
           ",\"total\":" +
           jsonPair(valueText(kDefaultLowestTotal), valueText(kDefaultHighestTotal)) + "}";
}

std::string jsonArray(const std::vector<std::string>& items) {
    std::string json = "[";
    for (const std::string& item : items)
        json += (json.size() > 1 ? "," : "") + item;
    return json + "]";
}

std::string rowJson(std::initializer_list<std::string> texts, const std::string& schematic) {
    std::vector<std::string> quoted;
    for (const std::string& text : texts)
        quoted.push_back(jsonString(text));
    return "{\"texts\":" + jsonArray(quoted) + ",\"schematic\":" + schematic + "}";
}

std::string rowJson(const FinderSetup& setup, const RankedNetwork& ranked) {
    const NetworkRow row = rowOf(setup, ranked);
    return rowJson({row.expression, row.value, row.error, row.worstCase},
                   schematicJson(schematicOf(ranked.network)));
}

std::string rowJson(const FinderSetup& setup, const RankedDivider& ranked) {
    const DividerRow row = rowOf(setup, ranked);
    return rowJson({row.top, row.bottom, row.ratio, row.error, row.total, row.worstCase},
                   schematicJson(dividerSchematic(ranked.divider.top, ranked.divider.bottom)));
}

// For each part count, its rows in the order of the report.
template <typename Result, typename Ranked>
std::string rowsJson(const FinderSetup& setup, const std::vector<Result>& results,
                     std::vector<Ranked> Result::*items) {
    std::vector<std::string> partCounts;
    for (const Result& result : results) {
        std::vector<std::string> rows;
        for (const Ranked& ranked : result.*items)
            rows.push_back(rowJson(setup, ranked));
        partCounts.push_back(jsonArray(rows));
    }
    return jsonArray(partCounts);
}

// From how many parts four of them take a while (E192 over the default
// range, 1345 values: about half a second in WebAssembly) where fewer come
// at once; shorter series are searched whole at once.
constexpr std::size_t kPartsWorthAFirstAnswer = 700;

// The answer to the fields set; with `first`, the answer for the part
// counts below four where four and fewer are asked for from many parts,
// and "" otherwise.
std::string search(bool first) {
    const std::string defaults = "{\"defaults\":" + defaultsJson();
    auto setUp = setUpFinder(options);
    if (const auto* problem = std::get_if<std::string>(&setUp))
        return first ? "" : defaults + ",\"problem\":" + jsonString(*problem) + "}";
    FinderSetup& setup = std::get<FinderSetup>(setUp);
    if (first) {
        if (setup.list().mostParts < kMostParts || setup.list().fewestParts == kMostParts ||
            setup.parts.size() < kPartsWorthAFirstAnswer)
            return "";
        setup.list().mostParts = kMostParts - 1;
    }
    if (!finder || finder->parts() != setup.parts) {
        finder.reset();
        finder.emplace(setup.parts);
    }
    const FinderAnswer found = answerFor(setup, *finder);
    std::string report = reportJson(setup, found);
    report.pop_back();  // its line end
    return defaults + ",\"report\":" + report + ",\"rows\":" +
           (setup.mode == FinderMode::Network
                ? rowsJson(setup, found.networks, &PartCountResult::networks)
                : rowsJson(setup, found.dividers, &DividerPartCountResult::dividers)) +
           "}";
}

}  // namespace

extern "C" {

// Makes the fields empty, for a new request.
void gosei_finder_clear() {
    options = FinderOptions{};
}

// A buffer of the given size for the page to write "name=text" into, in
// UTF-8, before it calls gosei_finder_set.
char* gosei_finder_buffer(int bytes) {
    fieldText.assign(static_cast<std::size_t>(bytes), '\0');
    return fieldText.data();
}

void gosei_finder_set() {
    const auto equals = fieldText.find('=');
    if (equals == std::string::npos) return;
    setField(std::string_view(fieldText).substr(0, equals), fieldText.substr(equals + 1));
}

// Searches for the fields set, first (non-zero) or in full (see search()),
// and returns the answer's JSON (its length from
// gosei_finder_answer_length).
const char* gosei_finder_search(int first) {
    answer = search(first != 0);
    return answer.c_str();
}

int gosei_finder_answer_length() {
    return static_cast<int>(answer.size());
}
}
