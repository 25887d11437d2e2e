#pragma once

#include <string>

namespace somvix {

struct TransferReport;

// What a run fetched, erased, skipped and refused, in one line for the user (UTF-8): "3
// monitorizaciones descargadas (18 archivos, 12345 bytes), 2 ya en el PC u omitidas", or that
// nothing new was found.
std::string DescribeCounts(const TransferReport& report);

}  // namespace somvix
