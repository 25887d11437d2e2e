#include <gtest/gtest.h>

#include "transfer/erase_fixture.h"

// The erase against the simulated monitor: each case of a monitoring (recorded, no copy, an
// incomplete copy), the records and questions of a run, the edge cases of lists, refusals and
// failures, and the restoration of the address.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

TEST_F(EraseTest, EmptyMonitorWritesNothingAndSucceeds) {
    SimulatorProcess monitor(m_monitor.Serving({"--list-reply", ""}));
    EXPECT_EQ(Erase(monitor), 0);
    EXPECT_FALSE(fs::exists(Downloads()));
    EXPECT_TRUE(fs::is_empty(Records()));
    EXPECT_EQ(m_ui.StatusTexts(), (Strings{"Conectando...", "Autenticando...",
                                           "Cargando lista de archivos...", "Desconectando ..."}));
    EXPECT_TRUE(m_ui.CallsStartingWith("confirm:").empty());
}

TEST_F(EraseTest, RecordedMonitoringsAreErasedWithoutQuestions) {
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente2");
    RecordAsFetched({"paciente1", "paciente2"});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), 0);

    EXPECT_FALSE(OnMonitor("paciente1"));
    EXPECT_FALSE(OnMonitor("paciente2"));
    EXPECT_TRUE(m_ui.CallsStartingWith("confirm:").empty());
    EXPECT_EQ(DownloadLog(), NewEraseDownloadLog({}));
    EXPECT_EQ(EraseLog(), NewLog({"paciente1", "paciente2"}));
    EXPECT_EQ(DownloadedList(), "paciente1\r\npaciente2\r\n");
    // The device folder is made ready although nothing is fetched into it.
    EXPECT_TRUE(fs::is_empty(Downloads() / "SOMVIXSIM"));
    EXPECT_EQ(m_ui.StatusTexts(),
              (Strings{"Conectando...", "Autenticando...", "Cargando lista de archivos...",
                       "Vaciando...", "Eliminando datos paciente1 ...",
                       "Eliminando datos paciente2 ...", "Desconectando ..."}));
    EXPECT_EQ(m_ui.CallsStartingWith("progress:"),
              (Strings{"progress:show", "progress:+250", "progress:+250", "progress:hide"}));

    // A second erase on the same day: the monitor is empty, so no heading is added.
    m_ui = FakeOperationUi();
    EXPECT_EQ(Erase(monitor), 0);
    EXPECT_EQ(EraseLog(), NewLog({"paciente1", "paciente2"}));
}

TEST_F(EraseTest, SecondRunAddsHeadingsAfterAnEmptyLine) {
    m_monitor.AddMonitoring("paciente1");
    RecordAsFetched({"paciente1"});
    {
        SimulatorProcess monitor(m_monitor.Serving());
        EXPECT_EQ(Erase(monitor), 0);
    }
    m_monitor.AddMonitoring("paciente2");
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), 0);
    EXPECT_EQ(DownloadLog(), NewEraseDownloadLog({}) + "\r\n" + NewEraseDownloadLog({"paciente2"}));
    EXPECT_EQ(EraseLog(), NewLog({"paciente1"}) + "\r\n" + NewLog({"paciente2"}));
}

TEST_F(EraseTest, MonitoringsWithoutCopyAnsweredNoAreErasedWithoutDownload) {
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente2");
    m_ui.QueueAnswers({ConfirmAnswer::No, ConfirmAnswer::No});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), 0);

    EXPECT_EQ(m_ui.CallsStartingWith("confirm:"),
              (Strings{NoCopyQuestion("PACIENTE1"), NoCopyQuestion("PACIENTE2")}));
    EXPECT_FALSE(OnMonitor("paciente1"));
    EXPECT_FALSE(OnMonitor("paciente2"));
    EXPECT_TRUE(fs::is_empty(Downloads() / "SOMVIXSIM"));
    EXPECT_EQ(DownloadLog(), NewEraseDownloadLog({}));
    EXPECT_EQ(DownloadedList(), "");
    EXPECT_EQ(EraseLog(), NewLog({"paciente1", "paciente2"}));
}

TEST_F(EraseTest, MonitoringWithoutCopyAnsweredSiIsDownloadedThenErased) {
    m_monitor.AddMonitoring("paciente1");
    KeepOriginals();
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), 0);

    EXPECT_FALSE(OnMonitor("paciente1"));
    ExpectFetchedAsKept("paciente1");
    EXPECT_EQ(DownloadedList(), "paciente1\r\n");
    EXPECT_EQ(DownloadLog(), NewEraseDownloadLog({"paciente1"}));
    EXPECT_EQ(EraseLog(), NewLog({"paciente1"}));
    // No other text while the monitoring is fetched.
    EXPECT_EQ(m_ui.StatusTexts().at(4), "Eliminando datos paciente1 ...");
    EXPECT_EQ(m_ui.StatusTexts().at(5), "Desconectando ...");
}

