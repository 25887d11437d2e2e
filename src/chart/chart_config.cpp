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
void ConfigureCommon(CTrendChart& chart, const PanelLayout& layout, int panelX, int panelY,
                     double panelWidth, double panelHeight, int xRange, int samplesPerUnit) {
    chart.SetLeft(panelX);
    chart.SetTop(panelY);
    chart.SetWidthFrac(panelWidth);
    chart.SetHeightFrac(panelHeight);
    chart.SetRefWidth(layout.m_nClientWidth);
    chart.SetRefHeight(layout.m_nClientHeight);
    chart.SetXRange(xRange);
    chart.SetFullScale(100.0);
    chart.SetXLabelStep(10.0);
    chart.SetXGridStep(samplesPerUnit * UNITS_PER_LABEL);
    chart.SetSeriesCount(1);
    chart.SetYLabelPoints(8);
}

}  // namespace

int SpanUnits(int nSamples, int nSamplesPerUnit) {
    if (nSamplesPerUnit <= 0 || nSamplesPerUnit * MIN_SPAN_UNITS >= nSamples) {
        return MIN_SPAN_UNITS;
    }
    const int span = nSamples / nSamplesPerUnit + 1;
    return (span + UNITS_PER_LABEL - 1) / UNITS_PER_LABEL * UNITS_PER_LABEL;
}

void ConfigureCharts(CTrendChart& upper, CTrendChart& lower, const RecordingStore& store,
                     const PanelLayout& layout, int spanUnits) {
    const int xRange = spanUnits * store.m_nSamplesPerUnit;

    ConfigureCommon(upper, layout, layout.m_nTopPanelX, layout.m_nTopPanelY,
                    layout.m_dTopPanelWidth, layout.m_dTopPanelHeight, xRange,
                    store.m_nSamplesPerUnit);
    upper.SetYLines(11);
    upper.SetXLabelOrigin(0.0);
    upper.SetWarpY(1);
    upper.SetWarpKnots(WARP_ABSCISSAE, WARP_ORDINATES, WARP_KNOTS);
    upper.SetXLabelPoints(8);
    upper.SetLineWidth(4);
    upper.SetSeries(0, SeriesDescriptor{&store.m_trend1, UPPER_CURVE_COLOR});

    ConfigureCommon(lower, layout, layout.m_nBottomPanelX, layout.m_nBottomPanelY,
                    layout.m_dBottomPanelWidth, layout.m_dBottomPanelHeight, xRange,
                    store.m_nSamplesPerUnit);
    lower.SetYLines(5);
    lower.SetXLabelOrigin(-1.0);
    lower.SetWarpY(0);
    lower.SetXLabelPoints(0);
    lower.SetLineWidth(3);
    lower.SetSeries(0, SeriesDescriptor{&store.m_trend2, LOWER_CURVE_COLOR});
}

}  // namespace somvix
