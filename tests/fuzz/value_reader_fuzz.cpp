// The value and stock-list readers on any bytes: whatever they accept is a
// value in range with at most 15 significant digits, which the program
// writes back as a text that reads as the same value; whatever they refuse
// is named in a message that shows every character it quotes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "networks/exact.h"
#include "networks/stock_list.h"
#include "networks/value_text.h"

namespace {

using namespace gosei::networks;

void check(bool condition, const char* what, std::string_view text) {
    if (condition) return;
    std::fprintf(stderr, "%s: %s\n", what, quotedText(text).c_str());
    std::abort();
}

// Nothing that does not show: every byte is printable ASCII or part of a
// character above it.
bool showsEveryCharacter(std::string_view message) {
    for (char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
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
    for (Unit unit : {Unit::Ohm, Unit::Volt, Unit::None}) {
        const auto read = readValue(text, unit);
        if (const double* value = std::get_if<double>(&read)) checkValue(*value, text);
    }
    const auto stock = parseStockList(text);
    if (const auto* list = std::get_if<StockList>(&stock)) {
        for (const StockRow& row : list->rows) {
            check(row.value > 0, "stock value not positive", text);
            checkValue(row.value, text);
        }
    } else {
        check(showsEveryCharacter(std::get<StockListError>(stock).message),
              "message hides a character", text);
    }
    return 0;
}
