#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "device/device_connection.h"
#include "device/protocol.h"
#include "support/simulator_process.h"
#include "support/temp_dir.h"

// The connection and the protocol against the simulated monitor as a separate process.

namespace somvix {
namespace {

using test::SimulatorProcess;

class DeviceSimulatorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            test::RunSimulator({"--make-samples", Root().string(), "--count", "2", "--seed", "5"}),
            0);
    }

    std::filesystem::path Root() const { return m_folder.Path() / "monitor"; }
    std::filesystem::path Target() const { return m_folder.Path() / "pc"; }

    std::vector<std::string> Serving(std::vector<std::string> faults) const {
        std::vector<std::string> arguments = {"--root", Root().string()};
        arguments.insert(arguments.end(), faults.begin(), faults.end());
        return arguments;
    }

    // Opens a connection to the simulator and logs in.
    void Login(const SimulatorProcess& monitor, DeviceConnection& connection,
               int waitMs = 5000) const {
        ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
        ConnectionOptions options;
        options.port = monitor.Port();
        options.waitMs = waitMs;
        ASSERT_EQ(OpenDeviceConnection("127.0.0.1", connection, options), 0);
        std::string reply;
        ASSERT_EQ(Transact(connection, std::string(COMMAND_AUTH), reply), 0);
        ASSERT_EQ(reply, REPLY_AUTH_OK);
    }

    std::filesystem::path Fetched(const std::string& file) const {
        std::filesystem::create_directories(Target());
        return Target() / file;
    }

    std::string Original(const std::string& monitoring, const std::string& file) const {
        return test::ReadFileBytes(Root() / monitoring / file);
    }

private:
    test::TempDir m_folder;
};

// The conversation of a download: every file of every monitoring arrives whole, and "QUIT"
// ends in order.
TEST_F(DeviceSimulatorTest, DownloadConversationFetchesEveryFileWhole) {
    SimulatorProcess monitor(Serving({"--name", "MONITOR7"}));
    DeviceConnection connection;
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    ConnectionOptions options;
    options.port = monitor.Port();
    ASSERT_EQ(OpenDeviceConnection("127.0.0.1", connection, options), 0);
    std::string reply;
    ASSERT_EQ(Transact(connection, std::string(COMMAND_DEVICE_NAME), reply), 0);
    EXPECT_EQ(reply, "MONITOR7");
    ASSERT_EQ(Transact(connection, std::string(COMMAND_AUTH), reply), 0);
    ASSERT_EQ(reply, REPLY_AUTH_OK);
    std::string list;
    ASSERT_EQ(Transact(connection, std::string(COMMAND_GET_LIST), list), 0);
    EXPECT_EQ(list, "paciente00001 paciente00002");
    int files = 0;
    std::string monitoring;
    while (TakeMonitoringName(list, monitoring) == 0) {
        for (const std::string_view word :
             {COMMAND_GET_EEG_LIST, COMMAND_GET_HTR_LIST, COMMAND_GET_FHI_LIST,
              COMMAND_GET_EVT_LIST, COMMAND_GET_IMP_LIST}) {
            std::string names;
            ASSERT_EQ(Transact(connection, std::string(word) + " " + monitoring, names), 0);
            std::string file;
            while (TakeToken(names, file) == 0) {
                ASSERT_EQ(
                    TransactFile(connection, "FILE " + monitoring + "\\" + file, Fetched(file)), 0)
                    << file;
                EXPECT_EQ(test::ReadFileBytes(Fetched(file)), Original(monitoring, file));
                ++files;
            }
        }
    }
    EXPECT_EQ(files, 10);
    ASSERT_EQ(Transact(connection, std::string(COMMAND_QUIT), reply), 0);
    EXPECT_EQ(reply, REPLY_QUIT_OK);
    CloseGracefully(connection);
    CloseConnection(connection);
}

TEST_F(DeviceSimulatorTest, RepliesInSmallDelayedPiecesAreJoined) {
    SimulatorProcess monitor(Serving({"--split", "3", "--split-delay", "2"}));
    DeviceConnection connection;
    Login(monitor, connection);
    std::string reply;
    ASSERT_EQ(Transact(connection, std::string(COMMAND_GET_LIST), reply), 0);
    EXPECT_EQ(reply, "paciente00001 paciente00002");
}

TEST_F(DeviceSimulatorTest, FileSentOneByteAtATimeIsStoredIdentically) {
    SimulatorProcess monitor(Serving({"--split", "1"}));
    DeviceConnection connection;
    Login(monitor, connection);
    const auto path = Fetched("p00001m.evt");
    ASSERT_EQ(TransactFile(connection, "FILE paciente00001\\p00001m.evt", path), 0);
    EXPECT_EQ(test::ReadFileBytes(path), Original("paciente00001", "p00001m.evt"));
    const auto eeg = Fetched("p00001m.eeg");
    ASSERT_EQ(TransactFile(connection, "FILE paciente00001\\p00001m.eeg", eeg), 0);
    EXPECT_EQ(test::ReadFileBytes(eeg), Original("paciente00001", "p00001m.eeg"));
}

TEST_F(DeviceSimulatorTest, WrongChecksumFailsAndLeavesTheFile) {
    SimulatorProcess monitor(Serving({"--bad-checksum", "p00002m.htr"}));
    DeviceConnection connection;
    Login(monitor, connection);
    const auto path = Fetched("p00002m.htr");
    EXPECT_EQ(TransactFile(connection, "FILE paciente00002\\p00002m.htr", path), -1);
    EXPECT_EQ(test::ReadFileBytes(path), Original("paciente00002", "p00002m.htr"));
}

TEST_F(DeviceSimulatorTest, ClosedMidFileLeavesThePartialFile) {
    SimulatorProcess monitor(Serving({"--close-after", "p00001m.imp:1500"}));
    DeviceConnection connection;
    Login(monitor, connection);
    const auto path = Fetched("p00001m.imp");
    EXPECT_EQ(TransactFile(connection, "FILE paciente00001\\p00001m.imp", path), -1);
    EXPECT_EQ(test::ReadFileBytes(path), Original("paciente00001", "p00001m.imp").substr(0, 1024));
}

TEST_F(DeviceSimulatorTest, SilentMonitorFailsAfterTheShortenedWait) {
    constexpr int SHORT_WAIT_MS = 300;
    SimulatorProcess monitor(Serving({"--silent-after", "GETLIST"}));
    DeviceConnection connection;
    Login(monitor, connection, SHORT_WAIT_MS);
    const auto start = std::chrono::steady_clock::now();
    std::string reply;
    EXPECT_EQ(Transact(connection, std::string(COMMAND_GET_LIST), reply), -1);
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(SHORT_WAIT_MS - 20));
}

TEST_F(DeviceSimulatorTest, FileTheMonitorCannotSupplyIsRefusedBeforeWriting) {
    SimulatorProcess monitor(Serving({}));
    DeviceConnection connection;
    Login(monitor, connection);
    const auto path = Fetched("INVALIDCMD.htr");
    EXPECT_EQ(TransactFile(connection, "FILE paciente00001\\INVALIDCMD.htr", path), -1);
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace somvix
