#include <iostream>

#include "cli/cli_commands.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return gosei::cli::run(argc, argv, std::cin, std::cout, std::cerr);
}
