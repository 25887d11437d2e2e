#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "hostnet/connection_kinds.h"
#include "hostnet/host_address_state.h"
#include "hostnet/wired_adapter.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

namespace fs = std::filesystem;

class FindWiredAdapterTest : public ::testing::Test {
protected:
    // An adapter as the kernel lists it; physical ones have a device behind them.
    void AddAdapter(const std::string& name, const std::string& type, const std::string& state,
                    bool physical, bool wireless = false) {
        const fs::path folder = m_folder.Path() / name;
        fs::create_directories(folder);
        test::WriteFileBytes(folder / "type", type + "\n");
        test::WriteFileBytes(folder / "operstate", state + "\n");
        if (physical) {
            fs::create_directories(folder / "device");
        }
        if (wireless) {
            fs::create_directories(folder / "wireless");
        }
    }

    test::TempDir m_folder;
};

TEST_F(FindWiredAdapterTest, TakesTheFirstPhysicalEthernetAdapterThatIsUp) {
    AddAdapter("lo", "772", "unknown", false);
    AddAdapter("veth0", "1", "up", false);        // virtual, as a test's link
    AddAdapter("eno1", "1", "down", true);        // no cable
    AddAdapter("wlp2s0", "1", "up", true, true);  // wireless
    AddAdapter("ib0", "32", "up", true);          // not Ethernet
    EXPECT_EQ(FindWiredAdapter(m_folder.Path()), "");
    AddAdapter("enp4s0", "1", "up", true);
    AddAdapter("enp3s0", "1", "up", true);
    EXPECT_EQ(FindWiredAdapter(m_folder.Path()), "enp3s0");
}

TEST_F(FindWiredAdapterTest, MissingFolderGivesNone) {
    EXPECT_EQ(FindWiredAdapter(m_folder.Path() / "absent"), "");
}

TEST(ChooseWiredAdapter, NamedBeforeEnvironment) {
    ::setenv(INTERFACE_VARIABLE, "veth-env", 1);
    EXPECT_EQ(ChooseWiredAdapter("veth-named"), "veth-named");
    EXPECT_EQ(ChooseWiredAdapter(""), "veth-env");
    EXPECT_EQ(ChooseWiredAdapter("veth named"), "");
    ::setenv(INTERFACE_VARIABLE, "eth0 extra", 1);
    EXPECT_EQ(ChooseWiredAdapter(""), "");
    ::unsetenv(INTERFACE_VARIABLE);
}

TEST(IsValidInterfaceName, KeepsTheNameOneItemOfTheCommandLine) {
    EXPECT_TRUE(IsValidInterfaceName("enp3s0"));
    EXPECT_TRUE(IsValidInterfaceName("veth-a.1@x"));
    EXPECT_TRUE(IsValidInterfaceName(std::string(15, 'e')));
    EXPECT_FALSE(IsValidInterfaceName(std::string(16, 'e')));
    EXPECT_FALSE(IsValidInterfaceName(""));
    for (const char* name : {"a b", "a\"b", "a\\b", "a/b", "a\tb"}) {
        EXPECT_FALSE(IsValidInterfaceName(name)) << name;
    }
}

TEST(ConnectionKinds, TextsAtTheKindsPositions) {
    const struct {
        int index;
        std::optional<ConnectionKind> kind;
        const char* text;
    } rows[] = {{0, ConnectionKind::Cable, "Cable cruzado Ethernet"},
                {1, ConnectionKind::Lan, "LAN"},
                {-1, std::nullopt, nullptr},
                {2, std::nullopt, nullptr}};
    ASSERT_EQ(g_connectionKinds.size(), 2u);
    for (const auto& row : rows) {
        EXPECT_EQ(ConnectionKindAt(row.index), row.kind) << row.index;
        if (row.kind) {
            EXPECT_EQ(ConnectionKindIndex(*row.kind), row.index);
            EXPECT_EQ(g_connectionKinds[row.index], row.text);
        }
    }
}

}  // namespace
}  // namespace somvix
