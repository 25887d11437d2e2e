#pragma once

#include <QSize>

#include "chart/layout.h"
#include "chart/recording_store.h"
#include "chart/time_window.h"

class QPainter;

namespace somvix {

class CTrendChart;
struct EventMarkerStyle;

// The one paint routine of the recording, for the main window and the command line alike:
// while a recording is shown, configures both charts for the whole recording from the store and the
// layout (which carries the client size), draws the upper, then the lower chart, then the event
// markers over them. Coordinates are client coordinates; nothing is drawn for an empty client area.
void PaintCharts(QPainter& painter, const RecordingStore& store, const PanelLayout& layout,
                 CTrendChart& upper, CTrendChart& lower, const EventMarkerStyle& markers);
// The same for a window of the time axis (clamped to the recording's span).
void PaintCharts(QPainter& painter, const RecordingStore& store, const PanelLayout& layout,
                 CTrendChart& upper, CTrendChart& lower, const EventMarkerStyle& markers,
                 TimeWindow window);
// The span of the recording's time axis in units (SpanUnits of its samples).
int RecordingSpanUnits(const RecordingStore& store);

// The layout of a client area of the given size without a toolbar, with the text metrics of
// the main window's 8-point "MS Sans Serif" at logPixelsY: what `somvixmn-cli render` draws.
PanelLayout ComputeLayoutWithoutToolbar(QSize client, int logPixelsY);

}  // namespace somvix
