#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace gosei::cli {

// The parts of `gosei-cli --help` about `find` and `divider`.
inline constexpr std::string_view kFindHelp =
    "gosei-cli find VALUE [options]\n"
    "  The exact best networks of one to four parts (every series-parallel\n"
    "  arrangement, each written once) for VALUE, ranked by error, exactly\n"
    "  (only equal errors tie), then by fewer distinct values, then by a\n"
    "  smaller ratio of largest to smallest part. Networks are written with\n"
    "  + for series and | for parallel whatever the parts: 10n | 22n is\n"
    "  32 nF of capacitors, 10k | 22k 6.875 kΩ of resistors.\n"
    "  Values are written as on drawings and parts lists: 4700, 4.7k, 4k7,\n"
    "  4K7, 470R, 4R7, 0R1, 1M2, 2.2Meg, 4.7e3, +47, 4.7 kΩ, 470ohms, 10u,\n"
    "  4n7, 100n, 0.1µF, 1000pF, 4.7 µH, and in full-width characters. Mind\n"
    "  the case: m is milli and M is mega, so 1m is 0.001 and 1M is 1000000\n"
    "  (a 1M capacitor is a megafarad). Marking codes such as 104 are not\n"
    "  read as codes: 104 is 104. At most 15 significant digits, from 1e-24\n"
    "  to 1e24.\n"
    "  --kind R|C|L        resistors (default), capacitors or inductors; a\n"
    "                      unit with VALUE also names the kind (4.7kΩ, 3.3nF,\n"
    "                      15uH). Values are in ohms, farads or henries, and\n"
    "                      R as the decimal point (4R7) is for resistors only.\n"
    "                      Capacitors add in parallel, the others in series.\n"
    "  --series S          E1, E3, E6, E12, E24, E48, E96 or E192 (default\n"
    "                      E24 for resistors, E12 for capacitors and inductors)\n"
    "  --range L..H        the series values from L to H (default 1..10M for\n"
    "                      resistors, 1p..10m for capacitors, 1n..1 for\n"
    "                      inductors)\n"
    "  --stock FILE        the values in a stock list instead (see below)\n"
    "  --column NAME|N     the stock list's value column: its header, or its\n"
    "                      number counted from 1\n"
    "  --exclude A,B       never use these values\n"
    "  --parts N|M..N      part counts to show; N alone is 1..N, so --parts 4\n"
    "                      shows networks of 1, 2, 3 and 4 parts (the default)\n"
    "  --top K             networks per part count, 1 to 1000 (default 3)\n"
    "  --tolerance P       a maximum error: only networks within P % of VALUE,\n"
    "                      and then up to 20 of them unless --top is given\n"
    "  --part-tolerance P  each part's tolerance in percent, for the worst\n"
    "                      case column: the error with every part anywhere\n"
    "                      within it (default E3 40, E6 20, E12 10, E24 5,\n"
    "                      E48 2, E96 1, E192 0.5; capacitors E3 20, E6 20,\n"
    "                      E12 10, E24 5, and finer as resistors; inductors\n"
    "                      E3 40, E6 20, E12 10, and finer 5; none for E1 or\n"
    "                      --stock)\n"
    "  --json              one JSON object: the request and the results; the\n"
    "                      request has \"kind\": \"C\" or \"L\" for capacitors\n"
    "                      and inductors (none for resistors)\n"
    "  A stock list is a regular file of at most 1 MiB (1,048,576 bytes):\n"
    "  one value a line, the value first (4.7k; 4.7k 1%; 4.7k, 0603, 10pcs),\n"
    "  # comments; or a CSV or tab-separated parts list whose header names\n"
    "  the value column (Value, Val, Comment, Resistance, 値, 抵抗値, 定数,\n"
    "  or --column). With a quantity column (Qty, Quantity, 数量, 個数) no\n"
    "  network uses a value more times than listed: rows of a value add up,\n"
    "  0 is none. A list holds parts of one kind: a value written with the\n"
    "  unit of another (10nF among resistors) is refused. A parts list\n"
    "  separated by semicolons may write decimal commas (4,7k). A line that\n"
    "  could be read two ways is refused (1 000; 4,7k between commas; R1,\n"
    "  4.7k without a header).\n"
    "  At most 2000 distinct part values, the largest at most 1e12 times\n"
    "  the smallest (12 decades). Exit status 2 with one line on stderr for\n"
    "  anything it cannot use, including a VALUE that the parts cannot\n"
    "  reach.\n";

inline constexpr std::string_view kDividerHelp =
    "gosei-cli divider RATIO [options]\n"
    "gosei-cli divider --vref V --vout V [options]\n"
    "  The exact best voltage dividers: top from the input to the output,\n"
    "  bottom from the output to ground, each arm a series-parallel network,\n"
    "  two to four parts in all. RATIO is Vout/Vin = bottom / (top + bottom),\n"
    "  a number between 0 and 1 (0.66) or VOUT/VIN (3.3/5, 3V3/5V). With\n"
    "  --vref and --vout, a regulator's feedback: Vout = Vref (1 + top /\n"
    "  bottom), ranked by the error of Vout. Ranked as find ranks networks,\n"
    "  the parts of both arms taken together.\n"
    "  --total L..H        top + bottom from L to H (default 10k..100k)\n"
    "  --parts N|M..N      part counts of both arms together; N alone is 2..N\n"
    "                      (default 2..4)\n"
    "  --series, --range, --stock, --column, --exclude, --top, --tolerance\n"
    "  (of the ratio, or of Vout), --part-tolerance and --json as for find.\n"
    "  Dividers are made of resistors: --kind C or L, or a value in farads\n"
    "  or henries, is refused.\n"
    "  A RATIO below, or a Vout above, what the parts can reach within the\n"
    "  total is refused: top / bottom can be at most k (n - k) times the\n"
    "  largest part over the smallest, for n parts with k on top, and at\n"
    "  most the highest total over the smallest part n - 1 times in parallel.\n";

// `gosei-cli find ...` and `gosei-cli divider ...`: `args` are the words
// after "find" or "divider". Writes the whole answer to `out`, or one line
// naming the problem to `err` and nothing to `out`; returns the exit
// status. "--help" prints the command's help.
int runFind(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int runDivider(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace gosei::cli
