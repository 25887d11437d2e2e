#include <gtest/gtest.h>

#include <cerrno>

#include "hostnet/backend_host_adaptation.h"
#include "hostnet/cable_address_request.h"
#include "hostnet/cable_addresses.h"
#include "hostnet/fake_command_runner.h"
#include "hostnet/fake_interface_addresses.h"
#include "hostnet/netlink_backend.h"
#include "shared/language.h"
#include "support/fake_operation_ui.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

using Lines = std::vector<std::string>;
using Addresses = std::vector<InterfaceAddress>;

constexpr const char* NMCLI = "/usr/bin/nmcli";
constexpr const char* PKEXEC = "/usr/bin/pkexec";
constexpr const char* HELPER = "/usr/libexec/somvixmn/somvixmn-cable-address";
const std::string NMCLI_STATES = std::string(NMCLI) + " " + NMCLI_DEVICE_STATES;
const std::string NMCLI_ADD =
    std::string(NMCLI) + " device modify eth1 +ipv4.addresses 10.8.0.2/24";
const std::string NMCLI_REMOVE =
    std::string(NMCLI) + " device modify eth1 -ipv4.addresses 10.8.0.2/24";
const std::string HELPER_ADD = std::string(PKEXEC) + " " + HELPER + " add eth1 10.8.0.2/24";
const std::string HELPER_REMOVE = std::string(PKEXEC) + " " + HELPER + " remove eth1 10.8.0.2/24";
const Addresses WITHOUT = {{"192.168.0.7", 24, false}};
const Addresses WITH = {{"192.168.0.7", 24, false}, {"10.8.0.2", 24, false}};

// Hands the commands to a scripted runner that outlives it: the in-process changer drops the
// runner it was given.
class ForwardingRunner : public CommandRunner {
public:
    explicit ForwardingRunner(test::FakeCommandRunner& target) : m_target(target) {}
    std::string RunCommand(const std::string& program, const std::string& arguments) override {
        return m_target.RunCommand(program, arguments);
    }

private:
    test::FakeCommandRunner& m_target;
};

// The cable kind's adaptation on eth1 over scripted addresses and a scripted runner, as
// MakeHostAdaptation puts it together.
struct ScriptedCable {
    ScriptedCable(const CableTools& tools, const std::string& deviceStates) {
        auto addresses = std::make_unique<test::FakeInterfaceAddresses>(steps);
        pAddresses = addresses.get();
        runner.Queue(NMCLI_STATES, deviceStates);
        adaptation = std::make_unique<BackendHostAdaptation>(std::make_unique<NetlinkBackend>(
            "eth1",
            MakeCableAddresses("eth1", tools, std::move(addresses),
                               std::make_unique<ForwardingRunner>(runner)),
            std::make_unique<test::FakeCommandRunner>(), ""));
    }
    Lines steps;
    test::FakeInterfaceAddresses* pAddresses = nullptr;
    test::FakeCommandRunner runner;
    std::unique_ptr<BackendHostAdaptation> adaptation;
    HostAddressState state;
    test::FakeOperationUi ui;
};

