#include <pthread.h>

#include <csignal>
#include <cstdlib>
#include <thread>

#include "cli/interrupt_watch.h"
#include "device/cancel_request.h"

namespace somvix {

namespace {

// As a shell reports an end by Ctrl+C.
constexpr int EXIT_INTERRUPTED = 130;

}  // namespace

void WatchForInterrupt(CancelRequest& cancel) {
    // Every thread started from here on blocks SIGINT too, so only the watcher takes it, by
    // sigwait, outside any signal handler.
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    if (pthread_sigmask(SIG_BLOCK, &interrupt, nullptr) != 0) {
        return;
    }
    std::thread([&cancel, interrupt] {
        int signal = 0;
        if (sigwait(&interrupt, &signal) != 0) {
            return;
        }
        cancel.Request();
        // Every thread blocks SIGINT: the next Ctrl+C would reach none. It ends the program at
        // once, as an interrupt does.
        if (sigwait(&interrupt, &signal) == 0) {
            std::_Exit(EXIT_INTERRUPTED);
        }
    }).detach();
}

}  // namespace somvix
