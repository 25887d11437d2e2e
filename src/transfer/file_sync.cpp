#include "transfer/transfer_settings.h"

namespace somvix {

namespace {

class CPlatformFileSync : public FileSync {
public:
    int SyncFile(const std::filesystem::path& path) override { return somvix::SyncFile(path); }
    int SyncFolder(const std::filesystem::path& folder) override {
        return somvix::SyncFolder(folder);
    }
};

}  // namespace

FileSync& PlatformFileSync() {
    static CPlatformFileSync sync;
    return sync;
}

}  // namespace somvix
