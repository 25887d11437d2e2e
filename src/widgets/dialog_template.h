#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

namespace somvix {

// Dialog units of a dialog's font, as the dialog templates measure: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    // A rectangle given as x, y, width and height in dialog units, in pixels.
    QRect Rect(const QRect& units) const;

    int BaseWidth() const { return m_nBaseWidth; }
    int BaseHeight() const { return m_nBaseHeight; }

private:
    int m_nBaseWidth;   // pixels, average width of the letters A-Z and a-z
    int m_nBaseHeight;  // pixels, the font's height
};

// Prepares a modal dialog from its template's caption and size in dialog units, in the
// templates' font ("MS Sans Serif" 8 point), with a fixed frame. Returns the units to place
// the controls with.
DialogUnits SetUpTemplateDialog(QDialog& dialog, const QString& caption, int widthUnits,
                                int heightUnits);

// Widens a control whose text needs more room than its template gave it: the substitute face
// runs a little wider than the one the templates were drawn for.
void WidenToText(QWidget& control);

// A push button of a template at its place in dialog units.
QPushButton* AddPushButton(QDialog& dialog, const DialogUnits& units, const QString& text,
                           const QRect& rectUnits);
// The template's "OK" (default, accepts the dialog) and "Cancelar" (rejects it) buttons.
QPushButton* AddOkButton(QDialog& dialog, const DialogUnits& units, const QRect& rectUnits);
QPushButton* AddCancelButton(QDialog& dialog, const DialogUnits& units, const QRect& rectUnits);

}  // namespace somvix
