#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "about/dialogs/about_dlg.h"
#include "chart/render/font_height.h"
#include "support/version_text.h"
#include "widgets/dialog_template.h"

namespace somvix {
namespace {

class AboutDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dlg.OnInitDialog();
        m_dlg.show();
        m_version = m_dlg.findChild<QLabel*>(QStringLiteral("static1008"));
        ASSERT_NE(m_version, nullptr);
    }

    CAboutDlg m_dlg;
    QLabel* m_version = nullptr;
};

TEST_F(AboutDlgTest, VersionLineReadsTheProgramsOwnRecord) {
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("Acerca del programa"));
    EXPECT_EQ(m_version->text(),
              QString::fromStdString("Versión del programa:   " + test::VersionText(", ")));
    // The whole line is shown, not cut at its template width.
    EXPECT_LE(m_version->sizeHint().width(), m_version->width());
}

TEST_F(AboutDlgTest, VersionLineIsInNinePointFont) {
    const QFont font = m_version->font();
    EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.pixelSize(), -FontHeightFromPoints(9, m_dlg.logicalDpiY()));
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(-FontHeightFromPoints(9, 96), 12);
}

TEST_F(AboutDlgTest, FourContactLinesUnderTheVersion) {
    QStringList lines;
    for (const QLabel* label : m_dlg.findChildren<QLabel*>(QStringLiteral("contact"))) {
        lines << label->text();
        EXPECT_GT(label->y(), m_version->geometry().bottom());
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    }
    EXPECT_EQ(
        lines,
        (QStringList{"SOMVIXMN: descarga y gráficos SOMVIX", "Software libre: GPL-3.0 o posterior",
                     "Manual: man somvixmn y el README", "Fallos: README, «Reporting a fault»"}));
}

TEST_F(AboutDlgTest, OkAndEscapeCloseTheBox) {
    auto* ok = m_dlg.findChild<QPushButton*>(QStringLiteral("ok"));
    ASSERT_NE(ok, nullptr);
    const DialogUnits units(m_dlg.font());
    EXPECT_EQ(ok->geometry(), units.Rect(QRect(76, 98, 33, 14)));
    EXPECT_EQ(m_dlg.size(), QSize(units.X(187), units.Y(126)));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dlg.isVisible());

    m_dlg.show();
    QTest::keyClick(&m_dlg, Qt::Key_Escape);
    EXPECT_FALSE(m_dlg.isVisible());
}

TEST(AboutVersionLine, WithoutVersionOnlyTheLabelRemains) {
    EXPECT_EQ(CAboutDlg::VersionLine(""), QStringLiteral("Versión del programa:   "));
}

}  // namespace
}  // namespace somvix
