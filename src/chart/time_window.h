#pragma once

namespace somvix {

// The part of the time axis shown, in axis units: from nFirstUnit, nUnits wide. The whole
// recording is {0, span}.
struct TimeWindow {
    int nFirstUnit = 0;
    int nUnits = 0;

    bool operator==(const TimeWindow&) const = default;
};

// The narrowest window shown: a few samples on each side of one point are no trend.
inline constexpr int MIN_WINDOW_UNITS = 5;

inline TimeWindow WholeWindow(int spanUnits) {
    return {0, spanUnits};
}

// The window moved and cut so that it lies inside the span, at least MIN_WINDOW_UNITS wide
// (or the whole span when that is narrower).
TimeWindow ClampWindow(TimeWindow window, int spanUnits);

// Zoomed by `factor` (below 1 narrower, above 1 wider) around the axis point `anchorUnit`,
// which keeps its place on the screen.
TimeWindow ZoomWindow(TimeWindow window, int spanUnits, double factor, double anchorUnit);

// Moved by deltaUnits (negative: to the left), inside the span.
TimeWindow PanWindow(TimeWindow window, int spanUnits, int deltaUnits);

// Of the same width, with `unit` in its middle, inside the span.
TimeWindow CenterWindow(TimeWindow window, int spanUnits, int unit);

// Units between vertical grid lines for a window: 10 for wide windows (the whole recording
// always), finer steps of 5, 2 and 1 as the window narrows, so that some lines stay in view.
int GridStepUnits(TimeWindow window);

// The axis point (in units, fractional) under the pixel column x of a plot whose left edge is
// plotLeft and which shows `pixelsPerUnit` pixels per unit.
double UnitAtX(TimeWindow window, int x, int plotLeft, double pixelsPerUnit);

}  // namespace somvix
