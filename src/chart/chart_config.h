#pragma once

#include "chart/layout.h"
#include "chart/recording_store.h"
#include "chart/time_window.h"
#include "chart/trend_chart.h"

namespace somvix {

// Span of the time axis in units: 180 up to 180 units' worth of samples, else the samples'
// units plus one, raised to a multiple of 10 (721 samples give 190, 3600 give 910).
int SpanUnits(int nSamples, int nSamplesPerUnit);

// The properties of the upper chart (channel 1 in red on the warped axis with time labels) and
// of the lower one (channel 2 in blue on a linear axis without them).
// Both show the window of the time axis, with grid lines every GridStepUnits.
TrendChartProperties UpperChartProperties(const RecordingStore& store, const PanelLayout& layout,
                                          TimeWindow window);
TrendChartProperties LowerChartProperties(const RecordingStore& store, const PanelLayout& layout,
                                          TimeWindow window);

// Sets every property of both charts from the recording and the layout before a paint: the
// upper chart draws channel 1 in red on the warped axis with time labels, the lower one
// channel 2 in blue on a linear axis without them.
void ConfigureCharts(CTrendChart& upper, CTrendChart& lower, const RecordingStore& store,
                     const PanelLayout& layout, TimeWindow window);

inline constexpr ColorRef UPPER_CURVE_COLOR = MakeColorRef(255, 0, 0);
inline constexpr ColorRef LOWER_CURVE_COLOR = MakeColorRef(0, 0, 255);

}  // namespace somvix
