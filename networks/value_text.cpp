#include "networks/value_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "decimal/decimal_conversion.h"

namespace gosei::networks {
namespace {

// ---- Characters ----------------------------------------------------------

struct CodePoint {
    char32_t value;
    std::size_t length;  // in bytes; 1 for a byte that starts no UTF-8 sequence
    bool valid;
};

CodePoint codePointAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1, true};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) return {lead, 1, false};
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {lead, 1, false};
        value = (value << 6) | (byte(i) & 0x3F);
    }
    constexpr std::array<char32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {lead, 1, false};
    return {value, length, true};
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmedFront(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view trimmed(std::string_view text) {
    text = trimmedFront(text);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view leadingDigits(std::string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && isDigit(text[count]))
        ++count;
    const std::string_view digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Removes `word` from the front of `text`, ignoring the case of ASCII
// letters.
bool takeWord(std::string_view& text, std::string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(text[i]) != lower(word[i])) return false;
    text.remove_prefix(word.size());
    return true;
}

// ---- Reading values ------------------------------------------------------

struct Multiplier {
    std::string_view letter;
    int exponent;
    Unit onlyFor;  // Unit::None: for every unit
};
constexpr std::array<Multiplier, 15> kMultipliers = {{{"p", -12, Unit::None},
                                                      {"n", -9, Unit::None},
                                                      {"u", -6, Unit::None},
                                                      {"\u00b5", -6, Unit::None},  // micro sign
                                                      {"\u03bc", -6, Unit::None},  // Greek mu
                                                      {"m", -3, Unit::None},
                                                      {"R", 0, Unit::Ohm},
                                                      {"r", 0, Unit::Ohm},
                                                      {"V", 0, Unit::Volt},
                                                      {"v", 0, Unit::Volt},
                                                      {"k", 3, Unit::None},
                                                      {"K", 3, Unit::None},
                                                      {"M", 6, Unit::None},
                                                      {"G", 9, Unit::None},
                                                      {"T", 12, Unit::None}}};

std::optional<int> takeMultiplier(std::string_view& text, Unit unit) {
    // Circuit simulators write mega as "Meg", since their "m" and "M" are
    // both milli; read before the single letters so that "meg" is not milli.
    if (takeWord(text, "meg")) return 6;
    for (const Multiplier& multiplier : kMultipliers) {
        if (multiplier.onlyFor != Unit::None && multiplier.onlyFor != unit) continue;
        if (text.starts_with(multiplier.letter)) {
            text.remove_prefix(multiplier.letter.size());
            return multiplier.exponent;
        }
    }
    return std::nullopt;
}

void takeUnit(std::string_view& text, Unit unit) {
    if (unit == Unit::Ohm) {
        // Greek capital omega and the ohm sign.
        for (std::string_view word : {"ohms", "ohm", "\u03a9", "\u2126"})
            if (takeWord(text, word)) return;
    } else if (unit == Unit::Volt) {
        takeWord(text, "v");
    } else if (unit == Unit::Farad) {
        takeWord(text, "f");
    } else if (unit == Unit::Henry) {
        takeWord(text, "h");
    }
}

// "e-3", "E+05": the exponent, if `text` starts with one.
std::optional<std::string_view> takeExponent(std::string_view& text) {
    if (text.empty() || lower(text.front()) != 'e') return std::nullopt;
    std::string_view rest = text.substr(1);
    const std::size_t sign = !rest.empty() && (rest.front() == '+' || rest.front() == '-') ? 1 : 0;
    if (rest.size() <= sign || !isDigit(rest[sign])) return std::nullopt;
    rest.remove_prefix(sign);
    leadingDigits(rest);
    const std::string_view exponent = text.substr(1, text.size() - rest.size() - 1);
    text = rest;
    return exponent;
}

struct WrittenNumber {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
    std::optional<std::string_view> exponent;
    int multiplier = 0;
};

std::optional<WrittenNumber> scanNumber(std::string_view text, Unit unit) {
    WrittenNumber number;
    text = trimmed(text);
    if (text.starts_with('+') || text.starts_with('-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    number.whole = leadingDigits(text);
    const bool point = text.starts_with('.');
    if (point) {
        text.remove_prefix(1);
        number.fraction = leadingDigits(text);
    }
    if (!number.whole.empty() || !number.fraction.empty()) number.exponent = takeExponent(text);

    const std::size_t beforeBlanks = text.size();
    text = trimmedFront(text);
    const bool blankBeforeLetter = text.size() != beforeBlanks;
    if (const auto multiplier = takeMultiplier(text, unit)) {
        if (number.exponent) return std::nullopt;
        number.multiplier = *multiplier;
        // "4k7", "R47": the letter stands for the decimal point.
        if (!point && !blankBeforeLetter) number.fraction = leadingDigits(text);
    }
    if (number.whole.empty() && number.fraction.empty()) return std::nullopt;
    text = trimmedFront(text);
    takeUnit(text, unit);
    if (!text.empty()) return std::nullopt;
    return number;
}

std::size_t significantDigitCount(const WrittenNumber& number) {
    const std::string digits = std::string(number.whole) + std::string(number.fraction);
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    return digits.find_last_not_of('0') - first + 1;
}

}  // namespace

std::string asciiForms(std::string_view text) {
    std::string ascii;
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint c = codePointAt(text, at);
        if (c.valid && c.value >= 0xFF01 && c.value <= 0xFF5E) {
            ascii += static_cast<char>(c.value - 0xFEE0);
        } else if (c.valid && c.value == 0x3000) {
            ascii += ' ';
        } else if (c.valid && c.value == 0x2212) {
            ascii += '-';
        } else {
            ascii.append(text.substr(at, c.length));
        }
        at += c.length;
    }
    return ascii;
}

std::variant<double, ValueProblem> readValue(std::string_view text, Unit unit) {
    const std::string ascii = asciiForms(text);
    const auto number = scanNumber(ascii, unit);
    if (!number) return ValueProblem::Unreadable;
    const std::size_t significant = significantDigitCount(*number);
    if (significant == 0) return 0.0;
    if (significant > static_cast<std::size_t>(kMostSignificantDigits))
        return ValueProblem::TooManyDigits;

    long exponent = number->multiplier;
    if (number->exponent) {
        long written = 0;
        const auto [end, error] =
            std::from_chars(number->exponent->data() + (number->exponent->starts_with('+') ? 1 : 0),
                            number->exponent->data() + number->exponent->size(), written);
        if (error != std::errc()) return ValueProblem::OutOfRange;
        exponent += written;
    }
    const std::string decimal = std::string(number->whole.empty() ? "0" : number->whole) + "." +
                                std::string(number->fraction) + "0e" + std::to_string(exponent);
    double value = 0;
    if (parseDecimal(decimal, value) != std::errc()) return ValueProblem::OutOfRange;
    if (value > kLargestValue || value < kSmallestValue) return ValueProblem::OutOfRange;
    return number->negative ? -value : value;
}

std::optional<double> parseValue(std::string_view text, Unit unit) {
    const auto read = readValue(text, unit);
    if (const double* value = std::get_if<double>(&read)) return *value;
    return std::nullopt;
}

std::optional<Unit> writtenUnit(std::string_view text) {
    const std::string ascii = asciiForms(text);
    std::string_view rest = trimmed(ascii);
    const auto endsWith = [&rest](std::string_view word) {
        if (rest.size() < word.size()) return false;
        std::string_view end = rest.substr(rest.size() - word.size());
        return takeWord(end, word);
    };
    for (std::string_view word : {"ohm", "ohms", "\u03a9", "\u2126"})
        if (endsWith(word)) return Unit::Ohm;
    if (endsWith("f")) return Unit::Farad;
    if (endsWith("h")) return Unit::Henry;
    return std::nullopt;
}

std::string problemText(ValueProblem problem) {
    switch (problem) {
        case ValueProblem::TooManyDigits:
            return "has more than " + std::to_string(kMostSignificantDigits) +
                   " significant digits";
        case ValueProblem::OutOfRange:
            return "lies outside 1e-24 to 1e24";
        case ValueProblem::Unreadable:
            break;
    }
    return "is not a value";
}

std::string quotedText(std::string_view text) {
    const auto invisible = [](char32_t c) {
        return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x34F || c == 0x61C ||
               c == 0x180E || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
               (c >= 0x205F && c <= 0x206F) || c == 0x3000 || c == 0x3164 || c == 0xFEFF ||
               (c >= 0xFFF0 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE007F);
    };
    std::string quoted = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint c = codePointAt(text, at);
        char escape[16];
        if (!c.valid) {
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(c.value));
            quoted += escape;
        } else if (c.value == '"' || c.value == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c.value);
        } else if (invisible(c.value)) {
            std::snprintf(escape, sizeof escape, c.value > 0xFFFF ? "\\U%08x" : "\\u%04x",
                          static_cast<unsigned>(c.value));
            quoted += escape;
        } else {
            quoted.append(text.substr(at, c.length));
        }
        at += c.length;
    }
    return quoted + "\"";
}