TEST_F(EraseTest, ThirdNameWithoutPacienteEndsTheLoopAndTheBarStopsShort) {
    for (const char* name : {"paciente1", "paciente2", "otro"}) {
        m_monitor.AddMonitoring(name);
    }
    RecordAsFetched({"paciente1", "paciente2"});
    SimulatorProcess monitor(m_monitor.Serving({"--list-reply", "paciente1 paciente2 otro"}));
    EXPECT_EQ(Erase(monitor), 0);
    EXPECT_EQ(m_ui.CallsStartingWith("progress:+"), (Strings{"progress:+166", "progress:+166"}));
    EXPECT_EQ(m_ui.ProgressPosition(), 332);
    EXPECT_FALSE(OnMonitor("paciente2"));
    EXPECT_TRUE(OnMonitor("otro"));
    EXPECT_EQ(EraseLog(), NewLog({"paciente1", "paciente2"}));
}

TEST_F(EraseTest, CapitalsOnlyInTheQuestionTheNameAsSentEverywhereElse) {
    m_monitor.AddMonitoring("Mipaciente-7b");
    KeepOriginals();
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), 0);
    EXPECT_EQ(m_ui.CallsStartingWith("confirm:"), Strings{NoCopyQuestion("MIPACIENTE-7B")});
    // The monitor served and erased it by the name it sent.
    EXPECT_FALSE(OnMonitor("Mipaciente-7b"));
    ExpectFetchedAsKept("Mipaciente-7b");
    EXPECT_EQ(DownloadedList(), "Mipaciente-7b\r\n");
    EXPECT_EQ(EraseLog(), NewLog({"Mipaciente-7b"}));
    EXPECT_EQ(m_ui.StatusTexts().at(4), "Eliminando datos Mipaciente-7b ...");
}

TEST_F(EraseTest, RefusedDeleteIsReportedAndTheRunGoesOn) {
    for (const char* name : {"paciente1", "paciente2", "paciente3"}) {
        m_monitor.AddMonitoring(name);
    }
    RecordAsFetched({"paciente1", "paciente2", "paciente3"});
    SimulatorProcess monitor(m_monitor.Serving({"--refuse-delete", "paciente2"}));
    EXPECT_EQ(Erase(monitor), 0);
    EXPECT_EQ(m_ui.CallsStartingWith("message:"),
              Strings{"message:Error|Error eliminando datos de paciente2.|48"});
    EXPECT_EQ(EraseLog(), NewLog({"paciente1", "paciente3"}));
    EXPECT_TRUE(OnMonitor("paciente2"));
    EXPECT_FALSE(OnMonitor("paciente3"));
}

TEST_F(EraseTest, BrokenTransferOfTheSecondKeepsItAndTheRestOnTheMonitor) {
    for (const char* name : {"paciente1", "paciente2", "paciente3"}) {
        m_monitor.AddMonitoring(name);
    }
    const std::string htr = MonitorFolder::HtrFileOf("paciente2");
    const std::string htrOriginal = m_monitor.Original("paciente2", htr);
    m_ui.QueueAnswers({ConfirmAnswer::Yes, ConfirmAnswer::Yes});
    SimulatorProcess monitor(m_monitor.Serving({"--close-after", htr + ":1000"}));
    EXPECT_EQ(Erase(monitor), -1);

    EXPECT_FALSE(OnMonitor("paciente1"));
    EXPECT_TRUE(OnMonitor("paciente2"));
    EXPECT_TRUE(OnMonitor("paciente3"));
    EXPECT_EQ(DownloadedList(), "paciente1\r\n");
    EXPECT_EQ(DownloadLog(), NewEraseDownloadLog({"paciente1"}));
    EXPECT_EQ(EraseLog(), NewLog({"paciente1"}));
    // What arrived of the second stays: two files and the whole chunks of the third.
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente2") / htr), htrOriginal.substr(0, 512));
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente2") / "paciente2.fhi"));
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente3")));
    EXPECT_EQ(m_ui.StatusTexts().back(), "Eliminando datos paciente2 ...");
    EXPECT_EQ(m_ui.CallsStartingWith("confirm:").size(), 2u);
}

