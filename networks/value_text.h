#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "networks/exact.h"

namespace gosei::networks {

// ---- Reading values ------------------------------------------------------

// What a value measures, which decides the letters it may carry: an ohm
// value may use R as its decimal point and end in "Ω", "ohm" or "ohms"; a
// voltage may use V as its point and end in "V"; a capacitance may end in
// "F" and an inductance in "H" (either case); a ratio takes none of them.
enum class Unit { Ohm, Volt, Farad, Henry, None };

// Reads a value as people write it on drawings and in parts lists:
//   "4700", "4.7k", "4k7", "4K7", "470R", "4r7", "0R1", "R47", "1M2",
//   "4.7e3", "+47", "10u", "4.7 kΩ", "470ohms", "2.2Meg", "3V3", "４．７ｋ",
//   "4n7", "0.1µF", "1000pF", "4.7 µH"
// A number, optionally signed, with an optional exponent or multiplier
// letter after it (blanks allowed between), or digits with the letter
// standing where the decimal point would be; then optionally the unit. The
// letters are p, n, u (or µ, μ), m (milli), k (or K), M or Meg (mega, "Meg"
// in any case), G and T;
// R (or r) and V (or v) count as 1. Full-width digits, letters and signs
// read as their ASCII forms.
//
// A value has at most kMostSignificantDigits significant digits, so that its
// double stands for exactly the decimal written (see exact.h), and a
// magnitude of zero or from kSmallestValue to kLargestValue, so that no sum,
// reciprocal or product of four such values leaves double's normal range.
// The double returned is the correctly rounded one; it may be zero or
// negative, for callers to refuse in their own words.
inline constexpr int kMostSignificantDigits = 15;
inline constexpr double kSmallestValue = 1e-24;
inline constexpr double kLargestValue = 1e24;

enum class ValueProblem { Unreadable, TooManyDigits, OutOfRange };
std::variant<double, ValueProblem> readValue(std::string_view text, Unit unit = Unit::Ohm);
std::optional<double> parseValue(std::string_view text, Unit unit = Unit::Ohm);

// The unit of a part's value that the text ends in, if any: Unit::Ohm for
// "4.7kΩ" and "470ohm", Unit::Farad for "3.3nF", Unit::Henry for "15uH";
// none for a bare number such as "4k7", which any kind of part may take.
std::optional<Unit> writtenUnit(std::string_view text);

// The text with full-width forms (U+FF01 to U+FF5E) as ASCII, the
// ideographic space as a space and the minus sign as '-'; everything else
// as it stands. The value reader reads through it.
std::string asciiForms(std::string_view text);

// The problem as the rest of a sentence that starts with the quoted text:
// "is not a value", "has more than 15 significant digits", ...
std::string problemText(ValueProblem problem);

// The text in double quotes, with every character that does not show
// (controls, blanks other than the space, zero-width and byte-order marks,
// bytes that are not UTF-8) written as an escape: "4k7\u200b".
std::string quotedText(std::string_view text);

// ---- Writing values ------------------------------------------------------

// A value with an SI multiplier and without trailing zeros: 4700 -> "4.7k",
// 0.5 -> "500m", 1e6 -> "1M". The double form writes every digit of the
// decimal the double stands for; the exact form rounds to the given digits.
std::string valueText(double value);
std::string valueText(const Rational& value, int significantDigits,
                      Rounding rounding = Rounding::Nearest);

// A value without a multiplier, rounded to the given digits and without
// trailing zeros: "0.6622517", "3.3".
std::string decimalText(const Rational& value, int significantDigits,
                        Rounding rounding = Rounding::Nearest);

// A fraction (0.05 for 5 %) as a signed percentage with the given
// significant digits, in the form printf's "%+.Ng" gives, exactly rounded:
// "+0.3412", "-18.96", "+1.346e-14"; exactly zero is "0".
std::string percentText(const Rational& fraction, int significantDigits,
                        Rounding rounding = Rounding::Nearest);

}  // namespace gosei::networks
