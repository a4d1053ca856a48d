#pragma once

#include <boost/multiprecision/cpp_int.hpp>

#include <string>

namespace gosei::networks {

// Exact numbers, for what double arithmetic cannot decide.
//
// Every value the searches take (a part, the wanted value, a tolerance, the
// ends of a range) is a decimal as somebody wrote it. A double here stands
// for the decimal of its shortest round-trip text: the value readers take at
// most 15 significant digits, and a decimal of at most 15 significant digits
// is the only one of them that rounds to its double, so that decimal is the
// one written. A network's value is then a rational number.
// Without expression templates, so that `auto` and `?:` hold values.
using Integer = boost::multiprecision::number<boost::multiprecision::cpp_int_backend<>,
                                              boost::multiprecision::et_off>;
using Rational = boost::multiprecision::number<
    boost::multiprecision::rational_adaptor<boost::multiprecision::cpp_int_backend<>>,
    boost::multiprecision::et_off>;

// The decimal that `value` stands for, exactly.
Rational writtenValue(double value);

// A quotient of integers, not reduced to lowest terms: a few sums and
// products of these and one reduction at the end cost far less than the
// same steps in Rationals, which reduce after each.
struct Fraction {
    Integer numerator;
    Integer denominator;

    Rational reduced() const { return Rational(numerator, denominator); }
};
Fraction writtenFraction(double value);

// A percentage, a decimal as written, as an exact fraction: 5 -> 1/20.
Rational exactFraction(double percent);

// The double nearest to `value`, ties to even.
double nearestDouble(const Rational& value);

// How a value is rounded to fewer digits: to the nearest, halves away from
// zero; or toward minus or plus infinity, for bounds that must not be
// understated.
enum class Rounding { Nearest, Down, Up };

// A value rounded to a number of significant digits: `digits` (as many as
// asked, trailing zeros kept) times 10^(exponent - digits.size() + 1), so
// that `exponent` is the power of ten of the first digit. Zero has no
// digits.
struct RoundedDecimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};
RoundedDecimal roundedDecimal(const Rational& value, int significantDigits, Rounding rounding);

// "141/30": numerator and denominator in lowest terms; "47/1" for a whole
// number, so that every value reads the same way.
std::string fractionText(const Rational& value);

}  // namespace gosei::networks
