#include "view/finder_form.h"

#include <algorithm>
#include <array>

#include "decimal/decimal_conversion.h"
#include "networks/value_text.h"

namespace gosei::view {
namespace {

using networks::FinderOptions;
using networks::FinderProblem;
using networks::ProblemKind;
using F = FinderField;

constexpr std::string_view kValueHint =
    "4700、4.7k、4k7、4K7、470R、1M2、4.7e3 など（m はミリ、M はメガ）";
constexpr std::string_view kRatioHint = "出力÷入力：0.66 のような数、または 3.3/5、3V3/5V";
constexpr std::string_view kStockHint =
    "１行に１つ、値を先頭に。# から後はコメント。見出し（Value・値・抵抗値 "
    "など）のある部品表はそのまま貼れ、数量の列があればその個数まで使います。";

// Examples of each kind's values, in the order of PartKind; micro as u,
// which every face has.
constexpr std::array<std::string_view, 3> kWantedExamples{
    "例 4k7、4.7k、4700", "例 4n7、100n、0.1uF", "例 10u、4.7uH、2m2"};

// In the order the form shows them.
constexpr std::array<FormField, networks::kFinderFieldCount> kForm{{
    {F::Mode, "mode", "", nullptr, RangeEnd::Whole, kModeLabel, "", "", "", "", ShownIn::Both,
     ShownFor::AnySource, FieldReads::Mode, 0},
    // Dividers are made of resistors.
    {F::Kind, "kind", "--kind", &FinderOptions::kind, RangeEnd::Whole, "種類(&C)", "", "", "", "",
     ShownIn::Networks, ShownFor::AnySource, FieldReads::Kind, 0},
    {F::Wanted, "want", "", &FinderOptions::wanted, RangeEnd::Whole, "目標値(&V)", "分圧比(&R)", "",
     kValueHint, kRatioHint, ShownIn::Both, ShownFor::AnySource, FieldReads::Value, 24},
    {F::Vref, "vref", "--vref", &FinderOptions::vref, RangeEnd::Whole, "基準電圧 Vref (V)(&E)", "",
     "", "", "", ShownIn::Dividers, ShownFor::AnySource, FieldReads::Voltage, 8},
    {F::Vout, "vout", "--vout", &FinderOptions::vout, RangeEnd::Whole, "出力電圧 Vout (V)(&U)", "",
     "", "", "", ShownIn::Dividers, ShownFor::AnySource, FieldReads::Voltage, 8, true},
    {F::Series, "series", "--series", &FinderOptions::series, RangeEnd::Whole, "系列(&Y)", "", "",
     "", "", ShownIn::Both, ShownFor::Series, FieldReads::Series, 0},
    {F::RangeLow, "range-low", "--range", &FinderOptions::range, RangeEnd::Low, "範囲の下限", "",
     "範囲(&G)", "", "", ShownIn::Both, ShownFor::Series, FieldReads::Value, 8},
    {F::RangeHigh, "range-high", "--range", &FinderOptions::range, RangeEnd::High, "範囲の上限", "",
     "", "", "", ShownIn::Both, ShownFor::Series, FieldReads::Value, 8, true},
    {F::Stock, "stock", "--stock", &FinderOptions::stock, RangeEnd::Whole, "在庫リストの値", "", "",
     kStockHint, "", ShownIn::Both, ShownFor::Stock, FieldReads::StockList, 0},
    {F::Exclude, "exclude", "--exclude", &FinderOptions::exclude, RangeEnd::Whole, "使わない値(&X)",
     "", "", "カンマで区切って 4k7,10k のように", "", ShownIn::Both, ShownFor::AnySource,
     FieldReads::Values, 24},
    {F::PartsMin, "parts-min", "--parts", &FinderOptions::parts, RangeEnd::Low, "部品数の最少", "",
     "部品数(&P)", "", "", ShownIn::Both, ShownFor::AnySource, FieldReads::Count, 4},
    {F::PartsMax, "parts-max", "--parts", &FinderOptions::parts, RangeEnd::High, "部品数の最多", "",
     "", "", "", ShownIn::Both, ShownFor::AnySource, FieldReads::Count, 4, true},
    {F::Top, "top", "--top", &FinderOptions::top, RangeEnd::Whole, "部品数ごとの表示数(&K)", "", "",
     "", "", ShownIn::Both, ShownFor::AnySource, FieldReads::Count, 6, true},
    {F::MaxError, "max-error", "--tolerance", &FinderOptions::tolerance, RangeEnd::Whole,
     "最大誤差 (％)(&M)", "", "", "この誤差以内の回路を、部品数ごとに 20 件まで", "", ShownIn::Both,
     ShownFor::AnySource, FieldReads::Percent, 8},
    {F::PartTolerance, "part-tolerance", "--part-tolerance", &FinderOptions::partTolerance,
     RangeEnd::Whole, "部品の公差 (％)(&I)", "", "", "最悪値の列に使う、各部品の公差", "",
     ShownIn::Both, ShownFor::AnySource, FieldReads::Percent, 8, true},
    {F::TotalLow, "total-low", "--total", &FinderOptions::total, RangeEnd::Low, "上＋下の下限", "",
     "合計 上＋下(&T)", "", "", ShownIn::Dividers, ShownFor::AnySource, FieldReads::Value, 8},
    {F::TotalHigh, "total-high", "--total", &FinderOptions::total, RangeEnd::High, "上＋下の上限",
     "", "", "", "", ShownIn::Dividers, ShownFor::AnySource, FieldReads::Value, 8, true},
}};

std::string inBrackets(std::string_view text) {
    return "「" + std::string(text) + "」";
}

// The label of the field at fault, as the request's mode shows it.
std::string nameOf(FinderField field, FinderMode mode) {
    return plainLabel(labelOf(formField(field), mode));
}

std::string notAValue(const FinderProblem& problem, const std::string& name) {
    const std::string given = name + "の" + inBrackets(problem.given);
    switch (problem.valueProblem) {
        case networks::ValueProblem::TooManyDigits:
            return given + "は、有効数字が " + std::to_string(networks::kMostSignificantDigits) +
                   " 桁を超えています。";
        case networks::ValueProblem::OutOfRange:
            return given + "は、1e-24 から 1e24 までの値にして下さい。";
        case networks::ValueProblem::Unreadable:
            break;
    }
    return given + "は値として読めません。";
}

std::string stockListMessage(const networks::StockListError& error) {
    if (error.line > 0)
        return "在庫リストの " + std::to_string(error.line) + " 行目 " + error.quotedLine +
               " が読めません。値を 4.7k のように先頭に書くか、部品表なら値の列に見出し"
               "（Value・値・抵抗値 など）を付けて下さい。";
    if (error.message == "no values") return "在庫リストに値がありません。";
    return "在庫リストが大きすぎます。" + std::string(networks::kMostStockListText) +
           " までにして下さい。";
}

std::string outOfReach(const FinderProblem& problem, FinderMode mode) {
    const std::string given = inBrackets(problem.given);
    if (problem.field == F::Vout)
        return "出力電圧 " + given + " は、この部品と合計では高すぎます（" + problem.high +
               " V まで）。";
    if (mode == FinderMode::Divider)
        return "分圧比 " + given + " は、この部品と合計では小さすぎます（" + problem.low +
               " 以上）。";
    return "目標値 " + given + " には、この部品では届きません（" + problem.low + "〜" +
           problem.high + "）。";
}

// A value of one kind of part where the request is for another.
std::string kindConflict(const FinderProblem& problem, FinderMode mode, const std::string& name) {
    const auto kind = [](networks::PartKind of) {
        return std::string(networks::factsOf(of).japanese);
    };
    if (problem.field == F::Kind) return "分圧は抵抗だけで作ります。";
    const std::string written = problem.field == F::Stock
                                    ? "在庫リストの " + std::to_string(problem.stockError.line) +
                                          " 行目 " + problem.stockError.quotedLine + " "
                                    : name + "の" + inBrackets(problem.given);
    const std::string asked = mode == FinderMode::Divider
                                  ? "分圧は抵抗だけで作ります"
                                  : "部品の種類は" + kind(problem.partKind) + "です";
    return written + "は" + kind(problem.writtenKind) + "の値ですが、" + asked + "。";
}

}  // namespace

std::span<const FormField> finderForm() {
    return kForm;
}

const FormField& formField(FinderField field) {
    return kForm[static_cast<std::size_t>(field)];
}

const FormField* formFieldWithId(std::string_view id) {
    const auto found = std::find_if(kForm.begin(), kForm.end(),
                                    [id](const FormField& field) { return field.id == id; });
    return found == kForm.end() ? nullptr : &*found;
}

std::vector<Choice> choicesOf(FinderField field) {
    std::vector<Choice> choices;
    if (field == F::Kind) {
        for (const networks::PartKindFacts& kind : networks::kPartKinds)
            choices.push_back({std::string(kind.letter), std::string(kind.japanese)});
    } else if (field == F::Series) {
        for (int each = 0; each <= static_cast<int>(networks::ESeries::E192); ++each) {
            const std::string name(networks::eSeriesName(static_cast<networks::ESeries>(each)));
            choices.push_back({name, name});
        }
    }
    return choices;
}

bool isShown(const FormField& field, FinderMode mode, bool stock) {
    const bool inMode = field.shownIn == ShownIn::Both ||
                        (field.shownIn == ShownIn::Dividers) == (mode == FinderMode::Divider);
    const bool forSource =
        field.shownFor == ShownFor::AnySource || (field.shownFor == ShownFor::Stock) == stock;
    return inMode && forSource;
}

std::string_view labelOf(const FormField& field, FinderMode mode) {
    return mode == FinderMode::Divider && !field.dividerLabel.empty() ? field.dividerLabel
                                                                      : field.label;
}

std::string_view hintOf(const FormField& field, FinderMode mode) {
    return mode == FinderMode::Divider && !field.dividerHint.empty() ? field.dividerHint
                                                                     : field.hint;
}

std::string plainLabel(std::string_view label) {
    const auto mnemonic = label.find("(&");
    return std::string(mnemonic == std::string_view::npos ? label : label.substr(0, mnemonic));
}

namespace {

bool isGiven(const FormField& field, const FormTexts& form) {
    return isShown(field, form.mode, form.stock) && !form[field.field].empty();
}

// The request of the fields that are not ends of a range.
FinderOptions optionsOfWholeFields(const FormTexts& form) {
    FinderOptions options;
    options.mode = form.mode;
    for (const FormField& field : kForm)
        if (field.member && field.end == RangeEnd::Whole && isGiven(field, form))
            options.*(field.member) = form[field.field];
    if (form.stock) {
        options.stock = form[F::Stock];
        options.stockName = form.stockName.empty() ? "list" : form.stockName;
    }
    return options;
}

}  // namespace

FinderOptions optionsOf(const FormTexts& form) {
    FinderOptions options = optionsOfWholeFields(form);
    const auto placeholders = placeholdersOf(form);
    for (std::size_t i = 0; i + 1 < kForm.size(); ++i) {
        const FormField& low = kForm[i];
        const FormField& high = kForm[i + 1];
        if (low.end != RangeEnd::Low || !(isGiven(low, form) || isGiven(high, form))) continue;
        const auto end = [&](const FormField& field) {
            const std::string& text = form[field.field];
            return text.empty() ? placeholders[static_cast<std::size_t>(field.field)] : text;
        };
        options.*(low.member) = end(low) + ".." + end(high);
    }
    return options;
}

std::array<std::string, networks::kFinderFieldCount> placeholdersOf(const FormTexts& form) {
    const networks::FinderDefaults defaults = networks::defaultsFor(optionsOfWholeFields(form));
    const bool divider = form.mode == FinderMode::Divider;
    std::array<std::string, networks::kFinderFieldCount> texts;
    const auto set = [&](FinderField field, std::string text) {
        texts[static_cast<std::size_t>(field)] = std::move(text);
    };
    set(F::Kind, "自動（" + std::string(networks::factsOf(defaults.kind).japanese) + "）");
    set(F::Series, "既定（" + std::string(networks::eSeriesName(defaults.series)) + "）");
    set(F::Wanted,
        divider ? "例 0.66、3.3/5" : std::string(kWantedExamples[static_cast<int>(defaults.kind)]));
    set(F::Vref, "例 0.8");
    set(F::Vout, "例 3.3");
    set(F::RangeLow, networks::valueText(defaults.low));
    set(F::RangeHigh, networks::valueText(defaults.high));
    set(F::Exclude, std::string(kNothing));
    set(F::PartsMin, std::to_string(defaults.fewestParts));
    set(F::PartsMax, std::to_string(networks::kMostParts));
    set(F::Top, std::to_string(defaults.top));
    set(F::MaxError, std::string(kNothing));
    set(F::PartTolerance, defaults.partTolerancePercent > 0
                              ? shortestText(defaults.partTolerancePercent)
                              : std::string(kNothing));
    set(F::TotalLow, networks::valueText(networks::kDefaultLowestTotal));
    set(F::TotalHigh, networks::valueText(networks::kDefaultHighestTotal));
    return texts;
}

bool asksSomething(const FormTexts& form) {
    if (!form[F::Wanted].empty()) return true;
    return form.mode == FinderMode::Divider && (!form[F::Vref].empty() || !form[F::Vout].empty());
}

bool isStillTyping(const FinderProblem& problem) {
    return problem.kind == ProblemKind::Missing || problem.kind == ProblemKind::HalfGiven;
}

std::string problemMessage(const FinderProblem& problem, FinderMode mode) {
    const std::string name = nameOf(problem.field, mode);
    switch (problem.kind) {
        case ProblemKind::Missing:
            return std::string(mode == FinderMode::Divider ? kAskDivider : kAskNetwork);
        case ProblemKind::HalfGiven:
            return name + "も入力して下さい。";
        case ProblemKind::RatioAndVoltages:
            return "分圧比か、Vref と Vout か、どちらか一方だけを入力して下さい。";
        case ProblemKind::NotAValue:
            return notAValue(problem, name);
        case ProblemKind::NotPositive:
            return name + "は、" + (problem.low == "0" ? "0 以上" : "0 より大きい値") +
                   "にして下さい。";
        case ProblemKind::RatioOutOfRange:
            return "分圧比" + inBrackets(problem.given) +
                   "は、0 と 1 の間（出力が入力より低い）にして下さい。";
        case ProblemKind::VoutNotAboveVref:
            return "出力電圧 Vout の" + inBrackets(problem.given) +
                   "は、基準電圧 Vref より高くして下さい。";
        case ProblemKind::NotARange:
            return name + "の" + inBrackets(problem.given) + "は範囲として読めません。";
        case ProblemKind::LowAboveHigh:
            return name + "の" + inBrackets(problem.given) + "が上限より大きくなっています。";
        case ProblemKind::UnknownSeries:
            return "系列" + inBrackets(problem.given) +
                   "はありません。E1、E3、E6、E12、E24、E48、E96、E192 から選んで下さい。";
        case ProblemKind::StockWithSeries:
            return "在庫リストと系列は、どちらか一方だけを使って下さい。";
        case ProblemKind::BadColumn:
            return "在庫リストの値の列が分かりません。";
        case ProblemKind::StockList:
            return stockListMessage(problem.stockError);
        case ProblemKind::NotPartCounts:
            return name + "の" + inBrackets(problem.given) + "は部品の個数として読めません。";
        case ProblemKind::PartCountsOutside:
            return name + "の" + inBrackets(problem.given) + "は使えません。部品数は " +
                   problem.low + "〜" + problem.high + " 個で、最少を最多以下にして下さい。";
        case ProblemKind::NotTop:
            return name + "は " + problem.low + "〜" + problem.high + " の整数にして下さい。";
        case ProblemKind::NotPercentage:
            return name + "の" + inBrackets(problem.given) + "は、0 以上" +
                   (problem.high.empty() ? "" : " " + problem.high + " 未満") +
                   "の百分率にして下さい。";
        case ProblemKind::NoPartsLeft:
            return problem.field == F::Exclude ? "使わない値で、部品がすべて除かれています。"
                                               : "この範囲には部品がありません。";
        case ProblemKind::TooManyParts:
            return "部品の値が " + problem.high + " 種類を超えています。" +
                   (problem.field == F::Stock ? "在庫リストを分けて下さい。"
                                              : "範囲を狭めて下さい。");
        case ProblemKind::SpanTooWide:
            return "部品の値が離れすぎています（" + problem.low + "〜" + problem.high +
                   "）。最大は最小の 1e" + std::to_string(networks::kMostPartSpanDecades) +
                   " 倍までにして下さい。";
        case ProblemKind::OutOfReach:
            return outOfReach(problem, mode);
        case ProblemKind::UnknownKind:
            return name + inBrackets(problem.given) +
                   "はありません。R（抵抗）、C（コンデンサ）、L（コイル）から選んで下さい。";
        case ProblemKind::KindConflict:
            return kindConflict(problem, mode, name);
    }
    return problem.text;
}

std::string summaryOf(const networks::FinderSetup& setup, const networks::ResultsTable& table) {
    if (!table.best) return "条件に合う回路はありません。";
    std::size_t count = 0;
    for (const networks::ResultGroup& group : table.groups)
        count += group.rows.size();
    const auto& best = table.groups[table.best->first].rows[table.best->second];
    std::string text = std::to_string(count) + " 件見つかりました。最も近いのは ";
    if (setup.mode == FinderMode::Network)
        return text + best[0] + "（合成値 " + best[1] + "、誤差 " + best[2] + "％）です。";
    const std::string measure = setup.ratioForm == networks::RatioForm::Regulator
                                    ? "出力 " + best[2] + " V"
                                    : "分圧比 " + best[2];
    return text + "上 " + best[0] + "、下 " + best[1] + "（" + measure + "、誤差 " + best[3] +
           "％）です。";
}

std::string drawingTitle(const networks::ResultsTable& table, const std::vector<std::string>& cells,
                         bool divider) {
    if (!divider) return "回路図：" + cells[0];
    return "回路図：" + table.headings[0].japanese + " " + cells[0] + "、" +
           table.headings[1].japanese + " " + cells[1];
}

}  // namespace gosei::view
