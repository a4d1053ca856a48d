#pragma once

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

namespace gosei {

// Correctly rounded conversions between doubles and decimal text, exactly as
// std::from_chars and std::to_chars make them. Where the standard library
// lacks their floating-point forms (the WebAssembly build's libc++), the same
// results come from strtod in the C locale and snprintf, which round
// correctly as well.

// std::from_chars for a double in the general format: an optional '-', then
// digits with an optional point and exponent, or "inf", "infinity", "nan".
// A value beyond the double range, or a non-zero value that rounds to zero,
// gives result_out_of_range and leaves value unchanged.
std::from_chars_result parseDecimal(const char* first, const char* last, double& value);

inline std::errc parseDecimal(std::string_view text, double& value) {
    return parseDecimal(text.data(), text.data() + text.size(), value).ec;
}

// The value in scientific notation with the given digits after the point,
// e.g. "4.700000e+01" or "-3.3e-06".
std::string scientificText(double value, int fractionDigits);

// std::to_chars for a double without a format: the fewest digits that read
// back as the same double, in plain or scientific notation, whichever is
// shorter ("0.001", "1e+22", "-4.7").
std::string shortestText(double value);

// The same fewest digits always in scientific notation ("4.7e+03",
// "9.99999499999999e+16"): where shortestText writes a large whole number
// in full, these are still its shortest digits.
std::string shortestScientificText(double value);

// The strtod and snprintf forms, built everywhere so that the native tests
// can hold them against the standard library's.
namespace portable {
std::from_chars_result parseDecimal(const char* first, const char* last, double& value);
std::string scientificText(double value, int fractionDigits);
std::string shortestText(double value);
std::string shortestScientificText(double value);
}  // namespace portable

}  // namespace gosei