// ---- Writing values ------------------------------------------------------

namespace {

// The prefixes valueText writes, one for every third power of ten from
// 1e-12 up.
constexpr std::array<std::string_view, 9> kPrefixes = {"p", "n", "u", "m", "", "k", "M", "G", "T"};
constexpr int kLowestPrefixExponent = -12;

// "digits" with a point after the first `beforePoint` of them (zeros added
// on either side as needed), trailing zeros after the point dropped.
std::string placePoint(std::string digits, int beforePoint) {
    std::string number;
    if (beforePoint <= 0) {
        number.append("0.").append(static_cast<std::size_t>(-beforePoint), '0').append(digits);
    } else {
        if (digits.size() < static_cast<std::size_t>(beforePoint))
            digits.append(static_cast<std::size_t>(beforePoint) - digits.size(), '0');
        number.append(digits, 0, static_cast<std::size_t>(beforePoint))
            .append(".")
            .append(digits, static_cast<std::size_t>(beforePoint));
    }
    while (number.back() == '0')
        number.pop_back();
    if (number.back() == '.') number.pop_back();
    return number;
}

}  // namespace

std::string valueText(const Rational& value, int significantDigits, Rounding rounding) {
    const RoundedDecimal rounded = roundedDecimal(value, significantDigits, rounding);
    if (rounded.digits.empty()) return "0";
    int group = (rounded.exponent - kLowestPrefixExponent) / 3;
    if (rounded.exponent < kLowestPrefixExponent) group = 0;
    group = std::min(group, static_cast<int>(kPrefixes.size()) - 1);
    const int beforePoint = rounded.exponent - (kLowestPrefixExponent + 3 * group) + 1;
    return (rounded.negative ? "-" : "") + placePoint(rounded.digits, beforePoint) +
           std::string(kPrefixes[static_cast<std::size_t>(group)]);
}

std::string decimalText(const Rational& value, int significantDigits, Rounding rounding) {
    const RoundedDecimal rounded = roundedDecimal(value, significantDigits, rounding);
    if (rounded.digits.empty()) return "0";
    return (rounded.negative ? "-" : "") + placePoint(rounded.digits, rounded.exponent + 1);
}

std::string valueText(double value) {
    // 17 digits hold every double's shortest text.
    return valueText(writtenValue(value), 17);
}

std::string percentText(const Rational& fraction, int significantDigits, Rounding rounding) {
    const RoundedDecimal rounded = roundedDecimal(fraction * 100, significantDigits, rounding);
    if (rounded.digits.empty()) return "0";
    const std::string sign = rounded.negative ? "-" : "+";
    if (rounded.exponent >= -4 && rounded.exponent < significantDigits)
        return sign + placePoint(rounded.digits, rounded.exponent + 1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", rounded.exponent < 0 ? '-' : '+',
                  std::abs(rounded.exponent));
    return sign + placePoint(rounded.digits, 1) + exponent;
}

}  // namespace gosei::networks
