#include "networks/finder_request.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>

#include "networks/stock_list.h"
#include "networks/value_text.h"

namespace gosei::networks {
namespace {

using Problem = FinderProblem;

// Each step either fills in part of the setup or names a problem.
using Step = std::optional<Problem>;

Problem problemOf(FinderField field, ProblemKind kind, std::string text, std::string given = {}) {
    Problem problem;
    problem.field = field;
    problem.kind = kind;
    problem.text = std::move(text);
    problem.given = std::move(given);
    return problem;
}

// The kind of part a request is for: --kind, else the unit written with
// VALUE, else resistors. Dividers are made of resistors.
PartKind kindOf(const FinderOptions& options) {
    if (options.mode == FinderMode::Divider) return PartKind::Resistor;
    if (options.kind)
        if (const auto kind = partKindFromLetter(*options.kind)) return *kind;
    if (options.wanted)
        if (const auto unit = writtenUnit(*options.wanted)) return *partKindOf(*unit);
    return PartKind::Resistor;
}

std::string partsWord(int count) {
    return std::to_string(count) + (count == 1 ? " part" : " parts");
}

// Digits alone, full-width ones too.
std::optional<int> wholeNumber(std::string_view typed) {
    const std::string text = asciiForms(typed);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

// A value, or why `text` is not one: `sentence` starts the command line's
// line, which ends with the quoted text and what is wrong with it. A part's
// value written in the unit of another kind of part is refused as such.
std::variant<double, Problem> valueOf(FinderField field, std::string_view text,
                                      const std::string& sentence, Unit unit) {
    const auto kind = partKindOf(unit);
    const auto written = writtenUnit(text);
    if (kind && written && *written != unit) {
        const PartKind writtenKind = *partKindOf(*written);
        Problem problem = problemOf(
            field, ProblemKind::KindConflict,
            sentence + quotedText(text) + " is in " + std::string(factsOf(writtenKind).unitName) +
                ", but the parts are " + std::string(factsOf(*kind).english),
            std::string(text));
        problem.partKind = *kind;
        problem.writtenKind = writtenKind;
        return problem;
    }
    const auto read = readValue(text, unit);
    if (const auto* wrong = std::get_if<ValueProblem>(&read)) {
        Problem problem =
            problemOf(field, ProblemKind::NotAValue,
                      sentence + quotedText(text) + " " + problemText(*wrong), std::string(text));
        problem.valueProblem = *wrong;
        return problem;
    }
    return std::get<double>(read);
}

// --column's text: digits are a number counted from 1, anything else a
// header's name.
std::variant<ValueColumn, Problem> valueColumnOf(std::string_view text) {
    const std::string option = "--column " + quotedText(text);
    const auto bad = [&](const std::string& words) {
        return problemOf(FinderField::Stock, ProblemKind::BadColumn, option + words,
                         std::string(text));
    };
    if (text.empty()) return bad(" is not a column's name or number");
    if (text.find_first_not_of("0123456789") != std::string_view::npos)
        return ValueColumn{std::string(text)};
    const auto number = wholeNumber(text);
    if (!number || *number < 1) return bad(": columns are counted from 1");
    return ValueColumn{{}, static_cast<std::size_t>(*number)};
}

// Each value a counted list holds any of, ascending, with the total of its
// rows; kMostParts stands for that many or more.
std::vector<ScarcePart> heldParts(std::vector<StockRow> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const StockRow& a, const StockRow& b) { return a.value < b.value; });
    std::vector<std::pair<double, std::int64_t>> totals;
    for (const StockRow& row : rows) {
        if (totals.empty() || totals.back().first != row.value) totals.emplace_back(row.value, 0);
        totals.back().second += row.quantity;
    }
    std::vector<ScarcePart> held;
    for (const auto& [value, total] : totals)
        if (total > 0)
            held.push_back({value, static_cast<int>(std::min<std::int64_t>(total, kMostParts))});
    return held;
}

// An option of two fields, "LOW..HIGH".
struct RangeOption {
    std::string_view name;
    FinderField low, high;
    bool zeroLowAllowed;
    Unit unit;
};

std::variant<std::pair<double, double>, Problem> rangeOf(const RangeOption& range,
                                                         std::string_view text) {
    const std::string option = std::string(range.name) + " " + quotedText(text);
    const auto dots = text.find("..");
    if (dots == std::string_view::npos)
        return problemOf(range.low, ProblemKind::NotARange, option + " is not LOW..HIGH",
                         std::string(text));
    const std::string_view lowText = text.substr(0, dots);
    const std::string_view highText = text.substr(dots + 2);
    const auto low = valueOf(range.low, lowText, option + ": the low end ", range.unit);
    if (const auto* problem = std::get_if<Problem>(&low)) return *problem;
    const auto high = valueOf(range.high, highText, option + ": the high end ", range.unit);
    if (const auto* problem = std::get_if<Problem>(&high)) return *problem;
    const double lowest = std::get<double>(low);
    const double highest = std::get<double>(high);
    if (lowest < 0 || (lowest == 0 && !range.zeroLowAllowed)) {
        Problem problem = problemOf(range.low, ProblemKind::NotPositive,
                                    option + ": the low end must be " +
                                        (range.zeroLowAllowed ? "0 or more" : "greater than 0"),
                                    std::string(lowText));
        if (range.zeroLowAllowed) problem.low = "0";
        return problem;
    }
    if (lowest > highest)
        return problemOf(range.low, ProblemKind::LowAboveHigh,
                         option + ": the low end " + quotedText(lowText) +
                             " is above the high end " + quotedText(highText),
                         std::string(lowText));
    return std::pair{lowest, highest};
}

// A percentage of 0 or more, below `limit` where one is given.
std::variant<double, Problem> percentOf(FinderField field, std::string_view name,
                                        std::string_view text,
                                        std::optional<double> limit = std::nullopt) {
    const auto read = readValue(text, Unit::None);
    const std::string option = std::string(name) + " " + quotedText(text);
    if (std::get_if<ValueProblem>(&read) &&
        std::get<ValueProblem>(read) == ValueProblem::TooManyDigits) {
        Problem problem =
            problemOf(field, ProblemKind::NotAValue,
                      option + " " + problemText(ValueProblem::TooManyDigits), std::string(text));
        problem.valueProblem = ValueProblem::TooManyDigits;
        return problem;
    }
    const double* percent = std::get_if<double>(&read);
    if (!percent || *percent < 0 || (limit && *percent >= *limit)) {
        Problem problem = problemOf(field, ProblemKind::NotPercentage,
                                    option + " is not a percentage of 0 or more" +
                                        (limit ? " and below " + valueText(*limit) : ""),
                                    std::string(text));
        if (limit) problem.high = valueText(*limit);
        return problem;
    }
    return *percent;
}

class SetupReader {
  public:
    explicit SetupReader(const FinderOptions& options) : m_options(options) {
        m_setup.mode = options.mode;
    }

