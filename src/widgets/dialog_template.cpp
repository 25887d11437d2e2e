#include "widgets/dialog_template.h"

#include <QDialog>
#include <QFontMetrics>
#include <QPushButton>

#include "chart/render/fonts.h"

namespace somvix {

namespace {

// Rounds a * b / c to the nearest whole number, halves away from zero.
int MultiplyDivide(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseWidth = (letters / 26 + 1) / 2;
    m_nBaseHeight = metrics.height();
}

int DialogUnits::X(int units) const {
    return MultiplyDivide(units, m_nBaseWidth, 4);
}

int DialogUnits::Y(int units) const {
    return MultiplyDivide(units, m_nBaseHeight, 8);
}

QRect DialogUnits::Rect(const QRect& units) const {
    return QRect(X(units.x()), Y(units.y()), X(units.width()), Y(units.height()));
}

DialogUnits SetUpTemplateDialog(QDialog& dialog, const QString& caption, int widthUnits,
                                int heightUnits) {
    dialog.setWindowTitle(caption);
    dialog.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8, dialog.logicalDpiY()));
    dialog.setModal(true);
    const DialogUnits units(dialog.font());
    dialog.setFixedSize(units.X(widthUnits), units.Y(heightUnits));
    return units;
}

void WidenToText(QWidget& control) {
    const int needed = control.sizeHint().width();
    if (needed > control.width()) {
        control.resize(needed, control.height());
    }
}

QPushButton* AddPushButton(QDialog& dialog, const DialogUnits& units, const QString& text,
                           const QRect& rectUnits) {
    auto* button = new QPushButton(text, &dialog);
    button->setGeometry(units.Rect(rectUnits));
    return button;
}

QPushButton* AddOkButton(QDialog& dialog, const DialogUnits& units, const QRect& rectUnits) {
    QPushButton* button = AddPushButton(dialog, units, QStringLiteral("OK"), rectUnits);
    button->setObjectName(QStringLiteral("ok"));
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    return button;
}

QPushButton* AddCancelButton(QDialog& dialog, const DialogUnits& units, const QRect& rectUnits) {
    QPushButton* button = AddPushButton(dialog, units, QStringLiteral("Cancelar"), rectUnits);
    button->setObjectName(QStringLiteral("cancel"));
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
    return button;
}

}  // namespace somvix
