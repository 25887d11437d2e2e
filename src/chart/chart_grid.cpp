#include "chart/chart_grid.h"

#include <charconv>

#include "chart/trunc_to_int.h"

namespace somvix {

namespace {

// Whether text starting at `left` keeps `gap` pixels of white after text ending at
// `previousRight` (none: nothing drawn before).
bool IsClearOf(std::optional<int> previousRight, int left, int gap) {
    return !previousRight || left >= *previousRight + gap;
}

// The first multiple of step at or after sample (step > 0, sample >= 0).
long long FirstMultipleFrom(long long sample, int step) {
    return (sample + step - 1) / step * step;
}

}  // namespace

std::string FormatLabel(double value) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, 0);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string();
}

std::vector<HorizontalGridRow> HorizontalGridRows(const CTrendChart& chart, const ChartGeometry& g,
                                                  int valueLineHeight) {
    const TrendChartProperties& p = chart.Properties();
    const double px = g.dPixelsPerSample;
    const double py = -g.dPixelsPerLogicalUnit;
    const int n = p.m_nYLines;
    const int right = TruncToInt(p.m_nXRange * px);
    std::vector<HorizontalGridRow> rows;
    for (int i = 0; n >= 2 && i < n; ++i) {
        const double f = static_cast<double>(i) / (n - 1);
        const double h = chart.HeightFraction(f);
        const int y = TruncToInt(py * LOGICAL_FULL_SCALE * h);
        HorizontalGridRow row{{1, y, right, y}, std::nullopt};
        if (i > 0 && i < n - 1) {
            // The label's value is the unwarped fraction of the full scale.
            row.label = GridLabel{FormatLabel(p.m_dFullScale * f), 1,
                                  TruncToInt(py * LOGICAL_FULL_SCALE * h - valueLineHeight / 2)};
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<GridLine> VerticalGridLines(const CTrendChart& chart, const ChartGeometry& g) {
    const TrendChartProperties& p = chart.Properties();
    const double px = g.dPixelsPerSample;
    const double py = -g.dPixelsPerLogicalUnit;
    const int bottom = TruncToInt(py * LOGICAL_FULL_SCALE * chart.HeightFraction(0.0));
    const int top = TruncToInt(py * LOGICAL_FULL_SCALE);
    std::vector<GridLine> lines;
    if (p.m_nXGridStep <= 0) {
        return lines;
    }
    // Lines stand on the multiples of the step, counted from the recording's start.
    for (long long k = FirstMultipleFrom(p.m_nXFirst, p.m_nXGridStep);
         k <= static_cast<long long>(p.m_nXFirst) + p.m_nXRange; k += p.m_nXGridStep) {
        const int x = TruncToInt((k - p.m_nXFirst) * px);
        lines.push_back({x, bottom, x, top});
    }
    return lines;
}

std::vector<GridLabel> TimeLabels(const CTrendChart& chart, const ChartGeometry& g,
                                  int timeLineHeight,
                                  const std::function<int(const std::string&)>& textWidth) {
    const TrendChartProperties& p = chart.Properties();
    std::vector<GridLabel> labels;
    if (p.m_dXLabelStep == 0.0 || p.m_dXLabelOrigin < 0.0 || p.m_nXGridStep <= 0) {
        return labels;
    }
    const double px = g.dPixelsPerSample;
    const double py = -g.dPixelsPerLogicalUnit;
    // About one line height above the plot bottom, in whole logical units.
    const int rowK = -TruncToInt((timeLineHeight + 1) / py);
    const int y = TruncToInt(rowK * py);
    // Labels that touch read as one number ("100110"): a label needs a blank's width of white
    // after the one drawn before it, or it is left out.
    const int gap = textWidth(" ");
    std::optional<int> previousRight;
    // None on the window's edges: not at the left one (the origin of the whole recording) nor
    // at the right one.
    const long long end = static_cast<long long>(p.m_nXFirst) + p.m_nXRange;
    for (long long k = FirstMultipleFrom(p.m_nXFirst + 1LL, p.m_nXGridStep); k < end;
         k += p.m_nXGridStep) {
        const long long label = k / p.m_nXGridStep;
        std::string text = FormatLabel(label * p.m_dXLabelStep + p.m_dXLabelOrigin);
        const int width = textWidth(text);
        const int x = TruncToInt((k - p.m_nXFirst) * px - width / 2);
        if (!IsClearOf(previousRight, x, gap)) {
            continue;
        }
        previousRight = x + width;
        labels.push_back({std::move(text), x, y});
    }
    return labels;
}

}  // namespace somvix
