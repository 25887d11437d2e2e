#pragma once

#include <filesystem>
#include <functional>

#include "device/device_connection.h"
#include "transfer/transfer_platform.h"

namespace somvix {

// Makes fetched files durable before a monitoring is recorded as fetched. The platform's
// implementation is used unless a test gives its own. A run calls it from threads of its own
// (BackgroundSync), several calls at a time.
class FileSync {
public:
    virtual ~FileSync() = default;
    virtual int SyncFile(const std::filesystem::path& path) = 0;      // 0 / -1
    virtual int SyncFolder(const std::filesystem::path& folder) = 0;  // 0 / -1
};

FileSync& PlatformFileSync();

// Where a device operation keeps its records and how it reaches the monitor.
struct TransferSettings {
    std::filesystem::path recordsDir;   // the downloaded list and the logs of each monitor
    ConnectionOptions connection;       // port and longest wait
    FileSync* fileSync = nullptr;       // null: the platform's
    std::function<RecordDate()> today;  // empty: the local date

    FileSync& Sync() const { return fileSync != nullptr ? *fileSync : PlatformFileSync(); }
    RecordDate Today() const { return today ? today() : TodayLocalDate(); }
};

}  // namespace somvix
