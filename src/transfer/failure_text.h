#pragma once

#include <string>

#include "device/failure_cause.h"

namespace somvix {

// The cause in words for the user (UTF-8, one line, no final stop); empty for no failure.
std::string DescribeCause(const FailureCause& cause);

// The cause's key for scripts ("refused", "no_reply", ...); "none" for no failure.
const char* CauseKey(CauseKind kind);

}  // namespace somvix
