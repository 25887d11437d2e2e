#include <gtest/gtest.h>

#include <functional>

#include "app/language.h"
#include "hostnet/fake_command_runner.h"
#include "hostnet/iproute_tools.h"
#include "hostnet/netsh_tools.h"
#include "hostnet/tool_host_adaptation.h"
#include "support/fake_operation_ui.h"

namespace somvix {
namespace {

using Lines = std::vector<std::string>;

// One platform's tools with the outputs and command lines that go with them.
struct Backend {
    const char* name;
    std::function<std::unique_ptr<NetworkTools>()> makeTools;
    std::string dumpLine;
    std::string renewLine;
    std::string addLine;     // Spanish system
    std::string removeLine;  // Spanish system
    std::string plainDump;   // a fixed address elsewhere, no DHCP
    std::string dhcpDump;
    std::string presentDump;    // 10.8.0.2 already there
    std::string addedDump;      // after a successful add
    std::string removeRefusal;  // the remove command's answer when the address stays
};

const Backend NETSH{
    "Netsh",
    [] { return std::make_unique<NetshTools>(); },
    "netsh -c interface dump",
    "ipconfig /renew",
    "netsh interface ip add address \"Conexi\xC3\xB3n de \xC3\xA1rea local\" 10.8.0.2 "
    "255.255.255.0",
    "netsh interface ip delete address \"Conexi\xC3\xB3n de \xC3\xA1rea local\" 10.8.0.2",
    "set address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" source = static "
    "addr = 192.168.0.7 mask = 255.255.255.0\n",
    "set address name = \"Wireless\" source = dhcp\n"
    "set address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" source = static "
    "addr = 192.168.0.7 mask = 255.255.255.0\n",
    "set address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" source = static "
    "addr = 10.8.0.2 mask = 255.255.255.0\n",
    // After the add the dump shows the address in another form than "addr = ".
    "add address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" addr=10.8.0.2\n",
    "Error: 10.8.0.2 is in use\n",
};

const Backend IPROUTE{
    "Iproute",
    [] { return std::make_unique<IprouteTools>("enp3s0"); },
    "ip -4 addr show dev enp3s0",
    "networkctl renew enp3s0",
    "ip -4 addr add 10.8.0.2/24 dev enp3s0",
    "ip -4 addr del 10.8.0.2/24 dev enp3s0",
    "2: enp3s0: <BROADCAST,MULTICAST,UP,LOWER_UP> mtu 1500 qdisc fq_codel state UP\n"
    "    inet 192.168.0.7/24 brd 192.168.0.255 scope global enp3s0\n"
    "       valid_lft forever preferred_lft forever\n",
    "2: enp3s0: <BROADCAST,MULTICAST,UP,LOWER_UP> mtu 1500 qdisc fq_codel state UP\n"
    "    inet 192.168.0.7/24 brd 192.168.0.255 scope global dynamic noprefixroute enp3s0\n"
    "       valid_lft 86013sec preferred_lft 86013sec\n",
    "2: enp3s0: <BROADCAST,MULTICAST,UP,LOWER_UP> mtu 1500 qdisc fq_codel state UP\n"
    "    inet 10.8.0.2/24 scope global enp3s0\n",
    "2: enp3s0: <BROADCAST,MULTICAST,UP,LOWER_UP> mtu 1500 qdisc fq_codel state UP\n"
    "    inet 192.168.0.7/24 brd 192.168.0.255 scope global enp3s0\n"
    "    inet 10.8.0.2/24 scope global enp3s0\n",
    "RTNETLINK answers: Operation not permitted\n",
};

// Test names show the backend's name, not its bytes.
void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

class HostAdaptationTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        auto runner = std::make_unique<test::FakeCommandRunner>();
        m_pRunner = runner.get();
        m_adaptation =
            std::make_unique<ToolHostAdaptation>(std::move(runner), GetParam().makeTools());
        m_state.m_nLanguage = LANGUAGE_SPANISH;
        m_state.m_strDeviceAddress = "earlier";
    }

    const Backend& B() const { return GetParam(); }
    int Adapt() { return m_adaptation->AdaptHostAddress(m_state, &m_ui); }
    void Restore() { m_adaptation->RestoreHostAddress(m_state, &m_ui); }
    // Adds the address successfully and forgets the commands that took.
    void AdaptByAdding() {
        m_pRunner->Queue(B().dumpLine, B().plainDump);
        m_pRunner->Queue(B().dumpLine, B().addedDump);
        ASSERT_EQ(Adapt(), 0);
        ASSERT_EQ(m_state.m_bAddressAdded, 1);
        m_pRunner->ClearCommandLines();
    }

