#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/trend_chart.h"

namespace somvix {

// Positions in pixels from the plot's bottom-left corner, x to the right and y downward (so
// heights are negative).
struct GridLine {
    int x0, y0;
    int x1, y1;  // not drawn: a line stops one pixel short of its end
};

struct GridLabel {
    std::string strText;
    int x, y;  // top-left corner of the text
};

// One horizontal grid line with the value label centred on it (none on the bottom and top).
struct HorizontalGridRow {
    GridLine line;
    std::optional<GridLabel> label;
};

// The horizontal lines from bottom to top at the (warped) heights of equal value steps;
// valueLineHeight is the value-label font's height plus external leading.
std::vector<HorizontalGridRow> HorizontalGridRows(const CTrendChart& chart,
                                                  const ChartGeometry& geometry,
                                                  int valueLineHeight);

// The vertical lines, every grid step from the origin to the right edge, bottom to top.
std::vector<GridLine> VerticalGridLines(const CTrendChart& chart, const ChartGeometry& geometry);

// The time labels along the inside of the plot's bottom edge, centred on the vertical lines,
// none at the origin nor at the right edge, none at all for a negative label origin. A label
// that would come closer than a blank's width to the label drawn before it is left out; the
// others keep their places.
// timeLineHeight as above for the time-label font; textWidth measures a label's text.
std::vector<GridLabel> TimeLabels(const CTrendChart& chart, const ChartGeometry& geometry,
                                  int timeLineHeight,
                                  const std::function<int(const std::string&)>& textWidth);

// "%.0f" with the C locale's digits.
std::string FormatLabel(double value);

}  // namespace somvix
