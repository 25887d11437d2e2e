#include "transfer/transfer_run.h"

#include <cerrno>

#include "device/protocol.h"
#include "shared/operation_ui.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/fetch_monitoring.h"
#include "transfer/monitoring_progress.h"
#include "transfer/transfer_settings.h"
#include "transfer/transfer_texts.h"

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
      m_records(MakeRecordPaths(settings.recordsDir, deviceName)),
      m_sync(settings.Sync()) {}

int TransferRun::LoadListAndPrepare(std::string& list, std::initializer_list<Heading> headings) {
    m_ui.SetStatusText(STATUS_LOADING_LIST);
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

void TransferRun::GiveShare(int share) {
    if (share > 0) {
        m_ui.AdvanceProgress(share);
    }
}

int TransferRun::FetchMonitoring(const std::string& name, const std::string& monitoringFolder,
                                 int share) {
    const auto stored = [this](const std::filesystem::path& file) {
        m_sync.HandFile(file);
        // The monitorings before this one are recorded as soon as they are durable, and a
        // failed sync ends the fetch at the next file.
        return RecordSynced(RecordWait::EndedOnly);
    };
    MonitoringProgress progress(m_ui, share, MONITORING_FILE_LISTS);
    if (FetchMonitoringFiles(m_session, name, monitoringFolder, stored, progress) != 0) {
        return -1;
    }
    progress.Complete();
    HandFolderChain(monitoringFolder);
    m_unrecorded.push_back({name, m_sync.Mark()});
    return 0;
}

int TransferRun::RecordSynced(RecordWait wait) {
    while (!m_bRecordsStopped && !m_unrecorded.empty()) {
        const Unrecorded& next = m_unrecorded.front();
        const SyncStanding standing =
            wait == RecordWait::All ? m_sync.WaitFor(next.mark) : m_sync.Standing(next.mark);
        if (standing == SyncStanding::Waiting) {
            return 0;
        }
        if (standing == SyncStanding::Failed) {
            int error = 0;
            const std::filesystem::path failed = m_sync.FailedPath(error);
            m_session.Fail(SyncFailure(failed, error));
            m_bRecordsStopped = true;
            break;
        }
        errno = 0;
        if (RecordFetchedMonitoring(m_records, next.name) != 0) {
            m_session.Fail(WriteFailure(m_records.downloadedList));
            m_bRecordsStopped = true;
            break;
        }
        Report().fetched.push_back(next.name);
        m_unrecorded.pop_front();
    }
    return m_bRecordsStopped ? -1 : 0;
}

int TransferRun::Finish(int result) {
    // The monitor has nothing to do with the syncs: they end while it says goodbye.
    const int ended = m_session.Finish(result);
    return RecordSynced(RecordWait::All) == 0 ? ended : -1;
}

int TransferRun::Abort() {
    m_session.Abort();
    RecordSynced(RecordWait::All);
    return -1;
}

void TransferRun::HandFolderChain(const std::string& monitoringFolder) {
    // A record says the files are there for good: so must be every entry on the way to them,
    // the monitoring folder's in the device folder and those of the folders made by this run.
    m_sync.HandFolder(monitoringFolder);
    m_sync.HandFolder(m_strDeviceFolder);
    while (!m_unsyncedParents.empty()) {
        m_sync.HandFolder(m_unsyncedParents.back());
        m_unsyncedParents.pop_back();
    }
}

}  // namespace somvix
