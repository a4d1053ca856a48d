// Writes the finder page from its template, with the form written from the
// finder's form table, so that the page's fields, labels, hints and
// placeholders are those of the window and the command line. Run at build
// time:
//     find_page_generator TEMPLATE OUTPUT
// The template holds the lines "<!-- the finder's form -->" and "<!-- the
// finder's answer -->" where the form and the answer's section go.

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "view/finder_form.h"
#include "web/html_text.h"

namespace {

using namespace gosei;
using namespace gosei::view;
using web::attribute;
using web::escaped;

constexpr std::string_view kFormMark = "<!-- the finder's form -->";
constexpr std::string_view kAnswerMark = "<!-- the finder's answer -->";

// The classes that show an element only in some requests (find.css).
std::string shownClasses(const FormField& field) {
    std::string classes;
    if (field.shownIn == ShownIn::Dividers) classes += " divider-only";
    if (field.shownIn == ShownIn::Networks) classes += " value-only";
    if (field.shownFor == ShownFor::Series) classes += " series-only";
    if (field.shownFor == ShownFor::Stock) classes += " stock-only";
    return classes;
}

// A text that differs between the modes, as two spans of which find.css
// shows the one of the form's mode.
std::string modeText(std::string_view network, std::string_view divider) {
    if (divider.empty() || divider == network) return escaped(network);
    return "<span class=\"value-only\">" + escaped(network) +
           "</span><span class=\"divider-only\">" + escaped(divider) + "</span>";
}

std::string inputmode(FieldReads reads) {
    switch (reads) {
        case FieldReads::Count:
            return attribute("inputmode", "numeric");
        case FieldReads::Percent:
            return attribute("inputmode", "decimal");
        default:
            return "";
    }
}

std::string control(const FormField& field, const std::string& placeholder) {
    const std::string id = attribute("id", field.id) + " data-field";
    const std::string hint =
        field.hint.empty() ? "" : attribute("aria-describedby", std::string(field.id) + "-hint");
    switch (field.reads) {
        case FieldReads::Mode:
            return "<select" + id + "><option value=\"value\" selected>" +
                   escaped(plainLabel(kNetworkModeLabel)) + "</option><option value=\"divider\">" +
                   escaped(plainLabel(kDividerModeLabel)) + "</option></select>";
        case FieldReads::Kind:
        case FieldReads::Series: {
            // The first choice stands for the request's own, as its
            // placeholder names it.
            std::string select = "<select" + id + "><option value=\"\" selected>" +
                                 escaped(placeholder) + "</option>";
            for (const Choice& choice : choicesOf(field.field))
                select += "<option" + attribute("value", choice.value) + ">" +
                          escaped(choice.text) + "</option>";
            return select + "</select>";
        }
        case FieldReads::StockList:
            return "<textarea" + id + " rows=\"6\"" + hint + "></textarea>";
        default:
            return "<input" + id + " type=\"text\"" + inputmode(field.reads) +
                   attribute("placeholder", placeholder) + hint + ">";
    }
}

// One field: its label, its control, its hint, and room for a problem
// with it.
std::string fieldHtml(const FormField& field, const std::string& placeholder, bool inPair) {
    std::string html = "<div class=\"field" + (inPair ? "" : shownClasses(field)) + "\">";
    html += "<label for=\"" + std::string(field.id) + "\">" +
            modeText(plainLabel(field.label), plainLabel(field.dividerLabel)) + "</label>";
    html += control(field, placeholder);
    if (!field.hint.empty())
        html += "<p class=\"hint\" id=\"" + std::string(field.id) + "-hint\">" +
                modeText(field.hint, field.dividerHint) + "</p>";
    html += "<p class=\"field-problem\" id=\"" + std::string(field.id) + "-problem\" hidden></p>";
    return html + "</div>\n";
}

// The page's own controls of its saved stock lists, before the list.
constexpr std::string_view kSavedLists =
    "<div class=\"stock-only\">\n<div class=\"field\"><label "
    "for=\"stock-lists\">保存したリスト</label>"
    "<select id=\"stock-lists\"><option value=\"\">（選ぶ）</option></select></div>\n"
    "<div class=\"field\"><label for=\"stock-name\">リストの名前</label>"
    "<input id=\"stock-name\" type=\"text\" placeholder=\"在庫\"></div>\n</div>\n";
constexpr std::string_view kSavedListButtons =
    "<div class=\"buttons stock-only\"><button type=\"button\" id=\"stock-save\">保存</button>"
    "<button type=\"button\" id=\"stock-delete\">削除</button></div>\n";

std::string sourceChoice() {
    const auto radio = [](std::string_view value, std::string_view label, bool checked) {
        return "<label><input type=\"radio\" name=\"source\" id=\"source-" + std::string(value) +
               "\" value=\"" + std::string(value) + "\"" + (checked ? " checked" : "") + "> " +
               escaped(plainLabel(label)) + "</label>";
    };
    return "<div class=\"choices\">" + radio("series", kSeriesSourceLabel, true) +
           radio("stock", kStockSourceLabel, false) + "</div>\n";
}

std::string formHtml() {
    const auto placeholders = placeholdersOf(FormTexts{});
    const auto form = finderForm();
    std::string html =
        "<form id=\"request\" class=\"request\" data-mode=\"value\" data-source=\"series\" "
        "autocomplete=\"off\" autocapitalize=\"off\" spellcheck=\"false\">\n";
    // Fieldsets: the regulator's voltages, the parts, the conditions.
    const auto opens = [](const FormField& field) -> std::string {
        switch (field.field) {
            case FinderField::Vref:
                return "<fieldset class=\"divider-only\"><legend>" + escaped(kRegulatorLegend) +
                       "</legend>\n";
            case FinderField::Series:
                return "<fieldset><legend>" + escaped(kSourceLabel) + "</legend>\n" +
                       sourceChoice();
            case FinderField::PartsMin:
                return "<fieldset><legend>" + escaped(kConditionsLegend) + "</legend>\n";
            default:
                return "";
        }
    };
    const auto closes = [](const FormField& field) {
        return field.field == FinderField::Vout || field.field == FinderField::Exclude ||
               field.field == FinderField::TotalHigh;
    };
    for (std::size_t i = 0; i < form.size(); ++i) {
        const FormField& field = form[i];
        html += opens(field);
        if (field.field == FinderField::Stock) html += kSavedLists;
        const std::string& placeholder = placeholders[static_cast<std::size_t>(field.field)];
        const bool pairStarts =
            i + 1 < form.size() && form[i + 1].besidePrevious && !field.besidePrevious;
        if (pairStarts) html += "<div class=\"pair" + shownClasses(field) + "\">\n";
        html += fieldHtml(field, placeholder, pairStarts || field.besidePrevious);
        if (field.besidePrevious && !(i + 1 < form.size() && form[i + 1].besidePrevious))
            html += "</div>\n";
        if (field.field == FinderField::Stock) html += kSavedListButtons;
        if (closes(field)) html += "</fieldset>\n";
    }
    return html + "</form>";
}

// The answer: what it says before anything is asked, its notes, and where
// the results go.
std::string answerHtml() {
    const auto note = [](std::string_view id, std::string_view text) {
        return "<p id=\"" + std::string(id) + "\" class=\"note\" hidden>" + escaped(text) +
               "</p>\n";
    };
    return "<section class=\"answer\" aria-labelledby=\"answer-title\">\n"
           "<h2 id=\"answer-title\">" +
           escaped(kResultsLabel) + "</h2>\n<p id=\"summary\" role=\"status\">" +
           escaped(kAskNetwork) + "</p>\n" + note("stock-note", kCountedStockNote) +
           note("legend", kExpressionLegend) + "<div id=\"" + std::string(kResultsId) +
           "\" aria-busy=\"true\"></div>\n</section>";
}

// The page with `mark` replaced by `html`, or nothing where it has no mark.
bool replaceMark(std::string& page, std::string_view mark, const std::string& html) {
    const auto at = page.find(mark);
    if (at == std::string::npos) return false;
    page.replace(at, mark.size(), html);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: find_page_generator TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string page{std::istreambuf_iterator<char>(in), {}};
    if (!in || !replaceMark(page, kFormMark, formHtml()) ||
        !replaceMark(page, kAnswerMark, answerHtml())) {
        std::cerr << "find_page_generator: no form or answer mark in " << argv[1] << "\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << page;
    if (!out) {
        std::cerr << "find_page_generator: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
