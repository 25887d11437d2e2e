#include "transfer/transfer_run.h"

#include <cerrno>

#include "device/protocol.h"
#include "shared/operation_ui.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/fetch_monitoring.h"
#include "transfer/transfer_settings.h"

namespace somvix {

namespace {

// The folder that holds the entry of folder ("." for a relative folder of one level).
std::filesystem::path ParentFolder(const std::string& folder) {
    const std::filesystem::path parent = std::filesystem::path(folder).parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

}  // namespace

TransferRun::TransferRun(DeviceSession& session, const TransferSettings& settings,
                         const std::string& downloadFolder, const std::string& deviceName)
    : m_session(session),
      m_ui(session.Ui()),
      m_settings(settings),
      m_strDownloadFolder(downloadFolder),
      m_strDeviceFolder(JoinPath(downloadFolder, deviceName)),
      m_strDeviceName(deviceName),
      m_records(MakeRecordPaths(settings.recordsDir, deviceName)) {}

int TransferRun::LoadListAndPrepare(std::string& list, std::initializer_list<Heading> headings) {
    m_ui.SetStatusText("Cargando lista de archivos...");
    if (m_session.Transact(std::string(COMMAND_GET_LIST), list) != 0) {
        return -1;
    }
    // A cancel while the list came in is seen before anything is written.
    if (m_session.CheckCancel() != 0) {
        return -1;
    }
    if (list.empty()) {
        return 1;
    }
    m_downloaded = ReadDownloadedList(m_records.downloadedList);
    m_recorded = FoldedNames(m_downloaded);
    const std::string date = FormatRecordDate(m_settings.Today());
    for (const Heading& heading : headings) {
        WriteLogHeading(heading.first, heading.second, date);
    }
    if (EnsureFolder(m_strDownloadFolder)) {
        m_unsyncedParents.push_back(ParentFolder(m_strDownloadFolder));
    }
    if (EnsureFolder(m_strDeviceFolder)) {
        m_unsyncedParents.emplace_back(m_strDownloadFolder);
    }
    return 0;
}

NameStanding TransferRun::MeetName(const std::string& name) {
    const NameMatch met = m_met.Meet(name);
    if (met == NameMatch::Same) {
        return NameStanding::Repeated;
    }
    if (m_downloaded.count(name) != 0) {
        return NameStanding::Recorded;
    }
    // The folder of a name that only folds like a recorded one may be that one's complete copy,
    // which would then be asked about, and replaced, as the leftover of a broken download.
    if (met == NameMatch::Clashing || m_recorded.Find(name) == NameMatch::Clashing) {
        return NameStanding::Clashing;
    }
    return NameStanding::New;
}

void TransferRun::RefuseName(const std::string& name) {
    RefuseNameOf(m_session, name);
    m_nResult = -1;
}

int TransferRun::FetchAndRecord(const std::string& name, const std::string& monitoringFolder) {
    if (FetchMonitoringFiles(m_session, name, monitoringFolder, m_settings.Sync()) != 0) {
        return -1;
    }
    if (SyncFolderChain(monitoringFolder) != 0) {
        return m_session.Fail(SyncFailure(monitoringFolder));
    }
    if (RecordFetchedMonitoring(m_records, name) != 0) {
        return m_session.Fail(WriteFailure(m_records.downloadedList));
    }
    Report().fetched.push_back(name);
    return 0;
}

int TransferRun::SyncFolderChain(const std::string& monitoringFolder) {
    // A record says the files are there for good: so must be every entry on the way to them,
    // the monitoring folder's in the device folder and those of the folders made by this run.
    FileSync& sync = m_settings.Sync();
    errno = 0;
    if (sync.SyncFolder(monitoringFolder) != 0 || sync.SyncFolder(m_strDeviceFolder) != 0) {
        return -1;
    }
    while (!m_unsyncedParents.empty()) {
        if (sync.SyncFolder(m_unsyncedParents.back()) != 0) {
            return -1;
        }
        m_unsyncedParents.pop_back();
    }
    return 0;
}

}  // namespace somvix
