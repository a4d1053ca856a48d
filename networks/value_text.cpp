#include "networks/value_text.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "engine/decimal_conversion.h"

namespace gosei::networks {
namespace {

struct Multiplier {
    std::string_view letter;
    int exponent;
};
constexpr std::array<Multiplier, 11> kMultipliers = {{{"p", -12},
                                                      {"n", -9},
                                                      {"u", -6},
                                                      {"\u00b5", -6},  // micro sign
                                                      {"\u03bc", -6},  // Greek mu
                                                      {"m", -3},
                                                      {"R", 0},
                                                      {"k", 3},
                                                      {"K", 3},
                                                      {"M", 6},
                                                      {"G", 9}}};

// The prefixes written by valueText, one for every third power of ten from
// 1e-12 up.
constexpr std::array<std::string_view, 8> kPrefixes = {"p", "n", "u", "m", "", "k", "M", "G"};
constexpr int kLowestPrefixExponent = -12;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view leadingDigits(std::string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && text[count] >= '0' && text[count] <= '9')
        ++count;
    const std::string_view digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

std::optional<int> leadingMultiplier(std::string_view& text) {
    for (const Multiplier& multiplier : kMultipliers) {
        if (text.starts_with(multiplier.letter)) {
            text.remove_prefix(multiplier.letter.size());
            return multiplier.exponent;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> parseValue(std::string_view text) {
    text = trimmed(text);
    const std::string_view whole = leadingDigits(text);
    std::string_view fraction;
    std::optional<int> exponent;
    if (text.starts_with('.')) {
        text.remove_prefix(1);
        fraction = leadingDigits(text);
        exponent = leadingMultiplier(text);
    } else {
        exponent = leadingMultiplier(text);
        // "4k7", "R47": the letter stands for the decimal point.
        if (exponent) fraction = leadingDigits(text);
    }
    if (!text.empty() || (whole.empty() && fraction.empty())) return std::nullopt;

    const std::string decimal = std::string(whole.empty() ? "0" : whole) + "." +
                                std::string(fraction) + "0e" + std::to_string(exponent.value_or(0));
    double value = 0;
    const auto [end, error] =
        gosei::parseDecimal(decimal.data(), decimal.data() + decimal.size(), value);
    if (error != std::errc() || end != decimal.data() + decimal.size()) return std::nullopt;
    return value;
}

std::string valueText(double value, int significantDigits) {
    // "%.*e" rounds once; the digits are then only moved around the point.
    char scientific[48];
    std::snprintf(scientific, sizeof scientific, "%.*e", significantDigits - 1, value);
    const std::string_view text(scientific);
    const auto e = text.find('e');
    const int decimalExponent = std::atoi(scientific + e + 1);
    std::string digits;
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9') digits += c;

    int group = (decimalExponent - kLowestPrefixExponent) / 3;
    if (decimalExponent < kLowestPrefixExponent) group = 0;
    if (group >= static_cast<int>(kPrefixes.size())) group = static_cast<int>(kPrefixes.size()) - 1;
    const int beforePoint = decimalExponent - (kLowestPrefixExponent + 3 * group) + 1;

    std::string number;
    if (beforePoint <= 0) {
        number = "0." + std::string(static_cast<std::size_t>(-beforePoint), '0') + digits;
    } else {
        if (digits.size() < static_cast<std::size_t>(beforePoint))
            digits.append(static_cast<std::size_t>(beforePoint) - digits.size(), '0');
        number = digits.substr(0, static_cast<std::size_t>(beforePoint)) + "." +
                 digits.substr(static_cast<std::size_t>(beforePoint));
    }
    while (number.back() == '0')
        number.pop_back();
    if (number.back() == '.') number.pop_back();
    const std::string sign = text.starts_with('-') ? "-" : "";
    return sign + number + std::string(kPrefixes[static_cast<std::size_t>(group)]);
}

std::variant<std::vector<double>, StockListError> parseStockList(std::string_view text) {
    std::vector<double> values;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        const auto value = parseValue(line);
        if (!value || !(*value > 0)) {
            return StockListError{"line " + std::to_string(lineNumber) + ": \"" +
                                  std::string(line) + "\" is not a positive value"};
        }
        values.push_back(*value);
    }
    if (values.empty()) return StockListError{"no values"};
    return values;
}

}  // namespace gosei::networks
