#include "cli/cli_commands.h"

#include <array>
#include <istream>
#include <ostream>
#include <vector>

#include "cli/finder_commands.h"
#include "cli/terminal_text.h"
#include "engine/calculation.h"

namespace gosei::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: gosei-cli SERIES VALUE [TOLERANCE]\n"
    "       gosei-cli --batch\n"
    "       gosei-cli find VALUE [options]\n"
    "       gosei-cli divider RATIO [options]\n"
    "       gosei-cli --help\n";

constexpr std::string_view kHelp =
    "gosei-cli: finds pairs of standard values whose series and parallel\n"
    "connections come closest to a wanted value.\n"
    "\n"
    "gosei-cli SERIES VALUE [TOLERANCE]\n"
    "  SERIES     E3, E6, E12 or E24\n"
    "  VALUE      the wanted value as a bare number, without unit or multiplier\n"
    "  TOLERANCE  the acceptable error in percent (optional)\n"
    "  Both texts are read as the window reads its boxes: the number at the\n"
    "  start of the text counts, full-width digits included; no number is 0.\n"
    "  Prints the parallel block (並列条件) and the series block (直列条件).\n"
    "  Exit status: 0 done; 1 tolerance too loose for E3, E6 or E12\n"
    "  (\"誤差条件が甘すぎます\" on stderr); 2 a wanted value that is not a\n"
    "  positive number (\"正の数値を入力して下さい\" on stderr), one outside\n"
    "  1E-38 to 3.4E+38 (\"範囲外の数値です...\" on stderr), or a usage error.\n"
    "  With E24 a tolerance above 5 % prints the message on stderr and the\n"
    "  calculation goes on without a tolerance.\n"
    "\n"
    "gosei-cli --batch\n"
    "  Reads lines SERIES<TAB>VALUE<TAB>TOLERANCE from standard input\n"
    "  (TOLERANCE may be missing or empty) and writes one line for each:\n"
    "  OUTCOME<TAB>c1<TAB>...<TAB>c24, where OUTCOME is ok, cleared (E24\n"
    "  tolerance too loose: emptied, calculation ran), refused (tolerance too\n"
    "  loose) or badtarget (not a positive number, or out of range), and\n"
    "  c1..c24 are the cell texts: parallel rows 1 to 3, then series rows\n"
    "  1 to 3, each as partA, partB, error, combined.\n"
    "  Every line is calculated on an empty grid. A malformed line gives\n"
    "  error<TAB>message and the batch goes on.\n"
    "\n";

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

std::string_view outcomeWord(InputOutcome outcome) {
    switch (outcome) {
        case InputOutcome::GoOn:
            return "ok";
        case InputOutcome::GoOnWithToleranceCleared:
            return "cleared";
        case InputOutcome::ToleranceRefused:
            return "refused";
        case InputOutcome::TargetRejected:
        case InputOutcome::TargetOutOfRange:
            return "badtarget";
    }
    return "error";
}

constexpr std::size_t kColumnWidth = 12;
// Columns stand in the window's order; each but the last is padded.
constexpr std::array<Cell, 4> kScreenOrder{Cell::PartA, Cell::PartB, Cell::Combined, Cell::Error};

}  // namespace

std::string batchLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fields = splitFields(line);
    if (fields.size() > 3) return "error\tmore than three fields";
    const auto series = seriesFromName(fields[0]);
    if (!series) return "error\tunknown series (expected E3, E6, E12 or E24)";
    if (fields.size() < 2) return "error\tmissing value";

    MemoryWindow window;
    window.targetText = fields[1];
    if (fields.size() == 3) window.toleranceText = fields[2];
    std::string answer(outcomeWord(runCalculation(*series, window)));
    for (const std::string& cell : window.cells()) {
        answer += '\t';
        answer += cell;
    }
    return answer;
}

void runBatch(std::istream& in, std::ostream& out) {
    std::string line;
    while (std::getline(in, line))
        out << batchLine(line) << '\n';
    out.flush();
}

std::string gridText(const MemoryWindow& window) {
    const auto line = [](const auto& textOf) {
        std::string text;
        for (Cell cell : kScreenOrder) {
            text += cell == kScreenOrder.back() ? std::string(textOf(cell))
                                                : padded(textOf(cell), kColumnWidth);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text + '\n';
    };
    const auto heading = [](Cell cell) {
        return cell == Cell::Error ? std::string(cellTitle(cell)) + " (％)"
                                   : std::string(cellTitle(cell));
    };
    std::string text;
    for (Block block : {Block::Parallel, Block::Series}) {
        if (block == Block::Series) text += '\n';
        text += std::string(blockTitle(block)) + '\n';
        text += line(heading);
        for (int row = 1; row <= kRowsPerBlock; ++row) {
            text += line([&](Cell cell) { return window.cell(block, row, cell); });
        }
    }
    return text;
}

int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kHelp << kFindHelp << "\n" << kDividerHelp;
        return 0;
    }
    if (!args.empty() && args[0] == "find") {
        return runFind(std::span(args).subspan(1), out, err);
    }
    if (!args.empty() && args[0] == "divider") {
        return runDivider(std::span(args).subspan(1), out, err);
    }
    if (args.size() == 1 && args[0] == "--batch") {
        runBatch(in, out);
        return 0;
    }
    const auto series = args.empty() ? std::nullopt : seriesFromName(args[0]);
    if (!args.empty() && !series && !args[0].starts_with('-')) {
        err << "gosei-cli: " << args[0] << " is not a series; use E3, E6, E12 or E24\n";
        return 2;
    }
    if (!series || args.size() < 2 || args.size() > 3) {
        err << kUsage;
        return 2;
    }
    MemoryWindow window;
    window.targetText = args[1];
    if (args.size() == 3) window.toleranceText = args[2];
    switch (runCalculation(*series, window)) {
        case InputOutcome::ToleranceRefused:
            err << kToleranceMessage << '\n';
            return 1;
        case InputOutcome::TargetRejected:
            err << kTargetMessage << '\n';
            return 2;
        case InputOutcome::TargetOutOfRange:
            err << kRangeMessage << '\n';
            return 2;
        case InputOutcome::GoOnWithToleranceCleared:
            err << kToleranceMessage << '\n';
            break;
        case InputOutcome::GoOn:
            break;
    }
    out << gridText(window);
    return 0;
}

}  // namespace gosei::cli
