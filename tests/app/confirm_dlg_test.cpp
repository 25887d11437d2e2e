#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/confirm_dlg.h"

namespace somvix {
namespace {

// Acts on the dialog once its modal loop is running.
int ShowAndThen(CConfirmDlg& dlg, const std::function<void()>& action) {
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        action();
    });
    return dlg.DoModal();
}

TEST(ConfirmDlg, TemplateCaptionAndButtons) {
    CConfirmDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("ADVERTENCIA!"));
    EXPECT_EQ(dlg.YesButton()->text(), QStringLiteral("Si"));
    EXPECT_EQ(dlg.NoButton()->text(), QStringLiteral("No"));
    EXPECT_TRUE(dlg.YesButton()->isDefault());
    EXPECT_LT(dlg.YesButton()->x(), dlg.NoButton()->x());
    EXPECT_TRUE(dlg.Statement()->wordWrap());
}

TEST(ConfirmDlg, EnterAnswersSi) {
    CConfirmDlg dlg;
    EXPECT_EQ(ShowAndThen(dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Return); }), DIALOG_OK);
}

TEST(ConfirmDlg, EscapeAndCloseBoxAnswerNeitherSiNorNo) {
    CConfirmDlg dlg;
    EXPECT_EQ(ShowAndThen(dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); }), DIALOG_CLOSED);
    EXPECT_EQ(ShowAndThen(dlg, [&] { dlg.close(); }), DIALOG_CLOSED);
    EXPECT_EQ(ShowAndThen(dlg, [&] { dlg.NoButton()->click(); }), DIALOG_CANCEL);
    EXPECT_EQ(ShowAndThen(dlg, [&] { dlg.YesButton()->click(); }), DIALOG_OK);
}

TEST(ConfirmDlg, UnsetQuestionShowsEmptyAndTextsAreReplacedOnTheNextShowing) {
    CConfirmDlg dlg;
    QString statement;
    QString question;
    const auto capture = [&] {
        statement = dlg.Statement()->text();
        question = dlg.Question()->text();
        dlg.reject();
    };
    dlg.SetText("Se han encontrado datos de la monitorización paciente1-M");
    ShowAndThen(dlg, capture);
    EXPECT_EQ(statement,
              QStringLiteral("Se han encontrado datos de la monitorización paciente1-M"));
    EXPECT_TRUE(question.isEmpty());

    dlg.SetText("No existen datos de PACIENTE2-M en su PC");
    dlg.SetQuestion("¿Descargar datos antes de eliminar?");
    ShowAndThen(dlg, capture);
    EXPECT_EQ(statement, QStringLiteral("No existen datos de PACIENTE2-M en su PC"));
    EXPECT_EQ(question, QStringLiteral("¿Descargar datos antes de eliminar?"));

    // The texts keep their values between showings.
    ShowAndThen(dlg, capture);
    EXPECT_EQ(question, QStringLiteral("¿Descargar datos antes de eliminar?"));
}

TEST(ConfirmDlg, LongStatementWrapsWithinThreeLines) {
    CConfirmDlg dlg;
    dlg.SetText(
        "Se han encontrado datos de la monitorización paciente_con_nombre_largo-SOMVIX-7, de "
        "una descarga previa aparentemente incompleta.");
    int lineHeight = 0;
    int labelHeight = 0;
    int neededHeight = 0;
    ShowAndThen(dlg, [&] {
        QLabel* label = dlg.Statement();
        lineHeight = label->fontMetrics().height();
        labelHeight = label->height();
        neededHeight = label->heightForWidth(label->width());
        dlg.reject();
    });
    EXPECT_GT(neededHeight, lineHeight);     // more than one line
    EXPECT_LE(labelHeight, 4 * lineHeight);  // room for about three lines, no more
    EXPECT_GE(labelHeight, 3 * lineHeight - 2);
}

}  // namespace
}  // namespace somvix
