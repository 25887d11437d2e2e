#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/failure_cause.h"

namespace somvix {

// What one run of the download or the erase did, for the final messages and for scripts. Names
// are as the monitor sent them (code page 1252).
struct TransferReport {
    FailureCause cause;                // why the run failed; kind None when it did not
    std::vector<std::string> fetched;  // fetched, synced and recorded in this run
    std::vector<std::string> skipped;  // fetched before, declined, or an old copy kept
    std::vector<std::string> erased;   // the monitor confirmed "DELETEOK"
    std::vector<std::string> refused;  // a name refused here, or a "DELETE" the monitor refused
    std::uint64_t files = 0;           // files received whole
    std::uint64_t bytes = 0;           // their bytes
};

}  // namespace somvix
