#pragma once

#include <string>
#include <vector>

namespace somvix {

class HostAdaptation;
class OperationUi;
struct HostAddressState;
struct TransferReport;
struct TransferSettings;

// Where the PC stands with one monitoring the monitor holds.
enum class MonitoringState {
    Fetched,   // in the downloaded list: a complete copy is on the PC
    Leftover,  // its folder is on the PC without a record: an interrupted download
    Missing,   // nothing of it is on the PC
    Refused,   // its name cannot name a folder on the PC
};

struct MonitoringEntry {
    std::string name;  // as the monitor sent it (code page 1252)
    MonitoringState state;
};

// What the monitor holds, as one run of the list found it.
struct MonitorContents {
    std::string deviceName;  // as the monitor sent it
    std::vector<MonitoringEntry> monitorings;
};

// Asks the monitor what it holds and compares it with the download folder and the records of
// settings. Read-only: it sends no "DELETE" and writes no record, folder or file. 0 when the
// run ended in order; -1 on any failure, a refused login or a cancel, with the cause in report
// when one is given.
int ListMonitorData(const std::string& folder, HostAddressState& hostAddress,
                    HostAdaptation& adaptation, OperationUi& ui, const TransferSettings& settings,
                    MonitorContents& contents, TransferReport* report = nullptr);

// The state in a few words, in the user's language.
const char* MonitoringStateText(MonitoringState state);
// The state's key for scripts: "fetched", "leftover", "missing", "refused".
const char* MonitoringStateKey(MonitoringState state);

}  // namespace somvix
