#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <future>
#include <string>

#include "device/byte_order.h"
#include "device/device_connection.h"
#include "sim/peer_socket.h"
#include "support/scripted_peer.h"

namespace somvix {
namespace {

using test::PeerConnection;
using test::ScriptedPeer;

constexpr int TEST_WAIT_MS = 5000;  // long enough never to run out on a working loopback

ConnectionOptions Loopback(std::uint16_t port, int waitMs = TEST_WAIT_MS) {
    ConnectionOptions options;
    options.port = port;
    options.waitMs = waitMs;
    return options;
}

std::string LengthField(std::uint32_t length) {
    std::string field(4, '\0');
    WriteUint32Le(length, field.data());
    return field;
}

// Connects to a scripted peer, runs the client part, then closes the client side so the
// peer's script can end.
template <typename Client>
void Converse(ScriptedPeer& peer, Client&& client) {
    DeviceConnection connection;
    ASSERT_EQ(OpenDeviceConnection("127.0.0.1", connection, Loopback(peer.Port())), 0);
    client(connection);
    CloseConnection(connection);
    peer.Join();
    EXPECT_TRUE(peer.Accepted());
}

TEST(DeviceConnectionReceive, JoinsAReplyThatArrivesInManyPieces) {
    std::string command;
    ScriptedPeer peer([&](PeerConnection& monitor) {
        monitor.ReadMessage(command);
        monitor.Send(sim::FrameText("paciente00001 paciente00002"), 3, 2);
        monitor.ReadUntilClosed();
    });
    Converse(peer, [](DeviceConnection& connection) {
        std::string reply;
        EXPECT_EQ(Transact(connection, "GETLIST", reply), 0);
        EXPECT_EQ(reply, "paciente00001 paciente00002");
    });
    EXPECT_EQ(command, "GETLIST");
}

TEST(DeviceConnectionReceive, LengthZeroIsTheEmptyText) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.Send(LengthField(0));
        monitor.ReadUntilClosed();
    });
    Converse(peer, [](DeviceConnection& connection) {
        std::string reply = "old";
        EXPECT_EQ(ReceiveText(connection, reply), 0);
        EXPECT_EQ(reply, "");
    });
}

TEST(DeviceConnectionReceive, AcceptsTheLongestReply) {
    const std::string longest(MAX_REPLY_BYTES, 'x');
    ScriptedPeer peer([&](PeerConnection& monitor) {
        monitor.Send(sim::FrameText(longest));
        monitor.ReadUntilClosed();
    });
    Converse(peer, [&](DeviceConnection& connection) {
        std::string reply;
        EXPECT_EQ(ReceiveText(connection, reply), 0);
        EXPECT_EQ(reply, longest);
    });
}

TEST(DeviceConnectionReceive, RefusesALongerReplyBeforeReadingItsText) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.Send(LengthField(MAX_REPLY_BYTES + 1) + "0123456789");
        monitor.ReadUntilClosed();
    });
    Converse(peer, [](DeviceConnection& connection) {
        std::string reply;
        EXPECT_EQ(ReceiveText(connection, reply), -1);
        // The text is still waiting on the connection: not a byte of it was taken.
        std::array<char, 10> next{};
        ASSERT_EQ(ReceiveExact(connection, next.size(), next.data()), 0);
        EXPECT_EQ(std::string(next.data(), next.size()), "0123456789");
    });
}

TEST(DeviceConnectionReceive, CutsTheTextAtItsFirstNul) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.Send(sim::FrameText(std::string("AUTH\0OK", 7)));
        monitor.ReadUntilClosed();
    });
    Converse(peer, [](DeviceConnection& connection) {
        std::string reply;
        EXPECT_EQ(ReceiveText(connection, reply), 0);
        EXPECT_EQ(reply, "AUTH");
    });
}

