#pragma once

#include <filesystem>
#include <string>

#include "device/failure_cause.h"

namespace somvix {

class DeviceSession;
class FileSync;
struct RecordPaths;

// Fetches every file of one monitoring into its folder: the five list commands in the order
// ".eeg", ".htr", ".fhi", ".evt", ".imp", each followed by one "FILE" per name of its list. Each
// file is synced to the disk before it returns 0 (the folder entries are the caller's). -1 on
// any failure (a failed exchange or transfer, a file name that cannot name a file or names the
// file of an earlier name on a disk that folds names, a sync that fails): the caller aborts,
// and what was written stays.
int FetchMonitoringFiles(DeviceSession& session, const std::string& monitoringName,
                         const std::string& monitoringFolder, FileSync& fileSync);

// The cause of a failed sync or write of path, with what the system said of it; errno is
// cleared before the call that may fail, so that an old error is not told as this one's.
FailureCause SyncFailure(const std::filesystem::path& path);
FailureCause WriteFailure(const std::filesystem::path& path);

// Records a fetched monitoring: its line in the download log, then in the downloaded list.
// 0 once it stands in the downloaded list; -1 when the list cannot be written.
int RecordFetchedMonitoring(const RecordPaths& records, const std::string& monitoringName);

}  // namespace somvix
