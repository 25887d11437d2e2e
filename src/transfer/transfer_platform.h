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

// Deletes the files of a folder, in the order of the listing, and stops at the first entry
// that cannot be deleted as a file; sub-folders are not entered, so one stops the emptying. No
// link is followed: a link in place of the folder empties nothing, and a link in the folder is
// deleted as the link it is.
void EmptyFolder(const std::filesystem::path& folder);

// Makes the entries of a folder (files created in it) durable. 0 / -1. Windows keeps directory
// entries with the file's own flush, so it has nothing to do there.
int SyncFolder(const std::filesystem::path& path);

}  // namespace somvix
