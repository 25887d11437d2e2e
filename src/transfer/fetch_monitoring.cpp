#include "transfer/fetch_monitoring.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "device/protocol.h"
#include "shared/operation_ui.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/folded_names.h"
#include "transfer/monitoring_progress.h"
#include "transfer/records.h"
#include "transfer/safe_name.h"

namespace somvix {

namespace {

struct FileKind {
    std::string_view listCommand;
    bool invalidCommandMeansNone;  // the monitor may not know this list command
};

constexpr FileKind FILE_KINDS[MONITORING_FILE_LISTS] = {
    {COMMAND_GET_EEG_LIST, false}, {COMMAND_GET_HTR_LIST, false}, {COMMAND_GET_FHI_LIST, true},
    {COMMAND_GET_EVT_LIST, true},  {COMMAND_GET_IMP_LIST, true},
};

FailureCause FileFailure(CauseKind kind, const std::filesystem::path& path, int error) {
    const std::filesystem::path name = path.filename().empty() ? path : path.filename();
    return {kind, name.string(),
            error == 0 ? std::string() : std::system_category().message(error)};
}

}  // namespace

FailureCause SyncFailure(const std::filesystem::path& path, int error) {
    return FileFailure(CauseKind::SyncFailed, path, error);
}

FailureCause WriteFailure(const std::filesystem::path& path) {
    return FileFailure(CauseKind::WriteFailed, path, errno);
}

int FetchMonitoringFiles(DeviceSession& session, const std::string& monitoringName,
                         const std::string& monitoringFolder, const StoredFile& stored,
                         MonitoringProgress& progress) {
    FoldedNames fetched;
    FileArrival arrival;
    arrival.monitoring = PrintableName(monitoringName);
    for (int kindIndex = 0; kindIndex < MONITORING_FILE_LISTS; ++kindIndex) {
        const FileKind& kind = FILE_KINDS[kindIndex];
        std::string list;
        if (session.Transact(std::string(kind.listCommand) + " " + monitoringName, list) != 0) {
            return -1;
        }
        if (list.empty() || (kind.invalidCommandMeansNone && list == REPLY_INVALID_COMMAND)) {
            continue;
        }
        progress.BeginList(kindIndex, CountTokens(list));
        int fileIndex = 0;
        std::string fileName;
        while (TakeToken(list, fileName) == 0) {
            // A name met before would overwrite the file fetched under it, and each copy would
            // pass its own checksum.
            if (!IsSafeName(fileName) || fetched.Meet(fileName) != NameMatch::New) {
                return RefuseNameOf(session, fileName);
            }
            const std::filesystem::path path = JoinPath(monitoringFolder, fileName);
            const std::string command =
                std::string(COMMAND_FILE) + " " + monitoringName + "\\" + fileName;
            arrival.file = PrintableName(fileName);
            const auto written = [&](std::uint32_t bytes, std::uint32_t size) {
                arrival.written = bytes;
                arrival.size = size;
                session.Ui().ShowFileArrival(arrival);
                progress.FileBytes(fileIndex, bytes, size);
            };
            if (session.TransactFile(command, path, written) != 0) {
                return -1;
            }
            ++fileIndex;
            if (stored(path) != 0) {
                return -1;  // the cause is stored's
            }
            TransferReport& report = session.Report();
            ++report.files;
            // A file whose checksum matched has all the bytes its reply announced on the disk.
            report.bytes += arrival.size;
        }
    }
    return 0;
}

int RecordFetchedMonitoring(const RecordPaths& records, const std::string& monitoringName) {
    errno = 0;
    AppendNameLine(records.downloadLog, monitoringName);
    return AppendNameLine(records.downloadedList, monitoringName);
}

}  // namespace somvix
