#include "chart/render/marker_draw.h"

#include <QFontMetrics>
#include <QPainter>

#include "chart/event_markers.h"
#include "chart/recording_store.h"
#include "chart/render/fonts.h"
#include "chart/trend_chart.h"
#include "shared/code_page_text.h"

namespace {
#include "res/evento.xpm"
}  // namespace

namespace somvix {

namespace {

const QColor MARKER_COLOR(0, 0, 0);

// The marker's raster operation (destination XOR (bitmap AND (brush XOR destination))) with a
// black-and-white bitmap: the brush where the bitmap is white, the destination unchanged where
// it is black. Painted as runs of white pixels, so it works on any painter.
void PaintThroughBitmap(QPainter& painter, const QImage& bitmap, int left, int top) {
    for (int row = 0; row < bitmap.height(); ++row) {
        int column = 0;
        while (column < bitmap.width()) {
            if (bitmap.pixel(column, row) != qRgb(255, 255, 255)) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < bitmap.width() && bitmap.pixel(column, row) == qRgb(255, 255, 255)) {
                ++column;
            }
            painter.fillRect(left + start, top + row, column - start, 1, MARKER_COLOR);
        }
    }
}

}  // namespace

QImage LoadEventBitmap() {
    return QImage(evento_xpm).convertToFormat(QImage::Format_RGB32);
}

EventMarkerStyle MakeEventMarkerStyle(int logPixelsY) {
    return {LoadEventBitmap(), MakeFont(QStringLiteral("Arial"), 8, logPixelsY)};
}

void DrawEventMarkers(QPainter& painter, const RecordingStore& store, const CTrendChart& upper,
                      int clientWidth, int clientHeight, TimeWindow window,
                      const EventMarkerStyle& style) {
    // The upper chart was drawn white: there is no curve to mark.
    if (!upper.Geometry().IsDrawable()) {
        return;
    }
    const MarkerFrame frame{upper.GetPlotLeft(), upper.GetPlotTop(), upper.GetXScale(),
                            upper.GetYScale(),   clientWidth,        clientHeight,
                            window.nUnits,       window.nFirstUnit};
    const int bitmapWidth = style.bitmap.width();
    const int bitmapHeight = style.bitmap.height();
    const QFontMetrics metrics(style.verticalFont);
    for (int e = 0; e < store.m_nEvents && e < MAX_EVENTS; ++e) {
        const EventRecord& event = store.m_events[static_cast<size_t>(e)];
        const std::optional<MarkerPlacement> marker =
            PlaceEventMarker(event.nTime, store, frame, upper);
        if (!marker) {
            continue;
        }
        PaintThroughBitmap(painter, style.bitmap, marker->nX - bitmapWidth / 2,
                           marker->nY - bitmapHeight / 2 + 3);
        if (!HasMnemonicText(store, event)) {
            continue;
        }
        const QString text = QString::fromStdString(Utf8From1252(event.strMnemonic));
        const TextOrigin origin = MnemonicOrigin(*marker, metrics.horizontalAdvance(text),
                                                 metrics.height(), bitmapHeight);
        // Turned 90 degrees counter-clockwise: the text reads upward from the origin and its
        // line height lies to the right of it. The background stays (transparent).
        painter.save();
        painter.translate(origin.x, origin.y);
        painter.rotate(-90.0);
        painter.setFont(style.verticalFont);
        painter.setPen(MARKER_COLOR);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.drawText(0, metrics.ascent(), text);
        painter.restore();
    }
}

}  // namespace somvix
