#pragma once

#include <optional>
#include <string>

#include "chart/recording_store.h"

namespace somvix {

// A recording's charts drawn into a PNG file as the main window paints a client area of the
// size without a toolbar: the whole recording, or the time axis from unit fromUnit to toUnit.
struct ChartsPngRequest {
    std::string strPng;
    int nWidth = 0;
    int nHeight = 0;
    std::optional<int> fromUnit;  // both or neither, 0 <= from < to
    std::optional<int> toUnit;
};

enum class ChartsPngResult { Written, NotWritten };

// The drawing needs Qt Gui, which only the command line's `render` wants: it lives in a module
// of its own, loaded when the verb runs, so that the other verbs start without Qt. The module
// gives this function under CHARTS_PNG_ENTRY.
using WriteChartsPngFunction = ChartsPngResult (*)(const RecordingStore& store,
                                                   const ChartsPngRequest& request);
inline constexpr const char* CHARTS_PNG_ENTRY = "somvix_write_charts_png";

}  // namespace somvix