    std::variant<FinderSetup, Problem> read() {
        // In order: each step may rely on those before it.
        using StepFunction = Step (SetupReader::*)();
        const bool divider = m_options.mode == FinderMode::Divider;
        const StepFunction steps[] = {&SetupReader::readKind,
                                      divider ? &SetupReader::readRatio : &SetupReader::readWanted,
                                      &SetupReader::readSeriesOrStock,
                                      &SetupReader::readExcluded,
                                      &SetupReader::readPartCounts,
                                      &SetupReader::readTop,
                                      &SetupReader::readTolerance,
                                      &SetupReader::readPartTolerance,
                                      &SetupReader::readTotal,
                                      &SetupReader::readParts,
                                      &SetupReader::checkSpan,
                                      &SetupReader::checkReach};
        for (StepFunction step : steps) {
            if (Step problem = (this->*step)()) {
                if (problem->kind == ProblemKind::KindConflict) problem->text += kindHint(*problem);
                return *problem;
            }
        }
        return std::move(m_setup);
    }

  private:
    Step readKind() {
        if (m_options.kind) {
            const auto kind = partKindFromLetter(*m_options.kind);
            if (!kind)
                return problemOf(
                    FinderField::Kind, ProblemKind::UnknownKind,
                    "unknown kind " + quotedText(*m_options.kind) + " (expected R, C or L)",
                    *m_options.kind);
            if (m_options.mode == FinderMode::Divider && *kind != PartKind::Resistor) {
                Problem problem =
                    problemOf(FinderField::Kind, ProblemKind::KindConflict,
                              "no --kind " + std::string(factsOf(*kind).letter), *m_options.kind);
                problem.writtenKind = *kind;
                return problem;
            }
        }
        m_setup.kind = kindOf(m_options);
        m_setup.find.kind = m_setup.kind;
        return std::nullopt;
    }

