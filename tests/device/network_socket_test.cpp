#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <array>
#include <future>
#include <vector>

#include "device/network_socket.h"
#include "support/scripted_peer.h"

// The POSIX socket layer presents poll() as the event-select model the connection is written
// against; these cases pin the differences that matter to the loops above it.

namespace somvix {
namespace {

using test::PeerConnection;
using test::ScriptedPeer;

constexpr int TEST_WAIT_MS = 5000;

void ConnectTo(NetworkSocket& socket, std::uint16_t port) {
    std::uint32_t address = 0;
    ASSERT_EQ(NetworkSocket::ResolveHost("127.0.0.1", address), 0);
    EXPECT_EQ(address, htonl(INADDR_LOOPBACK));
    ASSERT_EQ(socket.Create(), 0);
    ASSERT_EQ(socket.StartConnect(address, port), 0);
    NetworkEvents events;
    ASSERT_EQ(socket.Wait(TEST_WAIT_MS, events), WaitResult::Events);
    ASSERT_TRUE(events.m_bConnected);
    ASSERT_EQ(events.m_nConnectError, 0);
}

TEST(NetworkSocket, AnIdleSocketReportsNothing) {
    ScriptedPeer peer([](PeerConnection& monitor) { monitor.ReadUntilClosed(); });
    NetworkSocket socket;
    ConnectTo(socket, peer.Port());
    // Writable comes only after a send that would have blocked: a receive loop must not wake
    // for it.
    NetworkEvents events;
    EXPECT_EQ(socket.Wait(100, events), WaitResult::TimedOut);
    socket.Close();
}

TEST(NetworkSocket, ReportsReadableOnceUntilTheNextReceive) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.Send("abcdef");
        monitor.ReadUntilClosed();
    });
    NetworkSocket socket;
    ConnectTo(socket, peer.Port());
    NetworkEvents events;
    ASSERT_EQ(socket.Wait(TEST_WAIT_MS, events), WaitResult::Events);
    EXPECT_TRUE(events.m_bReadable);
    // The bytes are still there, but a wait that does not follow a receive reports nothing new.
    EXPECT_EQ(socket.Wait(100, events), WaitResult::TimedOut);
    std::array<char, 3> buffer{};
    std::size_t received = 0;
    ASSERT_EQ(socket.Receive(buffer.data(), buffer.size(), received), SocketIo::Done);
    EXPECT_EQ(received, 3u);
    ASSERT_EQ(socket.Wait(TEST_WAIT_MS, events), WaitResult::Events);
    EXPECT_TRUE(events.m_bReadable);
    socket.Close();
}

TEST(NetworkSocket, ReportsWritableOnceABlockedSendCanGoOn) {
    std::promise<void> full;
    std::size_t drained = 0;
    ScriptedPeer peer([&](PeerConnection& monitor) {
        full.get_future().wait_for(std::chrono::seconds(10));
        drained = monitor.ReadUntilClosed().size();
    });
    NetworkSocket socket;
    ConnectTo(socket, peer.Port());
    const std::vector<char> block(65536, 'b');
    std::size_t total = 0;
    SocketIo result = SocketIo::Done;
    for (int guard = 0; guard < 10000 && result == SocketIo::Done; ++guard) {
        std::size_t sent = 0;
        result = socket.Send(block.data(), block.size(), sent);
        total += sent;
    }
    ASSERT_EQ(result, SocketIo::WouldBlock);
    full.set_value();
    NetworkEvents events;
    ASSERT_EQ(socket.Wait(TEST_WAIT_MS, events), WaitResult::Events);
    EXPECT_TRUE(events.m_bWritable);
    EXPECT_FALSE(events.m_bClosed);
    socket.Close();
    peer.Join();
    EXPECT_EQ(drained, total);
}

TEST(NetworkSocket, AReceiveOfNothingLeavesTheCloseToTheNextWait) {
    ScriptedPeer peer([](PeerConnection& monitor) { monitor.Close(); });
    NetworkSocket socket;
    ConnectTo(socket, peer.Port());
    peer.Join();
    std::array<char, 8> buffer{};
    std::size_t received = 99;
    SocketIo result = SocketIo::WouldBlock;
    for (int guard = 0; guard < 500 && result == SocketIo::WouldBlock; ++guard) {
        result = socket.Receive(buffer.data(), buffer.size(), received);
        if (result == SocketIo::WouldBlock) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ASSERT_EQ(result, SocketIo::Done);
    EXPECT_EQ(received, 0u);
    NetworkEvents events;
    ASSERT_EQ(socket.Wait(TEST_WAIT_MS, events), WaitResult::Events);
    EXPECT_TRUE(events.m_bClosed);
}

TEST(NetworkSocket, AfterShuttingTheSendingSideOnlyTheCloseIsReported) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.SendMessage("late data the program no longer reads");
        monitor.ReadUntilClosed();
    });
    NetworkSocket socket;
    ConnectTo(socket, peer.Port());
    ASSERT_EQ(socket.ShutdownSending(), 0);
    NetworkEvents events;
    ASSERT_EQ(socket.Wait(TEST_WAIT_MS, events), WaitResult::Events);
    EXPECT_TRUE(events.m_bClosed);
    EXPECT_FALSE(events.m_bReadable);
}

}  // namespace
}  // namespace somvix
