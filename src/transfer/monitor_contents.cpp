#include "transfer/monitor_contents.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "device/protocol.h"
#include "shared/operation_ui.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/records.h"
#include "transfer/safe_name.h"
#include "transfer/transfer_report.h"
#include "transfer/transfer_settings.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

namespace fs = std::filesystem;

// The downloaded list as it is; a missing one is not created.
std::set<std::string> ReadRecordedNames(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error) ? ReadDownloadedList(path) : std::set<std::string>();
}

MonitoringState StateOf(const std::string& name, const std::set<std::string>& recorded,
                        const std::string& deviceFolder) {
    if (!IsSafeName(name)) {
        return MonitoringState::Refused;
    }
    if (recorded.count(name) != 0) {
        return MonitoringState::Fetched;
    }
    std::error_code error;
    return fs::exists(fs::symlink_status(JoinPath(deviceFolder, name), error))
               ? MonitoringState::Leftover
               : MonitoringState::Missing;
}

}  // namespace

int ListMonitorData(const std::string& folder, HostAddressState& hostAddress,
                    HostAdaptation& adaptation, OperationUi& ui, const TransferSettings& settings,
                    MonitorContents& contents, TransferReport* report) {
    contents = MonitorContents();
    TransferReport unused;
    return RunLoggedInSession(
        FolderChoicePath(folder), hostAddress, adaptation, ui, settings.connection,
        report != nullptr ? *report : unused,
        [&](DeviceSession& session, const std::string& downloadFolder,
            const std::string& deviceName) {
            ui.SetStatusText(STATUS_LOADING_LIST);
            std::string list;
            if (session.Transact(std::string(COMMAND_GET_LIST), list) != 0) {
                return session.Abort();
            }
            contents.deviceName = deviceName;
            const std::set<std::string> recorded =
                ReadRecordedNames(MakeRecordPaths(settings.recordsDir, deviceName).downloadedList);
            const std::string deviceFolder = JoinPath(downloadFolder, deviceName);
            std::string name;
            while (!list.empty() && TakeMonitoringName(list, name) == 0) {
                contents.monitorings.push_back({name, StateOf(name, recorded, deviceFolder)});
            }
            return session.Finish(0);
        });
}

const char* MonitoringStateText(MonitoringState state) {
    switch (state) {
        case MonitoringState::Fetched:
            return "descargada";
        case MonitoringState::Leftover:
            return "descarga incompleta en el PC";
        case MonitoringState::Missing:
            return "no está en el PC";
        case MonitoringState::Refused:
            return "nombre no válido";
    }
    return "";
}

const char* MonitoringStateKey(MonitoringState state) {
    switch (state) {
        case MonitoringState::Fetched:
            return "fetched";
        case MonitoringState::Leftover:
            return "leftover";
        case MonitoringState::Missing:
            return "missing";
        case MonitoringState::Refused:
            return "refused";
    }
    return "";
}

}  // namespace somvix
