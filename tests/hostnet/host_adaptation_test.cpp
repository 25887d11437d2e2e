#include <gtest/gtest.h>

#include <functional>

#include "hostnet/backend_host_adaptation.h"
#include "hostnet/fake_command_runner.h"
#include "hostnet/fake_interface_addresses.h"
#include "hostnet/netlink_backend.h"
#include "hostnet/netsh_backend.h"
#include "shared/language.h"
#include "support/fake_operation_ui.h"

namespace somvix {
namespace {

using Lines = std::vector<std::string>;
using Addresses = std::vector<InterfaceAddress>;

// What one look at the adapters finds.
enum class Found {
    Plain,    // a fixed address elsewhere, no DHCP
    Dhcp,     // an address held by a DHCP client
    Present,  // 10.8.0.2 already there
};

// One backend over its scripted lower layer: the answers it will get there and the steps it
// takes, one line each.
class ScriptedBackend {
public:
    virtual ~ScriptedBackend() = default;
    virtual std::unique_ptr<HostAddressBackend> TakeBackend() = 0;
    virtual void QueueLook(Found found) = 0;
    // The next add works or not, and what the system shows of it.
    virtual void QueueAdd(bool works) = 0;
    // The next removal leaves the address in place.
    virtual void QueueRemovalRefused() = 0;
    virtual const Lines& Steps() const = 0;
    virtual void ClearSteps() = 0;
};

constexpr const char* NETSH_DUMP = "netsh -c interface dump";
constexpr const char* NETSH_ADD =
    "netsh interface ip add address \"Conexi\xC3\xB3n de \xC3\xA1rea local\" 10.8.0.2 "
    "255.255.255.0";
constexpr const char* NETSH_REMOVE =
    "netsh interface ip delete address \"Conexi\xC3\xB3n de \xC3\xA1rea local\" 10.8.0.2";

class ScriptedNetsh : public ScriptedBackend {
public:
    // addTellsStatus: an add that works ends with status 0 (else its status says nothing).
    explicit ScriptedNetsh(bool addTellsStatus) : m_bAddTellsStatus(addTellsStatus) {
        auto runner = std::make_unique<test::FakeCommandRunner>();
        m_pRunner = runner.get();
        m_pBackend = std::make_unique<NetshBackend>(std::move(runner));
    }
    std::unique_ptr<HostAddressBackend> TakeBackend() override { return std::move(m_pBackend); }
    void QueueLook(Found found) override {
        const char* const dumps[] = {
            "set address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" source = static "
            "addr = 192.168.0.7 mask = 255.255.255.0\n",
            "set address name = \"Wireless\" source = dhcp\n"
            "set address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" source = static "
            "addr = 192.168.0.7 mask = 255.255.255.0\n",
            "set address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" source = static "
            "addr = 10.8.0.2 mask = 255.255.255.0\n",
        };
        m_pRunner->Queue(NETSH_DUMP, dumps[static_cast<int>(found)]);
    }
    void QueueAdd(bool works) override {
        // The add's own output is not looked at; the dump after it shows the address in another
        // form than "addr = ".
        if (works && m_bAddTellsStatus) {
            m_pRunner->Queue(NETSH_ADD, "", true);
        } else if (works) {
            m_pRunner->Queue(NETSH_DUMP,
                             "add address name = \"Conexi\xC3\xB3n de \xC3\xA1rea local\" "
                             "addr=10.8.0.2\n");
        } else {
            QueueLook(Found::Plain);
        }
    }
    void QueueRemovalRefused() override {
        m_pRunner->Queue(NETSH_REMOVE, "Error: 10.8.0.2 is in use\n");
    }
    const Lines& Steps() const override { return m_pRunner->CommandLines(); }
    void ClearSteps() override { m_pRunner->ClearCommandLines(); }

private:
    bool m_bAddTellsStatus;
    test::FakeCommandRunner* m_pRunner = nullptr;
    std::unique_ptr<NetshBackend> m_pBackend;
};

// Notes the command lines it is asked to run among the other steps.
class StepRunner : public CommandRunner {
public:
    explicit StepRunner(Lines& steps) : m_steps(steps) {}
    std::string RunCommand(const std::string& program, const std::string& arguments) override {
        m_steps.push_back(JoinCommandLine(program, arguments));
        return {};
    }

private:
    Lines& m_steps;
};

class ScriptedNetlink : public ScriptedBackend {
public:
    ScriptedNetlink() {
        auto addresses = std::make_unique<test::FakeInterfaceAddresses>(m_steps);
        m_pAddresses = addresses.get();
        m_pBackend = std::make_unique<NetlinkBackend>("enp3s0", std::move(addresses),
                                                      std::make_unique<StepRunner>(m_steps),
                                                      "/usr/bin/networkctl");
    }
    std::unique_ptr<HostAddressBackend> TakeBackend() override { return std::move(m_pBackend); }
    void QueueLook(Found found) override {
        const InterfaceAddress fixed{"192.168.0.7", 24, false};
        const InterfaceAddress ours{"10.8.0.2", 24, false};
        const Addresses listings[] = {{fixed}, {{"192.168.0.7", 24, true}}, {ours}};
        m_pAddresses->QueueListing(listings[static_cast<int>(found)]);
    }
    void QueueAdd(bool works) override {
        m_pAddresses->QueueAdd(works ? 0 : EPERM);
        if (!works) {
            QueueLook(Found::Plain);
        }
    }
    void QueueRemovalRefused() override { m_pAddresses->QueueRemoval(EPERM); }
    const Lines& Steps() const override { return m_steps; }
    void ClearSteps() override { m_steps.clear(); }

private:
    Lines m_steps;
    test::FakeInterfaceAddresses* m_pAddresses = nullptr;
    std::unique_ptr<NetlinkBackend> m_pBackend;
};

// One platform's backend with the steps it takes on a Spanish system.
struct Backend {
    const char* name;
    std::function<std::unique_ptr<ScriptedBackend>()> makeScripted;
    std::string lookStep;
    std::string renewStep;
    std::string addStep;
    std::string removeStep;
    bool addConfirmsItself;  // no second look after an add that worked
};

const Backend NETSH{
    "Netsh",    [] { return std::make_unique<ScriptedNetsh>(true); },
    NETSH_DUMP, "ipconfig /renew",
    NETSH_ADD,  NETSH_REMOVE,
    true,
};

// An add that worked but whose status says nothing: a second dump shows the address.
const Backend NETSH_WITHOUT_STATUS{
    "NetshWithoutStatus",
    [] { return std::make_unique<ScriptedNetsh>(false); },
    NETSH_DUMP,
    "ipconfig /renew",
    NETSH_ADD,
    NETSH_REMOVE,
    false,
};

const Backend NETLINK{
    "Netlink",
    [] { return std::make_unique<ScriptedNetlink>(); },
    "list",
    "/usr/bin/networkctl renew enp3s0",
    "add 10.8.0.2/24",
    "remove 10.8.0.2/24",
    true,
};

// Test names show the backend's name, not its bytes.
void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

class HostAdaptationTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        m_pScripted = GetParam().makeScripted();
        m_adaptation = std::make_unique<BackendHostAdaptation>(m_pScripted->TakeBackend());
        m_state.m_language = Language::Spanish;
        m_state.m_strDeviceAddress = "earlier";
    }

