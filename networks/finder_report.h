#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "networks/divider_search.h"
#include "networks/finder_request.h"
#include "networks/network_search.h"

namespace gosei::networks {

// The answer to a request, the same for every front end: the results of
// the search the request names, the texts of their columns as
// `gosei-cli find` and `gosei-cli divider` show them, and the JSON.
struct FinderAnswer {
    std::vector<PartCountResult> networks;         // FinderMode::Network
    std::vector<DividerPartCountResult> dividers;  // FinderMode::Divider
};

// `finder` must hold the parts of `setup`.
FinderAnswer answerFor(const FinderSetup& setup, const NetworkFinder& finder);

// A text in both languages: the command line shows "回路 / network", the
// window and the page the Japanese alone.
struct Words {
    std::string japanese;
    std::string english;
    std::string unit = {};  // after both: " (％)"

    // As the window and the page show it: "誤差 (％)".
    std::string shown() const { return japanese + unit; }
};

// The results as every front end shows them: the headings of the columns,
// and for each part count its rows of cells, one for each heading. The
// worst case column is there only where the parts have a tolerance.
struct ResultGroup {
    int partCount = 0;
    std::vector<std::vector<std::string>> rows;  // best first; none when nothing was found
};
struct ResultsTable {
    std::vector<Words> headings;
    std::vector<ResultGroup> groups;
    // The group and row of the least error of all, exactly; of equal
    // errors, the one of fewest parts. None where nothing was found.
    std::optional<std::pair<std::size_t, std::size_t>> best;
};
ResultsTable resultsTable(const FinderSetup& setup, const FinderAnswer& answer);

// A part count's title: "4 個", "4 parts".
Words partCountWords(int count);
// What a part count without results shows.
inline const Words kNoneFound{"なし", "none"};

// A worst case range, its ends rounded outwards to two significant digits.
std::string worstCaseText(const ErrorRange& range);

// The whole answer as one JSON object: the request as understood, then the
// results of each part count. Numbers read back as the doubles nearest to
// the exact values, which "*_exact" fields give as fractions; values are in
// ohms, farads or henries. The request names its "kind" ("C" or "L") only
// for capacitors and inductors, so that resistors' answers are as they
// always were.
std::string reportJson(const FinderSetup& setup, const FinderAnswer& answer);

}  // namespace gosei::networks
