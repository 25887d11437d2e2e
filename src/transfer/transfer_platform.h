#pragma once

#include <filesystem>

namespace somvix {

// Local calendar date, as the records print it.
struct RecordDate {
    int day = 1;
    int month = 1;
    int year = 1970;
};

// Today's date in the PC's local time.
RecordDate TodayLocalDate();

// Pushes a file's data to the disk itself (fsync on POSIX, FlushFileBuffers on Windows), so
// that a power cut cannot lose it. 0 / -1.
int SyncFile(const std::filesystem::path& path);

// Makes the entries of a folder (files created in it) durable. 0 / -1. Windows keeps directory
// entries with the file's own flush, so it has nothing to do there.
int SyncFolder(const std::filesystem::path& path);

}  // namespace somvix
