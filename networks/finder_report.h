#pragma once

#include <string>
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

// The columns of a result row.
struct NetworkRow {
    std::string expression;
    std::string value;      // seven significant digits with a multiplier
    std::string error;      // percent, four significant digits, "0" when exact
    std::string worstCase;  // "-4.2 … +4.9", empty without a part tolerance
};
struct DividerRow {
    std::string top;
    std::string bottom;
    std::string ratio;  // the ratio, or the output voltage of a regulator
    std::string error;
    std::string total;
    std::string worstCase;
};
NetworkRow rowOf(const FinderSetup& setup, const RankedNetwork& ranked);
DividerRow rowOf(const FinderSetup& setup, const RankedDivider& ranked);

// A worst case range, its ends rounded outwards to two significant digits.
std::string worstCaseText(const ErrorRange& range);

// The whole answer as one JSON object: the request as understood, then the
// results of each part count. Numbers read back as the doubles nearest to
// the exact values, which "*_exact" fields give as fractions.
std::string reportJson(const FinderSetup& setup, const FinderAnswer& answer);

// Text as a JSON string, quoted and escaped.
std::string jsonString(std::string_view text);

}  // namespace gosei::networks
