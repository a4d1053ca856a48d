#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "networks/value_text.h"

namespace gosei::networks {

// A stock list: the part values a search may take, as people keep them and
// as CAD programs, distributors and assembly houses export them. Two forms:
//
// - A table, CSV or tab-separated, whose first line is a header naming the
//   value column (Value, Val, Comment, Resistance, 値, 抵抗値 or 定数, any
//   case) or the column given. Fields are quoted as RFC 4180 has it
//   ("R1,R2,R5", a doubled quote within is one quote). A table separated by
//   semicolons may write decimal commas (4,7k); in one separated by commas or
//   tabs a comma within a value could mean a point or a thousands separator,
//   and is refused. A quantity column (Qty, Quantity, 数量, 個数) counts the
//   parts of each row. A line that starts with '#' is a comment; elsewhere
//   '#' is text, as in a header "Mfr Part #".
// - One value a line, with anything after it (4.7k 1%; 4.7k, 0603, 10pcs)
//   ignored so long as nothing there could be part of the value or be the
//   value instead. '#' starts a comment anywhere.
//
// Either way, blank lines are skipped and a UTF-8 byte-order mark and CRLF
// line ends are fine. A value is read whole or the line is refused: nothing
// that could belong to it (digits, a multiplier, a unit) is cut off, and a
// line that could be read two ways (R1, 4.7k, 0603; 1 000; 4,7k in a list
// separated by commas) is refused with what to write instead.

// The most text a stock list may hold, checked before anything is read,
// and how messages name it.
inline constexpr std::size_t kMostStockListBytes = 1 << 20;
inline constexpr std::string_view kMostStockListText = "1 MiB (1,048,576 bytes)";

// The column that holds the values, as --column gives it: a header's name
// (any case, blanks around it ignored), or a number counted from 1 that
// also reads a table without a header.
struct ValueColumn {
    std::string name;
    std::size_t number = 0;  // 0 where a name is given
};

struct StockRow {
    double value;  // greater than 0
    // From the quantity column, where the list has one: whole, 0 for none,
    // and at most kMostQuantity, which larger counts read as.
    std::int64_t quantity = 0;
    // The unit the value is read in: the list's, or the one written with it.
    Unit unit = Unit::Ohm;
};
inline constexpr std::int64_t kMostQuantity = 1'000'000'000;

struct StockList {
    std::vector<StockRow> rows;  // in list order, at least one
    bool counted = false;        // the list has a quantity column
};

// One line naming the problem and the line it is on.
struct StockListError {
    std::string message;
    // The line at fault, counted from 1, and its text quoted (cut short if
    // long); 0 and empty for a list too large or without values.
    int line = 0;
    std::string quotedLine;
    // Where a line holds a value written in the unit of another kind of
    // part than the list's: that unit.
    std::optional<Unit> otherUnit;
};

// The list, its value column found from its header unless `column` is
// given, of parts whose values are in `unit` (Unit::Ohm, Farad or Henry): a
// value written in another of them is refused.
std::variant<StockList, StockListError> parseStockList(
    std::string_view text, const std::optional<ValueColumn>& column = std::nullopt,
    Unit unit = Unit::Ohm);

}  // namespace gosei::networks