TEST_F(EraseTest, LeftoverFolderAnsweredSiNoAndSiWithASubFolder) {
    for (const char* name : {"paciente1", "paciente2", "paciente3", "paciente4"}) {
        m_monitor.AddMonitoring(name);
    }
    for (const char* name : {"paciente1", "paciente2", "paciente3"}) {
        fs::create_directories(MonitoringFolder(name));
        WriteFileBytes(MonitoringFolder(name) / "old.htr", "old");
    }
    fs::create_directories(MonitoringFolder("paciente3") / "sub");
    KeepOriginals();
    m_ui.QueueAnswers(
        {ConfirmAnswer::Yes, ConfirmAnswer::No, ConfirmAnswer::Yes, ConfirmAnswer::No});
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), 0);

    EXPECT_EQ(m_ui.CallsStartingWith("confirm:"),
              (Strings{LeftoverQuestion("paciente1"), LeftoverQuestion("paciente2"),
                       LeftoverQuestion("paciente3"), NoCopyQuestion("PACIENTE4")}));
    // Si: the old copy replaced by a whole new one, then erased.
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente1") / "old.htr"));
    ExpectFetchedAsKept("paciente1");
    EXPECT_FALSE(OnMonitor("paciente1"));
    // No: the old copy stays as it was, and the monitoring is erased.
    EXPECT_EQ(ReadFileBytes(MonitoringFolder("paciente2") / "old.htr"), "old");
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente2") / "paciente2.htr"));
    EXPECT_FALSE(OnMonitor("paciente2"));
    // Si, but the old folder cannot be removed: the monitoring stays on the monitor.
    EXPECT_EQ(m_ui.CallsStartingWith("message:"),
              Strings{"message:Error|Error descargando datos de paciente3. No se eliminan "
                      "datos.|16"});
    EXPECT_TRUE(OnMonitor("paciente3"));
    EXPECT_TRUE(fs::is_directory(MonitoringFolder("paciente3") / "sub"));
    EXPECT_FALSE(OnMonitor("paciente4"));

    EXPECT_EQ(DownloadedList(), "paciente1\r\n");
    EXPECT_EQ(DownloadLog(), NewEraseDownloadLog({"paciente1"}));
    EXPECT_EQ(EraseLog(), NewLog({"paciente1", "paciente2", "paciente4"}));
}

TEST_F(EraseTest, RefusedLoginAndWrongQuitReplyFail) {
    m_monitor.AddMonitoring("paciente1");
    RecordAsFetched({"paciente1"});
    {
        SimulatorProcess monitor(m_monitor.Serving({"--refuse-login"}));
        EXPECT_EQ(Erase(monitor), -1);
        EXPECT_EQ(m_ui.StatusTexts(),
                  (Strings{"Conectando...", "Autenticando...", "Desconectando ..."}));
        EXPECT_TRUE(OnMonitor("paciente1"));
        EXPECT_FALSE(fs::exists(Downloads()));
    }
    SimulatorProcess monitor(m_monitor.Serving({"--quit-reply", "BYE"}));
    EXPECT_EQ(Erase(monitor), -1);
    EXPECT_FALSE(OnMonitor("paciente1"));
    EXPECT_EQ(EraseLog(), NewLog({"paciente1"}));
}

TEST_F(EraseTest, SilentMonitorAfterTheListFailsTheRun) {
    m_monitor.AddMonitoring("paciente1");
    m_settings.connection.waitMs = 300;
    SimulatorProcess monitor(m_monitor.Serving({"--silent-after", "GETLIST"}));
    EXPECT_EQ(Erase(monitor), -1);
    EXPECT_TRUE(OnMonitor("paciente1"));
    EXPECT_TRUE(fs::is_empty(Records()));
}

// The cable kind: the adaptation text first, and the restoration on every way out once the
// adaptation succeeded.
class CableEraseTest : public EraseTest {
protected:
    CableEraseTest() { m_hostAddress.m_connectionKind = ConnectionKind::Cable; }
};

TEST_F(CableEraseTest, AdaptsFirstAndRestoresOnEveryWayOut) {
    m_monitor.AddMonitoring("paciente1");
    RecordAsFetched({"paciente1"});
    {
        SimulatorProcess monitor(m_monitor.Serving({"--keep"}));
        EXPECT_EQ(Erase(monitor), 0);
        EXPECT_EQ(m_ui.StatusTexts().front(), "Adaptando configuración de red ...");
    }
    {
        SimulatorProcess monitor(m_monitor.Serving({"--refuse-login"}));
        EXPECT_EQ(Erase(monitor), -1);
    }
    {
        RefusingPort nobody;
        EXPECT_EQ(EraseAt(nobody.Port()), -1);
    }
    EXPECT_EQ(m_adaptation.m_calls,
              (Strings{"adapt", "restore", "adapt", "restore", "adapt", "restore"}));

    m_adaptation.m_calls.clear();
    m_adaptation.m_nAdaptResult = -1;
    EXPECT_EQ(EraseAt(1), -1);
    EXPECT_EQ(m_adaptation.m_calls, Strings{"adapt"});
}

}  // namespace
}  // namespace somvix::test
