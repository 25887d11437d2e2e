#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <ctime>
#include <memory>
#include <string_view>

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

void EmptyFolder(const std::filesystem::path& folder) {
    // Opened without following a link, and emptied through that descriptor: a link put in the
    // folder's place after the check cannot lead the deletions elsewhere either.
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    // The listing owns the descriptor once it is made.
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(descriptor), &::closedir);
    if (listing == nullptr) {
        ::close(descriptor);
        return;
    }
    while (const dirent* const entry = ::readdir(listing.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        // unlinkat without AT_REMOVEDIR fails on a sub-folder, and deletes a link itself.
        if (::unlinkat(descriptor, entry->d_name, 0) != 0) {
            return;
        }
    }
}

int SyncFile(const std::filesystem::path& path) {
    return SyncPath(path, 0);
}

int SyncFolder(const std::filesystem::path& path) {
    return SyncPath(path, O_DIRECTORY);
}

}  // namespace somvix
