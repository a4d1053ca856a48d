#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "networks/finder_report.h"
#include "networks/finder_request.h"

namespace gosei::view {

// 回路探索's form, one row per field, for every front end: the window
// builds its form from it in one loop, the page's form is written from it,
// and the command line and the page's module map their options through it.
// Texts are UTF-8.

using networks::FinderField;
using networks::FinderMode;

// Which requests show a field.
enum class ShownIn { Both, Networks, Dividers };
enum class ShownFor { AnySource, Series, Stock };

// What a field holds, which decides how it is typed.
enum class FieldReads {
    Mode,       // 合成値 or 分圧比
    Kind,       // R, C or L: 抵抗, コンデンサ or コイル (networks::kPartKinds)
    Value,      // a resistance: 4k7
    Ratio,      // a ratio or VOUT/VIN
    Voltage,    // 3.3, 3V3
    Series,     // E1 to E192
    StockList,  // lines of a parts list
    Values,     // "4k7,10k"
    Count,      // a whole number
    Percent,    // a percentage
};

// Which end of a "LOW..HIGH" option a field is, or all of it.
enum class RangeEnd { Whole, Low, High };

struct FormField {
    FinderField field;
    std::string_view id;      // the page's element id
    std::string_view option;  // the command line's option; "" for the wanted value
    // The request's text it gives: two ends of a range give one.
    std::optional<std::string> networks::FinderOptions::*member;
    RangeEnd end;
    // The label, with its mnemonic after '&' ("目標値(&V)"); in divider
    // requests `dividerLabel` where it is not empty.
    std::string_view label;
    std::string_view dividerLabel;
    // Where the field starts a row of two, the row's label ("範囲(&G)"),
    // which holds the mnemonic; else empty.
    std::string_view rowLabel;
    // The hint shown with the field; in divider requests `dividerHint`
    // where it is not empty.
    std::string_view hint;
    std::string_view dividerHint;
    ShownIn shownIn;
    ShownFor shownFor;
    FieldReads reads;
    int characters;  // the width of a one-line field
    // Shown beside the field before it, in the same row: a range's high end
    // after "〜", other fields after their label.
    bool besidePrevious = false;
};

std::span<const FormField> finderForm();
const FormField& formField(FinderField field);
// The field of a page element's id, if there is one.
const FormField* formFieldWithId(std::string_view id);

// The choices of a field chosen from a list (the kind, the series), after a
// first choice of the empty text, which its placeholder names.
struct Choice {
    std::string value;  // as the request takes it
    std::string text;   // as the list shows it
};
std::vector<Choice> choicesOf(FinderField field);

// Whether a field is shown, and a label or hint in the mode's words.
bool isShown(const FormField& field, FinderMode mode, bool stock);
std::string_view labelOf(const FormField& field, FinderMode mode);
std::string_view hintOf(const FormField& field, FinderMode mode);
// The label without its mnemonic: "目標値(&V)" -> "目標値".
std::string plainLabel(std::string_view label);

// Texts of the form outside its fields.
inline constexpr std::string_view kModeLabel = "探すもの";
inline constexpr std::string_view kNetworkModeLabel = "合成値(&N)";
inline constexpr std::string_view kDividerModeLabel = "分圧比(&D)";
inline constexpr std::string_view kSourceLabel = "部品";
inline constexpr std::string_view kSeriesSourceLabel = "E 系列(&S)";
inline constexpr std::string_view kStockSourceLabel = "在庫リスト(&L)";
inline constexpr std::string_view kRegulatorLegend = "レギュレータの帰還抵抗（分圧比の代わりに）";
inline constexpr std::string_view kConditionsLegend = "条件";
inline constexpr std::string_view kResultsLabel = "結果";
inline constexpr std::string_view kResultsId = "results";
// Between the ends of a range.
inline constexpr std::string_view kRangeDash = "〜";
// An empty field that stands for nothing.
inline constexpr std::string_view kNothing = "なし";
// Before anything is asked, in each mode.
inline constexpr std::string_view kAskNetwork = "目標値を入力して下さい。";
inline constexpr std::string_view kAskDivider = "分圧比、または Vref と Vout を入力して下さい。";
inline constexpr std::string_view kCountedStockNote =
    "数量の列に従い、各値はリストにある個数までしか使いません。";
// How `+` and `|` join parts in the results.
inline constexpr std::string_view kExpressionLegend = "回路の + は直列、| は並列の接続です。";

// The form as typed: each field's text, empty where nothing is typed.
struct FormTexts {
    FinderMode mode = FinderMode::Network;
    bool stock = false;  // the parts come from the stock list, not a series
    std::array<std::string, networks::kFinderFieldCount> texts;
    std::string stockName;  // how messages name the list; empty: "stock list"

    std::string& operator[](FinderField field) { return texts[static_cast<int>(field)]; }
    const std::string& operator[](FinderField field) const {
        return texts[static_cast<int>(field)];
    }
};

// The request the form makes: only the fields its mode and source show;
// the two ends of a range as one option, an empty end standing for its
// default.
networks::FinderOptions optionsOf(const FormTexts& form);

// What each empty field stands for in this request, as its placeholder
// shows: "10M", "3", "なし"; for the kind and the series, which are chosen
// from a list, the text of its first choice, which stands for what the
// request takes unless another is chosen: "自動（抵抗）", "既定（E24）".
std::array<std::string, networks::kFinderFieldCount> placeholdersOf(const FormTexts& form);

// Whether the form asks for anything yet: an empty request is answered with
// a prompt, and so is a regulator's half-typed pair of voltages.
bool asksSomething(const FormTexts& form);
bool isStillTyping(const networks::FinderProblem& problem);

// A problem in the words of the window and the page: Japanese, naming the
// field by its label.
std::string problemMessage(const networks::FinderProblem& problem, FinderMode mode);

// The results in a sentence: how many, and the best of them.
std::string summaryOf(const networks::FinderSetup& setup, const networks::ResultsTable& table);

// The title of a row's drawing: "回路図：10k + 4.7k", "回路図：上 10k、下 4.7k".
std::string drawingTitle(const networks::ResultsTable& table, const std::vector<std::string>& cells,
                         bool divider);

}  // namespace gosei::view
