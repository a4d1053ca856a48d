#include "decimal/decimal_conversion.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace gosei {

namespace portable {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the text at `at` starts with `word`, ignoring case.
bool startsWith(const char* at, const char* last, std::string_view word) {
    if (last - at < static_cast<std::ptrdiff_t>(word.size())) return false;
    for (char c : word) {
        if (lower(*at++) != c) return false;
    }
    return true;
}

const char* skipDigits(const char* at, const char* last) {
    while (at != last && isDigit(*at))
        ++at;
    return at;
}

// The end of "digits[.digits][e[sign]digits]" at `at`, or `at` itself where
// there is no digit.
const char* decimalEnd(const char* at, const char* last) {
    const char* end = skipDigits(at, last);
    bool anyDigit = end != at;
    if (end != last && *end == '.') {
        const char* fraction = skipDigits(end + 1, last);
        anyDigit = anyDigit || fraction != end + 1;
        end = fraction;
    }
    if (!anyDigit) return at;
    if (end != last && (*end == 'e' || *end == 'E')) {
        const char* exponent = end + 1;
        if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
        const char* exponentEnd = skipDigits(exponent, last);
        if (exponentEnd != exponent) end = exponentEnd;
    }
    return end;
}

// The end of "nan" with an optional "(chars)" after it.
const char* nanEnd(const char* at, const char* last) {
    const char* end = at + 3;
    if (end != last && *end == '(') {
        const char* close = end + 1;
        while (close != last &&
               (isDigit(*close) || (lower(*close) >= 'a' && lower(*close) <= 'z') || *close == '_'))
            ++close;
        if (close != last && *close == ')') end = close + 1;
    }
    return end;
}

}  // namespace

std::from_chars_result parseDecimal(const char* first, const char* last, double& value) {
    const char* at = first;
    const bool negative = at != last && *at == '-';
    if (negative) ++at;
    if (startsWith(at, last, "inf")) {
        value = negative ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
        return {at + (startsWith(at, last, "infinity") ? 8 : 3), std::errc()};
    }
    if (startsWith(at, last, "nan")) {
        value = negative ? -std::numeric_limits<double>::quiet_NaN()
                         : std::numeric_limits<double>::quiet_NaN();
        return {nanEnd(at, last), std::errc()};
    }
    const char* end = decimalEnd(at, last);
    if (end == at) return {first, std::errc::invalid_argument};

    // strtod reads only the part found above, which needs its terminating
    // zero; it also flags subnormal results, which from_chars accepts, so
    // only an infinity or a lost non-zero value is out of range.
    const std::string text(first, end);
    const double parsed = std::strtod(text.c_str(), nullptr);
    const std::string_view mantissa = std::string_view(text).substr(0, text.find_first_of("eE"));
    const bool nonZeroDigits = mantissa.find_first_of("123456789") != std::string_view::npos;
    if (std::isinf(parsed) || (parsed == 0.0 && nonZeroDigits)) {
        return {end, std::errc::result_out_of_range};
    }
    value = parsed;
    return {end, std::errc()};
}

std::string scientificText(double value, int fractionDigits) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", fractionDigits, value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

namespace {

std::string wholeDigits(double value) {
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

bool readsBackAs(const std::string& text, double value) {
    return std::strtod(text.c_str(), nullptr) == value;
}

// The last digit of "d.ddde+XX" moved by one, carrying; "" where that
// leaves the digits' range.
std::string stepLastDigit(std::string text, int step) {
    const std::size_t mark = text.find('e');
    for (std::size_t i = mark; i-- > 0;) {
        if (text[i] == '.') continue;
        if (step > 0 && text[i] < '9') {
            ++text[i];
            return text;
        }
        if (step < 0 && text[i] > (i == 0 ? '1' : '0')) {
            --text[i];
            return text;
        }
        text[i] = step > 0 ? '0' : '9';
        if (i == 0) return "";
    }
    return "";
}

// The shortest "d.ddde+XX" that reads back as the value: the correctly
// rounded digits, or where the value's neighbours lie unevenly (at a power
// of two) the next digits up or down.
std::string shortestScientific(double value) {
    for (int digits = 1; digits <= 17; ++digits) {
        const std::string rounded = scientificText(value, digits - 1);
        if (readsBackAs(rounded, value)) return rounded;
        for (int step : {1, -1}) {
            const std::string stepped = stepLastDigit(rounded, step);
            if (!stepped.empty() && readsBackAs(stepped, value)) return stepped;
        }
    }
    return scientificText(value, 16);
}

}  // namespace

std::string shortestScientificText(double value) {
    if (value == 0.0 || !std::isfinite(value)) return scientificText(value, 0);
    std::string text = value < 0 ? "-" : "";
    return text.append(shortestScientific(std::fabs(value)));
}

std::string shortestText(double value) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0.0) return std::signbit(value) ? "-0" : "0";
    const std::string scientific = shortestScientific(std::fabs(value));
    const std::size_t mark = scientific.find('e');
    std::string digits;
    for (std::size_t i = 0; i < mark; ++i) {
        if (scientific[i] != '.') digits += scientific[i];
    }
    const int exponent = std::atoi(scientific.c_str() + mark + 1);
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "e%c%02d", exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    std::string shortScientific(1, digits[0]);
    if (digits.size() > 1) shortScientific.append(".").append(digits, 1);
    shortScientific += exponentText;

    std::string plain;
    const int count = static_cast<int>(digits.size());
    if (exponent < 0) {
        plain.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else if (count <= exponent + 1) {
        // A whole number: printf writes its exact digits, not zeros.
        plain = wholeDigits(std::fabs(value));
    } else {
        plain = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    const std::string sign = value < 0 ? "-" : "";
    return sign + (plain.size() <= shortScientific.size() ? plain : shortScientific);
}

}  // namespace portable

#if defined(__cpp_lib_to_chars)

std::string shortestText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string shortestScientificText(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return std::string(buffer, result.ptr);
}

std::from_chars_result parseDecimal(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}

std::string scientificText(double value, int fractionDigits) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, fractionDigits);
    return std::string(buffer, result.ptr);
}

#else

std::from_chars_result parseDecimal(const char* first, const char* last, double& value) {
    return portable::parseDecimal(first, last, value);
}

std::string scientificText(double value, int fractionDigits) {
    return portable::scientificText(value, fractionDigits);
}

std::string shortestText(double value) {
    return portable::shortestText(value);
}

std::string shortestScientificText(double value) {
    return portable::shortestScientificText(value);
}

#endif

}  // namespace gosei
