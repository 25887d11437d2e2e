#include <gtest/gtest.h>

#include <sstream>

#include "hostnet/command_runner.h"
#include "hostnet/network_admin_right.h"

namespace somvix {
namespace {

constexpr unsigned long long NET_ADMIN_BIT = 1ull << 12;

// The ambient capabilities of a child, as it reports them itself.
unsigned long long ChildAmbientCapabilities() {
    const std::string status = RunCommand("grep", "CapAmb: /proc/self/status");
    std::istringstream fields(status);
    std::string label;
    std::string mask;
    fields >> label >> mask;
    return mask.empty() ? 0 : std::stoull(mask, nullptr, 16);
}

TEST(PassNetworkAdminRightToChildren, StartedToolsHoldTheRight) {
    if (!PassNetworkAdminRightToChildren()) {
        GTEST_SKIP() << "this process does not hold the network-admin right to pass on";
    }
    EXPECT_NE(ChildAmbientCapabilities() & NET_ADMIN_BIT, 0u);
}

}  // namespace
}  // namespace somvix
