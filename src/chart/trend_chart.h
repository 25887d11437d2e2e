#pragma once

#include <array>
#include <cstdint>

#include "chart/natural_spline.h"
#include "chart/recording_store.h"

namespace somvix {

// A colour as the monitor's software writes it: 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) |
           (static_cast<ColorRef>(blue) << 16);
}

// Series a chart can draw; this program uses one per chart.
inline constexpr int MAX_SERIES = 3;
// A value equal to the full scale lies this many logical units above the axis.
inline constexpr int LOGICAL_FULL_SCALE = 6000;

// One curve: the values by sample index (owned by the recording store) and its colour.
struct SeriesDescriptor {
    const SampleArray* pValues = nullptr;
    ColorRef color = 0;
};

// Everything a chart is told before it draws.
struct TrendChartProperties {
    int m_nLineWidth = 0;  // pixels; also enters the margins
    int m_nLeft = 0;       // chart rectangle's corner, client pixels
    int m_nTop = 0;
    double m_dWidthFrac = 0.0;  // chart size as fractions of the reference size
    double m_dHeightFrac = 0.0;
    int m_nRefWidth = 0;  // the main window's client size
    int m_nRefHeight = 0;
    int m_nXFirst = 0;  // sample at the left edge of the time axis
    int m_nXRange = 0;  // samples spanned by the time axis
    int m_nYLines = 0;  // horizontal grid lines, bottom and top included
    double m_dFullScale = 0.0;
    int m_nXGridStep = 0;          // samples between vertical grid lines
    double m_dXLabelOrigin = 0.0;  // negative: no time labels
    double m_dXLabelStep = 0.0;    // increase of the time label per grid line
    int m_nSeries = 0;             // series drawn, 0 to MAX_SERIES
    int m_nXLabelPoints = 0;       // time-label font size; 0 means 8
    int m_nYLabelPoints = 0;       // value-label font size; 0 means 8
    bool m_bWarpY = false;         // values and value labels pass through the warp
    std::array<SeriesDescriptor, MAX_SERIES> m_series{};
};

// Where a chart's parts fall for its properties: all integers are pixels, truncated toward
// zero.
struct ChartGeometry {
    int nChartWidth = 0;
    int nChartHeight = 0;
    int nMarginX = 0;  // both sides together
    int nMarginY = 0;
    int nPlotWidth = 0;
    int nPlotHeight = 0;
    int nPlotLeft = 0;
    int nPlotTop = 0;
    int nPlotBottom = 0;
    double dXScale = 0.0;    // plot width / reference width
    double dYScale = 0.0;    // plot height / reference height
    int nLogicalWidth = 0;   // samples, scaled to the reference width
    int nLogicalHeight = 0;  // logical value units, scaled to the reference height
    double dPixelsPerSample = 0.0;
    double dPixelsPerLogicalUnit = 0.0;

    // A window too small for a plot, or an empty axis, leaves nothing to draw.
    bool IsDrawable() const {
        return nPlotWidth > 0 && nPlotHeight > 0 && nLogicalWidth > 0 && nLogicalHeight > 0;
    }
};

// The margins come from the chart cursor picture (cursorWidth x cursorHeight) and the line width.
ChartGeometry ComputeChartGeometry(const TrendChartProperties& properties, int cursorWidth,
                                   int cursorHeight);

// One chart of the main window as a drawing object: the main window sets its properties
// before each paint and the renderer draws it (DrawTrendChart).
class CTrendChart {
public:
    CTrendChart();

    // Every property at once; the warp knots are set apart because they carry a computed
    // spline.
    void SetProperties(const TrendChartProperties& properties) { m_properties = properties; }
    // Copies the knots and computes the spline's second derivatives.
    void SetWarpKnots(const double* abscissae, const double* ordinates, int count);
    const TrendChartProperties& Properties() const { return m_properties; }

    // Computes the geometry from the properties, as every draw does first, and keeps it for
    // the getters below.
    const ChartGeometry& UpdateGeometry();
    const ChartGeometry& Geometry() const { return m_geometry; }
    int GetPlotLeft() const { return m_geometry.nPlotLeft; }
    int GetPlotTop() const { return m_geometry.nPlotTop; }
    double GetXScale() const { return m_geometry.dXScale; }
    double GetYScale() const { return m_geometry.dYScale; }

    // W(value) = full scale x S(value / full scale); the value itself when the knots are
    // unusable.
    double Warp(double value) const;
    // S(fraction) where the warp is on and usable, else the fraction: the height of a grid
    // line or value as a fraction of the plot.
    double HeightFraction(double fraction) const;
    // Y(v): the value's height in logical units above the axis.
    int LogicalY(double value) const;
    // The series value at a sample index of the recording; NO_DATA outside the arrays.
    double SeriesValue(int slot, int index) const;

private:
    TrendChartProperties m_properties;
    NaturalSpline m_warp;
    ChartGeometry m_geometry;
    int m_nCursorWidth;
    int m_nCursorHeight;
};

}  // namespace somvix
