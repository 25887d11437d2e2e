#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "device/device_connection.h"
#include "device/protocol.h"
#include "support/simulator_process.h"
#include "support/temp_dir.h"

// somvix-monitor as a user runs it: a separate process on a port of its own.

namespace somvix {
namespace {

using test::SimulatorProcess;

class SimulatorProcessTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::RunSimulator({"--make-samples", Root().string(), "--count", "2"}), 0);
    }

    std::filesystem::path Root() const { return m_folder.Path() / "monitor"; }

    static int Connect(const SimulatorProcess& monitor, DeviceConnection& connection) {
        ConnectionOptions options;
        options.port = monitor.Port();
        options.waitMs = 5000;
        return OpenDeviceConnection("127.0.0.1", connection, options);
    }

    // Opens a connection, sends the commands and returns the replies joined by "|"; "FAILED"
    // marks a failed exchange. The conversation ends with "QUIT" and a graceful close.
    static std::string Converse(const SimulatorProcess& monitor,
                                std::initializer_list<std::string> commands) {
        DeviceConnection connection;
        if (Connect(monitor, connection) != 0) {
            return "NO CONNECTION";
        }
        std::string replies;
        for (const std::string& command : commands) {
            std::string reply;
            replies += (Transact(connection, command, reply) == 0 ? reply : "FAILED") + "|";
        }
        std::string reply;
        replies += Transact(connection, "QUIT", reply) == 0 ? reply : "FAILED";
        CloseGracefully(connection);
        CloseConnection(connection);
        return replies;
    }

    test::TempDir m_folder;
};

TEST_F(SimulatorProcessTest, ServesConnectionsOneAfterAnotherAndStopsCleanly) {
    SimulatorProcess monitor({"--root", Root().string(), "--name", "MONITOR7"});
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    EXPECT_NE(monitor.Port(), 0);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Converse(monitor, {"SOMVIXNAME", "AUTH KAVOTE", "GETLIST"}),
                  "MONITOR7|AUTHOK|paciente00001 paciente00002|QUITOK");
    }
    EXPECT_EQ(monitor.Stop(SIGTERM), 0);
    const std::string output = monitor.Output();
    EXPECT_NE(output.find("somvix-monitor listening on 127.0.0.1:"), std::string::npos);
    EXPECT_NE(output.find("somvix-monitor stopped"), std::string::npos);
}

TEST_F(SimulatorProcessTest, CtrlCStopsItWhileAClientIsConnected) {
    SimulatorProcess monitor({"--root", Root().string()});
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    DeviceConnection connection;
    ASSERT_EQ(Connect(monitor, connection), 0);
    std::string reply;
    ASSERT_EQ(Transact(connection, "SOMVIXNAME", reply), 0);
    EXPECT_EQ(monitor.Stop(SIGINT), 0);
    EXPECT_NE(monitor.Output().find("somvix-monitor stopped"), std::string::npos);
}

TEST_F(SimulatorProcessTest, DeleteRemovesAMonitoringOrHidesItWithKeep) {
    {
        SimulatorProcess monitor({"--root", Root().string(), "--keep"});
        ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
        EXPECT_EQ(Converse(monitor, {"AUTH KAVOTE", "DELETE paciente00001", "GETLIST"}),
                  "AUTHOK|DELETEOK|paciente00002|QUITOK");
        EXPECT_EQ(Converse(monitor, {"AUTH KAVOTE", "GETLIST"}),
                  "AUTHOK|paciente00001 paciente00002|QUITOK");
    }
    SimulatorProcess monitor({"--root", Root().string(), "--refuse-delete", "paciente00002"});
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    EXPECT_EQ(Converse(monitor, {"AUTH KAVOTE", "DELETE paciente00001", "DELETE paciente00002"}),
              "AUTHOK|DELETEOK|DELETEERROR|QUITOK");
    EXPECT_FALSE(std::filesystem::exists(Root() / "paciente00001"));
    EXPECT_EQ(Converse(monitor, {"AUTH KAVOTE", "GETLIST"}), "AUTHOK|paciente00002|QUITOK");
}

TEST_F(SimulatorProcessTest, FaultOptionsReachTheWire) {
    SimulatorProcess monitor({"--root", Root().string(), "--refuse-login", "--quit-reply", "NOQUIT",
                              "--invalid-list", "GETEVTLIST"});
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    EXPECT_EQ(Converse(monitor, {"AUTH KAVOTE", "GETLIST"}), "AUTHERROR||NOQUIT");
    SimulatorProcess lists(
        {"--root", Root().string(), "--invalid-list", "GETEVTLIST", "--list-reply", "paciente9 x"});
    ASSERT_TRUE(lists.IsRunning()) << lists.Output();
    EXPECT_EQ(Converse(lists, {"AUTH KAVOTE", "GETEVTLIST paciente00001", "GETLIST", "BOGUS"}),
              "AUTHOK|INVALIDCMD|paciente9 x|INVALIDCMD|QUITOK");
}

TEST_F(SimulatorProcessTest, AClientThatDropsTheLineDoesNotStopTheService) {
    SimulatorProcess monitor({"--root", Root().string()});
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    {
        DeviceConnection connection;
        ASSERT_EQ(Connect(monitor, connection), 0);
        ASSERT_EQ(SendText(connection, "SOMV"), 0);  // a command cut short by the close
    }
    EXPECT_EQ(Converse(monitor, {"SOMVIXNAME"}), "SOMVIXSIM|QUITOK");
}

TEST(SimulatorCommandLine, RefusesWrongUse) {
    const test::TempDir folder;
    std::string output;
    EXPECT_EQ(test::RunSimulator({}, &output), 2);
    EXPECT_NE(output.find("--root"), std::string::npos);
    EXPECT_EQ(test::RunSimulator({"--root", (folder.Path() / "missing").string(), "--port", "0"},
                                 &output),
              1);
    EXPECT_NE(output.find("is not a folder"), std::string::npos);
    EXPECT_NE(test::RunSimulator({"--root", folder.Path().string(), "--close-after", "x"}), 0);
    EXPECT_NE(test::RunSimulator({"--root", folder.Path().string(), "--invalid-list", "GETLIST"}),
              0);
    EXPECT_NE(test::RunSimulator(
                  {"--root", folder.Path().string(), "--make-samples", folder.Path().string()}),
              0);
}

}  // namespace
}  // namespace somvix
