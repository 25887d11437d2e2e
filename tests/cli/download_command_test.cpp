#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/cli_command.h"
#include "device/cancel_request.h"
#include "support/scripted_peer.h"
#include "support/simulator_process.h"
#include "support/temp_dir.h"
#include "transfer/monitor_fixture.h"

// `somvixmn-cli download`, run in-process with its streams in strings, against the simulator.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;

class DownloadCommandTest : public ::testing::Test {
protected:
    DownloadCommandTest() {
        fs::create_directories(Records());
        m_monitor.AddMonitoring("paciente1");
    }

    fs::path Records() const { return m_pc.Path() / "registros"; }
    fs::path Downloads() const { return m_pc.Path() / "descargas"; }
    fs::path Leftover() const { return Downloads() / "SOMVIXSIM" / "paciente1"; }

    // Runs the verb with the folder, the records folder and the port before the options given.
    int Run(std::uint16_t port, std::vector<std::string> options = {}, bool interactive = false,
            bool errIsTerminal = false) {
        std::vector<std::string> words = {
            "somvixmn-cli",    "download", Downloads().string(), "--lan",
            "127.0.0.1",       "--port",   std::to_string(port), "--records-dir",
            Records().string()};
        words.insert(words.end(), options.begin(), options.end());
        return RunWords(words, interactive, errIsTerminal);
    }

    int RunWords(const std::vector<std::string>& words, bool interactive = false,
                 bool errIsTerminal = false) {
        std::vector<const char*> argv;
        for (const std::string& word : words) {
            argv.push_back(word.c_str());
        }
        m_out.str("");
        m_err.str("");
        CliContext context{m_in, m_out, m_err, interactive, errIsTerminal, &m_cancel};
        return RunCli(static_cast<int>(argv.size()), argv.data(), context);
    }

    void MakeLeftover() {
        fs::create_directories(Leftover());
        WriteFileBytes(Leftover() / "old.htr", "old");
    }

    MonitorFolder m_monitor;
    TempDir m_pc;
    std::istringstream m_in;
    std::ostringstream m_out;
    std::ostringstream m_err;
    CancelRequest m_cancel;  // as Ctrl+C sets it
};

TEST_F(DownloadCommandTest, CompletionOnStandardOutputStatusOnStandardError) {
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Run(monitor.Port()), 0);
    EXPECT_EQ(m_out.str(), "Descarga de datos completada\n");
    EXPECT_EQ(m_err.str(),
              "Conectando...\nAutenticando...\nCargando lista de archivos...\n"
              "Cargando datos paciente1 ...\n"
              "  paciente1a.eeg  300 bytes\n  paciente1b.eeg  300 bytes\n"
              "  paciente1.htr  1500 bytes\n  paciente1.fhi  40 bytes\n"
              "  paciente1.evt  300 bytes\n  paciente1.imp  300 bytes\n"
              "Desconectando ...\n"
              "1 monitorización descargada (6 archivos, 2740 bytes)\n");
    for (const std::string& file : MonitorFolder::FilesOf("paciente1")) {
        EXPECT_EQ(ReadFileBytes(Downloads() / "SOMVIXSIM" / "paciente1" / file),
                  m_monitor.Original("paciente1", file));
    }
    EXPECT_EQ(ReadFileBytes(Records() / "SOMVIXSIM.txt"), "paciente1\r\n");
}

