#include "engine/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "decimal/decimal_conversion.h"

namespace gosei {
namespace {

// A character of the text as far as numbers are concerned: its ASCII form,
// ' ' for any blank, or '\0' for anything that cannot be part of a number.
class NumberCharacters {
  public:
    explicit NumberCharacters(std::string_view text) : m_text(text), m_current(decodeAt(0)) {}

    char peek() const { return m_current.ascii; }
    void advance() {
        m_position += m_current.length;
        m_current = decodeAt(m_position);
    }

  private:
    struct Decoded {
        char ascii;
        std::size_t length;
    };

    Decoded decodeAt(std::size_t position) const {
        if (position >= m_text.size()) return {'\0', 0};
        const auto lead = static_cast<unsigned char>(m_text[position]);
        if (lead < 0x80) return {asAscii(lead), 1};
        // Only three-byte sequences can map to anything; every other lead
        // byte, or a malformed sequence, is one character that ends a number.
        if ((lead & 0xF0) != 0xE0 || position + 2 >= m_text.size()) return {'\0', 1};
        const auto second = static_cast<unsigned char>(m_text[position + 1]);
        const auto third = static_cast<unsigned char>(m_text[position + 2]);
        if ((second & 0xC0) != 0x80 || (third & 0xC0) != 0x80) return {'\0', 1};
        const char32_t code =
            (char32_t(lead & 0x0F) << 12) | (char32_t(second & 0x3F) << 6) | char32_t(third & 0x3F);
        return {wideAsAscii(code), 3};
    }

