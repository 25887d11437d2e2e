#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/confirm_dlg.h"
#include "app/monitorings_panel.h"
#include "app/status_dlg.h"
#include "app/transfer_gui_fixture.h"
#include "res/resource_ids.h"
#include "support/simulator_process.h"

// The download commands of the main window against the simulator, with the folder chooser, the
// confirmation dialog and the final message box answered by the test.

namespace somvix {
namespace {

namespace fs = std::filesystem;

class DownloadGuiTest : public test::TransferGuiTest {};

TEST_F(DownloadGuiTest, DownloadAsksAboutLeftoverShowsProgressAndReportsAfterClosing) {
    // Replies in small pieces with pauses, so that the run lasts long enough to be watched.
    test::SimulatorProcess monitor(m_monitor.Serving({"--split", "100", "--split-delay", "3"}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    m_main.Device().SetDevicePort(monitor.Port());
    fs::create_directories(MonitoringFolder("paciente1"));
    test::WriteFileBytes(MonitoringFolder("paciente1") / "old.htr", "old");

    ChooseDownloadFolder();
    m_answerer->Then([this](QWidget* modal) {
        auto* dialog = qobject_cast<CConfirmDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        m_shown << dialog->windowTitle() << dialog->Statement()->text()
                << dialog->Question()->text();
        QTest::keyClick(dialog, Qt::Key_Return);  // "Si"
    });
    AnswerFinalMessage();
    WatchStatusLine();
    m_main.OnCommand(ID_DOWNLOAD);

    EXPECT_EQ(m_answerer->Pending(), 0u);
    EXPECT_EQ(
        m_shown,
        (QStringList{"Selección de carpeta de descarga", "ADVERTENCIA!",
                     "Se han encontrado datos de la monitorización paciente1-SOMVIXSIM, de "
                     "una descarga previa aparentemente incompleta.",
                     "¿Desea reemplazarlos?", "Fin descarga", "Descarga de datos completada"}));
    EXPECT_EQ(m_finalIcon, QMessageBox::Information);
    EXPECT_TRUE(m_strFinalDetail.startsWith("2 monitorizaciones descargadas (12 archivos, "))
        << m_strFinalDetail.toStdString();
    EXPECT_FALSE(m_bStatusWindowBehindFinalMessage);
    EXPECT_EQ(m_main.Device().StatusWindow(), nullptr);
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente1") / "old.htr"));
    for (const char* name : {"paciente1", "paciente2"}) {
        for (const std::string& file : test::MonitorFolder::FilesOf(name)) {
            EXPECT_EQ(test::ReadFileBytes(MonitoringFolder(name) / file),
                      m_monitor.Original(name, file));
        }
    }
    EXPECT_EQ(test::ReadFileBytes(m_records.Path() / "SOMVIXSIM.txt"),
              "paciente1\r\npaciente2\r\n");
    // The monitorings panel lists the folder of the download from now on.
    m_main.MonitoringsPanel().show();
    EXPECT_EQ(m_main.MonitoringsPanel().Folder().toStdString(), Downloads().string());
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return m_main.MonitoringsPanel().List()->topLevelItemCount() == 2; }, 20000));
    // The status window changed while the run went on, and its bar moved.
    EXPECT_TRUE(m_statusSeen.contains("Cargando datos paciente2 ..."))
        << m_statusSeen.join('|').toStdString();
    EXPECT_GE(m_statusSeen.size(), 2) << m_statusSeen.join('|').toStdString();
    EXPECT_GE(m_nLargestProgress, 250);
}

TEST_F(DownloadGuiTest, AlternativeCommandReportsFailureWhileTheStatusWindowIsUp) {
    test::SimulatorProcess monitor(m_monitor.Serving({"--refuse-login"}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    m_main.Device().SetDevicePort(monitor.Port());
    ChooseDownloadFolder();
    AnswerFinalMessage();
    m_main.OnCommand(ID_DOWNLOAD_ALT);

    EXPECT_EQ(m_shown, (QStringList{"Selección de carpeta de descarga", "Error",
                                    "Error en descarga de datos"}));
    EXPECT_EQ(m_finalIcon, QMessageBox::Critical);
    EXPECT_EQ(m_strFinalDetail, "El monitor rechazó la autenticación");
    EXPECT_TRUE(m_bStatusWindowBehindFinalMessage);
    EXPECT_EQ(m_main.Device().StatusWindow(), nullptr);
}

TEST_F(DownloadGuiTest, CancelarStopsTheWaitAndTheFinalMessageSaysSo) {
    test::SimulatorProcess monitor(m_monitor.Serving({"--silent-after", "GETLIST"}));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    m_main.Device().SetDevicePort(monitor.Port());
    ChooseDownloadFolder();
    AnswerFinalMessage();
    // Pressed once the run waits for the list that never comes.
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [this] {
        CStatusDlg* status = m_main.Device().StatusWindow();
        if (status != nullptr && status->StatusLine()->text() == "Cargando lista de archivos..." &&
            status->CancelButton()->isEnabled()) {
            status->CancelButton()->click();
        }
    });
    press.start(5);
    m_main.OnCommand(ID_DOWNLOAD);
    press.stop();

    EXPECT_EQ(m_shown, (QStringList{"Selección de carpeta de descarga", "Fin descarga",
                                    "Descarga de datos cancelada"}));
    EXPECT_EQ(m_finalIcon, QMessageBox::Warning);
    EXPECT_FALSE(fs::exists(m_records.Path() / "SOMVIXSIM.txt"));
}

TEST_F(DownloadGuiTest, CancelledFolderChoiceEndsTheCommandSilently) {
    m_answerer->Then([](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
    m_main.OnCommand(ID_DOWNLOAD);
    EXPECT_EQ(m_answerer->Pending(), 0u);
    EXPECT_EQ(m_main.Device().StatusWindow(), nullptr);
    EXPECT_TRUE(fs::is_empty(Downloads()));
    EXPECT_FALSE(fs::exists(m_records.Path() / "SOMVIXSIM.txt"));
    EXPECT_FALSE(fs::exists(m_records.Path() / "descargas-SOMVIXSIM.txt"));
}

}  // namespace
}  // namespace somvix
