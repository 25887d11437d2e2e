#include <gtest/gtest.h>

#include "app/confirm_dlg.h"
#include "app/transfer_gui_fixture.h"
#include "res/resource_ids.h"
#include "support/scripted_peer.h"
#include "support/simulator_process.h"
#include "transfer/query_monitor_name.h"

// The erase command of the main window against the simulator and a scripted monitor, with its
// questions, the folder chooser and the final message box answered by the test.

namespace somvix {
namespace {

namespace fs = std::filesystem;

class EraseGuiTest : public test::TransferGuiTest {
protected:
    bool OnMonitor(const std::string& name) const { return fs::exists(m_monitor.Root() / name); }

    // The next question: its texts are written down, and the button of the answer clicked
    // (Unanswered: the close box).
    void Answer(ConfirmAnswer answer) {
        m_answerer->Then([this, answer](QWidget* modal) {
            auto* dialog = qobject_cast<CConfirmDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            m_shown << dialog->windowTitle() + ": " + Shown(dialog->Statement()) + " | " +
                           Shown(dialog->Question());
            if (answer == ConfirmAnswer::Unanswered) {
                dialog->close();
                return;
            }
            (answer == ConfirmAnswer::Yes ? dialog->YesButton() : dialog->NoButton())->click();
        });
    }

    // A message box during the run: its text is written down.
    void AnswerMessage() {
        m_answerer->Then([this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            m_shown << Shown(box);
            box->button(QMessageBox::Ok)->click();
        });
    }

