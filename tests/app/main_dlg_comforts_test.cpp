#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "app/main_dlg.h"
#include "app/monitorings_panel.h"
#include "chart/recording_files.h"
#include "support/modal_dialog.h"
#include "support/temp_dir.h"

// The monitorings panel, drops, recent files, saved pictures and what the user's settings keep
// from one run to the next (in a settings file of the test's own).

namespace somvix {
namespace {

class MainDlgComfortsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [name, start] : {std::pair{"paciente1", "01-02-2007 10:00:00"},
                                          std::pair{"paciente2", "02-02-2007 09:00:00"}}) {
            const auto folder = test::WriteRecordingFolder(
                m_files.Path() / "SOMVIX", name,
                {{"p.htr", test::SteadyTrend(400, 65)}, {"p.fhi", start}});
            m_htr << QString::fromStdString((folder / "p.htr").string());
        }
        Start(m_dlg);
    }

    void Start(CMainDlg& dlg) {
        dlg.SetDataDir(m_programDir.Path());
        dlg.SetUserSettings(&m_settings);
        dlg.OnInitDialog();
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    }

    // Answers the save dialog with path, then saves with Ctrl+S.
    void SaveAs(const QString& path) {
        m_dlg.activateWindow();  // back from the last dialog
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dlg));
        // Watched only now: under load the wait above can outlast the watcher's tries.
        test::WhenModalDialogOpens([path](QDialog& dialog) {
            // selectFile leaves a name field that has the focus as the user typed it: once the
            // dialog had time to focus it, the folder alone would be accepted.
            if (QWidget* focused = QApplication::focusWidget()) {
                focused->clearFocus();
            }
            qobject_cast<QFileDialog*>(&dialog)->selectFile(path);
            dialog.accept();
        });
        QTest::keyClick(&m_dlg, Qt::Key_S, Qt::ControlModifier);
    }

    QString Title(const char* monitoring) {
        return QStringLiteral("SOMVIXMN - %1 - ").arg(monitoring);
    }

    test::TempDir m_programDir;
    test::TempDir m_files;
    QSettings m_settings{QString::fromStdString((m_programDir.Path() / "user.ini").string()),
                         QSettings::IniFormat};
    QStringList m_htr;
    CMainDlg m_dlg;
};

TEST_F(MainDlgComfortsTest, PanelListsTheChosenFolderAndOpensByEnterAndDoubleClick) {
    CMonitoringsPanel& panel = m_dlg.MonitoringsPanel();
    panel.toggleViewAction()->trigger();
    EXPECT_EQ(panel.List()->topLevelItemCount(), 0);
    const QString folder = QString::fromStdString(m_files.Path().string());
    panel.SetFolderChooser([folder] { return folder; });
    // The chosen folder is the newer request: the missing one's result never shows.
    QSignalSpy listed(&panel, &CMonitoringsPanel::FolderListed);
    panel.SetFolder(folder + "/falta");
    QTest::mouseClick(panel.findChildren<QPushButton*>().constFirst(), Qt::LeftButton);
    EXPECT_EQ(panel.Note()->text(), QStringLiteral("Leyendo la carpeta..."));
    EXPECT_EQ(m_settings.value("carpetas/descarga").toString(), folder);
    ASSERT_TRUE(listed.wait(20000));
    QTreeWidget* list = panel.List();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("paciente2"));

    // Enter opens here, where it would otherwise end the program.
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_TRUE(m_dlg.windowTitle().startsWith(Title("paciente1")))
        << m_dlg.windowTitle().toStdString();
    const QPoint second = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_TRUE(m_dlg.windowTitle().startsWith(Title("paciente2")));
}

TEST_F(MainDlgComfortsTest, DropsRecentFilesAndSavedPictures) {
    const struct {
        QString path;
        bool bOpens;
    } drops[] = {{m_htr[0] + ".txt", false}, {m_htr[0], true}};
    for (const auto& drop : drops) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(drop.path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_dlg.centralWidget(), &enter);
        EXPECT_EQ(enter.isAccepted(), drop.bOpens) << drop.path.toStdString();
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_dlg.centralWidget(), &dropped);
        EXPECT_EQ(m_dlg.windowTitle().startsWith(Title("paciente1")), drop.bOpens);
    }

    m_dlg.RecordingView().OpenRecordingFile(m_htr[1].toStdString());
    QMenu recent;
    m_dlg.RecordingView().FillRecentMenu(recent);
    ASSERT_EQ(recent.actions().size(), 2);
    EXPECT_EQ(recent.actions()[0]->text(), m_htr[1]);
    recent.actions()[1]->trigger();
    EXPECT_TRUE(m_dlg.windowTitle().startsWith(Title("paciente1")));

    // The PNG is the picture that `somvixmn-cli render` draws at the same size.
    const QString saved = QString::fromStdString((m_files.Path() / "saved.png").string());
    const QString rendered = QString::fromStdString((m_files.Path() / "rendered.png").string());
    SaveAs(saved);
    const QSize size = m_dlg.centralWidget()->size();
    QProcess render;
    render.start(QStringLiteral(SOMVIX_BIN_DIR "/somvixmn-cli"),
                 {"render", m_htr[0], "--png", rendered, "--size",
                  QStringLiteral("%1x%2").arg(size.width()).arg(size.height())});
    ASSERT_TRUE(render.waitForFinished(60000));
    EXPECT_TRUE(QImage(saved) == QImage(rendered));
    const QString pdf = QString::fromStdString((m_files.Path() / "saved.pdf").string());
    SaveAs(pdf);
    EXPECT_EQ(test::ReadFileBytes(pdf.toStdString()).substr(0, 5), "%PDF-");
}

TEST_F(MainDlgComfortsTest, NextRunFindsTheWindowPanelsRecentFilesAndFolder) {
    m_dlg.RecordingView().OpenRecordingFile(m_htr[0].toStdString());
    m_dlg.MonitoringsPanel().SetFolder(QString::fromStdString(m_files.Path().string()));
    m_dlg.MonitoringsPanel().show();
    m_dlg.resize(700, 520);
    QTest::qWait(20);
    m_dlg.SaveWindowState();

    CMainDlg next;
    Start(next);
    next.RestoreWindowState();
    EXPECT_EQ(next.size(), QSize(700, 520));
    EXPECT_TRUE(next.MonitoringsPanel().isVisible());
    EXPECT_TRUE(QTest::qWaitFor(
        [&next] { return next.MonitoringsPanel().List()->topLevelItemCount() == 2; }, 20000));
    EXPECT_EQ(next.RecordingView().RecentFiles(), QStringList{m_htr[0]});
}

}  // namespace
}  // namespace somvix
