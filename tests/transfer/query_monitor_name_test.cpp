#include <gtest/gtest.h>

#include "support/scripted_peer.h"
#include "support/simulator_process.h"
#include "transfer/monitor_fixture.h"
#include "transfer/query_monitor_name.h"

// The name query of the erase command: its own short connection without a login, the address
// adapted around it with no status window, and the host name's turn when it fails.

namespace somvix::test {
namespace {

using Strings = std::vector<std::string>;

class QueryMonitorNameTest : public ::testing::Test {
protected:
    QueryMonitorNameTest() {
        m_options.waitMs = 3000;
        m_hostAddress.m_connectionKind = ConnectionKind::Cable;  // the fake aims it at loopback
    }

    int Query(std::uint16_t port) {
        m_options.port = port;
        m_strName = "left over";
        return QueryMonitorName(m_hostAddress, m_adaptation, m_options, m_strName);
    }

    HostAddressState m_hostAddress;
    FakeHostAdaptation m_adaptation;
    ConnectionOptions m_options;
    std::string m_strName;
};

// A monitor that answers the name and "QUIT" with the replies given and writes down the
// commands, until the client closes.
ScriptedPeer::Script NamingMonitor(Strings& commands, const std::string& quitReply) {
    return [&commands, quitReply](PeerConnection& monitor) {
        std::string command;
        while (monitor.ReadMessage(command)) {
            commands.push_back(command);
            monitor.SendMessage(command == "SOMVIXNAME" ? "MONITOR-7"
                                : command == "QUIT"     ? quitReply
                                                        : "");
        }
    };
}

TEST_F(QueryMonitorNameTest, AsksOnlyForTheNameAndQuitsWithoutLoggingIn) {
    Strings commands;
    {
        ScriptedPeer monitor(NamingMonitor(commands, "QUITOK"));
        EXPECT_EQ(Query(monitor.Port()), 0);
    }
    EXPECT_EQ(m_strName, "MONITOR-7");
    EXPECT_EQ(commands, (Strings{"SOMVIXNAME", "QUIT"}));
    EXPECT_EQ(m_adaptation.m_calls, (Strings{"adapt", "restore"}));
    EXPECT_EQ(m_adaptation.m_nCallsWithUi, 0);
}

TEST_F(QueryMonitorNameTest, NamesTheSimulatorOverTheLanWithoutRestoring) {
    m_hostAddress.m_connectionKind = ConnectionKind::Lan;
    m_hostAddress.m_strHostName = "127.0.0.1";
    MonitorFolder folder;
    SimulatorProcess monitor(folder.Serving({"--name", "SALA-3"}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    EXPECT_EQ(Query(monitor.Port()), 0);
    EXPECT_EQ(m_strName, "SALA-3");
    EXPECT_EQ(m_adaptation.m_calls, Strings{"adapt"});
}

TEST_F(QueryMonitorNameTest, EveryFailureEmptiesTheNameAndRestoresTheAddress) {
    Strings commands;
    {
        ScriptedPeer monitor(NamingMonitor(commands, "BYE"));
        EXPECT_EQ(Query(monitor.Port()), -1);
        EXPECT_EQ(m_strName, "");
    }
    {
        RefusingPort nobody;
        EXPECT_EQ(Query(nobody.Port()), -1);
        EXPECT_EQ(m_strName, "");
    }
    {
        m_options.waitMs = 300;
        MonitorFolder folder;
        SimulatorProcess silent(folder.Serving({"--silent-after", "QUIT"}));
        EXPECT_EQ(Query(silent.Port()), -1);
        EXPECT_EQ(m_strName, "");
    }
    EXPECT_EQ(m_adaptation.m_calls,
              (Strings{"adapt", "restore", "adapt", "restore", "adapt", "restore"}));
}

TEST_F(QueryMonitorNameTest, FailedAdaptationEndsAtOnceWithoutRestoring) {
    m_adaptation.m_nAdaptResult = -1;
    RefusingPort nobody;
    EXPECT_EQ(Query(nobody.Port()), -1);
    EXPECT_EQ(m_strName, "");
    EXPECT_EQ(m_adaptation.m_calls, Strings{"adapt"});
}

}  // namespace
}  // namespace somvix::test
