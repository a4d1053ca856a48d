#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace gosei::cli {

// The part of `gosei-cli --help` about `find`.
inline constexpr std::string_view kFindHelp =
    "gosei-cli find VALUE [options]\n"
    "  The exact best networks of one to four parts (every series-parallel\n"
    "  arrangement, each written once) for VALUE, ranked by error, then by\n"
    "  fewer distinct values, then by a smaller ratio of largest to smallest\n"
    "  part. Values may carry a multiplier: 4700, 4.7k, 4k7, 470R, 0R1, 1M2.\n"
    "  --series S      E1, E3, E6, E12, E24 (default), E48, E96 or E192\n"
    "  --range L..H    the series values from L to H (default 1..10M)\n"
    "  --stock FILE    the values in FILE instead, one a line, # comments\n"
    "  --exclude A,B   never use these values\n"
    "  --parts N|M..N  part counts to show (default 1..4)\n"
    "  --top K         networks per part count (default 3)\n"
    "  --tolerance P   only networks within P %, up to --top (default 20)\n"
    "  --json          one JSON object: the request and the results\n"
    "  Exit status 2 with one line on stderr for anything it cannot use,\n"
    "  including a VALUE that the parts cannot reach.\n";

// `gosei-cli find VALUE [options]`: the best networks of up to four parts
// for VALUE. `args` are the words after "find". Writes the whole answer to
// `out`, or one line naming the problem to `err` and nothing to `out`;
// returns the exit status. "find --help" prints kFindHelp.
int runFind(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace gosei::cli
