#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "hostnet/fake_command_runner.h"
#include "hostnet/fake_interface_addresses.h"
#include "hostnet/host_address_state.h"
#include "hostnet/netlink_backend.h"
#include "hostnet/netsh_backend.h"
#include "shared/language.h"

namespace somvix {
namespace {

using Lines = std::vector<std::string>;

const std::string SPANISH_ADAPTER = "\"Conexi\xC3\xB3n de \xC3\xA1rea local\"";

// The state that the window and the command line start from carries the user's language to
// the network shell.
TEST(NetshBackend, AdapterNameFollowsTheUsersLanguageByteForByte) {
#if defined(_WIN32)
    GTEST_SKIP() << "the language comes from the registry here";
#else
    const struct {
        const char* locale;
        std::string adapter;
    } rows[] = {{"en_US.UTF-8", "\"Local Area Connection\""},
                {"es_ES.UTF-8", SPANISH_ADAPTER},
                {"de_DE.UTF-8", SPANISH_ADAPTER},
                {"C", SPANISH_ADAPTER}};
    const char* saved = std::getenv("LC_ALL");
    const std::optional<std::string> savedLocale =
        saved != nullptr ? std::optional<std::string>(saved) : std::nullopt;
    for (const auto& row : rows) {
        setenv("LC_ALL", row.locale, 1);
        const HostAddressState state = NewHostAddressState();
        auto runner = std::make_unique<test::FakeCommandRunner>();
        test::FakeCommandRunner& commands = *runner;
        NetshBackend backend(std::move(runner));
        EXPECT_EQ(backend.AddHostAddress(state.m_language), AdditionResult::Unconfirmed);
        backend.RemoveHostAddress(state.m_language);
        EXPECT_EQ(
            commands.CommandLines(),
            (Lines{"netsh interface ip add address " + row.adapter + " 10.8.0.2 255.255.255.0",
                   "netsh interface ip delete address " + row.adapter + " 10.8.0.2"}))
            << row.locale;
    }
    if (savedLocale) {
        setenv("LC_ALL", savedLocale->c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
#endif
}

TEST(NetshBackend, FallsBackToTheWiredAdapterTheDumpShows) {
    const struct {
        const char* dump;
        Language language;
        std::string adapter;
    } rows[] = {
        {"set address name=\"Ethernet 2\" source=static\nset address name=\"Wi-Fi\"",
         Language::Spanish, "\"Ethernet 2\""},
        {"set address name=\"Wi-Fi\"\nset address name = \"Ethernet\" source = static",
         Language::English, "\"Ethernet\""},
        // The legacy name wins where the dump lists it.
        {"name=\"Ethernet\"\nname = \"Local Area Connection\"", Language::English,
         "\"Local Area Connection\""},
        {"name=\"Wi-Fi\"", Language::Spanish, SPANISH_ADAPTER},
        {"", Language::English, "\"Local Area Connection\""},
        // Only the fixed shapes are taken from the dump.
        {"name=\"Ethernet & x\"\nname=\"Ethernet 0\"\nname=\"Ethernet\tx\"", Language::Spanish,
         SPANISH_ADAPTER},
    };
    for (const auto& row : rows) {
        auto runner = std::make_unique<test::FakeCommandRunner>();
        runner->Queue("netsh -c interface dump", row.dump);
        test::FakeCommandRunner& commands = *runner;
        NetshBackend backend(std::move(runner));
        backend.LookAtAdapter();
        backend.AddHostAddress(row.language);
        backend.RemoveHostAddress(row.language);
        EXPECT_EQ(
            commands.CommandLines(),
            (Lines{"netsh -c interface dump",
                   "netsh interface ip add address " + row.adapter + " 10.8.0.2 255.255.255.0",
                   "netsh interface ip delete address " + row.adapter + " 10.8.0.2"}))
            << row.dump;
    }
}

TEST(NetshBackend, LooksForTheExactTexts) {
    const struct {
        const char* dump;
        AdapterLook look;  // DHCP in use, present, shown
    } rows[] = {
        {"source = DHCP", {}},  // case matters
        {"source=dhcp", {}},
        {"addr=10.8.0.2", {false, false, true}},  // the bare address counts after adding
        {"x addr = 10.8.0.2 mask", {false, true, true}},
        {"source = dhcp\naddr = 10.8.0.20", {true, true, true}},
    };
    for (const auto& row : rows) {
        auto runner = std::make_unique<test::FakeCommandRunner>();
        runner->Queue("netsh -c interface dump", row.dump);
        EXPECT_EQ(NetshBackend(std::move(runner)).LookAtAdapter(), row.look) << row.dump;
    }
    const struct {
        const char* output;
        RemovalResult result;
    } removals[] = {{"Ok.\n", RemovalResult::Gone},
                    {"", RemovalResult::Gone},
                    {"Error: 10.8.0.2 is in use\n", RemovalResult::StillPresent}};
    for (const auto& row : removals) {
        auto runner = std::make_unique<test::FakeCommandRunner>();
        runner->Queue("netsh interface ip delete address " + SPANISH_ADAPTER + " 10.8.0.2",
                      row.output);
        EXPECT_EQ(NetshBackend(std::move(runner)).RemoveHostAddress(Language::Spanish), row.result)
            << row.output;
    }
}

// The backend over scripted addresses; it renews nothing here.
struct ScriptedNetlink {
    ScriptedNetlink() {
        auto addresses = std::make_unique<test::FakeInterfaceAddresses>(steps);
        pAddresses = addresses.get();
        pBackend = std::make_unique<NetlinkBackend>(
            "eth1", std::move(addresses), std::make_unique<test::FakeCommandRunner>(), "");
    }
    Lines steps;
    test::FakeInterfaceAddresses* pAddresses = nullptr;
    std::unique_ptr<NetlinkBackend> pBackend;
};

TEST(NetlinkBackend, LooksAtTheAddressesOfTheAdapter) {
    const struct {
        const char* name;
        std::vector<InterfaceAddress> addresses;
        AdapterLook look;  // DHCP in use, present, shown
    } rows[] = {
        {"none", {}, {}},
        {"a longer address", {{"10.8.0.20", 24, false}}, {}},
        {"another prefix", {{"10.8.0.2", 16, false}}, {false, false, true}},
        {"a lease", {{"192.168.0.7", 24, true}, {"10.8.0.2", 24, false}}, {true, true, true}},
    };
    for (const auto& row : rows) {
        ScriptedNetlink netlink;
        netlink.pAddresses->QueueListing(row.addresses);
        EXPECT_EQ(netlink.pBackend->LookAtAdapter(), row.look) << row.name;
    }
}

TEST(NetlinkBackend, OnlyTheKernelsAcknowledgementConfirmsAnAdd) {
    const struct {
        int error;
        AdditionResult result;
    } rows[] = {{0, AdditionResult::Confirmed},
                {EEXIST, AdditionResult::Unconfirmed},  // put there by another meanwhile
                {EPERM, AdditionResult::Unconfirmed},
                {EAGAIN, AdditionResult::Unconfirmed}};  // no answer in time
    for (const auto& row : rows) {
        ScriptedNetlink netlink;
        netlink.pAddresses->QueueAdd(row.error);
        EXPECT_EQ(netlink.pBackend->AddHostAddress(Language::Spanish), row.result) << row.error;
    }
}

TEST(NetlinkBackend, RemovedMeansNotThereAnyMore) {
    const struct {
        int error;
        RemovalResult result;
    } rows[] = {{0, RemovalResult::Gone},
                {EADDRNOTAVAIL, RemovalResult::Gone},  // no such address
                {ENODEV, RemovalResult::Gone},         // the adapter itself is gone
                {EPERM, RemovalResult::StillPresent},
                {EAGAIN, RemovalResult::StillPresent}};  // no answer in time
    for (const auto& row : rows) {
        ScriptedNetlink netlink;
        netlink.pAddresses->QueueRemoval(row.error);
        EXPECT_EQ(netlink.pBackend->RemoveHostAddress(Language::Spanish), row.result) << row.error;
    }
}

}  // namespace
}  // namespace somvix
