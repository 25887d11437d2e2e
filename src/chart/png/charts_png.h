#pragma once

#include "chart/charts_png.h"

namespace somvix {

// Draws the charts and writes the PNG file. Makes the Gui application that drawing text needs
// when the process has none, on the offscreen platform unless the user chose another.
ChartsPngResult WriteChartsPng(const RecordingStore& store, const ChartsPngRequest& request);

}  // namespace somvix
