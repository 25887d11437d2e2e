#pragma once

#include <string>

namespace somvix {

class HostAdaptation;
class OperationUi;
struct HostAddressState;
struct TransferReport;
struct TransferSettings;

// Downloads every monitoring that the monitor holds and this PC has not fetched before into
// the folder of path (the chosen folder, a separator and a name), one folder per monitor and
// per monitoring, and records what it fetched in the records folder of settings. Talks to the
// user only through ui. 0 when the run ended in order (also with nothing to fetch), -1 on any
// failure, when the monitor refused the login, or when the user cancelled (settings'
// connection.cancel). What was fetched and why it failed go to report, when one is given.
int DownloadMonitorData(const std::string& path, HostAddressState& hostAddress,
                        HostAdaptation& adaptation, OperationUi& ui,
                        const TransferSettings& settings, TransferReport* report = nullptr);

}  // namespace somvix
