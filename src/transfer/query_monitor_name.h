#pragma once

#include <string>

#include "device/device_connection.h"

namespace somvix {

class HostAdaptation;
struct HostAddressState;

// Asks the monitor for its name over a short connection of its own, so that the erase can name
// the monitor in its first question: the adaptation (with no status window), "SOMVIXNAME" without
// a login, "QUIT", and the restoration of the address (connection kind 0) on every way out once
// the adaptation succeeded. Shows nothing. 0 with the name; -1 on any failure, name empty.
int QueryMonitorName(HostAddressState& hostAddress, HostAdaptation& adaptation,
                     const ConnectionOptions& options, std::string& name);

}  // namespace somvix
