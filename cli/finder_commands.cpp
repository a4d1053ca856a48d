#include "cli/finder_commands.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/terminal_text.h"
#include "networks/finder_report.h"
#include "networks/finder_request.h"
#include "networks/stock_list.h"
#include "networks/value_text.h"
#include "view/finder_form.h"

namespace gosei::cli {
namespace {

using namespace gosei::networks;
using Problem = std::string;

// ---- Reading the command line ---------------------------------------------

// The options of the form's fields, and those of the command line alone.
constexpr std::string_view kColumnOption = "--column";
constexpr std::string_view kJsonOption = "--json";

const view::FormField* formOption(std::string_view name, FinderMode mode) {
    for (const view::FormField& field : view::finderForm())
        if (!field.option.empty() && field.option == name &&
            (field.shownIn != view::ShownIn::Dividers || mode == FinderMode::Divider))
            return &field;
    return nullptr;
}

struct StockFile {
    std::string text;
};

// The file's text, refused before it is read unless it is a regular file
// within the size limit: a device or a pipe could run on without end.
std::variant<StockFile, Problem> stockFile(const std::string& path) {
    const std::string unreadable = "cannot read stock file " + path;
    const std::string tooLarge = "stock file " + path + " is larger than " +
                                 std::string(kMostStockListText) +
                                 ", the most a stock list may hold";
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || std::filesystem::is_directory(status)) return unreadable;
    if (!std::filesystem::is_regular_file(status))
        return "stock file " + path + " is not a regular file; a stock list is a file of at most " +
               std::string(kMostStockListText);
    const auto size = std::filesystem::file_size(path, error);
    if (error) return unreadable;
    if (size > kMostStockListBytes) return tooLarge;
    std::ifstream file(path, std::ios::binary);
    if (!file) return unreadable;
    // One byte more than the limit shows a file that has grown since.
    std::string text(kMostStockListBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) return unreadable;
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMostStockListBytes) return tooLarge;
    return StockFile{std::move(text)};
}

// "-x" and "--top" are options; "-5" and "-.5" are values, refused later as
// negative.
bool isOption(std::string_view arg) {
    if (arg.starts_with("--")) return true;
    return arg.size() >= 2 && arg[0] == '-' &&
           ((arg[1] >= 'a' && arg[1] <= 'z') || (arg[1] >= 'A' && arg[1] <= 'Z'));
}

struct CommandLine {
    FinderOptions options;
    std::optional<std::string> stockPath;
    bool json = false;
};

std::variant<CommandLine, Problem> readArguments(std::span<const std::string_view> args,
                                                 FinderMode mode) {
    CommandLine line;
    line.options.mode = mode;
    std::vector<std::string_view> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!isOption(arg)) {
            if (line.options.wanted) return "more than one value: " + std::string(arg);
            line.options.wanted = std::string(arg);
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const view::FormField* field = formOption(name, mode);
        if (!field && name != kColumnOption && name != kJsonOption)
            return "unknown option " + std::string(name);
        if (std::find(given.begin(), given.end(), name) != given.end())
            return std::string(name) + " given twice";
        given.push_back(name);
        if (name == kJsonOption) {
            if (equals != std::string_view::npos) return "--json takes no value";
            line.json = true;
            continue;
        }
        std::string text;
        if (equals != std::string_view::npos) {
            text = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            text = args[++i];
        } else {
            return std::string(name) + " needs a value";
        }
        if (!field) {
            line.options.column = std::move(text);
        } else if (field->field == FinderField::Stock) {
            line.stockPath = std::move(text);
        } else {
            line.options.*(field->member) = std::move(text);
        }
    }
    if (line.stockPath) {
        // Refused before the file is read, which may not even exist.
        if (line.options.series || line.options.range) return std::string(kStockWithSeries);
        auto stock = stockFile(*line.stockPath);
        if (const auto* problem = std::get_if<Problem>(&stock)) return *problem;
        line.options.stock = std::move(std::get<StockFile>(stock).text);
        line.options.stockName = *line.stockPath;
    }
    return line;
}

// ---- Tables ---------------------------------------------------------------

std::string valuesWord(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " value" : " values");
}

// A voltage or ratio as it was written.
std::string written(double value) {
    return decimalText(writtenValue(value), 17);
}

