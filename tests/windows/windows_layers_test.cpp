#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "about/version_info.h"
#include "device/device_connection.h"
#include "hostnet/backend_host_adaptation.h"
#include "hostnet/command_runner.h"
#include "hostnet/host_address_state.h"
#include "hostnet/netsh_backend.h"
#include "shared/language.h"
#include "shared/program_dir.h"
#include "support/temp_dir.h"
#include "transfer/folded_names.h"

namespace somvix {
namespace {

using namespace std::chrono_literals;

// The simulated monitor that scripts/test --windows starts natively on 127.0.0.1 before the
// tests, with --name SOMVIXWINE.
std::optional<std::uint16_t> MonitorPort() {
    const char* port = std::getenv("SOMVIX_MONITOR_PORT");
    if (port == nullptr) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(std::atoi(port));
}

TEST(WindowsCommandRunner, CollectsWhatRealChildrenWrite) {
    const std::string longLine(250, 'x');  // three reads of 100 bytes and one of 50
    const struct {
        const char* name;
        std::string program;
        std::string arguments;
        std::string output;
    } rows[] = {
        {"one line", "cmd", "/c echo hola", "hola\r\n"},
        {"longer than one read", "cmd", "/c echo " + longLine, longLine + "\r\n"},
        {"standard error joined", "cmd", "/c echo fallo 1>&2", "fallo \r\n"},
        {"both, in order", "cmd", "/c echo uno& echo dos 1>&2& echo tres",
         "uno\r\ndos \r\ntres\r\n"},
        {"no such program", "somvix-no-such-program", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RunCommand(row.program, row.arguments), row.output) << row.name;
    }
}

TEST(WindowsCommandRunner, EndsAChildThatKeepsItsOutputOpenAndClosesEveryHandle) {
    DWORD handlesBefore = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &handlesBefore));
    // A step of 0 never reaches the end: the loop runs until the child is ended.
    EXPECT_EQ(RunCommand("cmd", "/c echo antes& for /l %i in (1,0,2) do @rem", 2000ms),
              "antes\r\n");
    for (int run = 0; run < 10; ++run) {
        RunCommand("cmd", "/c echo x");
    }
    DWORD handlesAfter = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &handlesAfter));
    EXPECT_EQ(handlesAfter, handlesBefore);
}

TEST(WindowsCommandRunner, TellsWhetherTheChildExitedWithStatusZero) {
    const struct {
        const char* arguments;
        bool succeeded;
    } rows[] = {{"/c exit 0", true}, {"/c exit 3", false}};
    for (const auto& row : rows) {
        EXPECT_EQ(SystemCommandRunner().RunCommandChecked("cmd", row.arguments).m_bSucceeded,
                  row.succeeded)
            << row.arguments;
    }
    EXPECT_FALSE(
        SystemCommandRunner().RunCommandChecked("somvix-no-such-program", "").m_bSucceeded);
}

// The system's runner, noting each command line it is given.
class NotingRunner : public CommandRunner {
public:
    std::string RunCommand(const std::string& program, const std::string& arguments) override {
        return RunCommandChecked(program, arguments).m_strOutput;
    }
    CommandResult RunCommandChecked(const std::string& program,
                                    const std::string& arguments) override {
        m_commandLines.push_back(JoinCommandLine(program, arguments));
        return m_runner.RunCommandChecked(program, arguments);
    }
    std::vector<std::string> m_commandLines;

private:
    SystemCommandRunner m_runner{10000ms};
};

TEST(WindowsCommandRunner, RunsTheSystemsNetshForTheCableKind) {
    // Wine's netsh prints no interface dump and ends the add with status 0 (adding nothing): the
    // adaptation adds on the Spanish adapter after one dump, takes the add as done on its status
    // and removes the address at the end.
    auto runner = std::make_unique<NotingRunner>();
    NotingRunner& noted = *runner;
    BackendHostAdaptation adaptation(std::make_unique<NetshBackend>(std::move(runner)));
    HostAddressState state;
    state.m_language = Language::Other;
    EXPECT_EQ(adaptation.AdaptHostAddress(state, nullptr), 0);
    EXPECT_TRUE(state.m_bAddressAdded);
    adaptation.RestoreHostAddress(state, nullptr);
    EXPECT_FALSE(state.m_bAddressAdded);
    const std::string adapter = "\"Conexi\xC3\xB3n de \xC3\xA1rea local\" 10.8.0.2";
    EXPECT_EQ(
        noted.m_commandLines,
        (std::vector<std::string>{"netsh -c interface dump",
                                  "netsh interface ip add address " + adapter + " 255.255.255.0",
                                  "netsh interface ip delete address " + adapter}));
}

