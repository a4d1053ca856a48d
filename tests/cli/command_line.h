#pragma once

// Runs gosei-cli's whole command line in the test's process.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace gosei::cli::command_line {

struct Outcome {
    int status;
    std::string out, err;
};

// `words` start with the command, such as "find" or "divider".
inline Outcome run(const std::vector<std::string>& words) {
    std::vector<const char*> argv = {"gosei-cli"};
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace gosei::cli::command_line
