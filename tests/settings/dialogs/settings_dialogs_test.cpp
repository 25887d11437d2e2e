#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "chart/render/fonts.h"
#include "settings/dialogs/graph_options_dlg.h"
#include "settings/dialogs/thresholds_dlg.h"
#include "settings/dialogs/up_down_control.h"
#include "widgets/dialog_template.h"

namespace somvix {
namespace {

class ThresholdsDlgTest : public ::testing::Test {
protected:
    void Open(int threshold) {
        m_dlg.m_nThreshold = threshold;
        m_dlg.OnInitDialog();
        m_dlg.show();
        m_edit = m_dlg.findChild<QLineEdit*>(QStringLiteral("edit1026"));
        m_upDown = m_dlg.findChild<CUpDownControl*>(QStringLiteral("updown1025"));
        ASSERT_NE(m_edit, nullptr);
        ASSERT_NE(m_upDown, nullptr);
    }

    void ClickArrow(QToolButton* arrow, int times) {
        for (int click = 0; click < times; ++click) {
            QTest::mouseClick(arrow, Qt::LeftButton);
        }
    }

    // Types text over the edit box's content and confirms with OK; returns the threshold.
    int TypeAndConfirm(const QString& text) {
        m_edit->setFocus();
        m_edit->selectAll();
        QTest::keyClick(m_edit, Qt::Key_Delete);
        QTest::keyClicks(m_edit, text);
        QTest::mouseClick(m_dlg.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        return m_dlg.m_nThreshold;
    }

    CThresholdsDlg m_dlg;
    QLineEdit* m_edit = nullptr;
    CUpDownControl* m_upDown = nullptr;
};

TEST_F(ThresholdsDlgTest, TemplateCaptionTextsAndSize) {
    Open(5);
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("Umbrales"));
    auto* group = m_dlg.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("Valor de impedancia para electrodo mal"));
    auto* ok = m_dlg.findChild<QPushButton*>(QStringLiteral("ok"));
    auto* cancel = m_dlg.findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancelar"));

    const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 8, m_dlg.logicalDpiY());
    EXPECT_EQ(m_dlg.font().pixelSize(), font.pixelSize());
    const DialogUnits units(font);
    EXPECT_EQ(m_dlg.size(), QSize(units.X(257), units.Y(119)));
    EXPECT_EQ(m_edit->geometry(), units.Rect(QRect(56, 39, 31, 14)));
    EXPECT_EQ(m_upDown->geometry(), units.Rect(QRect(43, 39, 14, 14)));
    // The arrows sit left of the edit box, inside the group box.
    EXPECT_TRUE(group->geometry().contains(m_upDown->geometry()));
    EXPECT_TRUE(group->geometry().contains(m_edit->geometry()));
}

TEST_F(ThresholdsDlgTest, ArrowsStepBetweenZeroAndThirteenAndStopAtBothEnds) {
    Open(5);
    EXPECT_EQ(m_edit->text(), QStringLiteral("5"));
    ClickArrow(m_upDown->UpArrow(), 1);
    EXPECT_EQ(m_edit->text(), QStringLiteral("6"));
    ClickArrow(m_upDown->UpArrow(), 20);
    EXPECT_EQ(m_edit->text(), QStringLiteral("13"));
    ClickArrow(m_upDown->DownArrow(), 1);
    EXPECT_EQ(m_edit->text(), QStringLiteral("12"));
    ClickArrow(m_upDown->DownArrow(), 30);
    EXPECT_EQ(m_edit->text(), QStringLiteral("0"));
    // The arrow keys in the edit box step it as well.
    m_edit->setFocus();
    QTest::keyClick(m_edit, Qt::Key_Down);
    EXPECT_EQ(m_edit->text(), QStringLiteral("0"));
    QTest::keyClick(m_edit, Qt::Key_Up);
    QTest::keyClick(m_edit, Qt::Key_Up);
    EXPECT_EQ(m_edit->text(), QStringLiteral("2"));
}

TEST_F(ThresholdsDlgTest, ArrowsStepOnFromTypedTextIntoTheRange) {
    Open(5);
    m_edit->setText(QStringLiteral("40"));
    ClickArrow(m_upDown->DownArrow(), 1);
    EXPECT_EQ(m_edit->text(), QStringLiteral("13"));
    m_edit->setText(QStringLiteral("-2"));
    ClickArrow(m_upDown->UpArrow(), 1);
    EXPECT_EQ(m_edit->text(), QStringLiteral("0"));
    m_edit->setText(QStringLiteral("9"));
    ClickArrow(m_upDown->UpArrow(), 1);
    EXPECT_EQ(m_edit->text(), QStringLiteral("10"));
    // Text that is no number: the arrows go on from their last position.
    m_edit->setText(QStringLiteral("abc"));
    ClickArrow(m_upDown->DownArrow(), 1);
    EXPECT_EQ(m_edit->text(), QStringLiteral("9"));
}

TEST_F(ThresholdsDlgTest, ThresholdOutsideTheArrowsRangeOpensUnchanged) {
    Open(99);
    EXPECT_EQ(m_edit->text(), QStringLiteral("99"));
    QTest::mouseClick(m_dlg.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_dlg.m_nThreshold, 99);
}

