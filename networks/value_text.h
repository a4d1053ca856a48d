#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace gosei::networks {

// Reads a component value as people write it on drawings and in part lists:
//   "4700", "4.7k", "4k7", "470R", "0R1", "R47", "1M2", "2.2M", "0.47", "10u"
// A number with an optional multiplier letter after it, or digits with the
// letter standing where the decimal point would be. The letters are p, n,
// u (or µ, μ), m, R (times one), k (or K), M and G. Blanks around the text are
// ignored; anything else, a sign or an exponent makes the text unreadable.
// The result is the correctly rounded double of the decimal value.
std::optional<double> parseValue(std::string_view text);

// A value with an SI multiplier, rounded to `significantDigits` and without
// trailing zeros: 4700 -> "4.7k", 0.5 -> "500m", 1e6 -> "1M".
std::string valueText(double value, int significantDigits = 6);

// A stock list: one value per line, '#' starts a comment, blank lines are
// skipped. Either the values in file order, or one line naming the problem.
struct StockListError {
    std::string message;
};
std::variant<std::vector<double>, StockListError> parseStockList(std::string_view text);

}  // namespace gosei::networks
