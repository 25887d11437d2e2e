#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "device/device_connection.h"
#include "hostnet/host_address_state.h"
#include "transfer/command_flow.h"

class QSettings;
class QWidget;

namespace somvix {

class CancelRequest;
class CStatusDlg;
class CStatusWindowUi;
class HostAdaptation;
struct TransferSettings;

// The main window's part for the monitor: the status window of an operation, the host address
// state and its adaptation, the download and erase commands and the communication options. The
// steps of the commands are the core's; this part shows them with the window's dialogs.
class CDeviceCommands : private CommandFrontEnd {
public:
    explicit CDeviceCommands(QWidget* mainWindow);
    ~CDeviceCommands() override;

    // Start-up: the records of the transfers go to dataDir.
    void Initialise(const std::filesystem::path& dataDir);

    void OnDownload();
    // As OnDownload, with the final message shown before the status window closes.
    void OnDownloadAlt();
    void OnErase();
    // The read-only look at what the monitor holds, compared with a chosen download folder.
    void OnMonitorContents();
    // m_connectionKind and m_strHostName change only when the dialog ends with OK.
    void OnCommOptions();

    void OpenStatusWindow();
    void DestroyStatusWindow();
    CStatusDlg* StatusWindow() const { return m_pStatusDlg; }

    // The folder the last download or erase was given, empty before the first.
    const std::string& LastDownloadFolder() const { return m_strLastDownloadFolder; }

    HostAddressState& HostAddress() { return m_hostAddress; }
    const HostAddressState& HostAddress() const { return m_hostAddress; }
    // The monitor's port (the command line may change it; the program uses DEVICE_PORT).
    void SetDevicePort(std::uint16_t port) { m_connectionOptions.port = port; }
    // The longest single wait on the monitor, in milliseconds (tests shorten it).
    void SetNetworkWait(int waitMs) { m_connectionOptions.waitMs = waitMs; }
    // Replaces the platform's host address adaptation (tests).
    void SetHostAdaptation(std::unique_ptr<HostAdaptation> adaptation);
    // The user's own settings, where the last download folder chosen is kept; null: none is.
    void SetUserSettings(QSettings* settings) { m_pUserSettings = settings; }
    // Is told each status text and progress step that the status window shows (tests).
    void SetStatusWatcher(OperationUi* watcher) { m_pStatusWatcher = watcher; }

private:
    enum class FinalMessage { AfterClosing, BeforeClosing };
    void RunDownload(FinalMessage order);
    void ShowOutcome(const CommandOutcome& outcome);
    HostAdaptation& Adaptation();
    // The records folder and the connection options; the status window's "Cancelar" makes
    // cancel, while a connection runs.
    TransferSettings MakeTransferSettings(CancelRequest& cancel);

    OperationUi& Ui() override;
    // The folder dialog, opened on the last folder chosen; the path is the chosen folder, a
    // separator and a name.
    bool ChooseFolder(std::string& path) override;
    // On a worker thread while the status window holds the user, who may cancel it.
    int RunConnection(const std::function<int(OperationUi&)>& connection) override;

    QWidget* m_pMainWindow;
    std::filesystem::path m_strDataDir;
    std::string m_strLastDownloadFolder;     // UTF-8, as the folder dialog gave it
    CStatusDlg* m_pStatusDlg = nullptr;      // the status window now open, or null
    bool m_bKeepStatusWindow = false;        // left open after the run, for the final message
    std::unique_ptr<CStatusWindowUi> m_pUi;  // the erase's first question
    HostAddressState m_hostAddress;
    std::unique_ptr<HostAdaptation> m_pHostAdaptation;
    ConnectionOptions m_connectionOptions;
    OperationUi* m_pStatusWatcher = nullptr;
    CancelRequest* m_pCancel = nullptr;  // of the command that runs, or null
    QSettings* m_pUserSettings = nullptr;
};

}  // namespace somvix
