#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "app/main_dlg.h"
#include "res/resource_ids.h"
#include "settings/settings_file.h"
#include "support/modal_dialog.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

const std::string DEFAULT_FILE =
    "3\r\nUMBRALELECTRODOMAL\t5\r\nVERCONTACTOMAL\t1\r\nVERIMPEDANCIAOFF\t1\r\n";

class MainDlgSettingsTest : public ::testing::Test {
protected:
    // Starts the main window over a program folder that holds the given settings file, or
    // none when content is empty.
    void Start(const std::string& content) {
        if (!content.empty()) {
            test::WriteFileBytes(SettingsFile(), content);
        }
        m_dlg.SetDataDir(m_programDir.Path());
        m_dlg.OnInitDialog();
        m_dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dlg));
    }

    std::filesystem::path SettingsFile() const { return m_programDir.Path() / SETTINGS_FILE_NAME; }

    // Runs a command whose dialog is answered by act; true when act ran.
    bool RunDialog(int command, std::function<void(QDialog&)> act) {
        bool ran = false;
        test::WhenModalDialogOpens([&ran, act](QDialog& dialog) {
            ran = true;
            act(dialog);
        });
        m_dlg.OnCommand(command);
        return ran;
    }

    static void Click(QDialog& dialog, const char* buttonName) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(buttonName), Qt::LeftButton);
    }

    test::TempDir m_programDir;
    CMainDlg m_dlg;
};

TEST_F(MainDlgSettingsTest, StartUpCreatesMissingFileWithDefaults) {
    Start("");
    EXPECT_EQ(test::ReadFileBytes(SettingsFile()), DEFAULT_FILE);
    EXPECT_EQ(m_dlg.Settings().m_nBadElectrodeThreshold, 5);
    EXPECT_EQ(m_dlg.Settings().m_bShowBadContact, 1);
    EXPECT_EQ(m_dlg.Settings().m_bShowImpedanceOff, 1);
}

TEST_F(MainDlgSettingsTest, ThresholdsOkStoresTypedValueAndRewritesFile) {
    Start("2 VERCONTACTOMAL 0 UMBRALELECTRODOMAL 4");
    QString shown;
    ASSERT_TRUE(RunDialog(ID_THRESHOLDS, [&shown](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Umbrales"));
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit1026"));
        shown = edit->text();
        edit->setText(QStringLiteral("7x"));
        Click(dialog, "ok");
    }));
    EXPECT_EQ(shown, QStringLiteral("4"));
    EXPECT_EQ(m_dlg.Settings().m_nBadElectrodeThreshold, 7);
    EXPECT_EQ(test::ReadFileBytes(SettingsFile()),
              "3\r\nUMBRALELECTRODOMAL\t7\r\nVERCONTACTOMAL\t0\r\nVERIMPEDANCIAOFF\t1\r\n");
}

TEST_F(MainDlgSettingsTest, GraphOptionsShowTheFlagsInvertedAndOkWritesThem) {
    Start("");
    bool badChecked = true;
    bool inactiveChecked = true;
    ASSERT_TRUE(RunDialog(ID_GRAPH_OPTIONS, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configuración de gráfico"));
        auto* bad = dialog.findChild<QCheckBox*>(QStringLiteral("check1024"));
        badChecked = bad->isChecked();
        inactiveChecked = dialog.findChild<QCheckBox*>(QStringLiteral("check1027"))->isChecked();
        QTest::mouseClick(bad, Qt::LeftButton);
        Click(dialog, "ok");
    }));
    EXPECT_FALSE(badChecked);
    EXPECT_FALSE(inactiveChecked);
    EXPECT_EQ(m_dlg.Settings().m_bShowBadContact, 0);
    EXPECT_EQ(m_dlg.Settings().m_bShowImpedanceOff, 1);
    EXPECT_EQ(test::ReadFileBytes(SettingsFile()),
              "3\r\nUMBRALELECTRODOMAL\t5\r\nVERCONTACTOMAL\t0\r\nVERIMPEDANCIAOFF\t1\r\n");

    // Shown inverted on the next opening.
    ASSERT_TRUE(RunDialog(ID_GRAPH_OPTIONS, [&](QDialog& dialog) {
        badChecked = dialog.findChild<QCheckBox*>(QStringLiteral("check1024"))->isChecked();
        Click(dialog, "cancel");
    }));
    EXPECT_TRUE(badChecked);
}