std::string requestLine(const FinderSetup& setup) {
    std::string line = "目標 / wanted ";
    if (setup.mode == FinderMode::Network) {
        line += valueText(setup.find.wanted);
        // Resistors' lines stay as they were before there were kinds.
        if (setup.kind != PartKind::Resistor)
            line += std::string(", 種類 / kind ") + std::string(factsOf(setup.kind).letter) + " (" +
                    std::string(factsOf(setup.kind).unitSign) + ")";
    } else if (setup.ratioForm == RatioForm::Regulator) {
        line += written(setup.vout) + " V out from Vref " + written(setup.vref) + " V";
    } else {
        line += "ratio ";
        if (setup.ratioForm == RatioForm::Voltages) {
            line += decimalText(setup.exactRatio(), 7) + " (" + written(setup.vout) + " V / " +
                    written(setup.vin) + " V)";
        } else {
            line += written(setup.divider.wantedNumerator);
        }
    }
    line +=
        ", 部品 / parts " + setup.partsDescription + " (" + valuesWord(setup.parts.size()) + ")";
    if (setup.countedStock) line += ", 数量まで / within the listed quantities";
    if (setup.mode == FinderMode::Divider)
        line += ", 合計 / total " + valueText(setup.divider.lowestTotal) + ".." +
                valueText(setup.divider.highestTotal);
    if (setup.showsWorstCase())
        line += ", 部品公差 / part tolerance " + written(setup.list().partTolerancePercent) + " %";
    return line + "\n";
}

using Cells = std::vector<std::string>;

// "回路 / network"
std::string bothLanguages(const Words& words) {
    return words.japanese + " / " + words.english + words.unit;
}

// One table a part count, every column as wide as its widest text in any of
// them and three spaces more; the last column is not padded.
std::string tablesText(const Cells& headings, const std::vector<ResultGroup>& groups) {
    std::vector<std::size_t> widths;
    for (const std::string& heading : headings)
        widths.push_back(displayWidth(heading));
    for (const ResultGroup& group : groups)
        for (const Cells& row : group.rows)
            for (std::size_t column = 0; column < row.size(); ++column)
                widths[column] = std::max(widths[column], displayWidth(row[column]));
    const auto line = [&](const Cells& cells) {
        std::string text;
        for (std::size_t column = 0; column + 1 < cells.size(); ++column)
            text += padded(cells[column], widths[column] + 3);
        return text + cells.back() + "\n";
    };
    std::string text;
    for (const ResultGroup& group : groups) {
        text += "\n" + bothLanguages(partCountWords(group.partCount)) + "\n";
        text += line(headings);
        if (group.rows.empty()) text += bothLanguages(kNoneFound) + "\n";
        for (const Cells& row : group.rows)
            text += line(row);
    }
    return text;
}

std::string reportTables(const FinderSetup& setup, const FinderAnswer& answer) {
    const ResultsTable table = resultsTable(setup, answer);
    Cells headings;
    for (const Words& heading : table.headings)
        headings.push_back(bothLanguages(heading));
    return requestLine(setup) + tablesText(headings, table.groups);
}

// ---- The commands ---------------------------------------------------------

// The whole text for standard output.
struct Answer {
    std::string text;
};

std::variant<Answer, Problem> answer(std::span<const std::string_view> args, FinderMode mode) {
    auto read = readArguments(args, mode);
    if (const auto* problem = std::get_if<Problem>(&read)) return *problem;
    const CommandLine& line = std::get<CommandLine>(read);
    auto setUp = setUpFinder(line.options);
    if (const auto* problem = std::get_if<FinderProblem>(&setUp)) return problem->text;
    const FinderSetup& setup = std::get<FinderSetup>(setUp);
    const NetworkFinder finder(setup.parts);
    const FinderAnswer found = answerFor(setup, finder);
    return Answer{line.json ? reportJson(setup, found) : reportTables(setup, found)};
}

int run(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
        FinderMode mode) {
    const std::string_view command = mode == FinderMode::Network ? "find" : "divider";
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << (mode == FinderMode::Network ? kFindHelp : kDividerHelp);
        return 0;
    }
    const auto result = answer(args, mode);
    if (const auto* problem = std::get_if<Problem>(&result)) {
        err << "gosei-cli " << command << ": " << *problem << '\n';
        return 2;
    }
    out << std::get<Answer>(result).text;
    out.flush();
    return 0;
}

}  // namespace

int runFind(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    return run(args, out, err, FinderMode::Network);
}

int runDivider(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    return run(args, out, err, FinderMode::Divider);
}

}  // namespace gosei::cli