TEST_F(ThresholdsDlgTest, OkTakesTypedTextAsAtoiWould) {
    const std::pair<QString, int> cases[] = {
        {"7x", 7}, {"", 0}, {"40", 40}, {"-2", -2}, {" 12", 12}, {"abc", 0},
    };
    for (const auto& [text, expected] : cases) {
        Open(5);
        EXPECT_EQ(TypeAndConfirm(text), expected) << text.toStdString();
        EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    }
}

TEST_F(ThresholdsDlgTest, CancelEscapeAndCloseBoxKeepTheThreshold) {
    Open(8);
    m_edit->setText(QStringLiteral("3"));
    QTest::mouseClick(m_dlg.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_dlg.m_nThreshold, 8);

    Open(8);
    m_edit->setText(QStringLiteral("3"));
    QTest::keyClick(m_edit, Qt::Key_Escape);
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_dlg.m_nThreshold, 8);

    Open(8);
    m_edit->setText(QStringLiteral("3"));
    m_dlg.close();
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_dlg.m_nThreshold, 8);
}

TEST_F(ThresholdsDlgTest, EnterInTheEditBoxConfirms) {
    Open(5);
    m_edit->setFocus();
    m_edit->setText(QStringLiteral("11"));
    QTest::keyClick(m_edit, Qt::Key_Return);
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_dlg.m_nThreshold, 11);
}

class GraphOptionsDlgTest : public ::testing::Test {
protected:
    void Open(int hideBad, int hideInactive) {
        m_dlg.m_bHideBadElectrodes = hideBad;
        m_dlg.m_bHideInactiveImpedance = hideInactive;
        m_dlg.OnInitDialog();
        m_dlg.show();
        m_bad = m_dlg.findChild<QCheckBox*>(QStringLiteral("check1024"));
        m_inactive = m_dlg.findChild<QCheckBox*>(QStringLiteral("check1027"));
        ASSERT_NE(m_bad, nullptr);
        ASSERT_NE(m_inactive, nullptr);
    }

    CGraphOptionsDlg m_dlg;
    QCheckBox* m_bad = nullptr;
    QCheckBox* m_inactive = nullptr;
};

TEST_F(GraphOptionsDlgTest, TemplateCaptionTextsAndSize) {
    Open(0, 0);
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("Configuración de gráfico"));
    EXPECT_EQ(m_bad->text(), QStringLiteral("Ocultar zonas con electrodos mal"));
    EXPECT_EQ(m_inactive->text(),
              QStringLiteral("Ocultar zonas con medición de impedancia inactiva"));
    const DialogUnits units(m_dlg.font());
    EXPECT_EQ(m_dlg.size(), QSize(units.X(254), units.Y(63)));
    EXPECT_EQ(m_bad->pos(), units.Rect(QRect(19, 16, 177, 10)).topLeft());
    EXPECT_GE(m_bad->width(), units.X(177));
    // The boxes' texts are not cut, and they stay clear of the buttons.
    const int buttonsLeft = m_dlg.findChild<QPushButton*>(QStringLiteral("ok"))->x();
    for (const QCheckBox* box : {m_bad, m_inactive}) {
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
        EXPECT_LT(box->geometry().right(), buttonsLeft) << box->text().toStdString();
    }
}

TEST_F(GraphOptionsDlgTest, BoxesShowTheMembersAndOkCopiesThemBack) {
    const std::pair<int, int> states[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const auto& [hideBad, hideInactive] : states) {
        Open(hideBad, hideInactive);
        EXPECT_EQ(m_bad->isChecked(), hideBad == 1);
        EXPECT_EQ(m_inactive->isChecked(), hideInactive == 1);
        QTest::mouseClick(m_bad, Qt::LeftButton);
        QTest::mouseClick(m_dlg.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
        EXPECT_EQ(m_dlg.m_bHideBadElectrodes, 1 - hideBad);
        EXPECT_EQ(m_dlg.m_bHideInactiveImpedance, hideInactive);
    }
}

TEST_F(GraphOptionsDlgTest, CancelAndEscapeKeepTheMembers) {
    Open(0, 1);
    QTest::mouseClick(m_bad, Qt::LeftButton);
    QTest::mouseClick(m_dlg.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_dlg.m_bHideBadElectrodes, 0);

    Open(0, 1);
    QTest::mouseClick(m_inactive, Qt::LeftButton);
    QTest::keyClick(&m_dlg, Qt::Key_Escape);
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_dlg.m_bHideInactiveImpedance, 1);
}

TEST(DialogUnits, ScaleByTheFontsAverageLetterWidthAndHeight) {
    const DialogUnits units(MakeFont(QStringLiteral("MS Sans Serif"), 8, 96));
    ASSERT_GT(units.BaseWidth(), 0);
    ASSERT_GT(units.BaseHeight(), 0);
    EXPECT_EQ(units.X(4), units.BaseWidth());
    EXPECT_EQ(units.Y(8), units.BaseHeight());
    EXPECT_EQ(units.X(400), units.BaseWidth() * 100);
}

}  // namespace
}  // namespace somvix
