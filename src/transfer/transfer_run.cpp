#include "transfer/transfer_run.h"

#include "app/operation_ui.h"
#include "device/protocol.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/transfer_settings.h"

namespace somvix {

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
    if (list.empty()) {
        return 1;
    }
    m_downloaded = ReadDownloadedList(m_records.downloadedList);
    const std::string date = FormatRecordDate(m_settings.Today());
    for (const Heading& heading : headings) {
        WriteLogHeading(heading.first, heading.second, date);
    }
    EnsureFolder(m_strDownloadFolder);
    EnsureFolder(m_strDeviceFolder);
    return 0;
}

}  // namespace somvix
