// The batch reader with whole calculations behind it: whatever the input, one
// answer line per input line, each either an error line or an outcome with 24
// cells that a calculation can produce.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/grid.h"
#include "engine/number_text.h"

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return parts;
        text.remove_prefix(end + 1);
    }
}

// Lines as std::getline counts them: a last line without its newline counts.
std::size_t lineCount(std::string_view text) {
    std::size_t lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines + (!text.empty() && text.back() != '\n');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as the grid writes it: -?digits[.digits][E(+|-)digits].
bool isNumberText(std::string_view text) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i > start;
    };
    if (!digits()) return false;
    if (i < text.size() && text[i] == '.' && (++i, !digits())) return false;
    if (i < text.size() && text[i] == 'E') {
        ++i;
        if (i == text.size() || (text[i] != '+' && text[i] != '-')) return false;
        ++i;
        if (!digits()) return false;
    }
    return i == text.size() && std::isfinite(gosei::leadingNumber(text));
}

const char* answerFault(std::string_view answer) {
    const auto fields = split(answer, '\t');
    if (fields[0] == "error") {
        if (fields.size() != 2) return "an error line has more than a message";
        if (fields[1] != "more than three fields" && fields[1] != "missing value" &&
            fields[1] != "unknown series (expected E3, E6, E12 or E24)") {
            return "unknown error message";
        }
        return nullptr;
    }
    if (fields.size() != 25) return "not 25 fields";
    const bool calculated = fields[0] == "ok" || fields[0] == "cleared";
    if (!calculated && fields[0] != "refused" && fields[0] != "badtarget") return "unknown outcome";
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::string_view cell = fields[i];
        if (!calculated && !cell.empty()) return "a cell written without a calculation";
        if (calculated && !cell.empty() && cell != gosei::kNotNeeded && !isNumberText(cell)) {
            return "a cell that is neither empty, 不要 nor a number";
        }
    }
    // The series search always finds at least one part within its limit.
    if (calculated && fields[13].empty()) return "no series candidate";
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::istringstream in(input);
    std::ostringstream out;
    gosei::cli::runBatch(in, out);
    const std::string output = out.str();

    const char* fault = nullptr;
    if (!output.empty() && output.back() != '\n') fault = "the output does not end its last line";
    if (lineCount(output) != lineCount(input)) fault = "not one answer per line";
    std::string_view answers(output);
    if (!answers.empty()) answers.remove_suffix(1);
    for (std::string_view answer : split(answers, '\n')) {
        if (fault || output.empty()) break;
        fault = answerFault(answer);
        if (fault) std::fprintf(stderr, "answer: %.*s\n", int(answer.size()), answer.data());
    }
    if (fault) {
        std::fprintf(stderr, "%s\n", fault);
        std::abort();
    }
    return 0;
}
