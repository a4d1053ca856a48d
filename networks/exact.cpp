#include "networks/exact.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "decimal/decimal_conversion.h"

namespace gosei::networks {
namespace {

// The powers of ten that doubles reach, worked out once.
const Integer& powerOfTen(int exponent) {
    static const std::vector<Integer> powers = [] {
        std::vector<Integer> table{Integer(1)};
        for (int i = 1; i <= 400; ++i)
            table.push_back(table.back() * 10);
        return table;
    }();
    return powers.at(static_cast<std::size_t>(exponent));
}

// value * 10^exponent, for an exponent of either sign.
Rational timesPowerOfTen(const Rational& value, int exponent) {
    if (exponent >= 0) return value * powerOfTen(exponent);
    return value / powerOfTen(-exponent);
}

}  // namespace

Fraction writtenFraction(double value) {
    // "4.7e+03", "-1.5e-07": at most 17 digits, which a 64-bit integer
    // holds.
    const std::string text = shortestScientificText(value);
    const std::size_t mark = text.find('e');
    int exponent = mark == std::string::npos ? 0 : std::atoi(text.c_str() + mark + 1);
    std::int64_t digits = 0;
    bool afterPoint = false;
    for (char c : std::string_view(text).substr(0, mark)) {
        if (c == '.') {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            exponent -= afterPoint ? 1 : 0;
        }
    }
    if (text.starts_with('-')) digits = -digits;
    if (exponent >= 0) return {Integer(digits) * powerOfTen(exponent), Integer(1)};
    return {Integer(digits), powerOfTen(-exponent)};
}

Rational writtenValue(double value) {
    return writtenFraction(value).reduced();
}

Rational exactFraction(double percent) {
    return writtenValue(percent) / 100;
}

double nearestDouble(const Rational& value) {
    if (value == 0) return 0.0;
    Integer numerator = abs(boost::multiprecision::numerator(value));
    Integer denominator = boost::multiprecision::denominator(value);
    // Scaled so that the quotient has 55 or 56 bits: 53 to keep, and more
    // below them to round by, with the remainder as the sticky rest.
    const long scale =
        55 - (static_cast<long>(msb(numerator)) - static_cast<long>(msb(denominator)));
    if (scale >= 0) {
        numerator <<= static_cast<unsigned>(scale);
    } else {
        denominator <<= static_cast<unsigned>(-scale);
    }
    Integer remainder;
    Integer quotient;
    divide_qr(numerator, denominator, quotient, remainder);
    const unsigned dropped = static_cast<unsigned>(msb(quotient)) + 1 - 53;
    Integer kept = quotient >> dropped;
    const Integer below = quotient - (kept << dropped);
    const Integer half = Integer(1) << (dropped - 1);
    if (below > half || (below == half && (remainder != 0 || bit_test(kept, 0)))) ++kept;
    const double magnitude = std::ldexp(static_cast<double>(kept.convert_to<std::uint64_t>()),
                                        static_cast<int>(static_cast<long>(dropped) - scale));
    return value < 0 ? -magnitude : magnitude;
}

RoundedDecimal roundedDecimal(const Rational& value, int significantDigits, Rounding rounding) {
    RoundedDecimal rounded;
    if (value == 0) return rounded;
    rounded.negative = value < 0;
    const Rational magnitude = abs(value);
    // The power of ten of the first digit: estimated, then made exact.
    int exponent = static_cast<int>(std::floor(std::log10(nearestDouble(magnitude))));
    while (magnitude >= timesPowerOfTen(Rational(1), exponent + 1))
        ++exponent;
    while (magnitude < timesPowerOfTen(Rational(1), exponent))
        --exponent;

    const Rational scaled = timesPowerOfTen(magnitude, significantDigits - 1 - exponent);
    Integer whole =
        boost::multiprecision::numerator(scaled) / boost::multiprecision::denominator(scaled);
    const Rational rest = scaled - whole;
    // Rounding toward an infinity moves the magnitude up on that side only.
    const bool awayFromZero = rounding == Rounding::Up     ? !rounded.negative
                              : rounding == Rounding::Down ? rounded.negative
                                                           : rest >= Rational(1, 2);
    if (rest > 0 && awayFromZero) ++whole;
    if (whole == powerOfTen(significantDigits)) {
        whole /= 10;
        ++exponent;
    }
    rounded.digits = whole.str();
    rounded.exponent = exponent;
    return rounded;
}

std::string fractionText(const Rational& value) {
    return boost::multiprecision::numerator(value).str() + "/" +
           boost::multiprecision::denominator(value).str();
}

}  // namespace gosei::networks
