#include "app/device_commands.h"

#include <QDir>
#include <QFileDialog>

#include "app/message_box.h"
#include "app/operation_thread.h"
#include "app/status_dlg.h"
#include "app/status_window_ui.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/make_host_adaptation.h"
#include "transfer/download_folder.h"
#include "transfer/transfer_settings.h"

namespace somvix {

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

TransferSettings CDeviceCommands::MakeTransferSettings() const {
    TransferSettings settings;
    settings.recordsDir = m_strDataDir;
    settings.connection = m_connectionOptions;
    return settings;
}

OperationUi& CDeviceCommands::Ui() {
    if (!m_pUi) {
        m_pUi = std::make_unique<CStatusWindowUi>(m_pMainWindow, [this] { return m_pStatusDlg; });
    }
    return *m_pUi;
}

bool CDeviceCommands::ChooseFolder(std::string& path) {
    const QString folder = QFileDialog::getExistingDirectory(
        m_pMainWindow, QStringLiteral("Selección de carpeta de descarga"));
    if (folder.isEmpty()) {
        return false;
    }
    m_strLastDownloadFolder = folder.toStdString();
    path = FolderChoicePath(QDir::toNativeSeparators(folder).toLocal8Bit().toStdString());
    return true;
}

int CDeviceCommands::RunConnection(const std::function<int(OperationUi&)>& connection) {
    OpenStatusWindow();
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
        ShowMessageBox(m_pMainWindow, outcome.text, outcome.caption, outcome.icon);
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
    const CommandOutcome outcome =
        RunDownloadCommand(*this, m_hostAddress, Adaptation(), MakeTransferSettings());
    m_bKeepStatusWindow = false;
    ShowOutcome(outcome);
    DestroyStatusWindow();
}

void CDeviceCommands::OnErase() {
    m_pUi.reset();  // a new confirmation dialog for each command
    ShowOutcome(RunEraseCommand(*this, m_hostAddress, Adaptation(), MakeTransferSettings()));
}

}  // namespace somvix
