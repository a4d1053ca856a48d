#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace gosei::cli {

// `gosei-cli find VALUE [options]`: the best networks of up to four parts
// for VALUE. `args` are the words after "find". Writes the whole answer to
// `out`, or one line naming the problem to `err` and nothing to `out`;
// returns the exit status.
int runFind(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace gosei::cli
