#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "app/main_dlg.h"
#include "chart/recording_files.h"
#include "res/resource_ids.h"
#include "support/modal_dialog.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

class MainDlgRecordingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dlg.SetDataDir(m_programDir.Path());
        m_dlg.OnInitDialog();
        m_dlg.resize(1000, 700);
        m_dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dlg));
        m_dlg.RecordingView().SetRecordingFileChooser([this] { return m_chosen; });
        const auto folder = test::WriteRecordingFolder(m_files.Path(), "x",
                                                       {{"p01234m.htr", test::SteadyTrend(900, 65)},
                                                        {"p01234m.fhi", "12-05-2007 22:30:15"},
                                                        {"notes.txt", test::SteadyTrend(10, 65)}});
        m_htr = QString::fromStdString((folder / "p01234m.htr").string());
        m_txt = QString::fromStdString((folder / "notes.txt").string());
    }

    template <typename Colour>
    int PixelsOf(Colour isColour) {
        const QImage image = m_dlg.centralWidget()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += isColour(image.pixel(x, y)) ? 1 : 0;
            }
        }
        return count;
    }
    int RedPixels() {
        return PixelsOf(
            [](QRgb pixel) { return qRed(pixel) > 0 && qGreen(pixel) + qBlue(pixel) == 0; });
    }
    // The hint's text colour.
    int GreyTextPixels() {
        return PixelsOf([](QRgb pixel) { return pixel == qRgb(96, 96, 96); });
    }

    test::TempDir m_programDir;
    test::TempDir m_files;
    CMainDlg m_dlg;
    QString m_chosen;
    QString m_htr;
    QString m_txt;
};

TEST_F(MainDlgRecordingTest, MenuAndToolbarOpenTheChosenRecording) {
    ASSERT_NE(m_dlg.ActionFor(ID_OPEN_BUTTON), nullptr);
    EXPECT_EQ(RedPixels(), 0);

    m_chosen = m_htr;
    m_dlg.ActionFor(ID_OPEN_BUTTON)->trigger();
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("SOMVIXMN - x - 12/05/2007 - 22:30:15"));
    EXPECT_EQ(m_dlg.RecordingView().Recording().m_nSamples, 900);
    EXPECT_EQ(m_dlg.RecordingView().Recording().m_bChartShown, 1);
    EXPECT_GT(RedPixels(), 1000);
    // The paint placed the upper chart's plot inside the client area, below the toolbar.
    EXPECT_GT(m_dlg.RecordingView().UpperChart().GetPlotTop(), m_dlg.InsideRect().top);
    EXPECT_GT(m_dlg.RecordingView().LowerChart().GetPlotTop(),
              m_dlg.RecordingView().UpperChart().GetPlotTop());
}

TEST_F(MainDlgRecordingTest, CancelAndOtherExtensionsLeaveTheRecordingOnScreen) {
    m_chosen = m_htr;
    m_dlg.OnCommand(ID_OPEN_RECORDING);
    const QString caption = m_dlg.windowTitle();

    m_chosen.clear();
    m_dlg.OnCommand(ID_OPEN_RECORDING);
    m_chosen = m_txt;
    m_dlg.OnCommand(ID_OPEN_RECORDING);
    EXPECT_EQ(m_dlg.windowTitle(), caption);
    EXPECT_EQ(m_dlg.RecordingView().Recording().m_nSamples, 900);
    EXPECT_GT(RedPixels(), 1000);
}

TEST_F(MainDlgRecordingTest, TrendFileThatCannotBeShownIsReportedOverTheEmptyGrids) {
    // Before: the hint in grey, no chart.
    EXPECT_EQ(RedPixels(), 0);
    EXPECT_GT(GreyTextPixels(), 50);

    m_chosen = m_htr + QStringLiteral(".gone.htr");
    QString caption;
    QString text;
    test::WhenModalDialogOpens([&](QDialog& box) {
        caption = box.windowTitle();
        if (auto* messageBox = qobject_cast<QMessageBox*>(&box)) {
            text = messageBox->text();
        }
        box.accept();
    });
    m_dlg.OnCommand(ID_OPEN_RECORDING);
    EXPECT_EQ(caption, QStringLiteral("Error"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("No existe el archivo de tendencias")))
        << text.toStdString();
    EXPECT_EQ(m_dlg.RecordingView().Recording().m_bChartShown, 1);
    EXPECT_EQ(GreyTextPixels(), 0);
}