    static char asAscii(unsigned char c) {
        if (c == '\t') return ' ';
        if (c == ' ' || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E') return char(c);
        if (c >= '0' && c <= '9') return char(c);
        return '\0';
    }

    static char wideAsAscii(char32_t code) {
        if (code >= U'\uFF10' && code <= U'\uFF19') return char('0' + (code - U'\uFF10'));
        switch (code) {
            case U'\u3000':
                return ' ';
            case U'\uFF0E':
                return '.';
            case U'\uFF0B':
                return '+';
            case U'\uFF0D':
            case U'\u2212':
                return '-';
            default:
                return '\0';
        }
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    Decoded m_current;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Appends the run of digits at the current position.
void appendDigits(NumberCharacters& chars, std::string& digits) {
    for (; isDigit(chars.peek()); chars.advance())
        digits += chars.peek();
}

// The unsigned part of a number in plain ASCII, split as parseDecimal and
// the out-of-range fallback need it.
struct NumberParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    std::string exponent;  // with its sign, empty when there is none
};

std::optional<NumberParts> scanNumber(std::string_view text) {
    NumberCharacters chars(text);
    NumberParts parts;
    while (chars.peek() == ' ')
        chars.advance();
    if (chars.peek() == '+' || chars.peek() == '-') {
        parts.negative = chars.peek() == '-';
        chars.advance();
    }
    appendDigits(chars, parts.integerDigits);
    if (chars.peek() == '.') {
        NumberCharacters afterPoint = chars;
        afterPoint.advance();
        if (parts.integerDigits.empty() && !isDigit(afterPoint.peek())) return std::nullopt;
        chars = afterPoint;
        appendDigits(chars, parts.fractionDigits);
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) return std::nullopt;
    if (chars.peek() == 'e' || chars.peek() == 'E') {
        // "2e" and "2e+" read as 2: an exponent needs at least one digit.
        NumberCharacters exponent = chars;
        exponent.advance();
        std::string digits;
        if (exponent.peek() == '+' || exponent.peek() == '-') {
            digits += exponent.peek();
            exponent.advance();
        }
        appendDigits(exponent, digits);
        if (!digits.empty() && isDigit(digits.back())) parts.exponent = digits;
    }
    return parts;
}

// Decimal exponent of the leading significant digit, saturated far beyond
// any double so that huge exponent texts cannot overflow.
long long decimalMagnitude(const NumberParts& parts) {
    constexpr long long kSaturation = 1'000'000'000'000LL;
    long long exponent = 0;
    bool negativeExponent = false;
    for (char c : parts.exponent) {
        if (c == '-') negativeExponent = true;
        if (isDigit(c) && exponent < kSaturation) exponent = exponent * 10 + (c - '0');
    }
    if (negativeExponent) exponent = -exponent;
    const auto firstInteger = parts.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string::npos) {
        return exponent + static_cast<long long>(parts.integerDigits.size() - firstInteger) - 1;
    }
    const auto firstFraction = parts.fractionDigits.find_first_not_of('0');
    return exponent - static_cast<long long>(firstFraction) - 1;
}

bool isZero(const NumberParts& parts) {
    return parts.integerDigits.find_first_not_of('0') == std::string::npos &&
           parts.fractionDigits.find_first_not_of('0') == std::string::npos;
}

double convert(const NumberParts& parts) {
    std::string ascii = parts.integerDigits;
    if (!parts.fractionDigits.empty()) ascii += '.' + parts.fractionDigits;
    if (!parts.exponent.empty()) ascii += 'e' + parts.exponent;
    double magnitude = 0.0;
    const std::errc error = parseDecimal(ascii, magnitude);
    if (error == std::errc::result_out_of_range) {
        magnitude = (!isZero(parts) && decimalMagnitude(parts) > 0)
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    } else if (error != std::errc()) {
        magnitude = 0.0;
    }
    return parts.negative ? -magnitude : magnitude;
}

// Digits and decimal exponent of a finite, non-zero value rounded to the
// given number of significant digits, trailing zeros removed.
struct RoundedDigits {
    bool negative;
    std::string digits;
    int exponent;
};

RoundedDigits roundToSignificant(double value, int significantDigits) {
    const std::string text = scientificText(value, significantDigits - 1);
    RoundedDigits rounded{false, {}, 0};
    std::size_t position = 0;
    if (text[position] == '-') {
        rounded.negative = true;
        ++position;
    }
    const auto exponentMark = text.find('e');
    for (; position < exponentMark; ++position) {
        if (text[position] != '.') rounded.digits += text[position];
    }
    std::from_chars(text.data() + exponentMark + 1 + (text[exponentMark + 1] == '+'),
                    text.data() + text.size(), rounded.exponent);
    while (rounded.digits.size() > 1 && rounded.digits.back() == '0')
        rounded.digits.pop_back();
    return rounded;
}

std::string plainNotation(const RoundedDigits& rounded) {
    std::string text = rounded.negative ? "-" : "";
    const int digitCount = static_cast<int>(rounded.digits.size());
    if (rounded.exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-rounded.exponent - 1), '0');
        text += rounded.digits;
        return text;
    }
    const int integerLength = rounded.exponent + 1;
    if (digitCount <= integerLength) {
        text += rounded.digits;
        text.append(static_cast<std::size_t>(integerLength - digitCount), '0');
        return text;
    }
    text += rounded.digits.substr(0, static_cast<std::size_t>(integerLength));
    text += '.';
    text += rounded.digits.substr(static_cast<std::size_t>(integerLength));
    return text;
}

std::string exponentNotation(const RoundedDigits& rounded) {
    std::string text = rounded.negative ? "-" : "";
    text += rounded.digits[0];
    if (rounded.digits.size() > 1) text += '.' + rounded.digits.substr(1);
    text += rounded.exponent < 0 ? "E-" : "E+";
    const int magnitude = rounded.exponent < 0 ? -rounded.exponent : rounded.exponent;
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
}

std::string numberText(double value, int significantDigits) {
    if (value == 0.0) return "0";
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    const RoundedDigits rounded = roundToSignificant(value, significantDigits);
    constexpr int kSmallestPlainExponent = -5;
    constexpr int kFirstExponentNotation = 15;
    if (rounded.exponent >= kSmallestPlainExponent && rounded.exponent < kFirstExponentNotation) {
        return plainNotation(rounded);
    }
    return exponentNotation(rounded);
}

}  // namespace

double leadingNumber(std::string_view text) {
    const auto parts = scanNumber(text);
    return parts ? convert(*parts) : 0.0;
}

int leadingNumberSign(std::string_view text) {
    const auto parts = scanNumber(text);
    if (!parts || isZero(*parts)) return 0;
    return parts->negative ? -1 : 1;
}

std::string doubleText(double value) {
    return numberText(value, 15);
}

std::string singleText(float value) {
    return numberText(static_cast<double>(value), 7);
}

}  // namespace gosei
