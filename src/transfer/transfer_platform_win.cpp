#include <windows.h>

#include <ctime>

#include "transfer/transfer_platform.h"

namespace somvix {

RecordDate TodayLocalDate() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return RecordDate{local.wDay, local.wMonth, local.wYear};
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