TEST_F(MainDlgSettingsTest, GraphOptionsOkWithoutChangesRewritesCanonicalFile) {
    // Non-zero flags other than 1 come back as exactly 1; the keys return to their order.
    Start("4\nVERIMPEDANCIAOFF 7\nVERCONTACTOMAL 0\nUMBRALELECTRODOMAL 99\n");
    ASSERT_TRUE(RunDialog(ID_GRAPH_OPTIONS, [](QDialog& dialog) { Click(dialog, "ok"); }));
    EXPECT_EQ(m_dlg.Settings().m_bShowImpedanceOff, 1);
    EXPECT_EQ(test::ReadFileBytes(SettingsFile()),
              "3\r\nUMBRALELECTRODOMAL\t99\r\nVERCONTACTOMAL\t0\r\nVERIMPEDANCIAOFF\t1\r\n");
}

TEST_F(MainDlgSettingsTest, CancelAndEscapeChangeNeitherWindowNorFile) {
    const std::string content = "2 UMBRALELECTRODOMAL 9 VERIMPEDANCIAOFF 0";
    Start(content);
    const auto typeTwo = [](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit1026"));
        edit->setText(QStringLiteral("2"));
        return edit;
    };
    ASSERT_TRUE(RunDialog(ID_THRESHOLDS, [&typeTwo](QDialog& dialog) {
        typeTwo(dialog);
        Click(dialog, "cancel");
    }));
    ASSERT_TRUE(RunDialog(ID_THRESHOLDS, [&typeTwo](QDialog& dialog) {
        QTest::keyClick(typeTwo(dialog), Qt::Key_Escape);
    }));
    ASSERT_TRUE(RunDialog(ID_GRAPH_OPTIONS, [](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QCheckBox*>(QStringLiteral("check1027")),
                          Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }));
    EXPECT_EQ(m_dlg.Settings().m_nBadElectrodeThreshold, 9);
    EXPECT_EQ(m_dlg.Settings().m_bShowImpedanceOff, 0);
    EXPECT_EQ(test::ReadFileBytes(SettingsFile()), content);
}

// The program started from another folder uses the settings file beside the program file.
TEST(SettingsAtStartUp, FileBesideTheProgramIsUsedWhateverTheCurrentFolder) {
    test::TempDir folder;
    const std::filesystem::path programDir = folder.Path() / "program";
    const std::filesystem::path workDir = folder.Path() / "work";
    std::filesystem::create_directories(programDir);
    std::filesystem::create_directories(workDir);
    const std::filesystem::path probe = programDir / "settings_probe";
    std::filesystem::copy_file(std::filesystem::path(SOMVIX_BIN_DIR) / "settings_probe", probe);
    // A decoy in the current folder that must not be read.
    test::WriteFileBytes(workDir / SETTINGS_FILE_NAME, "1 UMBRALELECTRODOMAL 2");

    const auto runProbe = [&]() {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(workDir.string()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString(probe.string()), {});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    };

    EXPECT_EQ(runProbe(), "5 1 1\n");
    EXPECT_EQ(test::ReadFileBytes(programDir / SETTINGS_FILE_NAME), DEFAULT_FILE);

    test::WriteFileBytes(programDir / SETTINGS_FILE_NAME,
                         "2 UMBRALELECTRODOMAL 11 VERCONTACTOMAL 0");
    EXPECT_EQ(runProbe(), "11 0 1\n");
    EXPECT_EQ(test::ReadFileBytes(workDir / SETTINGS_FILE_NAME), "1 UMBRALELECTRODOMAL 2");
}

}  // namespace
}  // namespace somvix
