#include "chart/chart_config.h"

namespace somvix {

namespace {

// Knots of the upper chart's value axis (fractions of the full scale): values below 35 go
// into the bottom quarter of the plot, 35 to 85 spread over the next 65 per cent.
constexpr double WARP_ABSCISSAE[] = {0.0, 0.35, 0.85, 0.99};
constexpr double WARP_ORDINATES[] = {0.0, 0.25, 0.9, 0.99};
constexpr int WARP_KNOTS = 4;

constexpr int MIN_SPAN_UNITS = 180;
constexpr int UNITS_PER_LABEL = 10;

// What both charts share; the panel is the chart's place in the layout.
TrendChartProperties CommonProperties(const PanelLayout& layout, int panelX, int panelY,
                                      double panelWidth, double panelHeight, TimeWindow window,
                                      int samplesPerUnit) {
    const int stepUnits = GridStepUnits(window);
    TrendChartProperties p;
    p.m_nLeft = panelX;
    p.m_nTop = panelY;
    p.m_dWidthFrac = panelWidth;
    p.m_dHeightFrac = panelHeight;
    p.m_nRefWidth = layout.m_nClientWidth;
    p.m_nRefHeight = layout.m_nClientHeight;
    p.m_nXFirst = window.nFirstUnit * samplesPerUnit;
    p.m_nXRange = window.nUnits * samplesPerUnit;
    p.m_dFullScale = 100.0;
    // A label names the units of its grid line.
    p.m_dXLabelStep = stepUnits;
    p.m_nXGridStep = samplesPerUnit * stepUnits;
    p.m_nSeries = 1;
    p.m_nYLabelPoints = 8;
    return p;
}

}  // namespace

int SpanUnits(int nSamples, int nSamplesPerUnit) {
    if (nSamplesPerUnit <= 0 || nSamplesPerUnit * MIN_SPAN_UNITS >= nSamples) {
        return MIN_SPAN_UNITS;
    }
    const int span = nSamples / nSamplesPerUnit + 1;
    return (span + UNITS_PER_LABEL - 1) / UNITS_PER_LABEL * UNITS_PER_LABEL;
}

TrendChartProperties UpperChartProperties(const RecordingStore& store, const PanelLayout& layout,
                                          TimeWindow window) {
    TrendChartProperties p =
        CommonProperties(layout, layout.m_nTopPanelX, layout.m_nTopPanelY, layout.m_dTopPanelWidth,
                         layout.m_dTopPanelHeight, window, store.m_nSamplesPerUnit);
    p.m_nYLines = 11;
    p.m_dXLabelOrigin = 0.0;
    p.m_bWarpY = true;
    p.m_nXLabelPoints = 8;
    p.m_nLineWidth = 4;
    p.m_series[0] = SeriesDescriptor{&store.m_trend1, UPPER_CURVE_COLOR};
    return p;
}

TrendChartProperties LowerChartProperties(const RecordingStore& store, const PanelLayout& layout,
                                          TimeWindow window) {
    TrendChartProperties p = CommonProperties(
        layout, layout.m_nBottomPanelX, layout.m_nBottomPanelY, layout.m_dBottomPanelWidth,
        layout.m_dBottomPanelHeight, window, store.m_nSamplesPerUnit);
    p.m_nYLines = 5;
    p.m_dXLabelOrigin = -1.0;
    p.m_bWarpY = false;
    p.m_nXLabelPoints = 0;
    p.m_nLineWidth = 3;
    p.m_series[0] = SeriesDescriptor{&store.m_trend2, LOWER_CURVE_COLOR};
    return p;
}

void ConfigureCharts(CTrendChart& upper, CTrendChart& lower, const RecordingStore& store,
                     const PanelLayout& layout, TimeWindow window) {
    upper.SetProperties(UpperChartProperties(store, layout, window));
    upper.SetWarpKnots(WARP_ABSCISSAE, WARP_ORDINATES, WARP_KNOTS);
    lower.SetProperties(LowerChartProperties(store, layout, window));
}

}  // namespace somvix