    // Closes whatever else comes up, writing it down: the test expects nothing more.
    void RefuseAnythingElse() {
        m_answerer->Then([this](QWidget* modal) {
            m_shown << "unexpected: " + modal->windowTitle();
            modal->close();
        });
    }
};

const QString FIRST_QUESTION =
    "ADVERTENCIA!: Se eliminarán todos los datos de monitorizaciones en el monitor  %1 | "
    "¿Desea continuar?";

TEST_F(EraseGuiTest, EraseRunsWithItsQuestionsInTheStatusWindow) {
    // Replies in pieces with pauses, so that the status window is watched while it works.
    test::SimulatorProcess monitor(m_monitor.Serving({"--split", "200", "--split-delay", "2"}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    m_main.Device().SetDevicePort(monitor.Port());
    const std::string original = m_monitor.Original("paciente1", "paciente1.htr");

    WatchStatusLine();
    Answer(ConfirmAnswer::Yes);
    ChooseDownloadFolder();
    Answer(ConfirmAnswer::Yes);
    Answer(ConfirmAnswer::No);
    AnswerFinalMessage();
    m_main.OnCommand(ID_ERASE);

    EXPECT_EQ(m_answerer->Pending(), 0u);
    EXPECT_EQ(m_shown,
              (QStringList{FIRST_QUESTION.arg("SOMVIXSIM"), "Selección de carpeta de descarga",
                           "ADVERTENCIA!: No existen datos de PACIENTE1-SOMVIXSIM en su PC | "
                           "¿Descargar datos antes de eliminar?",
                           "ADVERTENCIA!: No existen datos de PACIENTE2-SOMVIXSIM en su PC | "
                           "¿Descargar datos antes de eliminar?",
                           "Fin vaciado", "Vaciado de datos completado"}));
    EXPECT_EQ(m_finalIcon, QMessageBox::Information);
    EXPECT_FALSE(m_bStatusWindowBehindFinalMessage);
    EXPECT_EQ(m_main.Device().StatusWindow(), nullptr);
    EXPECT_TRUE(m_statusSeen.contains("Eliminando datos paciente2 ..."))
        << m_statusSeen.join('|').toStdString();
    EXPECT_GE(m_nLargestProgress, 250);

    EXPECT_FALSE(OnMonitor("paciente1"));
    EXPECT_FALSE(OnMonitor("paciente2"));
    EXPECT_EQ(test::ReadFileBytes(MonitoringFolder("paciente1") / "paciente1.htr"), original);
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente2")));
    EXPECT_EQ(test::ReadFileBytes(m_records.Path() / "SOMVIXSIM.txt"), "paciente1\r\n");
    const std::string eraseLog = test::ReadFileBytes(m_records.Path() / "eliminados-SOMVIXSIM.txt");
    EXPECT_TRUE(eraseLog.ends_with(" ---\r\n\r\npaciente1\r\npaciente2\r\n")) << eraseLog;
}

TEST_F(EraseGuiTest, DeclinedEraseOnlyAskedTheMonitorForItsName) {
    std::vector<std::string> commands;
    {
        test::ScriptedPeer monitor([&commands](test::PeerConnection& peer) {
            std::string command;
            while (peer.ReadMessage(command)) {
                commands.push_back(command);
                peer.SendMessage(command == "SOMVIXNAME" ? "M-7" : "QUITOK");
            }
        });
        m_main.Device().SetDevicePort(monitor.Port());
        Answer(ConfirmAnswer::No);
        RefuseAnythingElse();
        m_main.OnCommand(ID_ERASE);
    }
    EXPECT_EQ(m_answerer->Pending(), 1u);
    EXPECT_EQ(m_shown, QStringList{FIRST_QUESTION.arg("M-7")});
    EXPECT_EQ(commands, (std::vector<std::string>{"SOMVIXNAME", "QUIT"}));
    EXPECT_TRUE(fs::is_empty(Downloads()));
    for (const char* record : {"M-7.txt", "descargas-M-7.txt", "eliminados-M-7.txt"}) {
        EXPECT_FALSE(fs::exists(m_records.Path() / record)) << record;
    }
}

TEST_F(EraseGuiTest, WithoutANameTheHostNameStandsInAndACancelledChoiceEndsTheCommand) {
    test::RefusingPort nobody;
    m_main.Device().SetDevicePort(nobody.Port());
    Answer(ConfirmAnswer::Yes);
    m_answerer->Then([this](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        m_shown << dialog->windowTitle();
        dialog->reject();
    });
    RefuseAnythingElse();
    m_main.OnCommand(ID_ERASE);
    EXPECT_EQ(m_answerer->Pending(), 1u);
    EXPECT_EQ(m_shown,
              (QStringList{FIRST_QUESTION.arg("127.0.0.1"), "Selección de carpeta de descarga"}));
    EXPECT_EQ(m_main.Device().StatusWindow(), nullptr);
    EXPECT_TRUE(fs::is_empty(Downloads()));
}

TEST_F(EraseGuiTest, RefusedLoginEndsWithTheErrorMessage) {
    test::SimulatorProcess monitor(m_monitor.Serving({"--refuse-login"}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    m_main.Device().SetDevicePort(monitor.Port());
    Answer(ConfirmAnswer::Yes);
    ChooseDownloadFolder();
    AnswerFinalMessage();
    m_main.OnCommand(ID_ERASE);
    EXPECT_EQ(m_answerer->Pending(), 0u);
    EXPECT_EQ(m_shown.mid(2), (QStringList{"Error", "Error vaciado de datos"}));
    EXPECT_EQ(m_finalIcon, QMessageBox::Critical);
    EXPECT_FALSE(m_bStatusWindowBehindFinalMessage);
    EXPECT_TRUE(OnMonitor("paciente1"));
}

TEST_F(EraseGuiTest, MonitorNamesAreShownAsPlainTextOfTheirCodePage) {
    // One row per reply to "SOMVIXNAME"; each erase is declined at its first question.
    struct Case {
        std::string sent;
        QString shown;
    };
    const Case cases[] = {
        {"<img src=\"/dev/zero\">", "<img src=\"/dev/zero\">"},
        {"<b>M-7</b>", "<b>M-7</b>"},
        {"M-\xF1", "M-ñ"},
        {std::string(MAX_MONITOR_NAME_BYTES, 'M'),
         QString::fromStdString(std::string(MAX_MONITOR_NAME_BYTES, 'M'))},
        // No name: the host name stands in.
        {"M-7\x01", "127.0.0.1"},
        {"M-7\nM-8", "127.0.0.1"},
        {std::string(MAX_MONITOR_NAME_BYTES + 1, 'M'), "127.0.0.1"},
    };
    for (const Case& row : cases) {
        test::SimulatorProcess monitor(m_monitor.Serving({"--name", row.sent}));
        ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
        m_main.Device().SetDevicePort(monitor.Port());
        m_shown.clear();
        Answer(ConfirmAnswer::No);
        m_main.OnCommand(ID_ERASE);
        EXPECT_EQ(m_shown, QStringList{FIRST_QUESTION.arg(row.shown)}) << row.sent;
    }
    EXPECT_TRUE(OnMonitor("paciente1"));
}

TEST_F(EraseGuiTest, MonitoringNameShownAsPlainTextAndTheCloseBoxFetchesFirst) {
    const std::string name = "<i>paciente\xF1";
    m_monitor.AddMonitoring(name);
    const std::string htr = test::MonitorFolder::HtrFileOf(name);
    const std::string original = m_monitor.Original(name, htr);
    test::SimulatorProcess monitor(
        m_monitor.Serving({"--list-reply", name, "--refuse-delete", name}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    m_main.Device().SetDevicePort(monitor.Port());

    WatchStatusLine();
    Answer(ConfirmAnswer::Yes);
    ChooseDownloadFolder();
    Answer(ConfirmAnswer::Unanswered);
    AnswerMessage();
    AnswerFinalMessage();
    m_main.OnCommand(ID_ERASE);

    EXPECT_EQ(m_answerer->Pending(), 0u);
    EXPECT_EQ(m_shown.mid(2),
              (QStringList{"ADVERTENCIA!: No existen datos de <I>PACIENTEñ-SOMVIXSIM en su PC | "
                           "¿Descargar datos antes de eliminar?",
                           "Error eliminando datos de <i>pacienteñ.", "Fin vaciado",
                           "Vaciado de datos completado"}));
    EXPECT_TRUE(m_statusSeen.contains("Eliminando datos <i>pacienteñ ..."))
        << m_statusSeen.join('|').toStdString();
    // Closed without an answer, the question fetched the monitoring before the DELETE.
    EXPECT_EQ(test::ReadFileBytes(m_records.Path() / "SOMVIXSIM.txt"), name + "\r\n");
    EXPECT_EQ(test::ReadFileBytes(MonitoringFolder(name) / htr), original);
}

TEST_F(EraseGuiTest, TheNameQueryWaitsBehindTheStatusWindowWhileTheWindowDispatches) {
    test::SimulatorProcess monitor(m_monitor.Serving({"--silent-after", "SOMVIXNAME"}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    m_main.Device().SetDevicePort(monitor.Port());
    m_main.Device().SetNetworkWait(1000);
    // The status text comes from the worker thread: it reaches the window only while the window
    // dispatches.
    WatchStatusLine();
    Answer(ConfirmAnswer::No);
    RefuseAnythingElse();
    m_main.OnCommand(ID_ERASE);
    EXPECT_EQ(m_statusSeen, QStringList{"Conectando..."});
    EXPECT_EQ(m_shown, QStringList{FIRST_QUESTION.arg("127.0.0.1")});
}

}  // namespace
}  // namespace somvix
