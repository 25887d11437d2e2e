#include <gtest/gtest.h>

#include <algorithm>

#include "transfer/download_fixture.h"

// The download against the simulated monitor: the road of a run, its records and the edge cases
// of lists, logins, endings and failed transfers.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

TEST_F(DownloadTest, FetchesEveryMonitoringAndRecordsItWithExactBytes) {
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente2");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);

    ExpectFetched("paciente1");
    ExpectFetched("paciente2");
    EXPECT_EQ(DownloadedList(), "paciente1\r\npaciente2\r\n");
    EXPECT_EQ(DownloadLog(), NewLog({"paciente1", "paciente2"}));
    EXPECT_FALSE(fs::exists(Records() / "eliminados-SOMVIXSIM.txt"));
    EXPECT_EQ(m_ui.StatusTexts(),
              (Strings{"Conectando...", "Autenticando...", "Cargando lista de archivos...",
                       "Cargando datos paciente1 ...", "Cargando datos paciente2 ...",
                       "Desconectando ..."}));
    // Each monitoring's half of the bar fills as its files arrive, not in one step.
    EXPECT_EQ(m_ui.ProgressAtStatus("Cargando datos paciente2 ..."), 250);
    EXPECT_EQ(m_ui.ProgressPosition(), 500);
    const std::vector<int> positions = m_ui.ProgressPositions();
    EXPECT_GE(std::count_if(positions.begin(), positions.end(),
                            [](int position) { return position > 0 && position < 250; }),
              4);
    EXPECT_EQ(m_ui.CallsStartingWith("progress:show").size(), 1u);
    EXPECT_FALSE(m_ui.ProgressVisible());
    // "LAN" shows no adaptation text and restores nothing.
    EXPECT_EQ(m_adaptation.m_calls, Strings{"adapt"});
}

TEST_F(DownloadTest, EverythingFetchedGivesHeadingOnlyAndNoProgress) {
    m_monitor.AddMonitoring("paciente1");
    SimulatorProcess monitor(m_monitor.Serving());
    ASSERT_EQ(Download(monitor), 0);

    // Second run on the same day: a second heading after an empty line, nothing fetched again.
    m_ui = FakeOperationUi();
    fs::remove(MonitoringFolder("paciente1") / "paciente1.imp");
    EXPECT_EQ(Download(monitor), 0);
    EXPECT_EQ(DownloadLog(), NewLog({"paciente1"}) + "\r\n\t--- 05-03-2007 ---\r\n\r\n");
    EXPECT_EQ(DownloadedList(), "paciente1\r\n");
    EXPECT_TRUE(m_ui.CallsStartingWith("progress:show").empty());
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente1") / "paciente1.imp"));
    EXPECT_EQ(m_ui.StatusTexts().back(), "Desconectando ...");
}

TEST_F(DownloadTest, EmptyListWritesNothingAndSucceeds) {
    SimulatorProcess monitor(m_monitor.Serving({"--list-reply", ""}));
    EXPECT_EQ(Download(monitor), 0);
    EXPECT_FALSE(fs::exists(Downloads()));
    EXPECT_TRUE(fs::is_empty(Records()));
    EXPECT_EQ(m_ui.StatusTexts().back(), "Desconectando ...");
}

TEST_F(DownloadTest, NameWithoutPacienteEndsTheListAndTheCount) {
    for (const char* name : {"paciente1", "paciente2", "paciente3"}) {
        m_monitor.AddMonitoring(name);
    }
    SimulatorProcess monitor(
        m_monitor.Serving({"--list-reply", "paciente1 paciente2 otro paciente3"}));
    EXPECT_EQ(Download(monitor), 0);
    ExpectFetched("paciente1");
    ExpectFetched("paciente2");
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente3")));
    EXPECT_EQ(DownloadedList(), "paciente1\r\npaciente2\r\n");
    EXPECT_EQ(m_ui.ProgressAtStatus("Cargando datos paciente2 ..."), 250);
    EXPECT_EQ(m_ui.ProgressPosition(), 500);
}

