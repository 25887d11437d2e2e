#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "cli/cli_command.h"
#include "cli/cli_front_end.h"
#include "support/scripted_peer.h"
#include "support/simulator_process.h"
#include "support/temp_dir.h"
#include "transfer/monitor_fixture.h"

// `somvixmn-cli erase`, run in-process with its streams in strings, against the simulator and
// a scripted monitor.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class EraseCommandTest : public ::testing::Test {
protected:
    EraseCommandTest() {
        fs::create_directories(Records());
        m_monitor.AddMonitoring("paciente1");
        m_monitor.AddMonitoring("paciente2");
    }

    fs::path Records() const { return m_pc.Path() / "registros"; }
    fs::path Downloads() const { return m_pc.Path() / "descargas"; }
    fs::path MonitoringFolder(const std::string& name) const {
        return Downloads() / "SOMVIXSIM" / name;
    }
    bool OnMonitor(const std::string& name) const { return fs::exists(m_monitor.Root() / name); }

    // Runs the verb on the monitor at 127.0.0.1:port with the records folder of the test.
    int Run(std::uint16_t port, const Strings& options = {}, bool interactive = false) {
        Strings words = {"somvixmn-cli",    "erase",  Downloads().string(), "--lan",
                         "127.0.0.1",       "--port", std::to_string(port), "--records-dir",
                         Records().string()};
        words.insert(words.end(), options.begin(), options.end());
        return RunWords(words, interactive);
    }

    int RunWords(const Strings& words, bool interactive = false) {
        std::vector<const char*> argv;
        for (const std::string& word : words) {
            argv.push_back(word.c_str());
        }
        m_out.str("");
        m_err.str("");
        CliContext context{m_in, m_out, m_err, interactive, false};
        return RunCli(static_cast<int>(argv.size()), argv.data(), context);
    }

    MonitorFolder m_monitor;
    TempDir m_pc;
    std::istringstream m_in;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(EraseCommandTest, AnswerFlagsRunTheWholeEraseAndNameTheMonitor) {
    const std::string original = m_monitor.Original("paciente1", "paciente1.htr");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Run(monitor.Port(), {"--yes", "--download-missing", "yes"}), 0);
    EXPECT_EQ(m_out.str(), "Vaciado de datos completado\n");
    // Without a terminal each file fetched gets its own line.
    const auto fileLines = [](const std::string& name) {
        return "  " + name + "a.eeg  300 bytes\n  " + name + "b.eeg  300 bytes\n  " + name +
               ".htr  1500 bytes\n  " + name + ".fhi  40 bytes\n  " + name + ".evt  300 bytes\n  " +
               name + ".imp  300 bytes\n";
    };
    EXPECT_EQ(m_err.str(),
              "Conectando...\n"
              "Se eliminarán todos los datos de monitorizaciones en el monitor  SOMVIXSIM\n"
              "¿Desea continuar? Si\n"
              "Conectando...\nAutenticando...\nCargando lista de archivos...\nVaciando...\n"
              "Eliminando datos paciente1 ...\n"
              "No existen datos de PACIENTE1-SOMVIXSIM en su PC\n"
              "¿Descargar datos antes de eliminar? Si\n" +
                  fileLines("paciente1") +
                  "Eliminando datos paciente2 ...\n"
                  "No existen datos de PACIENTE2-SOMVIXSIM en su PC\n"
                  "¿Descargar datos antes de eliminar? Si\n" +
                  fileLines("paciente2") +
                  "Desconectando ...\n"
                  "2 monitorizaciones descargadas (12 archivos, 5480 bytes), 2 eliminadas del "
                  "monitor\n");
    EXPECT_FALSE(OnMonitor("paciente1"));
    EXPECT_FALSE(OnMonitor("paciente2"));
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente1") / "paciente1.htr"), original);
    EXPECT_EQ(ReadFileBytes(Records() / "SOMVIXSIM.txt"), "paciente1\r\npaciente2\r\n");
    // Today's date between the heading's dashes.
    const std::string eraseLog = ReadFileBytes(Records() / "eliminados-SOMVIXSIM.txt");
    EXPECT_TRUE(eraseLog.starts_with("\t--- ")) << eraseLog;
    EXPECT_EQ(eraseLog.find(" ---\r\n\r\npaciente1\r\npaciente2\r\n"), 15u) << eraseLog;
}

// A monitor that answers only the name query, writing down the commands.
ScriptedPeer::Script NamingMonitor(Strings& commands) {
    return [&commands](PeerConnection& monitor) {
        std::string command;
        while (monitor.ReadMessage(command)) {
            commands.push_back(command);
            monitor.SendMessage(command == "SOMVIXNAME" ? "M-7"
                                : command == "QUIT"     ? "QUITOK"
                                                        : "");
        }
    };
}

TEST_F(EraseCommandTest, DeclinedEraseReachesTheMonitorOnlyForItsName) {
    for (const bool interactive : {false, true}) {
        m_in.clear();
        m_in.str("n\n");
        Strings commands;
        {
            ScriptedPeer monitor(NamingMonitor(commands));
            EXPECT_EQ(Run(monitor.Port(), {}, interactive), 3);
        }
        EXPECT_EQ(commands, (Strings{"SOMVIXNAME", "QUIT"})) << interactive;
        EXPECT_EQ(m_out.str(), "");
        EXPECT_NE(m_err.str().find("en el monitor  M-7\n¿Desea continuar? "), std::string::npos)
            << m_err.str();
    }
    EXPECT_FALSE(fs::exists(Downloads()));
    EXPECT_TRUE(fs::is_empty(Records()));
}

