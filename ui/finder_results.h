#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "networks/finder_report.h"
#include "networks/finder_request.h"
#include "view/schematic.h"

namespace gosei::ui {

// What the finder window shows of an answer, made on the search thread so
// that the window only has to paint it: the headings of the text columns
// and, for each part count, its rows with their texts (as `gosei-cli` prints
// them) and drawings.
struct FinderResults {
    struct Row {
        std::vector<std::string> texts;  // one for each heading
        view::Schematic schematic;
    };
    struct Group {
        int partCount = 0;
        std::vector<Row> rows;  // best first; none when nothing was found
    };
    std::vector<std::string> headings;
    std::vector<Group> groups;
    // The results in a sentence, the best of them named.
    std::string summary;
    // The group and row of the least error of all.
    std::optional<std::pair<std::size_t, std::size_t>> best;
    // "E24 1..10M", or empty for a stock list; how many distinct values.
    std::string series;
    std::size_t partValues = 0;
    // The stock list's quantities limit how often each value is used.
    bool countedStock = false;
};

FinderResults finderResults(const networks::FinderSetup& setup,
                            const networks::FinderAnswer& answer);

}  // namespace gosei::ui
