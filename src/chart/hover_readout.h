#pragma once

#include <optional>
#include <string>

#include "chart/recording_store.h"
#include "chart/time_window.h"

namespace somvix {

// The sample of the recording under a pixel column of the plot: the nearest sample of the
// window shown; none left or right of the plot or beyond the recording's samples.
std::optional<int> SampleUnderX(TimeWindow window, int samplesPerUnit, int nSamples, int x,
                                int plotLeft, int plotWidth, double pixelsPerSample);

// Whether the point lies on a marker: a square reaching `half` pixels each way from its centre
// (markerX, markerY).
bool IsOnMarker(int x, int y, int markerX, int markerY, int half);

// The status bar's text for a sample: index, axis unit, both channels as read, both
// impedances, and whether the zone hiding hides it.
std::string SampleReadout(const RecordingStore& store, int sample);

// The status bar's text for an event marker: its time, its mnemonic (when the file has them)
// and its code. Both texts are code page 1252.
std::string EventReadout(const RecordingStore& store, int event);

}  // namespace somvix
