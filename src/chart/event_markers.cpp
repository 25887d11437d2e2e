#include "chart/event_markers.h"

#include <algorithm>
#include <cmath>

#include "chart/trend_chart.h"

namespace somvix {

namespace {

// A marker further out than this is off any picture; clamped here, the offsets of its bitmap
// and its mnemonic added later cannot overflow an int.
constexpr double MARKER_COORDINATE_LIMIT = 1000000.0;

// origin + trunc(offset), summed in double: the offset of a value far below the axis is
// beyond the int range, and clamping it alone would overflow when the origin is added.
int PlaceFrom(int origin, double offset) {
    const double position = origin + std::trunc(offset);
    if (!(position > -MARKER_COORDINATE_LIMIT)) {  // a NaN offset too
        return static_cast<int>(-MARKER_COORDINATE_LIMIT);
    }
    return static_cast<int>(std::min(position, MARKER_COORDINATE_LIMIT));
}

}  // namespace

std::optional<MarkerPlacement> PlaceEventMarker(int nTime, const RecordingStore& store,
                                                const MarkerFrame& frame,
                                                const CTrendChart& upper) {
    const long long shown = static_cast<long long>(nTime) - frame.nFirstUnit;
    if (frame.nSpanUnits <= 0 || nTime <= 1 || !(0 < shown && shown <= frame.nSpanUnits)) {
        return std::nullopt;
    }
    const double pixelsPerUnit = frame.nClientWidth * frame.dXScale / frame.nSpanUnits;
    const double pixelsPerValue = frame.nClientHeight * frame.dYScale * 0.01;
    const long long sample = static_cast<long long>(nTime) * store.m_nSamplesPerUnit - 1;
    // With a 910-unit axis an event above 900 points beyond the 3600 samples: no sample there.
    const double value =
        sample < MAX_SAMPLES ? SampleAt(store.m_trend1, static_cast<int>(sample)) : NO_DATA;

    MarkerPlacement marker;
    marker.nX = PlaceFrom(frame.nPlotLeft, static_cast<double>(shown) * pixelsPerUnit);
    marker.bOnCurve = value != NO_DATA && std::isfinite(value);
    if (marker.bOnCurve) {
        marker.nY = PlaceFrom(frame.nPlotTop, (100.0 - upper.Warp(value)) * pixelsPerValue);
    } else {
        marker.nY = PlaceFrom(frame.nPlotTop, 50.0 * pixelsPerValue);
    }
    marker.bLabelAbove = marker.bOnCurve && value < 50.0;
    return marker;
}

TextOrigin MnemonicOrigin(const MarkerPlacement& marker, int textLength, int textHeight,
                          int bitmapHeight) {
    const int x = marker.nX - textHeight / 2;
    return marker.bLabelAbove ? TextOrigin{x, marker.nY + 3 - bitmapHeight}
                              : TextOrigin{x, marker.nY + bitmapHeight + 3 + textLength};
}

bool HasMnemonicText(const RecordingStore& store, const EventRecord& event) {
    return store.m_bEventsV1 == 1 && event.strMnemonic != "EMPTY_MNEMO";
}

}  // namespace somvix
