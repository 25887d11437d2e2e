#include "chart/render/paint_charts.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include "chart/chart_config.h"
#include "chart/render/chart_draw.h"
#include "chart/render/fonts.h"
#include "chart/render/marker_draw.h"
#include "chart/trend_chart.h"

namespace somvix {

int RecordingSpanUnits(const RecordingStore& store) {
    return SpanUnits(store.m_nSamples, store.m_nSamplesPerUnit);
}

void PaintCharts(QPainter& painter, const RecordingStore& store, const PanelLayout& layout,
                 CTrendChart& upper, CTrendChart& lower, const EventMarkerStyle& markers) {
    PaintCharts(painter, store, layout, upper, lower, markers,
                WholeWindow(RecordingSpanUnits(store)));
}

void PaintCharts(QPainter& painter, const RecordingStore& store, const PanelLayout& layout,
                 CTrendChart& upper, CTrendChart& lower, const EventMarkerStyle& markers,
                 TimeWindow window) {
    if (store.m_bChartShown != 1 || layout.m_nClientWidth <= 0 || layout.m_nClientHeight <= 0) {
        return;
    }
    window = ClampWindow(window, RecordingSpanUnits(store));
    ConfigureCharts(upper, lower, store, layout, window);
    const int logPixelsY = painter.device()->logicalDpiY();
    DrawTrendChart(painter, upper, logPixelsY);
    DrawTrendChart(painter, lower, logPixelsY);
    DrawEventMarkers(painter, store, upper, layout.m_nClientWidth, layout.m_nClientHeight, window,
                     markers);
}

PanelLayout ComputeLayoutWithoutToolbar(QSize client, int logPixelsY) {
    const QFontMetrics metrics(MakeFont(QStringLiteral("MS Sans Serif"), 8, logPixelsY));
    const Rect area{0, 0, client.width(), client.height()};
    return ComputeLayout(area, area, metrics.averageCharWidth(),
                         metrics.height() + metrics.leading());
}

}  // namespace somvix
