#include "chart/render/fonts.h"

#include <cstdlib>

#include "chart/render/font_height.h"

namespace somvix {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

QFont MakeFont(const QString& face, int points, int pixelsPerInch) {
    QFont font(face);
    // A negative height asks for the character height without internal leading; Qt's pixel
    // size is the em height, which is the same thing for these faces.
    font.setPixelSize(std::abs(FontHeightFromPoints(points, pixelsPerInch)));
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace somvix
