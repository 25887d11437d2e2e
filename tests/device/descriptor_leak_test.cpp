#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "device/device_connection.h"
#include "device/protocol.h"
#include "sim/peer_socket.h"
#include "support/scripted_peer.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

int OpenDescriptorCount() {
    int count = 0;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        ++count;
    }
    return count;
}

// Every way out of the connection releases its socket: failed opens, closed connections,
// connections simply destroyed or moved over, and failed transfers.
TEST(DeviceConnectionResources, NoDescriptorIsLeftBehind) {
    if (!std::filesystem::exists("/proc/self/fd")) {
        GTEST_SKIP() << "no /proc/self/fd to count descriptors";
    }
    sim::ListeningSocket listener;
    ASSERT_EQ(listener.Open("127.0.0.1", 0), 0);
    const test::TempDir folder;
    ConnectionOptions options;
    options.port = listener.Port();
    options.waitMs = 2000;
    const test::RefusingPort refusing;
    ConnectionOptions refused = options;
    refused.port = refusing.Port();

    const int before = OpenDescriptorCount();
    for (int round = 0; round < 40; ++round) {
        DeviceConnection connection;
        EXPECT_EQ(OpenDeviceConnection("no-such-monitor.invalid", connection, options), -1);
        EXPECT_EQ(OpenDeviceConnection("127.0.0.1", connection, refused), -1);

        ASSERT_EQ(OpenDeviceConnection("127.0.0.1", connection, options), 0);
        sim::StreamSocket accepted;
        ASSERT_EQ(listener.Accept(accepted, -1, 2000), 0);
        // Opening again over an open connection releases the first socket.
        ASSERT_EQ(OpenDeviceConnection("127.0.0.1", connection, options), 0);
        sim::StreamSocket acceptedAgain;
        ASSERT_EQ(listener.Accept(acceptedAgain, -1, 2000), 0);
        DeviceConnection moved = std::move(connection);
        DeviceConnection target;
        target = std::move(moved);
        // The peer drops the line inside a file transfer: the transfer fails, the file stays.
        accepted.Close();
        acceptedAgain.SendAll(std::string("\x10\x00\x00\x00", 4) + "abc");
        acceptedAgain.Close();
        EXPECT_EQ(TransactFile(target, "FILE x\\y.htr", folder.Path() / "y.htr"), -1);
        if (round % 2 == 0) {
            CloseConnection(target);
        }  // otherwise the destructor releases it
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace somvix
