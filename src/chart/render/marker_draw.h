#pragma once

#include <QFont>
#include <QImage>

#include "chart/time_window.h"

class QPainter;

namespace somvix {

class CTrendChart;
struct RecordingStore;

// What the markers are drawn with: the 11 x 11 bitmap "IDB_BITMAP_EVENTO" (black with a white
// 5 x 5 square) and the font of the mnemonics, which are written turned 90 degrees.
struct EventMarkerStyle {
    QImage bitmap;
    QFont verticalFont;
};

// The marker bitmap as a 32-bit image.
QImage LoadEventBitmap();
// The style of the main window at logPixelsY: "Arial" 8 points.
EventMarkerStyle MakeEventMarkerStyle(int logPixelsY);

// Draws every event of the recording on the upper chart as it was last drawn: a black square
// painted through the bitmap (black where the bitmap is white, nothing where it is black) on
// the curve, and the mnemonic written upward above or below it. Nothing over a chart too small
// to plot.
void DrawEventMarkers(QPainter& painter, const RecordingStore& store, const CTrendChart& upper,
                      int clientWidth, int clientHeight, TimeWindow window,
                      const EventMarkerStyle& style);

}  // namespace somvix
