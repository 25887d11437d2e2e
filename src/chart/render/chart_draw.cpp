#include "chart/render/chart_draw.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>

#include "chart/chart_grid.h"
#include "chart/render/fonts.h"
#include "chart/render/pixel_ops.h"
#include "chart/trend_chart.h"
#include "chart/trunc_to_int.h"

namespace somvix {

namespace {

constexpr QRgb WHITE = qRgb(255, 255, 255);
constexpr QRgb GRID_COLOR = qRgb(128, 128, 128);
constexpr QRgb LABEL_COLOR = qRgb(0, 140, 0);
constexpr int DEFAULT_LABEL_POINTS = 8;

// A label written with an opaque white background: the cell behind the text is white first.
void DrawLabel(QPainter& painter, const QFontMetrics& metrics, const GridLabel& label) {
    const QString text = QString::fromStdString(label.strText);
    painter.fillRect(QRect(label.x, label.y, metrics.horizontalAdvance(text), metrics.height()),
                     WHITE);
    painter.drawText(label.x, label.y + metrics.ascent(), text);
}

bool IsGap(double value) {
    return !std::isfinite(value) || TruncToInt(value) == static_cast<int>(NO_DATA);
}

QFont LabelFont(int points, int logPixelsY) {
    return MakeFont(QStringLiteral("Arial"), points != 0 ? points : DEFAULT_LABEL_POINTS,
                    logPixelsY);
}

// Grid layer: dotted lines, value labels and time labels, in that order (a later one covers
// an earlier one). `origin` is where the plot's bottom-left corner falls in the picture.
void DrawGrid(QImage& picture, const CTrendChart& chart, const ChartGeometry& g, int logPixelsY) {
    const TrendChartProperties& p = chart.Properties();
    const QPoint origin(g.nPlotLeft - p.m_nLeft, g.nPlotBottom - p.m_nTop);
    const QRect clip = picture.rect();
    const QFont valueFont = LabelFont(p.m_nYLabelPoints, logPixelsY);
    const QFont timeFont = LabelFont(p.m_nXLabelPoints, logPixelsY);
    const QFontMetrics valueMetrics(valueFont);
    const QFontMetrics timeMetrics(timeFont);
    const auto drawLine = [&](const GridLine& line) {
        DrawDottedLine(picture, origin + QPoint(line.x0, line.y0),
                       origin + QPoint(line.x1, line.y1), GRID_COLOR, WHITE, clip);
    };

    QPainter painter(&picture);
    painter.translate(origin);
    painter.setPen(QColor(LABEL_COLOR));
    painter.setFont(valueFont);
    for (const HorizontalGridRow& row :
         HorizontalGridRows(chart, g, valueMetrics.height() + valueMetrics.leading())) {
        drawLine(row.line);
        if (row.label) {
            DrawLabel(painter, valueMetrics, *row.label);
        }
    }
    for (const GridLine& line : VerticalGridLines(chart, g)) {
        drawLine(line);
    }
    painter.setFont(timeFont);
    const auto textWidth = [&](const std::string& text) {
        return timeMetrics.horizontalAdvance(QString::fromStdString(text));
    };
    for (const GridLabel& label :
         TimeLabels(chart, g, timeMetrics.height() + timeMetrics.leading(), textWidth)) {
        DrawLabel(painter, timeMetrics, label);
    }
}

// Curve layer: white, with each series drawn one pixel wide inside the plot (right and bottom
// edges included). The pixels drawn are listed for the combine.
QImage DrawCurves(const CTrendChart& chart, const ChartGeometry& g, QSize size,
                  std::vector<QPoint>& pixels) {
    const TrendChartProperties& p = chart.Properties();
    QImage layer(size, QImage::Format_RGB32);
    layer.fill(WHITE);
    const int originX = g.nPlotLeft - p.m_nLeft;
    const int originY = g.nPlotBottom - p.m_nTop;
    const QRect clip =
        QRect(g.nPlotLeft - p.m_nLeft, g.nPlotTop - p.m_nTop, g.nPlotWidth + 1, g.nPlotHeight + 1)
            .intersected(layer.rect());
    // Logical (sample, value unit) to pixels: the window extent is the logical size, the
    // viewport extent the reference size, y upward.
    const double xFactor = static_cast<double>(p.m_nRefWidth) / g.nLogicalWidth;
    const double yFactor = -static_cast<double>(p.m_nRefHeight) / g.nLogicalHeight;
    const auto toPixelX = [&](int sample) {
        return originX + TruncToInt(std::floor(sample * xFactor + 0.5));
    };
    const auto toPixelY = [&](int logicalY) {
        return originY + TruncToInt(std::floor(logicalY * yFactor + 0.5));
    };

    for (int slot = 0; slot < std::min(p.m_nSeries, MAX_SERIES); ++slot) {
        const QRgb color = RgbFromColorRef(p.m_series[static_cast<size_t>(slot)].color);
        PixelView view(layer);
        const auto plot = [&](int x, int y, int) {
            view.At(x, y) = color;
            pixels.emplace_back(x, y);
        };
        for (int i = 0; i + 1 < p.m_nXRange; ++i) {
            const double a = chart.SeriesValue(slot, p.m_nXFirst + i);
            const double b = chart.SeriesValue(slot, p.m_nXFirst + i + 1);
            if (IsGap(a) || IsGap(b)) {
                continue;
            }
            RasterizeLine(toPixelX(i), toPixelY(chart.LogicalY(a)), toPixelX(i + 1),
                          toPixelY(chart.LogicalY(b)), clip, plot);
        }
    }
    return layer;
}

}  // namespace

void DrawTrendChart(QPainter& painter, CTrendChart& chart, int logPixelsY) {
    const ChartGeometry& g = chart.UpdateGeometry();
    const TrendChartProperties& p = chart.Properties();
    if (g.nChartWidth <= 0 || g.nChartHeight <= 0) {
        return;
    }
    QImage picture(g.nChartWidth, g.nChartHeight, QImage::Format_RGB32);
    picture.fill(WHITE);
    if (g.IsDrawable()) {
        DrawGrid(picture, chart, g, logPixelsY);
        std::vector<QPoint> pixels;
        const QImage curves = DrawCurves(chart, g, picture.size(), pixels);
        AndCombineThick(picture, curves, QPoint(0, 0), p.m_nLineWidth, pixels);
    }
    painter.drawImage(QPoint(p.m_nLeft, p.m_nTop), picture);
}

}  // namespace somvix