TEST(WindowsLanguage, ComesFromTheRegistryValue) {
    const std::string key = "\"HKCU\\Control Panel\\International\" /v sLanguage";
    const struct {
        const char* value;  // nullptr: no value
        Language language;
    } rows[] = {{"ESN", Language::Spanish},
                {"ENU", Language::English},
                {"DEU", Language::Other},
                {nullptr, Language::Other}};
    const std::optional<std::string> saved = ReadRegionalLanguageText();
    for (const auto& row : rows) {
        if (row.value != nullptr) {
            RunCommand("reg", "add " + key + " /t REG_SZ /d " + row.value + " /f");
            EXPECT_EQ(ReadRegionalLanguageText(), row.value);
        } else {
            RunCommand("reg", "delete " + key + " /f");
            EXPECT_EQ(ReadRegionalLanguageText(), std::nullopt);
        }
        EXPECT_EQ(DetectLanguage(), row.language) << (row.value ? row.value : "no value");
    }
    if (saved) {
        RunCommand("reg", "add " + key + " /t REG_SZ /d " + *saved + " /f");
    }
}

TEST(WindowsProgramFolder, IsWhereTheExeIsAndTheUserFolderMayBeNonAscii) {
    EXPECT_TRUE(std::filesystem::equivalent(
        ProgramFilePath(), std::filesystem::path(SOMVIX_BIN_DIR) / "test_windows.exe"));
    // A build folder is writable: the program keeps its files beside itself.
    EXPECT_EQ(DataDirectory().path, ProgramDirectory());

    test::TempDir home;
    const std::filesystem::path user = home.Path() / L"Mu\u00f1oz";
    const struct {
        std::wstring value;
        std::optional<std::filesystem::path> folder;
    } rows[] = {
        {user.wstring(), user / "somvixmn"}, {L"relativo", std::nullopt}, {L"", std::nullopt}};
    for (const auto& row : rows) {
        ASSERT_EQ(_wputenv_s(L"LOCALAPPDATA", row.value.c_str()), 0);
        EXPECT_EQ(PerUserDataDirectory(), row.folder);
    }
    EXPECT_TRUE(std::filesystem::create_directories(user / "somvixmn"));
}

TEST(WindowsVersion, ProgramsCarryTheResourceTheirVersionComesFrom) {
    CVersionInfo self;
    ASSERT_TRUE(self.Create(ModuleHandle{}));
    EXPECT_EQ(self.GetFileVersion(), "1, 1, 0, 0");
    EXPECT_EQ(self.m_strProductName, "SOMVIXMN");
    const std::filesystem::path cli = std::filesystem::path(SOMVIX_BIN_DIR) / "somvixmn-cli.exe";
    CVersionInfo other;
    ASSERT_TRUE(other.Create(cli));
    EXPECT_EQ(other.m_fixed, self.m_fixed);
    EXPECT_EQ(RunCommand(cli.string(), "--version"), "somvixmn-cli 1.1.0.0\r\n");
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(133), RT_GROUP_ICON), nullptr);
}

TEST(WindowsFileNames, NamesThatFoldAlikeAreOneEntryOnDisk) {
    const struct {
        const char* created;
        const char* other;
    } rows[] = {{"Paciente1", "PACIENTE1"},
                {"paciente1", "paciente1."},
                {"paciente1", "paciente1 . "},
                {"paciente1", "paciente2"},
                {"paciente1.htr", "paciente1.htrx"}};
    for (const auto& row : rows) {
        test::TempDir folder;
        test::WriteFileBytes(folder.Path() / row.created, "x");
        EXPECT_EQ(std::filesystem::exists(folder.Path() / row.other),
                  FoldName(row.created) == FoldName(row.other))
            << row.created << " / " << row.other;
    }
}

TEST(WindowsSocket, TalksToTheNativeMonitor) {
    const std::optional<std::uint16_t> port = MonitorPort();
    ASSERT_TRUE(port) << "SOMVIX_MONITOR_PORT is not set: run scripts/test --windows";
    DeviceConnection connection;
    ASSERT_EQ(OpenDeviceConnection("127.0.0.1", connection, {*port, 5000}), 0);
    std::string reply;
    EXPECT_EQ(Transact(connection, "SOMVIXNAME", reply), 0);
    EXPECT_EQ(reply, "SOMVIXWINE");
    // Nothing more comes unasked: the wait runs out.
    connection.SetWaitMs(300);
    EXPECT_EQ(ReceiveText(connection, reply), -1);
    CloseConnection(connection);

    const struct {
        const char* host;
        std::uint16_t port;
    } refused[] = {{"127.0.0.1", 1}, {"no-such-host.invalid", *port}};
    for (const auto& row : refused) {
        DeviceConnection other;
        EXPECT_EQ(OpenDeviceConnection(row.host, other, {row.port, 2000}), -1) << row.host;
        EXPECT_FALSE(other.IsOpen());
    }
}

}  // namespace
}  // namespace somvix