TEST(DeviceConnectionReceive, FailsWhenTheCloseComesWithTheLastBytes) {
    std::promise<void> closed;
    ScriptedPeer peer([&](PeerConnection& monitor) {
        monitor.Send(sim::FrameText("QUITOK"));
        monitor.Close();
        closed.set_value();
    });
    Converse(peer, [&](DeviceConnection& connection) {
        ASSERT_EQ(closed.get_future().wait_for(std::chrono::seconds(10)),
                  std::future_status::ready);
        std::string reply;
        EXPECT_EQ(ReceiveText(connection, reply), -1);
    });
}

TEST(DeviceConnectionReceive, SucceedsWhenTheCloseComesAfterTheReplyWasRead) {
    ScriptedPeer peer([&](PeerConnection& monitor) {
        std::string command;
        monitor.ReadMessage(command);
        monitor.SendMessage("QUITOK");
        monitor.ReadUntilClosed();
    });
    Converse(peer, [&](DeviceConnection& connection) {
        std::string reply;
        EXPECT_EQ(Transact(connection, "QUIT", reply), 0);
        EXPECT_EQ(reply, "QUITOK");
    });
}

TEST(DeviceConnectionReceive, FailsWhenThePeerClosesInsideAMessage) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.Send(LengthField(10) + "abc");
        monitor.Pause(50);
    });
    Converse(peer, [](DeviceConnection& connection) {
        std::string reply;
        EXPECT_EQ(ReceiveText(connection, reply), -1);
    });
}

// A silent monitor fails the receive after one wait; checked at the length field and between
// two pieces of a reply, with the wait shortened.
TEST(DeviceConnectionReceive, SilentPeerFailsAfterTheWait) {
    constexpr int SHORT_WAIT_MS = 300;
    for (const std::string& sent : {std::string(), LengthField(6) + "QUI"}) {
        ScriptedPeer peer([&](PeerConnection& monitor) {
            std::string command;
            monitor.ReadMessage(command);
            monitor.Send(sent);
            monitor.ReadUntilClosed();
        });
        DeviceConnection connection;
        ASSERT_EQ(
            OpenDeviceConnection("127.0.0.1", connection, Loopback(peer.Port(), SHORT_WAIT_MS)), 0);
        const auto start = std::chrono::steady_clock::now();
        std::string reply;
        EXPECT_EQ(Transact(connection, "QUIT", reply), -1);
        EXPECT_GE(std::chrono::steady_clock::now() - start,
                  std::chrono::milliseconds(SHORT_WAIT_MS - 20));
        CloseConnection(connection);
        peer.Join();
    }
}

TEST(DeviceConnectionSend, SendsTheLongestCommandAndNothingOfALongerOne) {
    std::string received;
    ScriptedPeer peer([&](PeerConnection& monitor) { received = monitor.ReadUntilClosed(); });
    const std::string longest(MAX_COMMAND_BYTES, 'c');
    Converse(peer, [&](DeviceConnection& connection) {
        EXPECT_EQ(SendText(connection, longest + "c"), -2);
        EXPECT_EQ(SendText(connection, longest), 0);
    });
    EXPECT_EQ(received, LengthField(MAX_COMMAND_BYTES) + longest);
}

TEST(DeviceConnectionSend, TransactReadsNoReplyAfterARefusedCommand) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.SendMessage("first");
        monitor.ReadUntilClosed();
    });
    Converse(peer, [](DeviceConnection& connection) {
        std::string reply = "unchanged";
        EXPECT_EQ(Transact(connection, std::string(MAX_COMMAND_BYTES + 1, 'x'), reply), -1);
        EXPECT_EQ(reply, "unchanged");
        EXPECT_EQ(ReceiveText(connection, reply), 0);
        EXPECT_EQ(reply, "first");
    });
}

TEST(DeviceConnectionSend, FailsOnAConnectionThatIsNotOpen) {
    DeviceConnection connection;
    std::string reply;
    EXPECT_EQ(SendText(connection, "QUIT"), -1);
    EXPECT_EQ(Transact(connection, "QUIT", reply), -1);
    EXPECT_EQ(ReceiveText(connection, reply), -1);
}

