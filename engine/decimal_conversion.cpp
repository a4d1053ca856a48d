#include "engine/decimal_conversion.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace gosei {

namespace portable {

std::errc parseDecimal(std::string_view ascii, double& value) {
    const std::string text(ascii);  // strtod needs the terminating zero
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return std::errc::invalid_argument;
    // strtod also flags subnormal results, which from_chars accepts; only an
    // infinity or a lost non-zero value is out of range.
    const bool nonZeroDigits =
        text.substr(0, text.find_first_of("eE")).find_first_of("123456789") != std::string::npos;
    if (std::isinf(parsed) || (parsed == 0.0 && nonZeroDigits)) {
        return std::errc::result_out_of_range;
    }
    value = parsed;
    return std::errc();
}

std::string scientificText(double value, int fractionDigits) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", fractionDigits, value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace portable

#if defined(__cpp_lib_to_chars)

std::errc parseDecimal(std::string_view ascii, double& value) {
    return std::from_chars(ascii.data(), ascii.data() + ascii.size(), value).ec;
}

std::string scientificText(double value, int fractionDigits) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, fractionDigits);
    return std::string(buffer, result.ptr);
}

#else

std::errc parseDecimal(std::string_view ascii, double& value) {
    return portable::parseDecimal(ascii, value);
}

std::string scientificText(double value, int fractionDigits) {
    return portable::scientificText(value, fractionDigits);
}

#endif

}  // namespace gosei