TEST_F(DownloadTest, OneOfThreeFetchedBeforeLeavesTheBarToTheOtherTwo) {
    for (const char* name : {"paciente1", "paciente2", "paciente3"}) {
        m_monitor.AddMonitoring(name);
    }
    WriteFileBytes(Records() / "SOMVIXSIM.txt", "paciente1\r\n");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);
    // The one fetched before has no share: the bar is not full before the last one arrives.
    EXPECT_EQ(m_ui.ProgressAtStatus("Cargando datos paciente2 ..."), 0);
    EXPECT_EQ(m_ui.ProgressAtStatus("Cargando datos paciente3 ..."), 250);
    EXPECT_EQ(m_ui.ProgressPosition(), 500);
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente1")));
    ExpectFetched("paciente2");
    ExpectFetched("paciente3");
    EXPECT_EQ(DownloadedList(), "paciente1\r\npaciente2\r\npaciente3\r\n");
}

TEST_F(DownloadTest, RefusedLoginEndsInOrderAndFails) {
    m_monitor.AddMonitoring("paciente1");
    SimulatorProcess monitor(m_monitor.Serving({"--refuse-login"}));
    EXPECT_EQ(Download(monitor), -1);
    EXPECT_EQ(m_ui.StatusTexts(),
              (Strings{"Conectando...", "Autenticando...", "Desconectando ..."}));
    EXPECT_FALSE(fs::exists(Downloads()));
    EXPECT_TRUE(fs::is_empty(Records()));
}

TEST_F(DownloadTest, WrongQuitReplyFailsAlthoughEverythingArrived) {
    m_monitor.AddMonitoring("paciente1");
    SimulatorProcess monitor(m_monitor.Serving({"--quit-reply", "BYE"}));
    EXPECT_EQ(Download(monitor), -1);
    ExpectFetched("paciente1");
    EXPECT_EQ(DownloadedList(), "paciente1\r\n");
}

TEST_F(DownloadTest, BrokenThirdFileLeavesPartialFolderUnrecordedAndIsAskedAboutNextTime) {
    m_monitor.AddMonitoring("paciente1");
    const Strings files = MonitorFolder::FilesOf("paciente1");
    {
        SimulatorProcess monitor(
            m_monitor.Serving({"--close-after", MonitorFolder::HtrFileOf("paciente1") + ":1000"}));
        EXPECT_EQ(Download(monitor), -1);
    }
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente1") / files[0]),
              m_monitor.Original("paciente1", files[0]));
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente1") / files[1]),
              m_monitor.Original("paciente1", files[1]));
    // The chunks that arrived whole stay: the first 512 bytes of 1500.
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente1") / files[2]),
              m_monitor.Original("paciente1", files[2]).substr(0, 512));
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente1") / files[3]));
    EXPECT_EQ(DownloadedList(), "");
    EXPECT_EQ(DownloadLog(), NewLog({}));

    // The next download finds the folder and asks; "Si" replaces it.
    m_ui = FakeOperationUi();
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);
    EXPECT_EQ(m_ui.CallsStartingWith("confirm:"),
              Strings{"confirm:Se han encontrado datos de la monitorización paciente1-SOMVIXSIM, "
                      "de una descarga previa aparentemente incompleta.|¿Desea reemplazarlos?"});
    ExpectFetched("paciente1");
    EXPECT_EQ(DownloadedList(), "paciente1\r\n");
}

TEST_F(DownloadTest, LeftoverFolderAnsweredNoIsSkippedWithoutMessage) {
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente2");
    fs::create_directories(MonitoringFolder("paciente1"));
    WriteFileBytes(MonitoringFolder("paciente1") / "old.htr", "old");
    m_ui.QueueAnswers({ConfirmAnswer::No});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente1") / "old.htr"), "old");
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente1") / "paciente1.htr"));
    ExpectFetched("paciente2");
    EXPECT_EQ(DownloadedList(), "paciente2\r\n");
    EXPECT_TRUE(m_ui.CallsStartingWith("message:").empty());
}

TEST_F(DownloadTest, LeftoverFolderWithSubFolderCostsOnlyThatMonitoring) {
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente2");
    fs::create_directories(MonitoringFolder("paciente1") / "sub");
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);
    EXPECT_EQ(m_ui.CallsStartingWith("message:"),
              Strings{"message:Error|Error descargando datos de paciente1!|16"});
    ExpectFetched("paciente2");
    EXPECT_EQ(DownloadedList(), "paciente2\r\n");
}