    const Backend& B() const { return GetParam(); }
    const Lines& Steps() const { return m_pScripted->Steps(); }
    int Adapt() { return m_adaptation->AdaptHostAddress(m_state, &m_ui); }
    void Restore() { m_adaptation->RestoreHostAddress(m_state, &m_ui); }
    // The steps of an add that worked.
    Lines AddedSteps() const {
        return B().addConfirmsItself ? Lines{B().addStep} : Lines{B().addStep, B().lookStep};
    }
    // Adds the address successfully and forgets the steps that took.
    void AdaptByAdding() {
        m_pScripted->QueueLook(Found::Plain);
        m_pScripted->QueueAdd(true);
        ASSERT_EQ(Adapt(), 0);
        ASSERT_TRUE(m_state.m_bAddressAdded);
        m_pScripted->ClearSteps();
    }

    std::unique_ptr<ScriptedBackend> m_pScripted;
    std::unique_ptr<BackendHostAdaptation> m_adaptation;
    HostAddressState m_state;
    test::FakeOperationUi m_ui;
};

TEST_P(HostAdaptationTest, LanRunsNothingAndAimsAtTheHostName) {
    m_state.m_connectionKind = ConnectionKind::Lan;
    m_state.m_strHostName = "monitor-3.example";
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_state.m_strDeviceAddress, "monitor-3.example");
    m_state.m_strHostName.clear();
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(m_state.m_strDeviceAddress, "");  // an empty name is taken as it is
    EXPECT_TRUE(Steps().empty());
    EXPECT_TRUE(m_ui.Calls().empty());
}

TEST_P(HostAdaptationTest, DhcpOnlyRenewsAndNothingIsRemovedLater) {
    m_pScripted->QueueLook(Found::Dhcp);
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(Steps(), (Lines{B().lookStep, B().renewStep}));
    EXPECT_EQ(m_state.m_strDeviceAddress, "10.8.0.1");
    EXPECT_FALSE(m_state.m_bAddressAdded);
    Restore();
    EXPECT_EQ(Steps().size(), 2u);
    EXPECT_TRUE(m_ui.Calls().empty());
}