TEST_F(EraseCommandTest, TerminalSiGoesOnWithTheOtherQuestionsAnsweredByFlags) {
    SimulatorProcess monitor(m_monitor.Serving());
    fs::create_directories(MonitoringFolder("paciente1"));
    WriteFileBytes(MonitoringFolder("paciente1") / "old.htr", "old");
    m_in.str("s\n");
    EXPECT_EQ(Run(monitor.Port(), {"--replace-incomplete", "no", "--download-missing", "no"}, true),
              0);
    EXPECT_EQ(m_out.str(), "Vaciado de datos completado\n");
    EXPECT_NE(m_err.str().find("¿Desea reemplazarlos antes de eliminar? No\n"), std::string::npos);
    EXPECT_NE(m_err.str().find("¿Descargar datos antes de eliminar? No\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente1") / "old.htr"), "old");
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente2")));
    EXPECT_FALSE(OnMonitor("paciente1"));
    EXPECT_FALSE(OnMonitor("paciente2"));
}

TEST_F(EraseCommandTest, OnlyAnExplicitNoErasesWhatThePcLacks) {
    // paciente1 has no copy on the PC, paciente2 the folder of an incomplete download. The
    // monitor keeps both for the next row.
    struct Case {
        const char* what;
        Strings options;
        bool interactive;
        const char* input;
        int status;
        bool fetched;
    };
    const Strings explicitNo = {"--yes", "--download-missing", "no", "--replace-incomplete", "no"};
    const Case cases[] = {
        {"script with --yes", {"--yes"}, false, "", 0, true},
        {"terminal ended after Si", {}, true, "s\n", 0, true},
        {"explicit no", explicitNo, false, "", 0, false},
        {"terminal ended at once", {}, true, "", EXIT_DECLINED, false},
    };
    SimulatorProcess monitor(m_monitor.Serving({"--keep"}));
    for (const Case& row : cases) {
        fs::remove_all(Downloads());
        fs::remove_all(Records());
        fs::create_directories(Records());
        fs::create_directories(MonitoringFolder("paciente2"));
        WriteFileBytes(MonitoringFolder("paciente2") / "old.htr", "old");
        m_in.clear();
        m_in.str(row.input);
        EXPECT_EQ(Run(monitor.Port(), row.options, row.interactive), row.status) << row.what;
        if (row.status != 0) {
            EXPECT_TRUE(fs::is_empty(Records())) << row.what;
            continue;
        }
        EXPECT_EQ(fs::exists(MonitoringFolder("paciente1") / "paciente1.htr"), row.fetched)
            << row.what;
        EXPECT_EQ(fs::exists(MonitoringFolder("paciente2") / "old.htr"), !row.fetched) << row.what;
        EXPECT_EQ(ReadFileBytes(Records() / "SOMVIXSIM.txt"),
                  row.fetched ? "paciente1\r\npaciente2\r\n" : "")
            << row.what;
        EXPECT_NE(
            ReadFileBytes(Records() / "eliminados-SOMVIXSIM.txt").find("paciente1\r\npaciente2"),
            std::string::npos)
            << row.what;
    }
}

TEST_F(EraseCommandTest, WithoutANameTheHostNameStandsInAndTheFailureIsStatusOne) {
    RefusingPort nobody;
    EXPECT_EQ(Run(nobody.Port(), {"--yes"}), 1);
    EXPECT_EQ(m_out.str(), "Error vaciado de datos\n");
    EXPECT_EQ(m_err.str(),
              "Conectando...\nSe eliminarán todos los datos de monitorizaciones en el monitor  "
              "127.0.0.1\n"
              "¿Desea continuar? Si\nConectando...\nCausa: El monitor rechazó la conexión\n");
}

TEST_F(EraseCommandTest, UsageErrorsGiveStatusTwo) {
    const std::string folder = Downloads().string();
    RefusingPort nobody;
    const std::vector<Strings> wrong = {
        // An empty folder would put the device folder at the root.
        {"somvixmn-cli", "erase", "", "--yes", "--lan", "127.0.0.1", "--port",
         std::to_string(nobody.Port()), "--records-dir", Records().string()},
        {"somvixmn-cli", "erase"},
        {"somvixmn-cli", "erase", folder, "--lan", "127.0.0.1", "--cable"},
        {"somvixmn-cli", "erase", folder, "--download-missing", "si"},
        {"somvixmn-cli", "erase", folder, "--replace-incomplete", "maybe"},
        {"somvixmn-cli", "erase", folder, "--yes", "--port", "0"},
    };
    for (const auto& words : wrong) {
        EXPECT_EQ(RunWords(words), 2) << words.back();
        EXPECT_TRUE(m_out.str().empty());
    }
    EXPECT_FALSE(fs::exists(Downloads()));
}

TEST_F(EraseCommandTest, TheProgramGivesThreeWhenDeclinedAndZeroWhenDone) {
    SimulatorProcess monitor(m_monitor.Serving());
    const fs::path out = m_pc.Path() / "out.txt";
    const auto run = [&](const std::string& options) {
        const std::string command =
            std::string("'") + SOMVIX_BIN_DIR + "/somvixmn-cli' erase '" + Downloads().string() +
            "' --lan 127.0.0.1 --port " + std::to_string(monitor.Port()) + " --records-dir '" +
            Records().string() + "' " + options + " </dev/null >'" + out.string() + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run(""), 3);
    EXPECT_EQ(ReadFileBytes(out), "");
    EXPECT_TRUE(OnMonitor("paciente1"));
    EXPECT_EQ(run("--yes --download-missing no"), 0);
    EXPECT_EQ(ReadFileBytes(out), "Vaciado de datos completado\n");
    EXPECT_FALSE(OnMonitor("paciente1"));
}

}  // namespace
}  // namespace somvix::test
