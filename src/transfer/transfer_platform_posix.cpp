#include <fcntl.h>
#include <unistd.h>

#include <ctime>

#include "transfer/transfer_platform.h"

namespace somvix {

namespace {

// A read-only descriptor is enough for fsync, also on a folder.
int SyncPath(const std::filesystem::path& path, int extraFlags) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | extraFlags);
    if (descriptor < 0) {
        return -1;
    }
    const int synced = ::fsync(descriptor);
    ::close(descriptor);
    return synced == 0 ? 0 : -1;
}

}  // namespace

RecordDate TodayLocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr) {
        return {};
    }
    return RecordDate{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

int SyncFile(const std::filesystem::path& path) {
    return SyncPath(path, 0);
}

int SyncFolder(const std::filesystem::path& path) {
    return SyncPath(path, O_DIRECTORY);
}

}  // namespace somvix
