// The stock-list reader on any bytes, with a value column asked for by the
// first byte or not: every row it accepts is a positive value in range, and
// the rows written back as a plain table read back the same; every refusal
// is one bounded line that shows every character it quotes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "networks/stock_list.h"
#include "networks/value_text.h"

namespace {

using namespace gosei::networks;

// The most a message may run to: a line, a field and a column name, each
// cut to 80 bytes of at most ten characters of escape each, and the words.
constexpr std::size_t kLongestMessage = 4000;

void check(bool condition, const char* what, std::string_view text) {
    if (condition) return;
    std::fprintf(stderr, "%s: %s\n", what, quotedText(text.substr(0, 200)).c_str());
    std::abort();
}

bool showsEveryCharacter(std::string_view message) {
    for (char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

// The list as the plainest table: every value as the program writes it.
std::string writtenBack(const StockList& list) {
    std::string text = list.counted ? "Value,Qty\n" : "Value\n";
    for (const StockRow& row : list.rows)
        text +=
            valueText(row.value) + (list.counted ? "," + std::to_string(row.quantity) : "") + "\n";
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte asks for no column, a column by number, or by name.
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::optional<ValueColumn> column;
    if (data[0] % 4 == 1) column = ValueColumn{"", data[0] / 4u % 4u + 1};
    if (data[0] % 4 == 2) column = ValueColumn{"Value"};

    const auto read = parseStockList(text, column);
    if (const auto* error = std::get_if<StockListError>(&read)) {
        check(showsEveryCharacter(error->message), "message hides a character", text);
        check(error->message.size() <= kLongestMessage, "message too long", text);
        return 0;
    }
    const StockList& list = std::get<StockList>(read);
    check(!list.rows.empty(), "no rows accepted", text);
    for (const StockRow& row : list.rows) {
        check(row.value >= kSmallestValue && row.value <= kLargestValue, "value out of range",
              text);
        check(row.quantity >= 0 && row.quantity <= kMostQuantity, "quantity out of range", text);
        check(list.counted || row.quantity == 0, "quantity without a column", text);
    }
    const auto again = parseStockList(writtenBack(list));
    check(std::holds_alternative<StockList>(again), "written list refused", text);
    const StockList& reread = std::get<StockList>(again);
    check(reread.counted == list.counted && reread.rows.size() == list.rows.size(),
          "written list reads back otherwise", text);
    for (std::size_t i = 0; i < list.rows.size(); ++i)
        check(reread.rows[i].value == list.rows[i].value &&
                  reread.rows[i].quantity == list.rows[i].quantity,
              "written row reads back otherwise", text);
    return 0;
}