    // What to do about a value of another kind of part than the request's.
    std::string kindHint(const Problem& problem) const {
        if (m_options.mode == FinderMode::Divider) return " (dividers take resistors only)";
        const PartKindFacts& written = factsOf(problem.writtenKind);
        return " (--kind " + std::string(written.letter) + " for " + std::string(written.english) +
               ")";
    }

    Unit partUnit() const { return factsOf(m_setup.kind).unit; }

    Step readWanted() {
        if (!m_options.wanted)
            return problemOf(FinderField::Wanted, ProblemKind::Missing,
                             "no value given (gosei-cli find VALUE [options])");
        const auto wanted = valueOf(FinderField::Wanted, *m_options.wanted, "", partUnit());
        if (const auto* problem = std::get_if<Problem>(&wanted)) return *problem;
        if (!(std::get<double>(wanted) > 0))
            return problemOf(FinderField::Wanted, ProblemKind::NotPositive,
                             "the value must be greater than 0", *m_options.wanted);
        m_setup.find.wanted = std::get<double>(wanted);
        return std::nullopt;
    }

    Step readVoltages() {
        if (m_options.wanted)
            return problemOf(FinderField::Wanted, ProblemKind::RatioAndVoltages,
                             "give a RATIO or --vref and --vout, not both");
        if (!m_options.vref)
            return problemOf(FinderField::Vref, ProblemKind::HalfGiven, "--vout needs --vref");
        if (!m_options.vout)
            return problemOf(FinderField::Vout, ProblemKind::HalfGiven, "--vref needs --vout");
        for (auto [field, name, text, value] :
             {std::tuple{FinderField::Vref, "--vref", &*m_options.vref, &m_setup.vref},
              std::tuple{FinderField::Vout, "--vout", &*m_options.vout, &m_setup.vout}}) {
            const auto voltage = valueOf(field, *text, std::string(name) + " ", Unit::Volt);
            if (const auto* problem = std::get_if<Problem>(&voltage)) return *problem;
            if (!(std::get<double>(voltage) > 0))
                return problemOf(field, ProblemKind::NotPositive,
                                 std::string(name) + " must be greater than 0", *text);
            *value = std::get<double>(voltage);
        }
        if (!(m_setup.vout > m_setup.vref))
            return problemOf(FinderField::Vout, ProblemKind::VoutNotAboveVref,
                             "--vout must be above --vref", *m_options.vout);
        m_setup.ratioForm = RatioForm::Regulator;
        DividerRequest& request = m_setup.divider;
        request.measure = DividerMeasure::Gain;
        request.wantedNumerator = m_setup.vout;
        request.wantedDenominator = m_setup.vref;
        return std::nullopt;
    }