TEST(OpenDeviceConnection, FailsForAnUnknownHostBeforeConnecting) {
    DeviceConnection connection;
    EXPECT_EQ(OpenDeviceConnection("no-such-monitor.invalid", connection, Loopback(1)), -1);
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_EQ(OpenDeviceConnection("", connection, Loopback(1)), -1);
    EXPECT_FALSE(connection.IsOpen());
}

TEST(OpenDeviceConnection, FailsWhenNothingListens) {
    const test::RefusingPort refusing;
    ASSERT_NE(refusing.Port(), 0);
    DeviceConnection connection;
    EXPECT_EQ(OpenDeviceConnection("127.0.0.1", connection, Loopback(refusing.Port())), -1);
    EXPECT_FALSE(connection.IsOpen());
}

// A listener whose queue of waiting connections is full lets new attempts hang without an
// answer, as a monitor that never answers would.
TEST(OpenDeviceConnection, FailsAfterTheWaitWhenTheConnectionIsNeverAnswered) {
    constexpr int SHORT_WAIT_MS = 300;
    const int listening = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listening, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(listening, 0), 0);
    ASSERT_EQ(getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length), 0);
    sim::StreamSocket filler;  // takes the one place of the queue
    ASSERT_EQ(filler.Connect("127.0.0.1", ntohs(address.sin_port), TEST_WAIT_MS), 0);

    DeviceConnection connection;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenDeviceConnection("127.0.0.1", connection,
                                   Loopback(ntohs(address.sin_port), SHORT_WAIT_MS)),
              -1);
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(SHORT_WAIT_MS - 20));
    EXPECT_FALSE(connection.IsOpen());
    close(listening);
}

TEST(OpenDeviceConnection, ResolvesAHostName) {
    ScriptedPeer peer([](PeerConnection& monitor) {
        monitor.SendMessage("SOMVIXSIM");
        monitor.ReadUntilClosed();
    });
    DeviceConnection connection;
    ASSERT_EQ(OpenDeviceConnection("localhost", connection, Loopback(peer.Port())), 0);
    std::string reply;
    EXPECT_EQ(ReceiveText(connection, reply), 0);
    EXPECT_EQ(reply, "SOMVIXSIM");
}

TEST(CloseGracefully, HalfClosesAndReturnsWhenThePeerCloses) {
    bool sawEnd = false;
    ScriptedPeer peer([&](PeerConnection& monitor) {
        std::string command;
        monitor.ReadMessage(command);
        monitor.SendMessage("QUITOK");
        sawEnd = monitor.ReadUntilClosed().empty();
    });
    DeviceConnection connection;
    ASSERT_EQ(OpenDeviceConnection("127.0.0.1", connection, Loopback(peer.Port())), 0);
    std::string reply;
    ASSERT_EQ(Transact(connection, "QUIT", reply), 0);
    const auto start = std::chrono::steady_clock::now();
    CloseGracefully(connection);
    // The peer's close ends the wait, long before the wait would run out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(TEST_WAIT_MS));
    CloseConnection(connection);
    peer.Join();
    EXPECT_TRUE(sawEnd);
}

TEST(CloseConnection, IsSafeOnConnectionsNeverOpenedOrClosedOrMovedFrom) {
    DeviceConnection never;
    CloseConnection(never);
    CloseGracefully(never);
    EXPECT_FALSE(never.IsOpen());

    ScriptedPeer peer([](PeerConnection& monitor) { monitor.ReadUntilClosed(); });
    DeviceConnection first;
    ASSERT_EQ(OpenDeviceConnection("127.0.0.1", first, Loopback(peer.Port())), 0);
    DeviceConnection second = std::move(first);
    EXPECT_TRUE(second.IsOpen());
    CloseConnection(first);  // NOLINT(bugprone-use-after-move): moved-from must stay safe
    CloseConnection(second);
    CloseConnection(second);
    EXPECT_FALSE(second.IsOpen());
}

}  // namespace
}  // namespace somvix
