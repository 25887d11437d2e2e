#pragma once

#include <QFont>
#include <QString>

namespace somvix {

// Maps the Windows face names the program asks for ("Arial", "MS Sans Serif") to the
// metric-compatible family installed with the program (Liberation Sans), so that text measures
// the same on every machine. Call once, after the Gui application object exists.
void InstallFontSubstitutions();

// A font of the given face made from a point size at pixelsPerInch, weight 400, as the
// character height -trunc(points x pixelsPerInch / 72).
QFont MakeFont(const QString& face, int points, int pixelsPerInch);

}  // namespace somvix