    Step readRatio() {
        if (m_options.vref || m_options.vout) return readVoltages();
        DividerRequest& request = m_setup.divider;
        if (!m_options.wanted)
            return problemOf(
                FinderField::Wanted, ProblemKind::Missing,
                "no ratio given (gosei-cli divider RATIO [options], or --vref V --vout V)");
        const std::string& text = *m_options.wanted;
        const auto outOfRange = [&](const std::string& words) {
            return problemOf(FinderField::Wanted, ProblemKind::RatioOutOfRange, words, text);
        };
        const std::string between = "the ratio must lie between 0 and 1";
        const auto slash = text.find('/');
        if (slash == std::string::npos) {
            const auto ratio = valueOf(FinderField::Wanted, text, "", Unit::None);
            if (const auto* problem = std::get_if<Problem>(&ratio)) return *problem;
            if (!(std::get<double>(ratio) > 0 && std::get<double>(ratio) < 1))
                return outOfRange(between);
            request.wantedNumerator = std::get<double>(ratio);
            request.wantedDenominator = 1;
            return std::nullopt;
        }
        for (auto [part, value] :
             {std::pair{std::string_view(text).substr(0, slash), &m_setup.vout},
              std::pair{std::string_view(text).substr(slash + 1), &m_setup.vin}}) {
            const auto voltage = valueOf(FinderField::Wanted, part,
                                         "the ratio " + quotedText(text) + ": ", Unit::Volt);
            if (const auto* problem = std::get_if<Problem>(&voltage)) return *problem;
            *value = std::get<double>(voltage);
        }
        if (!(m_setup.vout > 0 && m_setup.vout < m_setup.vin))
            return outOfRange(between + " (VOUT/VIN with VOUT below VIN)");
        m_setup.ratioForm = RatioForm::Voltages;
        request.wantedNumerator = m_setup.vout;
        request.wantedDenominator = m_setup.vin;
        return std::nullopt;
    }

    Step readSeriesOrStock() {
        if (m_options.stock) {
            if (m_options.series || m_options.range)
                return problemOf(FinderField::Stock, ProblemKind::StockWithSeries,
                                 std::string(kStockWithSeries));
            m_setup.stockName = m_options.stockName;
            m_setup.partsDescription =
                m_setup.stockName.empty() ? "stock list" : "stock " + m_setup.stockName;
            if (!m_options.column) return std::nullopt;
            auto column = valueColumnOf(*m_options.column);
            if (const auto* problem = std::get_if<Problem>(&column)) return *problem;
            m_column = std::get<ValueColumn>(column);
            return std::nullopt;
        }
        if (m_options.column)
            return problemOf(FinderField::Stock, ProblemKind::BadColumn,
                             std::string(kColumnWithoutStock));
        const PartKindFacts& facts = factsOf(m_setup.kind);
        m_setup.series = facts.series;
        if (m_options.series) {
            m_setup.series = eSeriesFromName(*m_options.series);
            if (!m_setup.series)
                return problemOf(FinderField::Series, ProblemKind::UnknownSeries,
                                 "unknown series " + quotedText(*m_options.series) +
                                     " (expected E1, E3, E6, E12, E24, E48, E96 or E192)",
                                 *m_options.series);
        }
        m_setup.low = facts.low;
        m_setup.high = facts.high;
        if (m_options.range) {
            const auto range = rangeOf(
                {"--range", FinderField::RangeLow, FinderField::RangeHigh, false, facts.unit},
                *m_options.range);
            if (const auto* problem = std::get_if<Problem>(&range)) return *problem;
            std::tie(m_setup.low, m_setup.high) = std::get<std::pair<double, double>>(range);
        }
        m_setup.partsDescription = std::string(eSeriesName(*m_setup.series)) + " " +
                                   valueText(m_setup.low) + ".." + valueText(m_setup.high);
        return std::nullopt;
    }

    Step readExcluded() {
        if (!m_options.exclude) return std::nullopt;
        std::string_view text = *m_options.exclude;
        while (true) {
            const auto comma = text.find(',');
            const std::string_view item = text.substr(0, comma);
            const auto value = valueOf(FinderField::Exclude, item, "--exclude: ", partUnit());
            if (const auto* problem = std::get_if<Problem>(&value)) return *problem;
            if (!(std::get<double>(value) > 0))
                return problemOf(FinderField::Exclude, ProblemKind::NotPositive,
                                 "--exclude: " + quotedText(item) + " is not a positive value",
                                 std::string(item));
            m_setup.excluded.push_back(std::get<double>(value));
            if (comma == std::string_view::npos) return std::nullopt;
            text.remove_prefix(comma + 1);
        }
    }

