#include "networks/stock_list.h"

#include <algorithm>

#include "networks/value_text.h"

namespace gosei::networks {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// No value is written in more characters than this; longer starts of a line
// are not tried, so that a long line is read in time linear in its length.
constexpr std::size_t kLongestValueText = 64;

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

// The value at the start of a line, as parseStockList takes it.
std::variant<double, ValueProblem> leadingValue(std::string_view line) {
    const std::string ascii = asciiForms(line);
    for (std::size_t end = std::min(ascii.size(), kLongestValueText); end > 0; --end) {
        if (end < ascii.size() && !isSeparator(ascii[end])) continue;
        const auto value = readValue(std::string_view(ascii).substr(0, end));
        if (std::holds_alternative<double>(value)) return value;
    }
    const auto firstField = std::find_if(ascii.begin(), ascii.end(), isSeparator);
    return readValue(
        std::string_view(ascii.data(), static_cast<std::size_t>(firstField - ascii.begin())));
}

}  // namespace

std::variant<std::vector<double>, StockListError> parseStockList(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<double> values;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        const auto value = leadingValue(line);
        const std::string where = "line " + std::to_string(lineNumber) + ": " + quotedText(line);
        if (const auto* problem = std::get_if<ValueProblem>(&value))
            return StockListError{where + " " + problemText(*problem)};
        if (!(std::get<double>(value) > 0))
            return StockListError{where + " is not a positive value"};
        values.push_back(std::get<double>(value));
    }
    if (values.empty()) return StockListError{"no values"};
    return values;
}

}  // namespace gosei::networks
