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
#include "cli/interrupt_watch.h"
#include "device/cancel_request.h"

int main(int argc, char** argv) {
    static somvix::CancelRequest cancel;  // the watcher may outlive main's frame
    somvix::WatchForInterrupt(cancel);
    somvix::CliContext context{
        std::cin, std::cout, std::cerr, isatty(fileno(stdin)) != 0, isatty(fileno(stderr)) != 0,
        &cancel};
    return somvix::RunCli(argc, argv, context);
}
