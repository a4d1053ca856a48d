#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace gosei {

// Correctly rounded conversions between doubles and decimal text, as
// std::from_chars and std::to_chars make them. Where the standard library
// lacks their floating-point forms (the WebAssembly build's libc++), the same
// results come from strtod in the C locale and snprintf, which round
// correctly as well.

// Reads "digits[.digits][e[sign]digits]" in plain ASCII. A value beyond the
// double range, or a non-zero value that rounds to zero, gives
// result_out_of_range and leaves value unchanged.
std::errc parseDecimal(std::string_view ascii, double& value);

// The value in scientific notation with the given digits after the point,
// e.g. "4.700000e+01" or "-3.3e-06".
std::string scientificText(double value, int fractionDigits);

// The strtod and snprintf forms, built everywhere so that the native tests
// can hold them against the standard library's.
namespace portable {
std::errc parseDecimal(std::string_view ascii, double& value);
std::string scientificText(double value, int fractionDigits);
}  // namespace portable

}  // namespace gosei
