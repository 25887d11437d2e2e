#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <functional>

#include "hostnet/backend_host_adaptation.h"
#include "hostnet/make_host_adaptation.h"
#include "hostnet/netns_lab.h"
#include "support/fake_operation_ui.h"

namespace somvix {
namespace {

using test::NetnsLab;

// Runs the work inside the namespace. When withoutNetworkAdmin is set, the thread and what it
// starts lose the network-admin right first, as an ordinary user's program would lack it.
bool RunInNamespace(const std::string& nameSpace, bool withoutNetworkAdmin,
                    const std::function<void()>& work) {
    bool ready = false;
    const bool entered = NetnsLab::RunInNamespace(nameSpace, [&] {
        ready = true;
        if (withoutNetworkAdmin) {
            // Out of the bounding set, so that even root's children do not get it back, and out
            // of this thread's own sets, so that it is not passed on.
            __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
            __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
            const unsigned bit = 1u << CAP_NET_ADMIN;
            ready = ::prctl(PR_CAPBSET_DROP, CAP_NET_ADMIN, 0, 0, 0) == 0 &&
                    ::syscall(SYS_capget, &header, data) == 0;
            data[0].effective &= ~bit;
            data[0].permitted &= ~bit;
            data[0].inheritable &= ~bit;
            ready = ready && ::syscall(SYS_capset, &header, data) == 0;
        }
        if (ready) {
            work();
        }
    });
    return entered && ready;
}

class NetnsAdaptationTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        m_lab = NetnsLab::Make(whyNot);
        if (m_lab == nullptr) {
            GTEST_SKIP() << "skipped: " << whyNot;
        }
        m_state.m_connectionKind = ConnectionKind::Cable;
    }

    // The program's own adaptation, aimed at the PC's end of the lab.
    std::unique_ptr<HostAdaptation> MakeAdaptation() const {
        return MakeHostAdaptation(m_lab->PcInterface());
    }

    std::unique_ptr<NetnsLab> m_lab;
    HostAddressState m_state;
    test::FakeOperationUi m_ui;
};

TEST_F(NetnsAdaptationTest, AddsTheAddressForTheOperationAndRemovesItAfterwards) {
    std::string during;
    ASSERT_TRUE(RunInNamespace(m_lab->PcNamespace(), false, [&] {
        const std::unique_ptr<HostAdaptation> adaptation = MakeAdaptation();
        EXPECT_EQ(adaptation->AdaptHostAddress(m_state, &m_ui), 0);
        during = m_lab->PcAddresses();
        adaptation->RestoreHostAddress(m_state, &m_ui);
    }));
    EXPECT_NE(during.find("inet 10.8.0.2/24"), std::string::npos) << during;
    EXPECT_EQ(m_state.m_strDeviceAddress, "10.8.0.1");
    EXPECT_FALSE(m_state.m_bAddressAdded);
    EXPECT_EQ(m_lab->PcAddresses().find("10.8.0.2"), std::string::npos);
    EXPECT_EQ(m_ui.StatusTexts(), (std::vector<std::string>{TEXT_RESTORING}));
}

TEST_F(NetnsAdaptationTest, AddressThatWasThereStaysThere) {
    ASSERT_EQ(
        NetnsLab::Ip(m_lab->PcNamespace(), "addr add 10.8.0.2/24 dev " + m_lab->PcInterface()), "");
    ASSERT_TRUE(RunInNamespace(m_lab->PcNamespace(), false, [&] {
        const std::unique_ptr<HostAdaptation> adaptation = MakeAdaptation();
        EXPECT_EQ(adaptation->AdaptHostAddress(m_state, &m_ui), 0);
        adaptation->RestoreHostAddress(m_state, &m_ui);
    }));
    EXPECT_FALSE(m_state.m_bAddressAdded);
    EXPECT_NE(m_lab->PcAddresses().find("inet 10.8.0.2/24"), std::string::npos);
    EXPECT_TRUE(m_ui.Calls().empty());
}

TEST_F(NetnsAdaptationTest, WithoutTheNetworkAdminRightTheAddFails) {
    int result = 0;
    ASSERT_TRUE(RunInNamespace(m_lab->PcNamespace(), true, [&] {
        result = MakeAdaptation()->AdaptHostAddress(m_state, &m_ui);
    }));
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(m_state.m_bAddressAdded);
    // The error, then what refused the change (the kernel here; where NetworkManager or the
    // installed helper is found, their words).
    const std::vector<std::string> texts = m_ui.StatusTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], TEXT_ADAPT_ERROR);
    EXPECT_FALSE(texts[1].empty());
    EXPECT_EQ(m_lab->PcAddresses().find("10.8.0.2"), std::string::npos);
}

TEST(NetnsLab, LeavesNoNamespaceBehind) {
    std::string whyNot;
    std::unique_ptr<NetnsLab> lab = NetnsLab::Make(whyNot);
    if (lab == nullptr) {
        GTEST_SKIP() << "skipped: " << whyNot;
    }
    const std::string monitor = lab->MonitorNamespace();
    const std::string pc = lab->PcNamespace();
    EXPECT_TRUE(NetnsLab::NamespaceExists(monitor));
    EXPECT_NE(NetnsLab::Ip(monitor, "-4 addr show").find("inet 10.8.0.1/24"), std::string::npos);
    lab.reset();
    EXPECT_FALSE(NetnsLab::NamespaceExists(monitor));
    EXPECT_FALSE(NetnsLab::NamespaceExists(pc));
}

}  // namespace
}  // namespace somvix
