#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace somvix {

// Writes the picture of the charts: a PDF when the name ends in ".pdf" (one page, the picture
// filling its width), a PNG otherwise. False when the file cannot be written.
bool SaveChartsPicture(const QImage& picture, const QString& path);

// The print dialog's preview of the picture, one page; printing happens from there.
void PrintChartsPicture(QWidget* parent, const QImage& picture);

}  // namespace somvix
