#include <windows.h>

#include <ctime>
#include <system_error>

#include "transfer/transfer_platform.h"

namespace somvix {

RecordDate TodayLocalDate() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return RecordDate{local.wDay, local.wMonth, local.wYear};
}

void EmptyFolder(const std::filesystem::path& folder) {
    // A junction or a symbolic link in the folder's place is no directory here: nothing of
    // what it leads to is listed.
    std::error_code error;
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(folder, error))) {
        return;
    }
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        // Removing a link removes the link; a real sub-folder is not a file and stops here.
        if (std::filesystem::is_directory(entry->symlink_status(error)) ||
            !std::filesystem::remove(entry->path(), error)) {
            return;
        }
    }
}

int SyncFile(const std::filesystem::path& path) {
    // FlushFileBuffers needs a handle with write access.
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    const BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed ? 0 : -1;
}

int SyncFolder(const std::filesystem::path& path) {
    // NTFS makes a new entry durable with its file's own flush; only check that it is there.
    return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ? -1 : 0;
}

}  // namespace somvix