    Step readPartCounts() {
        const int fewestAllowed = defaultsFor(m_options).fewestParts;
        int fewest = fewestAllowed;
        int most = kMostParts;
        FinderField atFault = FinderField::PartsMax;
        if (m_options.parts) {
            const std::string_view text = *m_options.parts;
            const auto dots = text.find("..");
            const auto first = wholeNumber(text.substr(0, dots));
            const auto last =
                dots == std::string_view::npos ? first : wholeNumber(text.substr(dots + 2));
            const bool alone = dots == std::string_view::npos;
            if (!first || !last) {
                const bool firstAtFault = !first && !alone;
                return problemOf(firstAtFault ? FinderField::PartsMin : FinderField::PartsMax,
                                 ProblemKind::NotPartCounts,
                                 "--parts " + quotedText(text) + " is not N or M..N",
                                 std::string(firstAtFault ? text.substr(0, dots)
                                                          : text.substr(alone ? 0 : dots + 2)));
            }
            fewest = alone ? fewestAllowed : *first;
            most = *last;
            if (!alone && (fewest < fewestAllowed || fewest > most))
                atFault = FinderField::PartsMin;
        }
        if (fewest < fewestAllowed || most > kMostParts || fewest > most) {
            Problem problem =
                problemOf(atFault, ProblemKind::PartCountsOutside,
                          "--parts must lie within " + std::to_string(fewestAllowed) +
                              "..4, smaller count first",
                          std::to_string(atFault == FinderField::PartsMin ? fewest : most));
            problem.low = std::to_string(fewestAllowed);
            problem.high = std::to_string(kMostParts);
            return problem;
        }
        m_setup.list().fewestParts = fewest;
        m_setup.list().mostParts = most;
        return std::nullopt;
    }

    Step readTop() {
        int top = defaultsFor(m_options).top;
        if (m_options.top) {
            const auto given = wholeNumber(*m_options.top);
            if (!given || *given < 1 || *given > kMostTop) {
                Problem problem =
                    problemOf(FinderField::Top, ProblemKind::NotTop,
                              "--top " + quotedText(*m_options.top) +
                                  " is not a whole number from 1 to " + std::to_string(kMostTop),
                              *m_options.top);
                problem.low = "1";
                problem.high = std::to_string(kMostTop);
                return problem;
            }
            top = *given;
        }
        m_setup.list().top = top;
        return std::nullopt;
    }

    Step readTolerance() {
        if (!m_options.tolerance) return std::nullopt;
        const auto percent = percentOf(FinderField::MaxError, "--tolerance", *m_options.tolerance);
        if (const auto* problem = std::get_if<Problem>(&percent)) return *problem;
        m_setup.list().maxErrorPercent = std::get<double>(percent);
        return std::nullopt;
    }

    Step readPartTolerance() {
        double percent = defaultsFor(m_options).partTolerancePercent;
        if (m_options.partTolerance) {
            const auto given = percentOf(FinderField::PartTolerance, "--part-tolerance",
                                         *m_options.partTolerance, 100.0);
            if (const auto* problem = std::get_if<Problem>(&given)) return *problem;
            percent = std::get<double>(given);
        }
        m_setup.list().partTolerancePercent = percent;
        return std::nullopt;
    }

    Step readTotal() {
        if (m_options.mode != FinderMode::Divider) return std::nullopt;
        DividerRequest& request = m_setup.divider;
        request.lowestTotal = kDefaultLowestTotal;
        request.highestTotal = kDefaultHighestTotal;
        if (!m_options.total) return std::nullopt;
        const auto total =
            rangeOf({"--total", FinderField::TotalLow, FinderField::TotalHigh, true, partUnit()},
                    *m_options.total);
        if (const auto* problem = std::get_if<Problem>(&total)) return *problem;
        std::tie(request.lowestTotal, request.highestTotal) =
            std::get<std::pair<double, double>>(total);
        return std::nullopt;
    }

    // Where a problem with the parts as a whole is best shown: the list, or
    // the series' range.
    FinderField partsField() const {
        return m_options.stock ? FinderField::Stock : FinderField::RangeLow;
    }

