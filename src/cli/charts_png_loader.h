#pragma once

#include <string>

#include "chart/charts_png.h"

namespace somvix {

// The drawing module's entry, loaded once from libexec/somvixmn/somvixmn-png.so beside the
// program's own folder (found from the program file, never from the environment), and kept
// loaded until the program ends. Null when it cannot be loaded; `problem` then says why.
WriteChartsPngFunction LoadChartsPngWriter(std::string& problem);

}  // namespace somvix
