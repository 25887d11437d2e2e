// The entry of the drawing module that `somvixmn-cli render` loads. Everything else in the
// module is hidden, so that its copies of the plain code never stand in for the program's.

#include <type_traits>

#include "chart/png/charts_png.h"

extern "C" __attribute__((visibility("default"))) somvix::ChartsPngResult somvix_write_charts_png(
    const somvix::RecordingStore& store, const somvix::ChartsPngRequest& request) {
    return somvix::WriteChartsPng(store, request);
}

// The loader takes the entry by name as this type: the signatures must not drift apart.
static_assert(std::is_same_v<decltype(&somvix_write_charts_png), somvix::WriteChartsPngFunction>);
