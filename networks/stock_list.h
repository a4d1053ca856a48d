#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace gosei::networks {

// One value per line, '#' starts a comment, blank lines are skipped. A
// UTF-8 byte-order mark and CRLF line ends are fine. After the value, a tab,
// comma or space starts text that is ignored (a parts list exported with the
// value first); the value is the longest start of the line, ending before
// such a separator, that reads as one, so "4.7 kΩ, 10 pcs" is 4.7k. Either
// the values in file order, or one line naming the problem.
struct StockListError {
    std::string message;
};
std::variant<std::vector<double>, StockListError> parseStockList(std::string_view text);

}  // namespace gosei::networks