TEST_F(DownloadCommandTest, FailureGivesTheErrorMessageAndStatusOne) {
    {
        SimulatorProcess monitor(m_monitor.Serving({"--refuse-login"}));
        EXPECT_EQ(Run(monitor.Port()), 1);
        EXPECT_EQ(m_out.str(), "Error en descarga de datos\n");
        EXPECT_NE(m_err.str().find("Causa: El monitor rechazó la autenticación\n"),
                  std::string::npos);
    }
    RefusingPort nobody;
    EXPECT_EQ(Run(nobody.Port()), 1);
    EXPECT_EQ(m_out.str(), "Error en descarga de datos\n");
    EXPECT_EQ(m_err.str(), "Conectando...\nCausa: El monitor rechazó la conexión\n");
    EXPECT_EQ(Run(nobody.Port(), {"--quiet"}), 1);
    EXPECT_EQ(m_err.str(), "");
    m_cancel.Request();
    EXPECT_EQ(Run(nobody.Port()), EXIT_CANCELLED);
    EXPECT_EQ(m_out.str(), "Descarga de datos cancelada\n");
    EXPECT_EQ(m_err.str(), "Cancelado antes de terminar ninguna monitorización\n");
}

TEST_F(DownloadCommandTest, JsonResultsAndAReadOnlyListForScripts) {
    m_monitor.AddMonitoring("paciente2");
    m_monitor.AddMonitoring("paciente3");
    SimulatorProcess monitor(m_monitor.Serving({"--list-reply", "paciente1 paciente2"}));
    ASSERT_EQ(Run(monitor.Port(), {"--json", "--verbose"}), 0);
    const nlohmann::json result = nlohmann::json::parse(m_out.str());
    EXPECT_EQ(result["fetched"], nlohmann::json({"paciente1", "paciente2"}));
    EXPECT_EQ(result["files"], 12);
    EXPECT_EQ(result["cause"], nullptr);
    EXPECT_NE(m_err.str().find("> GETLIST (19 bytes)\n"), std::string::npos);

    // One copy recorded, one left over from a broken download, one never fetched.
    WriteFileBytes(Records() / "SOMVIXSIM.txt", "paciente1\r\n");
    SimulatorProcess full(m_monitor.Serving());
    const auto recordsBefore = ReadFileBytes(Records() / "descargas-SOMVIXSIM.txt");
    ASSERT_EQ(
        RunWords({"somvixmn-cli", "list", Downloads().string(), "--lan", "127.0.0.1", "--port",
                  std::to_string(full.Port()), "--records-dir", Records().string(), "--json"}),
        0);
    EXPECT_EQ(nlohmann::json::parse(m_out.str())["monitorings"],
              nlohmann::json::parse(R"([{"name": "paciente1", "state": "fetched"},
                                        {"name": "paciente2", "state": "leftover"},
                                        {"name": "paciente3", "state": "missing"}])"));
    EXPECT_EQ(ReadFileBytes(Records() / "descargas-SOMVIXSIM.txt"), recordsBefore);
    EXPECT_FALSE(fs::exists(Downloads() / "SOMVIXSIM" / "paciente3"));
    EXPECT_TRUE(fs::exists(m_monitor.Root() / "paciente1"));  // no "DELETE"
}

TEST_F(DownloadCommandTest, ReplaceIncompleteFlagAnswersTheQuestion) {
    SimulatorProcess monitor(m_monitor.Serving());
    MakeLeftover();
    EXPECT_EQ(Run(monitor.Port(), {"--replace-incomplete", "no"}), 0);
    EXPECT_EQ(ReadFileBytes(Leftover() / "old.htr"), "old");
    EXPECT_NE(m_err.str().find("¿Desea reemplazarlos? No\n"), std::string::npos) << m_err.str();

    EXPECT_EQ(Run(monitor.Port(), {"--replace-incomplete", "yes"}), 0);
    EXPECT_FALSE(fs::exists(Leftover() / "old.htr"));
    EXPECT_TRUE(fs::exists(Leftover() / "paciente1.htr"));
    EXPECT_NE(m_err.str().find("Se han encontrado datos de la monitorización paciente1-SOMVIXSIM"),
              std::string::npos);
}