    Step readParts() {
        std::vector<double> values;
        std::vector<ScarcePart> held;  // of a counted list, to become the scarce parts
        if (m_options.stock) {
            auto stock = parseStockList(*m_options.stock, m_column, partUnit());
            if (auto* error = std::get_if<StockListError>(&stock)) {
                Problem problem =
                    problemOf(FinderField::Stock,
                              error->otherUnit ? ProblemKind::KindConflict : ProblemKind::StockList,
                              m_setup.partsDescription + ": " + error->message);
                if (error->otherUnit) {
                    problem.partKind = m_setup.kind;
                    problem.writtenKind = *partKindOf(*error->otherUnit);
                }
                problem.stockError = std::move(*error);
                return problem;
            }
            const StockList& list = std::get<StockList>(stock);
            m_setup.countedStock = list.counted;
            if (list.counted) {
                held = heldParts(list.rows);
                for (const ScarcePart& part : held)
                    values.push_back(part.value);
            } else {
                for (const StockRow& row : list.rows)
                    values.push_back(row.value);
            }
        } else {
            values = eSeriesValues(*m_setup.series, m_setup.low, m_setup.high);
        }
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        const bool anyBeforeExclusions = !values.empty();
        values = withoutExcluded(std::move(values), m_setup.excluded);
        if (values.empty())
            return problemOf(anyBeforeExclusions ? FinderField::Exclude : partsField(),
                             ProblemKind::NoPartsLeft,
                             "no parts left in " + m_setup.partsDescription);
        std::erase_if(held, [&](const ScarcePart& part) {
            return part.count >= kMostParts ||
                   !std::binary_search(values.begin(), values.end(), part.value);
        });
        m_setup.list().scarceParts = std::move(held);
        if (values.size() > kMostDistinctParts) {
            Problem problem = problemOf(partsField(), ProblemKind::TooManyParts,
                                        "more than " + std::to_string(kMostDistinctParts) +
                                            " distinct parts in " + m_setup.partsDescription);
            problem.high = std::to_string(kMostDistinctParts);
            return problem;
        }
        m_setup.parts = std::move(values);
        return std::nullopt;
    }

    // Parts too far apart are refused: beside the wanted value, the
    // smallest would be so small (or the largest so large) that networks
    // differing in it alone differ by less than double can tell, and the
    // search would have to tell each of them apart exactly.
    Step checkSpan() {
        const Rational smallest = writtenValue(m_setup.parts.front());
        const Rational largest = writtenValue(m_setup.parts.back());
        if (largest <= smallest * kMostPartSpan) return std::nullopt;
        Problem problem = problemOf(
            partsField(), ProblemKind::SpanTooWide,
            m_setup.partsDescription + " spans more than " + std::to_string(kMostPartSpanDecades) +
                " decades (" + valueText(m_setup.parts.front()) + " to " +
                valueText(m_setup.parts.back()) + "): the largest part may be at most 1e" +
                std::to_string(kMostPartSpanDecades) + " times the smallest");
        problem.low = valueText(m_setup.parts.front());
        problem.high = valueText(m_setup.parts.back());
        return problem;
    }

    // A wanted value no network of the part counts asked for can reach: the
    // least is all of the smallest part in parallel, the most all of the
    // largest in series.
    Step checkReach() {
        if (m_options.mode == FinderMode::Divider) return checkDividerReach();
        const int most = m_setup.find.mostParts;

        const Rational lowest = writtenValue(m_setup.parts.front()) / most;
        const Rational highest = writtenValue(m_setup.parts.back()) * most;
        const Rational wanted = writtenValue(m_setup.find.wanted);
        if (wanted >= lowest && wanted <= highest) return std::nullopt;
        // Capacitors and inductors are read with the same letters as
        // resistors, so that 1M is a megafarad: the values are shown with
        // their unit, and the letters explained.
        const bool resistors = m_setup.kind == PartKind::Resistor;
        const std::string unit = resistors ? "" : std::string(factsOf(m_setup.kind).unitSign);
        Problem problem =
            problemOf(FinderField::Wanted, ProblemKind::OutOfReach, "", *m_options.wanted);
        problem.low = valueText(lowest, 7, Rounding::Up) + unit;
        problem.high = valueText(highest, 7, Rounding::Down) + unit;
        problem.text = *m_options.wanted +
                       (resistors ? "" : " (" + valueText(m_setup.find.wanted) + unit + ")") +
                       " is outside what " + partsWord(most) + " of " + m_setup.partsDescription +
                       " can reach (" + problem.low + " to " + problem.high + ")" +
                       (resistors ? ""
                                  : "; m is milli and M mega, and a marking code such as 104 "
                                    "reads as the number 104");
        return problem;
    }