TEST_F(DownloadTest, TwoMonitorsKeepSeparateRecords) {
    m_monitor.AddMonitoring("paciente1");
    {
        SimulatorProcess first(m_monitor.Serving({"--name", "MONITOR-A"}));
        EXPECT_EQ(Download(first), 0);
    }
    SimulatorProcess second(m_monitor.Serving({"--name", "MONITOR-B"}));
    EXPECT_EQ(Download(second), 0);
    ExpectFetched("paciente1", "MONITOR-A");
    ExpectFetched("paciente1", "MONITOR-B");
    EXPECT_EQ(DownloadedList("MONITOR-A"), "paciente1\r\n");
    EXPECT_EQ(DownloadedList("MONITOR-B"), "paciente1\r\n");
    EXPECT_EQ(DownloadLog("MONITOR-A"), NewLog({"paciente1"}));
    EXPECT_EQ(DownloadLog("MONITOR-B"), NewLog({"paciente1"}));
}

TEST_F(DownloadTest, BadChecksumOrSilentMonitorFailsTheRun) {
    m_monitor.AddMonitoring("paciente1");
    {
        SimulatorProcess monitor(m_monitor.Serving({"--bad-checksum", "paciente1.fhi"}));
        EXPECT_EQ(Download(monitor), -1);
        EXPECT_TRUE(fs::exists(MonitoringFolder("paciente1") / "paciente1.fhi"));
        EXPECT_EQ(DownloadedList(), "");
    }
    m_settings.connection.waitMs = 300;
    SimulatorProcess silent(m_monitor.Serving({"--silent-after", "GETLIST"}));
    EXPECT_EQ(Download(silent), -1);
    EXPECT_EQ(m_ui.StatusTexts().back(), "Cargando lista de archivos...");
}

// The cable kind: the adaptation text, and the restoration on every way out once the
// adaptation succeeded. The fake adaptation aims the cable kind at loopback too.
class CableDownloadTest : public DownloadTest {
protected:
    CableDownloadTest() { m_hostAddress.m_connectionKind = ConnectionKind::Cable; }
};

TEST_F(CableDownloadTest, AdaptsFirstAndRestoresAfterAnOrderlyEnd) {
    m_monitor.AddMonitoring("paciente1");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);
    EXPECT_EQ(m_ui.StatusTexts().front(), "Adaptando configuración de red ...");
    EXPECT_EQ(m_adaptation.m_calls, (Strings{"adapt", "restore"}));
}

TEST_F(CableDownloadTest, RestoresAfterRefusedLoginBrokenTransferAndNoConnection) {
    m_monitor.AddMonitoring("paciente1");
    {
        SimulatorProcess monitor(m_monitor.Serving({"--refuse-login"}));
        EXPECT_EQ(Download(monitor), -1);
    }
    {
        SimulatorProcess monitor(m_monitor.Serving({"--close-after", "paciente1.htr:10"}));
        EXPECT_EQ(Download(monitor), -1);
    }
    RefusingPort refusing;
    m_settings.connection.port = refusing.Port();
    EXPECT_EQ(DownloadMonitorData(FolderChoicePath(Downloads().string()), m_hostAddress,
                                  m_adaptation, m_ui, m_settings),
              -1);
    EXPECT_EQ(m_adaptation.m_calls,
              (Strings{"adapt", "restore", "adapt", "restore", "adapt", "restore"}));
}

TEST_F(CableDownloadTest, FailedAdaptationEndsAtOnceWithoutRestoring) {
    m_adaptation.m_nAdaptResult = -1;
    RefusingPort refusing;
    m_settings.connection.port = refusing.Port();
    EXPECT_EQ(DownloadMonitorData(FolderChoicePath(Downloads().string()), m_hostAddress,
                                  m_adaptation, m_ui, m_settings),
              -1);
    EXPECT_EQ(m_adaptation.m_calls, Strings{"adapt"});
    EXPECT_EQ(m_ui.StatusTexts(), Strings{"Adaptando configuración de red ..."});
}

}  // namespace
}  // namespace somvix::test
