#include "app/chart_output.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace somvix {

namespace {

// The picture as large as the page allows, its proportions kept, at the top-left corner.
void PaintOnPage(QPainter& painter, const QImage& picture, const QRect& page) {
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), size), picture);
}

}  // namespace

bool SaveChartsPicture(const QImage& picture, const QString& path) {
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        return picture.save(path, "PNG");
    }
    QPdfWriter pdf(path);
    pdf.setPageOrientation(picture.width() >= picture.height() ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    PaintOnPage(painter, picture, painter.viewport());
    return painter.end();
}

void PrintChartsPicture(QWidget* parent, const QImage& picture) {
    QPrinter printer;
    printer.setPageOrientation(picture.width() >= picture.height() ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&picture](QPrinter* target) {
                         QPainter painter(target);
                         PaintOnPage(painter, picture, painter.viewport());
                     });
    preview.exec();
}

}  // namespace somvix