TEST_P(HostAdaptationTest, AddressAlreadyThereIsReusedAndNeverRemoved) {
    m_pScripted->QueueLook(Found::Present);
    EXPECT_EQ(Adapt(), 0);
    EXPECT_EQ(Steps(), (Lines{B().lookStep}));
    EXPECT_EQ(m_state.m_strDeviceAddress, "10.8.0.1");
    EXPECT_FALSE(m_state.m_bAddressAdded);
    Restore();
    EXPECT_EQ(Steps().size(), 1u);
}

TEST_P(HostAdaptationTest, AddedAddressIsRemovedAtTheEnd) {
    m_pScripted->QueueLook(Found::Plain);
    m_pScripted->QueueAdd(true);
    EXPECT_EQ(Adapt(), 0);
    Lines expected = AddedSteps();
    expected.insert(expected.begin(), B().lookStep);
    EXPECT_EQ(Steps(), expected);
    EXPECT_TRUE(m_state.m_bAddressAdded);
    EXPECT_EQ(m_state.m_strDeviceAddress, "10.8.0.1");
    EXPECT_TRUE(m_ui.Calls().empty());

    Restore();
    EXPECT_EQ(Steps().back(), B().removeStep);
    EXPECT_FALSE(m_state.m_bAddressAdded);
    EXPECT_EQ(m_ui.StatusTexts(), (Lines{"Restaurando configuración de red ..."}));
    Restore();  // nothing left to remove
    EXPECT_EQ(Steps().size(), expected.size() + 1);
}

TEST_P(HostAdaptationTest, FailedAddReportsAndLeavesTheStateAlone) {
    m_pScripted->QueueLook(Found::Plain);
    m_pScripted->QueueAdd(false);
    EXPECT_EQ(Adapt(), -1);
    EXPECT_EQ(Steps(), (Lines{B().lookStep, B().addStep, B().lookStep}));
    // The backend may add what refused the add after it.
    ASSERT_FALSE(m_ui.StatusTexts().empty());
    EXPECT_EQ(m_ui.StatusTexts()[0], "ERROR adaptando configuración de red");
    EXPECT_EQ(m_adaptation->FailureText().rfind("no se pudo añadir la dirección 10.8.0.2", 0), 0u);
    EXPECT_EQ(m_state.m_strDeviceAddress, "earlier");
    EXPECT_FALSE(m_state.m_bAddressAdded);
}

TEST_P(HostAdaptationTest, AdapterThatCannotBeReadLeadsToTheAddAndItsError) {
    // Nothing queued: every look fails and shows nothing, and the add finds no adapter.
    EXPECT_EQ(Adapt(), -1);
    EXPECT_EQ(Steps(), (Lines{B().lookStep, B().addStep, B().lookStep}));
    ASSERT_FALSE(m_ui.StatusTexts().empty());
    EXPECT_EQ(m_ui.StatusTexts()[0], "ERROR adaptando configuración de red");
}

TEST_P(HostAdaptationTest, FailedRemovalIsRetriedAfterTheNextOperation) {
    AdaptByAdding();
    m_pScripted->QueueRemovalRefused();
    Restore();
    EXPECT_TRUE(m_state.m_bAddressAdded);
    // The backend may add what refused the removal after these.
    const Lines texts = m_ui.StatusTexts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(
        Lines(texts.begin(), texts.begin() + 2),
        (Lines{"Restaurando configuración de red ...", "ERROR restaurando configuración de red"}));

    // The next operation finds the address, reuses it and removes it at its end.
    m_pScripted->ClearSteps();
    m_pScripted->QueueLook(Found::Present);
    EXPECT_EQ(Adapt(), 0);
    EXPECT_TRUE(m_state.m_bAddressAdded);
    Restore();
    EXPECT_EQ(Steps(), (Lines{B().lookStep, B().removeStep}));
    EXPECT_FALSE(m_state.m_bAddressAdded);
}

TEST_P(HostAdaptationTest, WithoutStatusWindowEverythingElseHappens) {
    m_pScripted->QueueLook(Found::Plain);
    EXPECT_EQ(m_adaptation->AdaptHostAddress(m_state, nullptr), -1);
    AdaptByAdding();
    m_pScripted->QueueRemovalRefused();
    m_adaptation->RestoreHostAddress(m_state, nullptr);
    EXPECT_EQ(Steps(), (Lines{B().removeStep}));
    EXPECT_TRUE(m_state.m_bAddressAdded);
    m_adaptation->RestoreHostAddress(m_state, nullptr);
    EXPECT_FALSE(m_state.m_bAddressAdded);
}

INSTANTIATE_TEST_SUITE_P(Backends, HostAdaptationTest,
                         ::testing::Values(NETSH, NETSH_WITHOUT_STATUS, NETLINK),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace somvix
