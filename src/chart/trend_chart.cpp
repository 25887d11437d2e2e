#include "chart/trend_chart.h"

#include "chart/trunc_to_int.h"
#include "res/resource_ids.h"

namespace somvix {

ChartGeometry ComputeChartGeometry(const TrendChartProperties& p, int cursorWidth,
                                   int cursorHeight) {
    ChartGeometry g;
    g.nChartWidth = TruncToInt(p.m_nRefWidth * p.m_dWidthFrac);
    g.nChartHeight = TruncToInt(p.m_nRefHeight * p.m_dHeightFrac);
    g.nMarginX = cursorWidth / 2 + 2 * p.m_nLineWidth + 4;
    g.nMarginY = cursorHeight / 4 + 2 * p.m_nLineWidth + 4;
    g.nPlotWidth = g.nChartWidth - g.nMarginX;
    g.nPlotHeight = g.nChartHeight - g.nMarginY;
    g.nPlotLeft = p.m_nLeft + g.nMarginX / 2;
    g.nPlotTop = p.m_nTop + g.nMarginY / 2;
    if (p.m_nRefWidth <= 0 || p.m_nRefHeight <= 0 || g.nPlotWidth <= 0 || g.nPlotHeight <= 0) {
        g.nPlotBottom = g.nPlotTop;
        return g;  // not drawable: the scales stay 0
    }
    g.dXScale = static_cast<double>(g.nPlotWidth) / p.m_nRefWidth;
    g.dYScale = static_cast<double>(g.nPlotHeight) / p.m_nRefHeight;
    g.nPlotBottom = g.nPlotTop + TruncToInt(p.m_nRefHeight * g.dYScale);
    g.nLogicalWidth = TruncToInt(p.m_nXRange / g.dXScale);
    g.nLogicalHeight = TruncToInt(LOGICAL_FULL_SCALE / g.dYScale);
    if (g.nLogicalWidth > 0) {
        g.dPixelsPerSample = static_cast<double>(p.m_nRefWidth) / g.nLogicalWidth;
    }
    if (g.nLogicalHeight > 0) {
        g.dPixelsPerLogicalUnit = static_cast<double>(p.m_nRefHeight) / g.nLogicalHeight;
    }
    return g;
}

CTrendChart::CTrendChart()
    : m_nCursorWidth(CURSOR_BITMAP_WIDTH), m_nCursorHeight(CURSOR_BITMAP_HEIGHT) {}

void CTrendChart::SetWarpKnots(const double* abscissae, const double* ordinates, int count) {
    m_warp.SetKnots(abscissae, ordinates, count);
}

const ChartGeometry& CTrendChart::UpdateGeometry() {
    m_geometry = ComputeChartGeometry(m_properties, m_nCursorWidth, m_nCursorHeight);
    return m_geometry;
}

double CTrendChart::Warp(double value) const {
    const double fullScale = m_properties.m_dFullScale;
    const std::optional<double> height = m_warp.Evaluate(value / fullScale);
    return height ? fullScale * *height : value;
}

double CTrendChart::HeightFraction(double fraction) const {
    if (!m_properties.m_bWarpY) {
        return fraction;
    }
    return m_warp.Evaluate(fraction).value_or(fraction);
}

int CTrendChart::LogicalY(double value) const {
    const double fullScale = m_properties.m_dFullScale;
    if (m_properties.m_bWarpY) {
        const std::optional<double> height = m_warp.Evaluate(value / fullScale);
        if (height) {
            return TruncToInt(*height * LOGICAL_FULL_SCALE);
        }
    }
    return TruncToInt(value * LOGICAL_FULL_SCALE / fullScale);
}

double CTrendChart::SeriesValue(int slot, int index) const {
    if (slot < 0 || slot >= MAX_SERIES) {
        return NO_DATA;
    }
    const SampleArray* values = m_properties.m_series[static_cast<size_t>(slot)].pValues;
    return values == nullptr ? NO_DATA : SampleAt(*values, index);
}

}  // namespace somvix
