#pragma once

#include <optional>

#include "chart/recording_store.h"

namespace somvix {

class CTrendChart;

// The upper chart as the last paint placed it, and the time axis.
struct MarkerFrame {
    int nPlotLeft = 0;
    int nPlotTop = 0;
    double dXScale = 0.0;
    double dYScale = 0.0;
    int nClientWidth = 0;  // the charts' reference size
    int nClientHeight = 0;
    int nSpanUnits = 0;  // units shown
    int nFirstUnit = 0;  // the unit at the plot's left edge
};

// Where an event's marker goes: the point (x, y) on the curve, or at mid-height where the
// sample is hidden or missing, and on which side its mnemonic stands.
struct MarkerPlacement {
    int nX = 0;
    int nY = 0;
    bool bOnCurve = false;
    bool bLabelAbove = false;  // below for values of 50 and more and for missing samples
};

// Nothing for events at times 0 and 1 and outside first < time <= first + span. The sample read is
// the one just left of the event's position; one beyond the arrays counts as missing. A point far
// outside the plot (a value far below the axis) is held a million pixels out, off any picture.
std::optional<MarkerPlacement> PlaceEventMarker(int nTime, const RecordingStore& store,
                                                const MarkerFrame& frame, const CTrendChart& upper);

// Reference point of the mnemonic written upward (text height cy, text length cx): centred on
// the marker's column, above the marker from 8 pixels up or below it from 14 pixels down with
// the 11-pixel marker bitmap.
struct TextOrigin {
    int x;
    int y;
};
TextOrigin MnemonicOrigin(const MarkerPlacement& marker, int textLength, int textHeight,
                          int bitmapHeight);

// Whether an event gets its mnemonic written: files with mnemonics, except "EMPTY_MNEMO".
bool HasMnemonicText(const RecordingStore& store, const EventRecord& event);

}  // namespace somvix
