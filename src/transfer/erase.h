#pragma once

#include <string>

namespace somvix {

class HostAdaptation;
class OperationUi;
struct HostAddressState;
struct TransferReport;
struct TransferSettings;

// Removes every monitoring from the monitor, one by one. A monitoring that this PC has recorded
// as fetched is removed at once; any other is first downloaded into the folder of path (the
// chosen folder, a separator and a name) if the user wants it, and is sent "DELETE" only once
// its download has been synced and recorded, or after the user declined the download. Records
// what was fetched and what the monitor confirmed erased in the records folder of settings.
// 0 when the run ended in order (also when the monitor held nothing or refused to erase some),
// -1 on any failure, when the monitor refused the login, or when the user cancelled (no
// "DELETE" goes after the cancel). What was fetched and erased and why it failed go to report,
// when one is given.
int EraseMonitorData(const std::string& path, HostAddressState& hostAddress,
                     HostAdaptation& adaptation, OperationUi& ui, const TransferSettings& settings,
                     TransferReport* report = nullptr);

}  // namespace somvix
