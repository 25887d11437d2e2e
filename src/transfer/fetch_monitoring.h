#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "device/failure_cause.h"

namespace somvix {

class DeviceSession;
class MonitoringProgress;
struct RecordPaths;

// How many file lists a monitoring has (one list command per file kind).
inline constexpr int MONITORING_FILE_LISTS = 5;

// Told of each file once it is stored whole and its checksum matched; anything but 0 ends the
// fetch.
using StoredFile = std::function<int(const std::filesystem::path& file)>;

// Fetches every file of one monitoring into its folder: the five list commands in the order
// ".eeg", ".htr", ".fhi", ".evt", ".imp", each followed by one "FILE" per name of its list, and
// each file handed to stored as soon as it is there (making it durable is the caller's). The
// bar moves through progress as the files arrive, and the user is told of each file. -1 on
// any failure (a failed exchange or transfer, a file name that cannot name a file or names the
// file of an earlier name on a disk that folds names, a refusal of stored): the caller aborts,
// and what was written stays.
int FetchMonitoringFiles(DeviceSession& session, const std::string& monitoringName,
                         const std::string& monitoringFolder, const StoredFile& stored,
                         MonitoringProgress& progress);

// The cause of a failed sync of path, with what the system said of its error number.
FailureCause SyncFailure(const std::filesystem::path& path, int error);
// The cause of a failed write of path, with what the system said of errno; errno is cleared
// before the call that may fail, so that an old error is not told as this one's.
FailureCause WriteFailure(const std::filesystem::path& path);

// Records a fetched monitoring: its line in the download log, then in the downloaded list.
// 0 once it stands in the downloaded list; -1 when the list cannot be written.
int RecordFetchedMonitoring(const RecordPaths& records, const std::string& monitoringName);

}  // namespace somvix
