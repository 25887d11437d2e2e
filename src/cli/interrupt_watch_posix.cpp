#include <pthread.h>

#include <csignal>
#include <thread>

#include "cli/interrupt_watch.h"
#include "device/cancel_request.h"

namespace somvix {

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
        // The next Ctrl+C takes its usual course.
        std::signal(SIGINT, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &interrupt, nullptr);
    }).detach();
}

}  // namespace somvix
