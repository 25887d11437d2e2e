#include "support/child_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace somvix::test {

int RunInChild(unsigned limitSeconds, const std::function<int()>& work) {
    std::fflush(nullptr);  // nothing buffered is written twice
    const pid_t child = ::fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        // SIGALRM's default action ends the child, even inside a blocked open or read.
        ::alarm(limitSeconds);
        ::_exit(work() & 0xff);
    }
    int status = 0;
    pid_t waited = -1;
    // Interrupted waits are retried; the child's alarm ends the wait in any case.
    for (int attempt = 0; attempt < 1000 && waited < 0; ++attempt) {
        waited = ::waitpid(child, &status, 0);
        if (waited < 0 && errno != EINTR) {
            return -1;
        }
    }
    return waited == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace somvix::test
