#include "transfer/download.h"

#include <set>

#include "app/operation_ui.h"
#include "device/protocol.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/fetch_monitoring.h"
#include "transfer/records.h"
#include "transfer/safe_name.h"
#include "transfer/transfer_settings.h"

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

// The steps of one run after the login, with what they share.
class DownloadRun {
public:
    DownloadRun(DeviceSession& session, const TransferSettings& settings,
                const std::string& downloadFolder, const std::string& deviceName)
        : m_session(session),
          m_ui(session.Ui()),
          m_settings(settings),
          m_strDownloadFolder(downloadFolder),
          m_strDeviceName(deviceName),
          m_records(MakeRecordPaths(settings.recordsDir, deviceName)) {}

    // From "GETLIST" to the ending.
    int Run() {
        m_ui.SetStatusText("Cargando lista de archivos...");
        std::string list;
        if (m_session.Transact(std::string(COMMAND_GET_LIST), list) != 0) {
            return m_session.Abort();
        }
        if (list.empty()) {
            return m_session.Finish(0);
        }
        m_downloaded = ReadDownloadedList(m_records.downloadedList);
        WriteLogHeading(m_records.downloadLog, DOWNLOAD_HEADING,
                        FormatRecordDate(m_settings.Today()));
        const std::string deviceFolder = JoinPath(m_strDownloadFolder, m_strDeviceName);
        EnsureFolder(m_strDownloadFolder);
        EnsureFolder(deviceFolder);

        const int count = CountNamesToFetch(list, m_downloaded);
        if (count == 0) {
            return m_session.Finish(0);
        }
        m_ui.ShowProgress();
        const int step = PROGRESS_RANGE / count;
        std::string name;
        while (TakeMonitoringName(list, name) == 0) {
            m_ui.AdvanceProgress(step);
            if (FetchUnlessDone(deviceFolder, name) != 0) {
                return m_session.Abort();
            }
        }
        return m_session.Finish(0);
    }

private:
    // 0 when the run goes on (fetched, fetched before, or skipped), -1 to abort.
    int FetchUnlessDone(const std::string& deviceFolder, const std::string& name) {
        if (m_downloaded.count(name) != 0) {
            return 0;
        }
        if (!IsSafeName(name)) {
            ShowRefusedName(m_ui, name);
            return -1;
        }
        m_ui.SetStatusText("Cargando datos " + name + " ...");
        const std::string monitoringFolder = JoinPath(deviceFolder, name);
        if (PrepareMonitoringFolder(monitoringFolder, name, m_strDeviceName, DOWNLOAD_PREPARE_TEXTS,
                                    m_ui) != 0) {
            return 0;  // declined, or the old folder could not be removed: next monitoring
        }
        if (FetchMonitoringFiles(m_session, name, monitoringFolder, m_settings.Sync()) != 0) {
            return -1;
        }
        RecordFetchedMonitoring(m_records, name);
        return 0;
    }

    DeviceSession& m_session;
    OperationUi& m_ui;
    const TransferSettings& m_settings;
    const std::string m_strDownloadFolder;
    const std::string m_strDeviceName;
    const RecordPaths m_records;
    std::set<std::string> m_downloaded;
};

}  // namespace

int DownloadMonitorData(const std::string& path, HostAddressState& hostAddress,
                        HostAdaptation& adaptation, OperationUi& ui,
                        const TransferSettings& settings) {
    return RunLoggedInSession(
        path, hostAddress, adaptation, ui, settings.connection,
        [&](DeviceSession& session, const std::string& downloadFolder,
            const std::string& deviceName) {
            return DownloadRun(session, settings, downloadFolder, deviceName).Run();
        });
}

}  // namespace somvix
