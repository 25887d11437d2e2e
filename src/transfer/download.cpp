#include "transfer/download.h"

#include <set>

#include "device/protocol.h"
#include "shared/operation_ui.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/records.h"
#include "transfer/safe_name.h"
#include "transfer/transfer_run.h"
#include "transfer/transfer_settings.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

// Names of the list (up to the first token without "paciente") not yet fetched.
int CountNamesToFetch(std::string list, const std::set<std::string>& downloaded) {
    int count = 0;
    std::string name;
    while (TakeMonitoringName(list, name) == 0) {
        if (downloaded.count(name) == 0) {
            ++count;
        }
    }
    return count;
}

// The steps of one run after the login.
class DownloadRun : public TransferRun {
public:
    using TransferRun::TransferRun;

    // From "GETLIST" to the ending.
    int Run() {
        std::string list;
        const int loaded = LoadListAndPrepare(list, {{m_records.downloadLog, DOWNLOAD_HEADING}});
        if (loaded != 0) {
            return loaded < 0 ? Abort() : Finish(0);
        }
        const int count = CountNamesToFetch(list, m_downloaded);
        if (count == 0) {
            return Finish(0);
        }
        m_ui.ShowProgress();
        const int step = PROGRESS_RANGE / count;
        std::string name;
        while (TakeMonitoringName(list, name) == 0) {
            if (m_session.CheckCancel() != 0) {
                return Abort();
            }
            // The names fetched before were not counted: they have no share of the bar, which
            // would otherwise be full while new monitorings still arrive.
            const int share = m_downloaded.count(name) == 0 ? step : 0;
            if (RecordSynced(RecordWait::EndedOnly) != 0 || FetchUnlessDone(name, share) != 0) {
                return Abort();
            }
        }
        return Finish(m_nResult);
    }

private:
    // 0 when the run goes on (fetched, fetched before, skipped or refused), -1 to abort. share
    // is the name's part of the bar.
    int FetchUnlessDone(const std::string& name, int share) {
        switch (MeetName(name)) {
            case NameStanding::Recorded:
                Report().skipped.push_back(name);
                return 0;
            case NameStanding::Repeated:
                GiveShare(share);
                return 0;
            case NameStanding::Clashing:
                GiveShare(share);
                RefuseName(name);
                return 0;
            case NameStanding::New:
                break;
        }
        if (!IsSafeName(name)) {
            return RefuseNameOf(m_session, name);
        }
        m_ui.SetStatusText(LoadingMonitoringStatus(name));
        const std::string monitoringFolder = JoinPath(m_strDeviceFolder, name);
        if (PrepareMonitoringFolder(monitoringFolder, name, m_strDeviceName, DOWNLOAD_PREPARE_TEXTS,
                                    m_ui) != FolderPrepared::Ready) {
            // Declined, or the old folder could not be removed: next monitoring.
            GiveShare(share);
            Report().skipped.push_back(name);
            return 0;
        }
        return FetchMonitoring(name, monitoringFolder, share);
    }
};

}  // namespace

int DownloadMonitorData(const std::string& path, HostAddressState& hostAddress,
                        HostAdaptation& adaptation, OperationUi& ui,
                        const TransferSettings& settings, TransferReport* report) {
    return RunTransfer<DownloadRun>(path, hostAddress, adaptation, ui, settings, report);
}

}  // namespace somvix
