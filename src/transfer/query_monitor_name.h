#pragma once

#include <cstddef>
#include <string>

#include "device/device_connection.h"

namespace somvix {

class HostAdaptation;
struct HostAddressState;

// Longest reply to "SOMVIXNAME" that is taken for a name, in bytes.
inline constexpr std::size_t MAX_MONITOR_NAME_BYTES = 64;

// Asks the monitor for its name over a short connection of its own, so that the erase can name
// the monitor in its first question: the adaptation (with no status window), "SOMVIXNAME" without
// a login, "QUIT", and the restoration of the address (connection kind 0) on every way out once
// the adaptation succeeded. Shows nothing. 0 with the name as the monitor sent it (code page
// 1252); -1 on any failure, name empty. A reply with control characters or of more than
// MAX_MONITOR_NAME_BYTES is no name, and fails the query too.
int QueryMonitorName(HostAddressState& hostAddress, HostAdaptation& adaptation,
                     const ConnectionOptions& options, std::string& name);

// The name the erase's first question gives the monitor, as UTF-8: the monitor's own, or, when
// the query fails, the host name the user gave (often empty).
std::string MonitorNameForErase(HostAddressState& hostAddress, HostAdaptation& adaptation,
                                const ConnectionOptions& options);

}  // namespace somvix
