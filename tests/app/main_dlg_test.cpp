#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QTranslator>

#include "app/main_dlg.h"
#include "app/qt_translation.h"
#include "chart/render/font_height.h"
#include "chart/render/fonts.h"
#include "res/resource_ids.h"
#include "support/modal_dialog.h"
#include "support/temp_dir.h"
#include "version.h"

namespace somvix {
namespace {

class MainDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dlg.SetDataDir(m_programDir.Path());
        m_dlg.OnInitDialog();
        m_dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dlg));
    }

    test::TempDir m_programDir;
    CMainDlg m_dlg;
};

TEST_F(MainDlgTest, CaptionAfterStartUpIsProgramNameInCapitals) {
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("SOMVIXMN"));
}

TEST_F(MainDlgTest, MenuBarHoldsPopupsInOrderWithTheirItems) {
    QStringList popups;
    QStringList items;
    for (QAction* popup : m_dlg.menuBar()->actions()) {
        popups << popup->text();
        for (QAction* item : popup->menu()->actions()) {
            EXPECT_FALSE(item->isSeparator());
            items << popup->text() + "/" + item->text();
        }
    }
    EXPECT_EQ(popups, (QStringList{"Archivo", "Ver", "Opciones", "Monitor", "Ayuda"}));
    EXPECT_EQ(items, (QStringList{"Archivo/Abrir...",
                                  "Archivo/Guardar imagen...",
                                  "Archivo/Imprimir...",
                                  "Archivo/Archivos recientes",
                                  "Archivo/Salir",
                                  "Ver/Acercar",
                                  "Ver/Alejar",
                                  "Ver/Ver todo",
                                  "Ver/Desplazar a la izquierda",
                                  "Ver/Desplazar a la derecha",
                                  "Ver/Evento siguiente",
                                  "Ver/Evento anterior",
                                  "Ver/Eventos",
                                  "Ver/Monitorizaciones descargadas",
                                  "Opciones/Configuración de gráficos",
                                  "Opciones/Umbrales",
                                  "Monitor/Descargar datos",
                                  "Monitor/Vaciar monitor...",
                                  "Monitor/Ver contenido del monitor...",
                                  "Monitor/Opciones de comunicación...",
                                  "Ayuda/Acerca del programa..."}));
}

TEST_F(MainDlgTest, ToolbarButtonsCarryStringTableTooltips) {
    ASSERT_NE(m_dlg.ActionFor(ID_OPEN_BUTTON), nullptr);
    EXPECT_EQ(m_dlg.ActionFor(ID_OPEN_BUTTON)->toolTip(), QStringLiteral("Abrir Archivo"));
    ASSERT_NE(m_dlg.ActionFor(ID_DOWNLOAD), nullptr);
    auto* toolbar = m_dlg.findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(toolbar->actions().contains(m_dlg.ActionFor(ID_OPEN_BUTTON)));
    EXPECT_EQ(toolbar->actions().size(), 2);
}

TEST_F(MainDlgTest, SettingsFileLivesInProgramDirectory) {
    EXPECT_EQ(m_dlg.SettingsPath(), m_programDir.Path() / "configuracion.txt");
}

TEST_F(MainDlgTest, LayoutFollowsResizeAndLeavesOneLineAboveUpperPanel) {
    m_dlg.resize(900, 700);
    QTest::qWait(10);
    const PanelLayout& layout = m_dlg.Layout();
    EXPECT_EQ(layout.m_nClientWidth, m_dlg.ClientRect().Width());
    EXPECT_EQ(layout.m_nClientWidth, 900);
    EXPECT_EQ(layout.m_nTopPanelY, m_dlg.InsideRect().top + m_dlg.LineHeight());
    EXPECT_EQ(layout.m_nTopPanelX, m_dlg.CharWidth());
    EXPECT_GT(m_dlg.InsideRect().top, 0);  // the toolbar sits above the charts
    const int upperHeight = static_cast<int>(layout.m_dTopPanelHeight * layout.m_nClientHeight);
    const int lowerHeight = static_cast<int>(layout.m_dBottomPanelHeight * layout.m_nClientHeight);
    EXPECT_NEAR(static_cast<double>(upperHeight) / (upperHeight + lowerHeight), 0.7, 0.01);
}

TEST_F(MainDlgTest, TextMetricsComeFromEightPointFont) {
    EXPECT_EQ(m_dlg.TextFont().pixelSize(), -FontHeightFromPoints(8, m_dlg.LogPixelsY()));
    EXPECT_EQ(m_dlg.RecordingView().VerticalFont().family(), QStringLiteral("Arial"));
    EXPECT_GT(m_dlg.CharWidth(), 0);
    EXPECT_GT(m_dlg.LineHeight(), m_dlg.TextFont().pixelSize());
}

TEST_F(MainDlgTest, EscapeEndsTheProgram) {
    QTest::keyClick(&m_dlg, Qt::Key_Escape);
    EXPECT_FALSE(m_dlg.isVisible());
}

TEST_F(MainDlgTest, EnterEndsTheProgram) {
    QTest::keyClick(&m_dlg, Qt::Key_Return);
    EXPECT_FALSE(m_dlg.isVisible());
}

TEST_F(MainDlgTest, AboutCommandOpensTheBoxWithTheProgramsVersion) {
    QString caption;
    QString version;
    test::WhenModalDialogOpens([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        version = dialog.findChild<QLabel*>(QStringLiteral("static1008"))->text();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    });
    m_dlg.OnCommand(ID_ABOUT);
    EXPECT_EQ(caption, QStringLiteral("Acerca del programa"));
    EXPECT_TRUE(version.endsWith(QStringLiteral("%1, %2, %3, %4")
                                     .arg(VERSION_MAJOR)
                                     .arg(VERSION_MINOR)
                                     .arg(VERSION_PATCH)
                                     .arg(VERSION_TWEAK)))
        << version.toStdString();
}

TEST(QtSpanish, StandardButtonsAndTheFileDialogSpeakSpanish) {
    QTranslator translator;
    ASSERT_TRUE(InstallQtSpanish(translator));
    const QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'),
              QStringLiteral("Cancelar"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Open)->text().remove('&'), QStringLiteral("Abrir"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString name = dialog.labelText(QFileDialog::FileName).remove('&');
    // Qt's own Spanish names the file "fichero".
    EXPECT_TRUE(name.startsWith(QStringLiteral("Nombre de"))) << name.toStdString();
}

TEST(MakeFont, HeightsAtTwoScreenResolutions) {
    EXPECT_EQ(MakeFont("Arial", 8, 96).pixelSize(), 10);
    EXPECT_EQ(MakeFont("MS Sans Serif", 8, 120).pixelSize(), 13);
    EXPECT_EQ(MakeFont("MS Sans Serif", 9, 96).pixelSize(), 12);
    // Both Windows faces resolve to the installed metric-compatible family.
    EXPECT_EQ(QFontInfo(MakeFont("Arial", 8, 96)).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(MakeFont("MS Sans Serif", 8, 96)).family(),
              QStringLiteral("Liberation Sans"));
}

}  // namespace
}  // namespace somvix
