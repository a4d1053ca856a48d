// The leading-number reader against a second, deliberately plain reader: it
// matches the few multi-byte characters byte for byte, cuts out the prefix
// the grammar accepts as ASCII and leaves the conversion to strtod. Both must
// give the same double, sign of zero included. Numbers written back as text
// must read as the same number rounded to the digits they show.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/number_text.h"

namespace {

struct Symbol {
    std::string_view utf8;
    char ascii;  // ' ' for a blank
};

// Every character that can be part of a number, in UTF-8; anything else ends it.
constexpr Symbol kSymbols[] = {
    {"0", '0'},  {"1", '1'},      {"2", '2'},      {"3", '3'},  {"4", '4'},  {"5", '5'},
    {"6", '6'},  {"7", '7'},      {"8", '8'},      {"9", '9'},  {"０", '0'}, {"１", '1'},
    {"２", '2'}, {"３", '3'},     {"４", '4'},     {"５", '5'}, {"６", '6'}, {"７", '7'},
    {"８", '8'}, {"９", '9'},     {".", '.'},      {"．", '.'}, {"+", '+'},  {"＋", '+'},
    {"-", '-'},  {"－", '-'},     {"\u2212", '-'}, {"e", 'e'},  {"E", 'e'},  {" ", ' '},
    {"\t", ' '}, {"\u3000", ' '},
};

// The text in ASCII up to its first character that cannot be part of a number.
std::string numberCharacters(std::string_view text) {
    std::string ascii;
    for (;;) {
        const Symbol* found = nullptr;
        for (const Symbol& symbol : kSymbols) {
            if (text.starts_with(symbol.utf8)) found = &symbol;
        }
        if (!found) return ascii;
        ascii += found->ascii;
        text.remove_prefix(found->utf8.size());
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t digitsFrom(const std::string& s, std::size_t i) {
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

//     blanks* [sign] (digits [. digits*] | . digits) [e [sign] digits]
double referenceNumber(std::string_view text) {
    const std::string s = numberCharacters(text);
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    const std::size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t integerEnd = digitsFrom(s, i);
    bool hasDigits = integerEnd > i;
    i = integerEnd;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fractionEnd = digitsFrom(s, i + 1);
        if (fractionEnd > i + 1) hasDigits = true;
        i = fractionEnd;
    }
    if (!hasDigits) return 0.0;
    if (i < s.size() && s[i] == 'e') {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t exponentEnd = digitsFrom(s, j);
        if (exponentEnd > j) i = exponentEnd;
    }
    return std::strtod(s.substr(start, i - start).c_str(), nullptr);
}

bool sameDouble(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

[[noreturn]] void fail(const char* what, std::string_view text, double got, double expected) {
    std::fprintf(stderr, "%s: read %.17g, expected %.17g\ntext (%zu bytes): %.*s\n", what, got,
                 expected, text.size(), static_cast<int>(std::min<std::size_t>(text.size(), 300)),
                 text.data());
    std::abort();
}

// The value shown with the given number of significant digits, as the C
// library rounds it.
double roundedBySnprintf(double value, int significantDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, value);
    return std::strtod(buffer, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double read = gosei::leadingNumber(text);
    const double expected = referenceNumber(text);
    if (!sameDouble(read, expected)) fail("leading number", text, read, expected);

    if (std::isfinite(read)) {
        const std::string shown = gosei::doubleText(read);
        const double back = gosei::leadingNumber(shown);
        if (back != roundedBySnprintf(read, 15)) fail("double text", shown, back, read);
        const auto single = static_cast<float>(read);
        if (std::isfinite(single)) {
            const std::string singleShown = gosei::singleText(single);
            const double singleBack = gosei::leadingNumber(singleShown);
            if (singleBack != roundedBySnprintf(single, 7)) {
                fail("single text", singleShown, singleBack, single);
            }
        }
    }
    return 0;
}