    test::FakeCommandRunner* m_pRunner = nullptr;
    std::unique_ptr<ToolHostAdaptation> m_adaptation;
    HostAddressState m_state;
    test::FakeOperationUi m_ui;
};

TEST_P(HostAdaptationTest, LanRunsNothingAndAimsAtTheHostName) {
    m_state.m_nConnectionKind = CONNECTION_LAN;
    m_state.m_strHostName = "monitor-3.example";
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_state.m_strDeviceAddress, "monitor-3.example");
    m_state.m_strHostName.clear();
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_state.m_strDeviceAddress, "");  // an empty name is taken as it is
    EXPECT_TRUE(m_pRunner->CommandLines().empty());
    EXPECT_TRUE(m_ui.Calls().empty());
}

TEST_P(HostAdaptationTest, UnknownKindChangesNothing) {
    m_state.m_nConnectionKind = 7;
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_state.m_strDeviceAddress, "earlier");
    EXPECT_TRUE(m_pRunner->CommandLines().empty());
}

TEST_P(HostAdaptationTest, DhcpOnlyRenewsAndNothingIsRemovedLater) {
    m_pRunner->Queue(B().dumpLine, B().dhcpDump);
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_pRunner->CommandLines(), (Lines{B().dumpLine, B().renewLine}));
    EXPECT_EQ(m_state.m_strDeviceAddress, "10.8.0.1");
    EXPECT_EQ(m_state.m_bAddressAdded, 0);
    Restore();
    EXPECT_EQ(m_pRunner->CommandLines().size(), 2u);
    EXPECT_TRUE(m_ui.Calls().empty());
}

TEST_P(HostAdaptationTest, AddressAlreadyThereIsReusedAndNeverRemoved) {
    m_pRunner->Queue(B().dumpLine, B().presentDump);
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_pRunner->CommandLines(), (Lines{B().dumpLine}));
    EXPECT_EQ(m_state.m_strDeviceAddress, "10.8.0.1");
    EXPECT_EQ(m_state.m_bAddressAdded, 0);
    Restore();
    EXPECT_EQ(m_pRunner->CommandLines().size(), 1u);
}

TEST_P(HostAdaptationTest, AddedAddressIsRemovedAtTheEnd) {
    m_pRunner->Queue(B().dumpLine, B().plainDump);
    m_pRunner->Queue(B().dumpLine, B().addedDump);
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_pRunner->CommandLines(), (Lines{B().dumpLine, B().addLine, B().dumpLine}));
    EXPECT_EQ(m_state.m_bAddressAdded, 1);
    EXPECT_EQ(m_state.m_strDeviceAddress, "10.8.0.1");
    EXPECT_TRUE(m_ui.Calls().empty());

    Restore();
    EXPECT_EQ(m_pRunner->CommandLines().back(), B().removeLine);
    EXPECT_EQ(m_state.m_bAddressAdded, 0);
    EXPECT_EQ(m_ui.StatusTexts(), (Lines{"Restaurando configuración de red ..."}));
    Restore();  // nothing left to remove
    EXPECT_EQ(m_pRunner->CommandLines().size(), 4u);
}

TEST_P(HostAdaptationTest, FailedAddReportsAndLeavesTheStateAlone) {
    m_pRunner->Queue(B().dumpLine, B().plainDump);
    m_pRunner->Queue(B().dumpLine, B().plainDump);
    EXPECT_EQ(Adapt(), -1);
    EXPECT_EQ(m_pRunner->CommandLines(), (Lines{B().dumpLine, B().addLine, B().dumpLine}));
    EXPECT_EQ(m_ui.StatusTexts(), (Lines{"ERROR adaptando configuración de red"}));
    EXPECT_EQ(m_state.m_strDeviceAddress, "earlier");
    EXPECT_EQ(m_state.m_bAddressAdded, 0);
}

TEST_P(HostAdaptationTest, ToolsThatCannotStartLeadToTheAddAndItsError) {
    // Nothing queued: every command gives an empty output.
    EXPECT_EQ(Adapt(), -1);
    EXPECT_EQ(m_pRunner->CommandLines(), (Lines{B().dumpLine, B().addLine, B().dumpLine}));
    EXPECT_EQ(m_ui.StatusTexts(), (Lines{"ERROR adaptando configuración de red"}));
}

TEST_P(HostAdaptationTest, FailedRemovalIsRetriedAfterTheNextOperation) {
    AdaptByAdding();
    m_pRunner->Queue(B().removeLine, B().removeRefusal);
    Restore();
    EXPECT_EQ(m_state.m_bAddressAdded, 1);
    EXPECT_EQ(m_ui.StatusTexts(), (Lines{"Restaurando configuración de red ...",
                                         "ERROR restaurando configuración de red"}));

    // The next operation finds the address, reuses it and removes it at its end.
    m_pRunner->ClearCommandLines();
    m_pRunner->Queue(B().dumpLine, B().presentDump);
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_state.m_bAddressAdded, 1);
    Restore();
    EXPECT_EQ(m_pRunner->CommandLines(), (Lines{B().dumpLine, B().removeLine}));
    EXPECT_EQ(m_state.m_bAddressAdded, 0);
}

