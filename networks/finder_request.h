#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "networks/divider_search.h"
#include "networks/e_series.h"
#include "networks/network_search.h"
#include "networks/part_kind.h"
#include "networks/stock_list.h"
#include "networks/value_text.h"

namespace gosei::networks {

// A request for networks or dividers as people type it, the same from the
// command line, the window and the page: each field holds the text of one
// option of `gosei-cli find` or `gosei-cli divider`, and is empty when the
// option is not given.
enum class FinderMode { Network, Divider };

struct FinderOptions {
    FinderMode mode = FinderMode::Network;
    // "R", "C" or "L"; without it, the unit written with VALUE ("3.3nF")
    // names the kind, and resistors are the default. Dividers are resistive.
    std::optional<std::string> kind;
    std::optional<std::string> wanted;  // VALUE, or a divider's RATIO ("0.66", "3.3/5")
    std::optional<std::string> vref;    // a regulator's reference and output voltage
    std::optional<std::string> vout;
    std::optional<std::string> series;
    std::optional<std::string> range;  // "LOW..HIGH"
    // A stock list's contents, and how messages name it: "drawer.txt" for
    // "stock drawer.txt"; a list without a name is "stock list".
    std::optional<std::string> stock;
    std::string stockName;
    // The stock list's value column: a header's name, or a number from 1
    // (see ValueColumn).
    std::optional<std::string> column;
    std::optional<std::string> exclude;  // "A,B"
    std::optional<std::string> parts;    // "N" or "M..N"
    std::optional<std::string> top;
    std::optional<std::string> tolerance;  // the largest error, in percent
    std::optional<std::string> partTolerance;
    std::optional<std::string> total;  // a divider's "LOW..HIGH"
};

// How a divider's wanted ratio was given.
enum class RatioForm { Number, Voltages, Regulator };

// A request understood: the parts to take and what to search for.
struct FinderSetup {
    FinderMode mode = FinderMode::Network;
    PartKind kind = PartKind::Resistor;  // also in `find`
    std::vector<double> parts;           // distinct, ascending, exclusions removed
    // "E24 1..10M", "stock " and the stock list's name, or "stock list".
    std::string partsDescription;
    std::string stockName;  // empty for a series and a list without a name
    // The stock list has a quantity column, so that no result uses a value
    // more times than the list holds: values it holds none of are not among
    // the parts, and those it holds fewer of than kMostParts are in
    // ListRequest::scarceParts.
    bool countedStock = false;
    // As understood, for reports.
    std::optional<ESeries> series;
    double low = 0, high = 0;  // of the series
    std::vector<double> excluded;
    RatioForm ratioForm = RatioForm::Number;
    // A regulator's Vref and Vout, or Vout and Vin of a ratio of voltages.
    double vref = 0, vout = 0, vin = 0;

    FindRequest find;        // for FinderMode::Network
    DividerRequest divider;  // for FinderMode::Divider

    // What the request of the mode asks besides what it looks for.
    ListRequest& list();
    const ListRequest& list() const;
    // A divider's wanted ratio Vout / Vin, in every form exactly.
    Rational exactRatio() const;
    // Whether results have a worst case to show: the parts have a tolerance.
    bool showsWorstCase() const { return list().partTolerancePercent > 0; }
};

// What the options a request leaves out stand for, given those it has: the
// fewest part count, the results per part count, the parts' tolerance in
// percent (0 where the parts have none), the kind of part, and the series
// and range of that kind. Front ends show them in empty fields.
struct FinderDefaults {
    int fewestParts;
    int top;
    double partTolerancePercent;
    PartKind kind;
    ESeries series;
    double low, high;
};
FinderDefaults defaultsFor(const FinderOptions& options);

// A stock list replaces the series; naming both is refused in these words.
inline constexpr std::string_view kStockWithSeries = "--stock takes no --series or --range";
inline constexpr std::string_view kColumnWithoutStock = "--column needs --stock";

// The fields of a request as the window and the page show them. The
// command line's options fall on them: --range on RangeLow and RangeHigh,
// --parts on PartsMin and PartsMax, --total on TotalLow and TotalHigh,
// --stock and --column on Stock.
enum class FinderField {
    Mode,
    Kind,
    Wanted,
    Vref,
    Vout,
    Series,
    RangeLow,
    RangeHigh,
    Stock,
    Exclude,
    PartsMin,
    PartsMax,
    Top,
    MaxError,
    PartTolerance,
    TotalLow,
    TotalHigh,
};
inline constexpr int kFinderFieldCount = static_cast<int>(FinderField::TotalHigh) + 1;

// What is wrong with a field, for each front end to word.
enum class ProblemKind {
    Missing,            // nothing to search for yet
    HalfGiven,          // Vref without Vout, or Vout without Vref
    RatioAndVoltages,   // a ratio and Vref or Vout as well
    NotAValue,          // `given` is not a value: `valueProblem` says why
    NotPositive,        // `given` must be greater than 0
    RatioOutOfRange,    // a ratio not between 0 and 1
    VoutNotAboveVref,   //
    NotARange,          // not LOW..HIGH (the command line's text only)
    LowAboveHigh,       //
    UnknownSeries,      //
    StockWithSeries,    // the command line's options only
    BadColumn,          // --column's text (the command line's only)
    StockList,          // `stockError` says what
    NotPartCounts,      // not N or M..N
    PartCountsOutside,  // outside `low`..`high`, or the larger count first
    NotTop,             // not a whole number from `low` to `high`
    NotPercentage,      // not a percentage of 0 or more (below `high` if given)
    NoPartsLeft,        //
    TooManyParts,       // more than `high` distinct values
    SpanTooWide,        // parts from `low` to `high`, more than 12 decades apart
    OutOfReach,         // beyond what the parts can reach, `low` to `high`
    UnknownKind,        // not R, C or L
    KindConflict,       // written for `writtenKind`, where the parts are `partKind`
};

// A request that cannot be searched: the field at fault, what is wrong in
// the front ends' terms, and the command line's line.
struct FinderProblem {
    FinderField field = FinderField::Wanted;
    ProblemKind kind = ProblemKind::Missing;
    std::string text;   // the command line's words
    std::string given;  // the text at fault, as typed
    ValueProblem valueProblem = ValueProblem::Unreadable;
    StockListError stockError;
    std::string low, high;  // the limits the kind names, as texts
    PartKind partKind = PartKind::Resistor;
    PartKind writtenKind = PartKind::Resistor;
};

// The request understood, or the first problem with it.
std::variant<FinderSetup, FinderProblem> setUpFinder(const FinderOptions& options);

// Defaults: resistors' series (defaultsFor gives every kind's), the
// networks per part count (more when a largest error is given), a divider's
// total.
inline constexpr ESeries kDefaultSeries = factsOf(PartKind::Resistor).series;
inline constexpr int kDefaultTop = 3;
inline constexpr int kDefaultTopWithinTolerance = 20;
inline constexpr int kMostTop = 1000;
// The largest part at most 10^12 times the smallest.
inline constexpr int kMostPartSpanDecades = 12;
inline constexpr double kMostPartSpan = 1e12;
inline constexpr double kDefaultLowestTotal = 10e3;
inline constexpr double kDefaultHighestTotal = 100e3;

}  // namespace gosei::networks
