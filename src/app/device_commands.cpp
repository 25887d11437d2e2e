#include "app/device_commands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "app/message_box.h"
#include "app/operation_thread.h"
#include "app/status_dlg.h"
#include "app/status_window_ui.h"
#include "device/cancel_request.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/make_host_adaptation.h"
#include "transfer/download_folder.h"
#include "transfer/transfer_settings.h"

namespace somvix {

namespace {

// Where the folder chooser opens: the last folder chosen by this user.
constexpr const char* LAST_FOLDER_KEY = "ultimaCarpetaDescarga";

}  // namespace

CDeviceCommands::CDeviceCommands(QWidget* mainWindow) : m_pMainWindow(mainWindow) {}

CDeviceCommands::~CDeviceCommands() = default;

void CDeviceCommands::Initialise(const std::filesystem::path& dataDir) {
    m_strDataDir = dataDir;
    m_hostAddress = NewHostAddressState();
}

void CDeviceCommands::OpenStatusWindow() {
    if (m_pStatusDlg != nullptr) {
        ShowMessageBox(m_pMainWindow, "Error iniciando ventana de información de estado", "Error",
                       MessageIcon::Hand);
        return;  // the operation goes on with the window that is open
    }
    m_pStatusDlg = new CStatusDlg(m_pMainWindow, [this] { m_pStatusDlg = nullptr; });
    m_pStatusDlg->Create();
    m_pStatusDlg->CenterWindow();
    m_pStatusDlg->show();
}

void CDeviceCommands::DestroyStatusWindow() {
    if (m_pStatusDlg != nullptr) {
        m_pStatusDlg->DestroyWindow();
    }
}

void CDeviceCommands::SetHostAdaptation(std::unique_ptr<HostAdaptation> adaptation) {
    m_pHostAdaptation = std::move(adaptation);
}

HostAdaptation& CDeviceCommands::Adaptation() {
    if (!m_pHostAdaptation) {
        // Empty interface name: the platform's choice of the wired adapter.
        m_pHostAdaptation = MakeHostAdaptation(std::string());
    }
    return *m_pHostAdaptation;
}

TransferSettings CDeviceCommands::MakeTransferSettings(CancelRequest& cancel) {
    TransferSettings settings;
    settings.recordsDir = m_strDataDir;
    settings.connection = m_connectionOptions;
    settings.connection.cancel = &cancel;
    m_pCancel = &cancel;
    return settings;
}

OperationUi& CDeviceCommands::Ui() {
    if (!m_pUi) {
        m_pUi = std::make_unique<CStatusWindowUi>(m_pMainWindow, [this] { return m_pStatusDlg; });
    }
    return *m_pUi;
}

bool CDeviceCommands::ChooseFolder(std::string& path) {
    // A remembered folder that has gone since would leave the dialog on a name it cannot take.
    QString start;
    if (m_pUserSettings != nullptr) {
        start = m_pUserSettings->value(LAST_FOLDER_KEY).toString();
        if (!start.isEmpty() && !QFileInfo(start).isDir()) {
            start.clear();
        }
    }
    const QString folder = QFileDialog::getExistingDirectory(
        m_pMainWindow, QStringLiteral("Selección de carpeta de descarga"), start);
    if (folder.isEmpty()) {
        return false;
    }
    m_strLastDownloadFolder = folder.toStdString();
    if (m_pUserSettings != nullptr) {
        m_pUserSettings->setValue(LAST_FOLDER_KEY, folder);
    }
    path = FolderChoicePath(QDir::toNativeSeparators(folder).toLocal8Bit().toStdString());
    return true;
}

int CDeviceCommands::RunConnection(const std::function<int(OperationUi&)>& connection) {
    OpenStatusWindow();
    if (m_pCancel != nullptr && m_pStatusDlg != nullptr) {
        CancelRequest* cancel = m_pCancel;
        m_pStatusDlg->SetCancelAction([cancel] { cancel->Request(); });
    }
    CStatusWindowUi ui(
        m_pMainWindow, [this] { return m_pStatusDlg; }, m_pStatusWatcher);
    const int result = RunOperationOnWorkerThread(connection, ui);
    if (!m_bKeepStatusWindow) {
        DestroyStatusWindow();
    }
    return result;
}

void CDeviceCommands::ShowOutcome(const CommandOutcome& outcome) {
    if (outcome.end != CommandEnd::Declined) {
        ShowMessageBox(m_pMainWindow, outcome.text, outcome.caption, outcome.icon, outcome.detail);
    }
}

void CDeviceCommands::OnDownload() {
    RunDownload(FinalMessage::AfterClosing);
}

void CDeviceCommands::OnDownloadAlt() {
    RunDownload(FinalMessage::BeforeClosing);
}

void CDeviceCommands::RunDownload(FinalMessage order) {
    m_bKeepStatusWindow = order == FinalMessage::BeforeClosing;
    CancelRequest cancel;
    const CommandOutcome outcome =
        RunDownloadCommand(*this, m_hostAddress, Adaptation(), MakeTransferSettings(cancel));
    m_pCancel = nullptr;
    m_bKeepStatusWindow = false;
    ShowOutcome(outcome);
    DestroyStatusWindow();
}

void CDeviceCommands::OnErase() {
    m_pUi.reset();  // a new confirmation dialog for each command
    CancelRequest cancel;
    const CommandOutcome outcome =
        RunEraseCommand(*this, m_hostAddress, Adaptation(), MakeTransferSettings(cancel));
    m_pCancel = nullptr;
    ShowOutcome(outcome);
}

}  // namespace somvix