TEST_F(MainDlgRecordingTest, WheelKeysEventsAndPointerMoveAndReadTheTimeAxis) {
    const auto folder = test::WriteRecordingFolder(
        m_files.Path(), "e01234",
        {{"p01234m.htr", test::SteadyTrend(2000, 65)},
         {"p01234m.evt", "EventResults_v1 a b c 100 7 INICIO 400 9 FIN"}});
    CRecordingView& view = m_dlg.RecordingView();
    ASSERT_EQ(view.OpenRecordingFile((folder / "p01234m.htr").string()), 0);
    EXPECT_EQ(view.Window(), (TimeWindow{0, 510}));
    QTest::qWait(20);  // the paint places the charts

    // Two notches at the middle of the plot, then the keys.
    const CTrendChart& upper = view.UpperChart();
    const int middleX = upper.GetPlotLeft() + upper.Geometry().nPlotWidth / 2;
    view.OnWheel(middleX, 2);
    EXPECT_EQ(view.Window(), (TimeWindow{92, 326}));
    QTest::keyClick(&m_dlg, Qt::Key_Right);
    EXPECT_EQ(view.Window(), (TimeWindow{173, 326}));
    QTest::keyClick(&m_dlg, Qt::Key_Home);
    EXPECT_EQ(view.Window(), (TimeWindow{0, 510}));

    QTest::keyClick(&m_dlg, Qt::Key_PageDown);
    EXPECT_EQ(view.SelectedEvent(), 0);
    EXPECT_EQ(view.Window(), (TimeWindow{70, 60}));
    QTest::qWait(20);  // the paint places the charts for the window
    const int eventX = upper.GetPlotLeft() + upper.Geometry().nPlotWidth / 2;
    const int curveY = upper.GetPlotTop() + upper.Geometry().nPlotHeight / 2;
    // Somewhere on the event's column lies its marker, on the curve.
    int onMarker = 0;
    for (int y = upper.GetPlotTop(); y < upper.Geometry().nPlotBottom; ++y) {
        onMarker += view.ReadoutAt(eventX, y) == QStringLiteral("Evento en 100  INICIO  Código 7");
    }
    EXPECT_GT(onMarker, 0);
    EXPECT_LT(onMarker, 12);
    EXPECT_TRUE(view.ReadoutAt(eventX + 40, curveY).startsWith(QStringLiteral("Muestra 4")))
        << view.ReadoutAt(eventX + 40, curveY).toStdString();
}

TEST_F(MainDlgRecordingTest, RecordingNamedAtStartUpOpensWithoutTheDialog) {
    EXPECT_EQ(m_dlg.RecordingView().OpenRecordingFile(m_txt.toStdString()), -1);
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("SOMVIXMN"));
    EXPECT_EQ(m_dlg.RecordingView().OpenRecordingFile(m_htr.toStdString()), 0);
    EXPECT_EQ(m_dlg.RecordingView().Recording().m_nSamples, 900);

    // The folder is named by the monitor and the start is read from the file: code page 1252.
    const auto folder = test::WriteRecordingFolder(
        m_files.Path(), "paciente\xD1", {{"p7.htr", "1 2"}, {"p7.fhi", "01-02-2003 ma\xF1"}});
    EXPECT_EQ(m_dlg.RecordingView().OpenRecordingFile((folder / "p7.htr").string()), 0);
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("SOMVIXMN - pacienteÑ - 01/02/2003 - mañ"));
}

TEST_F(MainDlgRecordingTest, ResizingRedrawsTheChartsAtTheNewSize) {
    m_chosen = m_htr;
    m_dlg.OnCommand(ID_OPEN_RECORDING);
    const int before = RedPixels();
    m_dlg.resize(600, 500);
    QTest::qWait(20);
    EXPECT_EQ(m_dlg.RecordingView().UpperChart().Properties().m_nRefWidth, 600);
    const int after = RedPixels();
    EXPECT_GT(after, 100);
    EXPECT_LT(after, before);
}

TEST(MainDlgZoneHiding, SettingsHideOnOpenAndTheGraphOptionsShowTheZoneAgain) {
    test::TempDir programDir;
    test::TempDir files;
    test::WriteFileBytes(programDir.Path() / "configuracion.txt", "1 VERIMPEDANCIAOFF 0");
    std::vector<std::pair<double, double>> impedances(300, {3.0, 3.0});
    for (size_t i = 100; i < 200; ++i) {
        impedances[i] = {3.0, 16.0};
    }
    const auto folder = test::WriteRecordingFolder(files.Path(), "x",
                                                   {{"p01234m.htr", test::SteadyTrend(300, 65)},
                                                    {"p01234m.imp", test::PairLines(impedances)}});

    CMainDlg dlg;
    dlg.SetDataDir(programDir.Path());
    dlg.OnInitDialog();
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    ASSERT_EQ(dlg.RecordingView().OpenRecordingFile((folder / "p01234m.htr").string()), 0);
    EXPECT_EQ(dlg.RecordingView().Recording().m_trend1[150], NO_DATA);
    EXPECT_EQ(dlg.RecordingView().Recording().m_trend1[99], 65.0);

    // The dialog's OK re-applies the hiding from the stored trend: no file is read again.
    std::filesystem::remove_all(folder);
    bool answered = false;
    test::WhenModalDialogOpens([&answered](QDialog& dialog) {
        answered = true;
        QTest::mouseClick(dialog.findChild<QCheckBox*>(QStringLiteral("check1027")),
                          Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    });
    dlg.OnCommand(ID_GRAPH_OPTIONS);
    ASSERT_TRUE(answered);
    EXPECT_EQ(dlg.Settings().m_bShowImpedanceOff, 1);
    EXPECT_EQ(dlg.RecordingView().Recording().m_trend1[150], 65.0);
    EXPECT_EQ(dlg.RecordingView().Recording().m_trend2[150], 32.5);
}

}  // namespace
}  // namespace somvix
