#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace somvix::test {

// A TCP relay that holds every piece back for a fixed time in each direction: the delay of a
// link where the kernel has no netem. It runs in a child process inside a network namespace,
// listening at listenAddress:listenPort and passing each connection, one after another, on to
// upstreamAddress:upstreamPort. Ended when the object goes.
class DelayRelay {
public:
    DelayRelay(const std::string& nameSpace, const std::string& listenAddress,
               std::uint16_t listenPort, const std::string& upstreamAddress,
               std::uint16_t upstreamPort, std::chrono::microseconds oneWayDelay);
    ~DelayRelay();
    DelayRelay(const DelayRelay&) = delete;
    DelayRelay& operator=(const DelayRelay&) = delete;

    // Whether it listens (it answers on a pipe once it does).
    bool Listening() const { return m_bListening; }

private:
    pid_t m_pid = -1;
    bool m_bListening = false;
};

}  // namespace somvix::test