TEST(CableAddresses, ChangerIsChosenAndAddsAndRemovesTheAddress) {
    const CableTools everything{NMCLI, PKEXEC, HELPER, false};
    const struct {
        const char* name;
        CableTools tools;
        const char* deviceStates;
        Lines commandLines;  // after the states were asked, if they were
        Lines steps;         // on the adapter's addresses
    } rows[] = {
        {"NetworkManager manages eth1",
         everything,
         "lo:unmanaged\neth1:connected\n",
         {NMCLI_STATES, NMCLI_ADD, NMCLI_REMOVE},
         {"list", "list", "list"}},
        {"managed even when disconnected",
         everything,
         "eth1:disconnected\n",
         {NMCLI_STATES, NMCLI_ADD, NMCLI_REMOVE},
         {"list", "list", "list"}},
        {"unmanaged: the helper",
         everything,
         "eth1:unmanaged\neth10:connected\n",
         {NMCLI_STATES, HELPER_ADD, HELPER_REMOVE},
         {"list", "list", "list"}},
        {"no NetworkManager: the helper",
         {"", PKEXEC, HELPER, false},
         "",
         {HELPER_ADD, HELPER_REMOVE},
         {"list", "list", "list"}},
        {"the right: in-process",
         {NMCLI, PKEXEC, HELPER, true},
         "eth1:unmanaged\n",
         {NMCLI_STATES},
         {"list", "add 10.8.0.2/24", "remove 10.8.0.2/24"}},
        {"no helper installed: in-process",
         {NMCLI, PKEXEC, "", false},
         "",
         {NMCLI_STATES},
         {"list", "add 10.8.0.2/24", "remove 10.8.0.2/24"}},
        {"no pkexec: in-process",
         {"", "", HELPER, false},
         "",
         {},
         {"list", "add 10.8.0.2/24", "remove 10.8.0.2/24"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedCable cable(row.tools, row.deviceStates);
        cable.pAddresses->QueueListing(WITHOUT);  // the look before adding
        if (row.steps[1] == "list") {
            // The program's change, judged by the addresses afterwards; the kernel's own
            // acknowledgement needs no look.
            cable.pAddresses->QueueListing(WITH);     // after the add
            cable.pAddresses->QueueListing(WITHOUT);  // after the removal
        } else {
            cable.pAddresses->QueueAdd(0);
        }
        ASSERT_EQ(cable.adaptation->AdaptHostAddress(cable.state, &cable.ui), 0);
        EXPECT_TRUE(cable.state.m_bAddressAdded);
        cable.adaptation->RestoreHostAddress(cable.state, &cable.ui);
        EXPECT_FALSE(cable.state.m_bAddressAdded);
        EXPECT_EQ(cable.runner.CommandLines(), row.commandLines);
        EXPECT_EQ(cable.steps, row.steps);
        EXPECT_EQ(cable.ui.StatusTexts(), (Lines{TEXT_RESTORING}));
    }
}

TEST(CableAddresses, EachChangerSaysWhyItFailed) {
    const CableTools helperOnly{"", PKEXEC, HELPER, false};
    const struct {
        const char* name;
        CableTools tools;
        const char* deviceStates;
        std::string refusedCommand;  // with its output; empty: in-process
        const char* output;
        Lines statusTexts;
    } rows[] = {
        {"nmcli on a device without connection",
         {NMCLI, PKEXEC, HELPER, false},
         "eth1:disconnected\n",
         NMCLI_ADD,
         "Error: Reapplying connection to device 'eth1' failed: Device is not activated\n",
         {TEXT_ADAPT_ERROR,
          "Error: Reapplying connection to device 'eth1' failed: Device is not activated"}},
        {"pkexec refused",
         helperOnly,
         "",
         HELPER_ADD,
         "Error executing command as another user: Not authorized\n\nThis incident has been "
         "reported.\n",
         {TEXT_ADAPT_ERROR, "Error executing command as another user: Not authorized"}},
        {"helper silent",
         helperOnly,
         "",
         HELPER_ADD,
         "",
         {TEXT_ADAPT_ERROR, "/usr/bin/pkexec: no answer"}},
        {"no right in-process",
         {"", "", "", false},
         "",
         "",
         "",
         {TEXT_ADAPT_ERROR,
          "sin permiso para cambiar las direcciones de eth1 (hace falta "
          "NetworkManager, somvixmn-cable-address o root)"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedCable cable(row.tools, row.deviceStates);
        cable.runner.Queue(row.refusedCommand, row.output);
        cable.pAddresses->QueueAdd(EPERM);
        cable.pAddresses->QueueListing(WITHOUT);
        cable.pAddresses->QueueListing(WITHOUT);
        cable.pAddresses->QueueListing(WITHOUT);
        EXPECT_EQ(cable.adaptation->AdaptHostAddress(cable.state, &cable.ui), -1);
        EXPECT_EQ(cable.ui.StatusTexts(), row.statusTexts);
        EXPECT_FALSE(cable.state.m_bAddressAdded);
    }

    // A removal the helper could not make is reported, and tried again later.
    ScriptedCable cable(helperOnly, "");
    cable.state.m_bAddressAdded = true;
    cable.runner.Queue(HELPER_REMOVE,
                       "Error executing command as another user: Request dismissed\n");
    cable.pAddresses->QueueListing(WITH);
    cable.adaptation->RestoreHostAddress(cable.state, &cable.ui);
    EXPECT_TRUE(cable.state.m_bAddressAdded);
    EXPECT_EQ(cable.ui.StatusTexts(), (Lines{TEXT_RESTORING, TEXT_RESTORE_ERROR,
                                             "Error executing command as another user: Request "
                                             "dismissed"}));
}

TEST(CableAddressHelper, AcceptsOnlyOurAddressOnAWiredAdapter) {
    test::TempDir adapters;
    const auto addAdapter = [&](const std::string& name, const char* type, bool device,
                                bool wireless) {
        std::filesystem::create_directories(adapters.Path() / name);
        test::WriteFileBytes(adapters.Path() / name / "type", std::string(type) + "\n");
        if (device) {
            std::filesystem::create_directories(adapters.Path() / name / "device");
        }
        if (wireless) {
            std::filesystem::create_directories(adapters.Path() / name / "wireless");
        }
    };
    addAdapter("eth1", "1", true, false);
    addAdapter("wlan0", "1", true, true);
    addAdapter("veth0", "1", false, false);
    addAdapter("lo", "772", false, false);
    const struct {
        Lines arguments;
        HelperCheck check;
    } rows[] = {
        {{"add", "eth1", "10.8.0.2/24"}, HelperCheck::Ok},
        {{"remove", "eth1", "10.8.0.2/24"}, HelperCheck::Ok},
        {{"add", "eth1"}, HelperCheck::Usage},
        {{"add", "eth1", "10.8.0.2/24", "extra"}, HelperCheck::Usage},
        {{"flush", "eth1", "10.8.0.2/24"}, HelperCheck::Usage},
        {{"ADD", "eth1", "10.8.0.2/24"}, HelperCheck::Usage},
        {{"add", "eth1", "10.8.0.2/16"}, HelperCheck::WrongAddress},
        {{"add", "eth1", "10.8.0.1/24"}, HelperCheck::WrongAddress},
        {{"add", "eth1", "10.8.0.2"}, HelperCheck::WrongAddress},
        {{"add", "eth9", "10.8.0.2/24"}, HelperCheck::NoSuchAdapter},
        {{"add", "../eth1", "10.8.0.2/24"}, HelperCheck::NoSuchAdapter},
        {{"add", "..", "10.8.0.2/24"}, HelperCheck::NoSuchAdapter},
        {{"add", "", "10.8.0.2/24"}, HelperCheck::NoSuchAdapter},
        {{"add", "wlan0", "10.8.0.2/24"}, HelperCheck::NotWired},
        {{"add", "veth0", "10.8.0.2/24"}, HelperCheck::NotWired},
        {{"remove", "lo", "10.8.0.2/24"}, HelperCheck::NotWired},
    };
    for (const auto& row : rows) {
        HelperRequest request;
        const std::string trace = ::testing::PrintToString(row.arguments);
        EXPECT_EQ(CheckHelperArguments(row.arguments, adapters.Path(), request), row.check)
            << trace;
        if (row.check == HelperCheck::Ok) {
            EXPECT_EQ(request.m_strInterface, "eth1");
            EXPECT_EQ(request.m_action,
                      row.arguments[0] == "add" ? HelperAction::Add : HelperAction::Remove);
        }
    }
}

}  // namespace
}  // namespace somvix
