// The value reader on any bytes: whatever it accepts is a value in range with
// at most 15 significant digits, which the program writes back as a text that
// reads as the same value (stock_list_fuzz takes the stock lists).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "networks/exact.h"
#include "networks/value_text.h"

namespace {

using namespace gosei::networks;

void check(bool condition, const char* what, std::string_view text) {
    if (condition) return;
    std::fprintf(stderr, "%s: %s\n", what, quotedText(text).c_str());
    std::abort();
}

void checkValue(double value, std::string_view text) {
    if (value == 0) return;
    check(std::abs(value) >= kSmallestValue && std::abs(value) <= kLargestValue,
          "value out of range", text);
    const RoundedDecimal digits =
        roundedDecimal(writtenValue(value), kMostSignificantDigits + 2, Rounding::Nearest);
    check(digits.digits.find_last_not_of('0') < static_cast<std::size_t>(kMostSignificantDigits),
          "more than 15 significant digits", text);
    check(parseValue(valueText(value)) == value, "written value reads back differently", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (Unit unit : {Unit::Ohm, Unit::Volt, Unit::Farad, Unit::Henry, Unit::None}) {
        const auto read = readValue(text, unit);
        if (const double* value = std::get_if<double>(&read)) checkValue(*value, text);
    }
    return 0;
}
