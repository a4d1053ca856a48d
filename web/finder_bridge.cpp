// The network search for the finder page (find.html), run in its worker.
// The page hands over its whole request at once, as the query string of its
// address reads ("mode=divider&want=0.5&top=10", encoded as a form would
// encode it): "mode" (value or divider), "source" (series or stock),
// "stock-name", and each field of the finder's form by its element id; the
// stock list's text comes as "stock". Any other name is refused, so that a
// field the page sends and the search ignores cannot go unnoticed. A search
// answers in JSON (and can answer first for the part counts below four, see
// search()):
//   {"placeholders": what each empty field stands for, by id,
//    "problem": {"field": the id at fault, "message": in Japanese,
//                "typing": true where the form is only not finished yet}, or
//    "report": gosei-cli's --json, "table": the results' headings and rows
//    with their drawings, the best row, and "summary": the best in words}.
// The tables of the last set of parts are kept, so that a request for the
// same parts searches at once.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "json/json_text.h"
#include "networks/finder_report.h"
#include "networks/finder_request.h"
#include "view/finder_form.h"
#include "view/schematic.h"

namespace {

using namespace gosei::networks;
namespace json = gosei::json;
namespace view = gosei::view;

std::string requestText;
std::string answer;
std::optional<NetworkFinder> finder;

// "%E3%81%82" and "+" as a form encodes them; a stray '%' stands for itself.
std::string decoded(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto hex = [&](std::size_t at) {
            const char c = text[at];
            return c >= '0' && c <= '9'   ? c - '0'
                   : c >= 'a' && c <= 'f' ? c - 'a' + 10
                   : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                          : -1;
        };
        if (text[i] == '+') {
            plain += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hex(i + 1) >= 0 && hex(i + 2) >= 0) {
            plain += static_cast<char>(hex(i + 1) * 16 + hex(i + 2));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// The form the request describes, or the name it does not know.
std::variant<view::FormTexts, std::string> formOf(std::string_view request) {
    view::FormTexts form;
    while (!request.empty()) {
        const auto amp = request.find('&');
        const std::string_view pair = request.substr(0, amp);
        request = amp == std::string_view::npos ? std::string_view() : request.substr(amp + 1);
        if (pair.empty()) continue;
        const auto equals = pair.find('=');
        const std::string name = decoded(pair.substr(0, equals));
        const std::string text =
            equals == std::string_view::npos ? std::string() : decoded(pair.substr(equals + 1));
        if (name == "mode") {
            form.mode = text == "divider" ? FinderMode::Divider : FinderMode::Network;
        } else if (name == "source") {
            form.stock = text == "stock";
        } else if (name == "stock-name") {
            form.stockName = text;
        } else if (const view::FormField* field = view::formFieldWithId(name);
                   field && field->field != FinderField::Mode) {
            form[field->field] = text;
        } else {
            return name;
        }
    }
    return form;
}

std::string placeholdersJson(const view::FormTexts& form) {
    const auto placeholders = view::placeholdersOf(form);
    json::Object object;
    for (const view::FormField& field : view::finderForm())
        if (const std::string& text = placeholders[static_cast<std::size_t>(field.field)];
            !text.empty())
            object.addText(field.id, text);
    return object.text();
}

std::string problemJson(const FinderProblem& problem, FinderMode mode) {
    return json::Object()
        .addText("field", view::formField(problem.field).id)
        .addText("message", view::problemMessage(problem, mode))
        .add("typing", view::isStillTyping(problem) ? "true" : "false")
        .text();
}

// The headings, and for each part count its title and rows: each row's
// cells, its drawing of parts of the kind and the drawing's title.
std::string tableJson(const ResultsTable& table, const FinderAnswer& found, PartKind kind) {
    const auto drawings = view::schematicsOf(found, kind);
    const bool divider = !found.dividers.empty();
    std::vector<std::string> groups;
    for (std::size_t g = 0; g < table.groups.size(); ++g) {
        const ResultGroup& group = table.groups[g];
        std::vector<std::string> rows;
        for (std::size_t r = 0; r < group.rows.size(); ++r) {
            const auto& cells = group.rows[r];
            rows.push_back(json::Object()
                               .add("cells", json::arrayOf(cells, json::quoted))
                               .add("schematic", view::schematicJson(drawings[g][r]))
                               .addText("title", view::drawingTitle(table, cells, divider))
                               .text());
        }
        groups.push_back(json::Object()
                             .add("part_count", std::to_string(group.partCount))
                             .addText("title", partCountWords(group.partCount).japanese)
                             .add("rows", json::array(rows))
                             .text());
    }
    std::vector<std::string> headings;
    for (const Words& heading : table.headings)
        headings.push_back(json::quoted(heading.shown()));
    return json::Object()
        .add("headings", json::array(headings))
        .add("groups", json::array(groups))
        .add("best", table.best ? json::array({std::to_string(table.best->first),
                                               std::to_string(table.best->second)})
                                : "null")
        .addText("none", kNoneFound.japanese)
        .text();
}

// From how many parts four of them take a while (E192 over the default
// range, 1345 values: about half a second in WebAssembly) where fewer come
// at once; shorter series are searched whole at once.
constexpr std::size_t kPartsWorthAFirstAnswer = 700;

// The answer to the request; with `first`, the answer for the part counts
// below four where four and fewer are asked for from many parts, and ""
// otherwise.
std::string search(bool first) {
    auto read = formOf(requestText);
    if (const auto* unknown = std::get_if<std::string>(&read))
        return first ? "" : json::Object().addText("unknown_field", *unknown).text();
    const view::FormTexts& form = std::get<view::FormTexts>(read);
    json::Object reply;
    reply.add("placeholders", placeholdersJson(form));
    auto setUp = setUpFinder(view::optionsOf(form));
    if (const auto* problem = std::get_if<FinderProblem>(&setUp))
        return first ? "" : reply.add("problem", problemJson(*problem, form.mode)).text();
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
    const ResultsTable table = resultsTable(setup, found);
    return reply.add("report", report)
        .add("table", tableJson(table, found, setup.kind))
        .addText("summary", view::summaryOf(setup, table))
        .text();
}

}  // namespace

extern "C" {

// A buffer of the given size for the page to write its request into, in
// UTF-8, before it calls gosei_finder_search.
char* gosei_finder_buffer(int bytes) {
    requestText.assign(static_cast<std::size_t>(bytes), '\0');
    return requestText.data();
}

// Searches for the request, first (non-zero) or in full (see search()), and
// returns the answer's JSON (its length from gosei_finder_answer_length).
const char* gosei_finder_search(int first) {
    answer = search(first != 0);
    return answer.c_str();
}

int gosei_finder_answer_length() {
    return static_cast<int>(answer.size());
}
}
