#include "app/dialog_units.h"

#include <QFontMetrics>

#include "chart/fonts.h"

namespace somvix {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    m_nBaseWidth = metrics.averageCharWidth();
    m_nBaseHeight = metrics.height();
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}

QFont DialogTemplateFont(int logPixelsY) {
    return MakeFont(QStringLiteral("MS Sans Serif"), 8, logPixelsY);
}

}  // namespace somvix
