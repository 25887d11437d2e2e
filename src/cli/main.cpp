#include <cstdio>
#include <iostream>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "cli/cli_command.h"

int main(int argc, char** argv) {
    somvix::CliContext context{std::cin, std::cout, std::cerr, isatty(fileno(stdin)) != 0,
                               isatty(fileno(stderr)) != 0};
    return somvix::RunCli(argc, argv, context);
}
