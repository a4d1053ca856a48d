#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "engine/memory_window.h"

namespace gosei::cli {

// One line of batch input, "SERIES<TAB>VALUE[<TAB>TOLERANCE]", answered with
// "OUTCOME<TAB>c1<TAB>...<TAB>c24" or "error<TAB>message".
std::string batchLine(std::string_view line);

// Answers every line of the input, in order.
void runBatch(std::istream& in, std::ostream& out);

// The grid as a person reads it: the parallel block, then the series block,
// columns in the order of the window.
std::string gridText(const MemoryWindow& window);

// The whole command line; returns the exit status.
int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace gosei::cli