TEST_P(HostAdaptationTest, WithoutStatusWindowEverythingElseHappens) {
    m_pRunner->Queue(B().dumpLine, B().plainDump);
    EXPECT_EQ(m_adaptation->AdaptHostAddress(m_state, nullptr), -1);
    AdaptByAdding();
    m_pRunner->Queue(B().removeLine, B().removeRefusal);
    m_adaptation->RestoreHostAddress(m_state, nullptr);
    EXPECT_EQ(m_pRunner->CommandLines(), (Lines{B().removeLine}));
    EXPECT_EQ(m_state.m_bAddressAdded, 1);
    m_adaptation->RestoreHostAddress(m_state, nullptr);
    EXPECT_EQ(m_state.m_bAddressAdded, 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, HostAdaptationTest, ::testing::Values(NETSH, IPROUTE),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return std::string(info.param.name);
                         });

TEST(NetshTools, AdapterNameFollowsTheLanguageByteForByte) {
    const NetshTools tools;
    EXPECT_EQ(JoinCommandLine(tools.AddCommand(LANGUAGE_ENGLISH).m_strProgram,
                              tools.AddCommand(LANGUAGE_ENGLISH).m_strArguments),
              "netsh interface ip add address \"Local Area Connection\" 10.8.0.2 255.255.255.0");
    EXPECT_EQ(JoinCommandLine(tools.RemoveCommand(LANGUAGE_ENGLISH).m_strProgram,
                              tools.RemoveCommand(LANGUAGE_ENGLISH).m_strArguments),
              "netsh interface ip delete address \"Local Area Connection\" 10.8.0.2");
    for (const int language : {LANGUAGE_SPANISH, LANGUAGE_OTHER, 0}) {
        EXPECT_EQ(tools.AddCommand(language).m_strArguments,
                  "interface ip add address \"Conexi\xC3\xB3n de \xC3\xA1rea local\" 10.8.0.2 "
                  "255.255.255.0");
        EXPECT_EQ(tools.RemoveCommand(language).m_strArguments,
                  "interface ip delete address \"Conexi\xC3\xB3n de \xC3\xA1rea local\" 10.8.0.2");
    }
}

TEST(NetshTools, SearchesTheExactTexts) {
    const NetshTools tools;
    EXPECT_FALSE(tools.DhcpInUse("source = DHCP"));  // case matters
    EXPECT_FALSE(tools.DhcpInUse("source=dhcp"));
    EXPECT_FALSE(tools.AddressPresent("addr=10.8.0.2"));
    EXPECT_TRUE(tools.AddressPresent("x addr = 10.8.0.2 mask"));
    EXPECT_TRUE(tools.AddressAdded("addr=10.8.0.2"));  // the bare address counts after adding
    EXPECT_FALSE(tools.AddressStillPresent("Ok.\n"));
    EXPECT_FALSE(tools.AddressStillPresent(""));
}

TEST(IprouteTools, ReadsOnlyTheAddressLinesOfTheListing) {
    const IprouteTools tools("eth1");
    EXPECT_FALSE(tools.AddressPresent("    inet 10.8.0.20/24 scope global eth1\n"));
    EXPECT_FALSE(tools.AddressPresent("    inet 10.8.0.2/16 scope global eth1\n"));
    EXPECT_TRUE(tools.AddressAdded("    inet 10.8.0.2/16 scope global eth1\n"));
    EXPECT_FALSE(tools.AddressAdded("Device \"eth1\" does not exist 10.8.0.2/24\n"));
    EXPECT_FALSE(tools.DhcpInUse("3: dynamic0: <UP> mtu 1500\n    inet 1.2.3.4/8 scope global\n"));
    EXPECT_FALSE(tools.DhcpInUse(""));
}

TEST(IprouteTools, RemovalAnswersMeaningTheAddressIsGone) {
    const IprouteTools tools("eth1");
    EXPECT_FALSE(tools.AddressStillPresent(""));
    EXPECT_FALSE(tools.AddressStillPresent("\n"));
    EXPECT_FALSE(tools.AddressStillPresent("RTNETLINK answers: Cannot assign requested address\n"));
    EXPECT_FALSE(tools.AddressStillPresent("Cannot find device \"eth1\"\n"));
    EXPECT_TRUE(tools.AddressStillPresent("RTNETLINK answers: Operation not permitted\n"));
}

}  // namespace
}  // namespace somvix
