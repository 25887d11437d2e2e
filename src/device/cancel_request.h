#pragma once

#include <atomic>

namespace somvix {

// A request to stop a device operation, made from another thread (a button, a signal) and
// checked by the run between its steps and while it waits for the monitor.
class CancelRequest {
public:
    void Request() { m_bRequested.store(true, std::memory_order_relaxed); }
    bool IsRequested() const { return m_bRequested.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_bRequested{false};
};

}  // namespace somvix
