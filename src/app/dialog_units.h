#pragma once

#include <QFont>
#include <QRect>

namespace somvix {

// Turns the dialog units of a window template into pixels with the base units of the
// template's font: a horizontal unit is a quarter of the average character width, a vertical
// unit an eighth of the character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QRect Rect(int x, int y, int width, int height) const;
    int X(int units) const { return units * m_nBaseWidth / 4; }
    int Y(int units) const { return units * m_nBaseHeight / 8; }

private:
    int m_nBaseWidth = 0;   // pixels
    int m_nBaseHeight = 0;  // pixels
};

// The font of the dialog templates: "MS Sans Serif", 8 points, at the screen's resolution.
QFont DialogTemplateFont(int logPixelsY);

}  // namespace somvix
