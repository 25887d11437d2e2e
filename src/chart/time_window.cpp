#include "chart/time_window.h"

#include <algorithm>
#include <cmath>

namespace somvix {

TimeWindow ClampWindow(TimeWindow window, int spanUnits) {
    const int units = std::clamp(window.nUnits, std::min(MIN_WINDOW_UNITS, spanUnits), spanUnits);
    const int first = std::clamp(window.nFirstUnit, 0, spanUnits - units);
    return {first, units};
}

TimeWindow ZoomWindow(TimeWindow window, int spanUnits, double factor, double anchorUnit) {
    if (!(factor > 0.0) || window.nUnits <= 0) {
        return ClampWindow(window, spanUnits);
    }
    const int units = std::clamp(static_cast<int>(std::lround(window.nUnits * factor)),
                                 std::min(MIN_WINDOW_UNITS, spanUnits), spanUnits);
    // The anchor stays at the same fraction of the window's width.
    const double fraction = std::clamp((anchorUnit - window.nFirstUnit) / window.nUnits, 0.0, 1.0);
    const int first = static_cast<int>(std::lround(anchorUnit - fraction * units));
    return ClampWindow({first, units}, spanUnits);
}

TimeWindow PanWindow(TimeWindow window, int spanUnits, int deltaUnits) {
    return ClampWindow({window.nFirstUnit + deltaUnits, window.nUnits}, spanUnits);
}

TimeWindow CenterWindow(TimeWindow window, int spanUnits, int unit) {
    return ClampWindow({unit - window.nUnits / 2, window.nUnits}, spanUnits);
}

int GridStepUnits(TimeWindow window) {
    if (window.nUnits >= 80) {
        return 10;
    }
    if (window.nUnits >= 40) {
        return 5;
    }
    return window.nUnits >= 16 ? 2 : 1;
}

double UnitAtX(TimeWindow window, int x, int plotLeft, double pixelsPerUnit) {
    if (!(pixelsPerUnit > 0.0)) {
        return window.nFirstUnit;
    }
    return window.nFirstUnit + (x - plotLeft) / pixelsPerUnit;
}

}  // namespace somvix
