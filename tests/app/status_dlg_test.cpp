#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/main_dlg.h"
#include "app/modal_answerer.h"
#include "app/status_dlg.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

class StatusDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dlg.Create();
        m_dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dlg));
    }
    void TearDown() override { m_dlg.hide(); }

    int m_nCleanUps = 0;
    CStatusDlg m_dlg{nullptr, [this] { ++m_nCleanUps; }};
};

TEST_F(StatusDlgTest, StartsWithEmptyLineAndHiddenBarOverFiveHundred) {
    EXPECT_TRUE(m_dlg.StatusLine()->text().isEmpty());
    EXPECT_TRUE(m_dlg.ProgressBar()->isHidden());
    EXPECT_EQ(m_dlg.ProgressVisible(), 0);
    EXPECT_EQ(m_dlg.ProgressBar()->minimum(), 0);
    EXPECT_EQ(m_dlg.ProgressBar()->maximum(), 500);
    EXPECT_EQ(m_dlg.ProgressBar()->value(), 0);
    EXPECT_TRUE(m_dlg.windowTitle().isEmpty());
    EXPECT_TRUE(m_dlg.windowFlags().testFlag(Qt::FramelessWindowHint));
    // The line sits above the bar, both inside the window.
    EXPECT_LT(m_dlg.StatusLine()->geometry().bottom(), m_dlg.ProgressBar()->geometry().top());
    EXPECT_TRUE(m_dlg.rect().contains(m_dlg.ProgressBar()->geometry()));
}

TEST_F(StatusDlgTest, StatusTextReplacesTheWholeLine) {
    m_dlg.SetStatusText("Conectando...");
    EXPECT_EQ(m_dlg.StatusLine()->text(), QStringLiteral("Conectando..."));
    m_dlg.SetStatusText("Adaptando configuración de red ...");
    EXPECT_EQ(m_dlg.StatusLine()->text(), QStringLiteral("Adaptando configuración de red ..."));
    m_dlg.SetStatusText("");
    EXPECT_TRUE(m_dlg.StatusLine()->text().isEmpty());
}

TEST_F(StatusDlgTest, ProgressDeltasAreHeldWithinTheRange) {
    m_dlg.ShowProgress();
    EXPECT_TRUE(m_dlg.ProgressBar()->isVisible());
    m_dlg.AdvanceProgress(0);  // a list of more than 500 items
    EXPECT_EQ(m_dlg.ProgressBar()->value(), 0);
    m_dlg.AdvanceProgress(166);
    m_dlg.AdvanceProgress(166);
    EXPECT_EQ(m_dlg.ProgressBar()->value(), 332);
    m_dlg.AdvanceProgress(250);
    EXPECT_EQ(m_dlg.ProgressBar()->value(), 500);
    m_dlg.AdvanceProgress(250);
    EXPECT_EQ(m_dlg.ProgressBar()->value(), 500);
    m_dlg.HideProgress();
    EXPECT_TRUE(m_dlg.ProgressBar()->isHidden());
    EXPECT_EQ(m_dlg.ProgressVisible(), 0);
}

TEST_F(StatusDlgTest, RepaintShowsTheBarOnlyWhenItIsMeantToBeVisible) {
    m_dlg.ShowProgress();
    m_dlg.ProgressBar()->hide();  // hidden by other means
    m_dlg.repaint();
    EXPECT_TRUE(m_dlg.ProgressBar()->isVisible());

    m_dlg.HideProgress();
    m_dlg.repaint();
    EXPECT_TRUE(m_dlg.ProgressBar()->isHidden());
}

TEST_F(StatusDlgTest, NeitherEscapeNorCloseEndsTheWindow) {
    QTest::keyClick(&m_dlg, Qt::Key_Escape);
    EXPECT_TRUE(m_dlg.isVisible());
    m_dlg.close();
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_EQ(m_nCleanUps, 0);
}

class MainDlgStatusWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_main.SetDataDir(m_programDir.Path());
        m_main.OnInitDialog();
        m_main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_main));
    }
    void TearDown() override { m_main.Device().DestroyStatusWindow(); }

    test::TempDir m_programDir;
    CMainDlg m_main;
};

TEST_F(MainDlgStatusWindowTest, SecondOpeningReportsAndKeepsTheFirstWindow) {
    m_main.Device().OpenStatusWindow();
    CStatusDlg* first = m_main.Device().StatusWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowModality(), Qt::ApplicationModal);  // holds the user

    QStringList shown;
    test::ModalAnswerer answerer([first](QWidget* modal) { return modal == first; });
    answerer.Then([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown << box->windowTitle() << box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    m_main.Device().OpenStatusWindow();
    EXPECT_EQ(shown, (QStringList{"Error", "Error iniciando ventana de información de estado"}));
    EXPECT_EQ(m_main.Device().StatusWindow(), first);

    // Once destroyed, the reference is gone at once and the next opening is silent.
    QPointer<CStatusDlg> watch(first);
    m_main.Device().DestroyStatusWindow();
    EXPECT_EQ(m_main.Device().StatusWindow(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 2000));
    EXPECT_TRUE(watch.isNull());
    m_main.Device().OpenStatusWindow();
    ASSERT_NE(m_main.Device().StatusWindow(), nullptr);
    EXPECT_EQ(m_main.Device().StatusWindow()->ProgressBar()->value(), 0);
    EXPECT_TRUE(m_main.Device().StatusWindow()->ProgressBar()->isHidden());
}

}  // namespace
}  // namespace somvix
