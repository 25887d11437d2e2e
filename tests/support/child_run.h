#pragma once

#include <functional>

namespace somvix::test {

// Runs work in a child process, which the system ends if it has not finished after
// limitSeconds: a read that waits or spins without end fails its test instead of hanging the
// suite. Returns work's result (0 to 255), or -1 when the child did not end by itself.
int RunInChild(unsigned limitSeconds, const std::function<int()>& work);

}  // namespace somvix::test