    // A divider whose quotient top / bottom would have to be larger than any
    // the parts can make within the total: the ratio is below what they can
    // reach, or a regulator's output above it. (Too small a quotient is
    // answered: the best dividers then come as close as any can.) Of n parts
    // in all, k on top, the quotient is at most k (n - k) times the largest
    // part over the smallest, and at most the highest total over the least
    // bottom, the smallest part n - 1 times in parallel.
    Step checkDividerReach() {
        const DividerRequest& request = m_setup.divider;
        const int most = request.mostParts;
        const Rational smallest = writtenValue(m_setup.parts.front());
        const int widest = (most / 2) * (most - most / 2);
        Rational highest = writtenValue(m_setup.parts.back()) * widest / smallest;
        if (std::isfinite(request.highestTotal))
            highest = std::min(highest, writtenValue(request.highestTotal) * (most - 1) / smallest);
        const Rational quotient = 1 / m_setup.exactRatio() - 1;
        if (quotient <= highest) return std::nullopt;
        const std::string dividers = "what dividers of " + partsWord(most) + " of " +
                                     m_setup.partsDescription + " within a total of " +
                                     valueText(request.lowestTotal) + ".." +
                                     valueText(request.highestTotal) + " can reach";
        if (m_setup.ratioForm == RatioForm::Regulator) {
            const std::string limit =
                decimalText(writtenValue(m_setup.vref) * (1 + highest), 7, Rounding::Down);
            Problem problem = problemOf(
                FinderField::Vout, ProblemKind::OutOfReach,
                "--vout " + quotedText(*m_options.vout) + " is above " + dividers +
                    " from --vref " + quotedText(*m_options.vref) + " (at most " + limit + " V)",
                *m_options.vout);
            problem.high = limit;
            return problem;
        }
        const std::string limit = decimalText(1 / (1 + highest), 7, Rounding::Up);
        Problem problem = problemOf(FinderField::Wanted, ProblemKind::OutOfReach,
                                    "the ratio " + quotedText(*m_options.wanted) + " is below " +
                                        dividers + " (at least " + limit + ")",
                                    *m_options.wanted);
        problem.low = limit;
        return problem;
    }

    const FinderOptions& m_options;
    std::optional<ValueColumn> m_column;

    FinderSetup m_setup;
};

}  // namespace

ListRequest& FinderSetup::list() {
    return mode == FinderMode::Network ? static_cast<ListRequest&>(find) : divider;
}

const ListRequest& FinderSetup::list() const {
    return mode == FinderMode::Network ? static_cast<const ListRequest&>(find) : divider;
}

Rational FinderSetup::exactRatio() const {
    const Rational wanted = divider.exactWanted();
    return ratioForm == RatioForm::Regulator ? 1 / wanted : wanted;
}

FinderDefaults defaultsFor(const FinderOptions& options) {
    const PartKindFacts& facts = factsOf(kindOf(options));
    const auto series = options.stock    ? std::nullopt
                        : options.series ? eSeriesFromName(*options.series)
                                         : facts.series;
    return {options.mode == FinderMode::Divider ? 2 : 1,
            options.tolerance ? kDefaultTopWithinTolerance : kDefaultTop,
            series ? usualTolerancePercent(*series, facts.kind) : 0,
            facts.kind,
            facts.series,
            facts.low,
            facts.high};
}

std::variant<FinderSetup, FinderProblem> setUpFinder(const FinderOptions& options) {
    return SetupReader(options).read();
}

}  // namespace gosei::networks