TEST_F(DownloadCommandTest, WithoutTheFlagATerminalIsAskedElseTheAnswerIsNo) {
    SimulatorProcess monitor(m_monitor.Serving());
    MakeLeftover();
    EXPECT_EQ(Run(monitor.Port()), 0);  // no terminal
    EXPECT_TRUE(fs::exists(Leftover() / "old.htr"));

    m_in.str("\n");  // the terminal's Enter: the default No
    EXPECT_EQ(Run(monitor.Port(), {}, true), 0);
    EXPECT_TRUE(fs::exists(Leftover() / "old.htr"));
    EXPECT_NE(m_err.str().find("¿Desea reemplazarlos? [s/N] "), std::string::npos);

    m_in.clear();
    m_in.str("s\n");
    EXPECT_EQ(Run(monitor.Port(), {}, true), 0);
    EXPECT_FALSE(fs::exists(Leftover() / "old.htr"));
    EXPECT_EQ(ReadFileBytes(Records() / "SOMVIXSIM.txt"), "paciente1\r\n");
}

TEST_F(DownloadCommandTest, ProgressIsDrawnInPlaceOnlyOnATerminal) {
    m_monitor.AddMonitoring("paciente2");
    {
        SimulatorProcess monitor(m_monitor.Serving());
        EXPECT_EQ(Run(monitor.Port(), {}, false, true), 0);
    }
    const std::string terminal = m_err.str();
    // The bar, the monitoring, the file and its bytes so far, redrawn on one line.
    for (const char* drawn :
         {"\r[##########          ] 50%  paciente1  paciente1.imp  300/300 bytes\n",
          "\nCargando datos paciente2 ...\n\r[##########          ] 50%\r",
          "%  paciente2  paciente2b.eeg  0/300 bytes  \r",  // blanks over the longer line
          "\r[####################] 100%  paciente2  paciente2.imp  300/300 bytes\n"}) {
        EXPECT_NE(terminal.find(drawn), std::string::npos) << drawn << "\n" << terminal;
    }
    // Every status line starts on a line of its own.
    EXPECT_NE(terminal.find("\nDesconectando ...\n"), std::string::npos) << terminal;
}

TEST_F(DownloadCommandTest, UsageErrorsGiveStatusTwo) {
    const std::string folder = Downloads().string();
    RefusingPort nobody;
    const std::vector<std::vector<std::string>> wrong = {
        // An empty folder would put the device folder at the root.
        {"somvixmn-cli", "download", "", "--lan", "127.0.0.1", "--port",
         std::to_string(nobody.Port()), "--records-dir", Records().string()},
        {"somvixmn-cli", "download"},
        {"somvixmn-cli", "download", folder, "--lan", "127.0.0.1", "--cable"},
        {"somvixmn-cli", "download", folder, "--cable", "--interface", "eth0 up"},
        {"somvixmn-cli", "download", folder, "--interface", "a-name-too-long-0"},
        {"somvixmn-cli", "download", folder, "--replace-incomplete", "maybe"},
        {"somvixmn-cli", "download", folder, "--port", "0"},
        {"somvixmn-cli", "download", folder, "--port", "65536"},
        {"somvixmn-cli", "download", folder, "--records-dir", (m_pc.Path() / "none").string()},
    };
    for (const auto& words : wrong) {
        EXPECT_EQ(RunWords(words), 2) << words.size() << " " << words.back();
        EXPECT_TRUE(m_out.str().empty());
    }
    EXPECT_FALSE(fs::exists(Downloads()));
}

TEST_F(DownloadCommandTest, TheProgramKeepsItsStreamsApart) {
    SimulatorProcess monitor(m_monitor.Serving());
    const fs::path out = m_pc.Path() / "out.txt";
    const fs::path err = m_pc.Path() / "err.txt";
    const std::string command =
        std::string("'") + SOMVIX_BIN_DIR + "/somvixmn-cli' download '" + Downloads().string() +
        "' --lan 127.0.0.1 --port " + std::to_string(monitor.Port()) + " --records-dir '" +
        Records().string() + "' </dev/null >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFileBytes(out), "Descarga de datos completada\n");
    EXPECT_NE(ReadFileBytes(err).find("Cargando datos paciente1 ...\n"), std::string::npos);
}

}  // namespace
}  // namespace somvix::test
