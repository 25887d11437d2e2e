// The main window's device operations: the status window and the download commands.

#include <QDir>
#include <QFileDialog>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/operation_thread.h"
#include "app/status_dlg.h"
#include "app/status_window_ui.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/make_host_adaptation.h"
#include "transfer/download.h"
#include "transfer/download_folder.h"
#include "transfer/transfer_settings.h"

namespace somvix {

void CMainDlg::OpenStatusWindow() {
    if (m_pStatusDlg != nullptr) {
        ShowMessageBox("Error iniciando ventana de información de estado", "Error",
                       MessageIcon::Hand);
        return;  // the operation goes on with the window that is open
    }
    m_pStatusDlg = new CStatusDlg(this, [this] { m_pStatusDlg = nullptr; });
    m_pStatusDlg->Create();
    m_pStatusDlg->CenterWindow();
    m_pStatusDlg->show();
}

void CMainDlg::DestroyStatusWindow() {
    if (m_pStatusDlg != nullptr) {
        m_pStatusDlg->DestroyWindow();
    }
}

void CMainDlg::SetHostAdaptation(std::unique_ptr<HostAdaptation> adaptation) {
    m_pHostAdaptation = std::move(adaptation);
}

HostAdaptation& CMainDlg::Adaptation() {
    if (!m_pHostAdaptation) {
        // Empty interface name: the platform's choice of the wired adapter.
        m_pHostAdaptation = MakeHostAdaptation(std::string());
    }
    return *m_pHostAdaptation;
}

int CMainDlg::RunDeviceOperation(const std::function<int(OperationUi&)>& operation) {
    CStatusWindowUi ui(this, [this] { return m_pStatusDlg; });
    return RunOperationOnWorkerThread(operation, ui);
}

void CMainDlg::OnDownload() {
    RunDownloadCommand(FinalMessage::AfterClosing);
}

void CMainDlg::OnDownloadAlt() {
    RunDownloadCommand(FinalMessage::BeforeClosing);
}

bool CMainDlg::ChooseDownloadFolder(std::string& path) {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Selección de carpeta de descarga"));
    if (folder.isEmpty()) {
        return false;
    }
    path = FolderChoicePath(QDir::toNativeSeparators(folder).toLocal8Bit().toStdString());
    return true;
}

TransferSettings CMainDlg::MakeTransferSettings() const {
    TransferSettings settings;
    settings.recordsDir = m_strProgramDir;
    settings.connection = m_connectionOptions;
    return settings;
}

void CMainDlg::RunDownloadCommand(FinalMessage order) {
    std::string path;
    if (!ChooseDownloadFolder(path)) {
        return;
    }

    OpenStatusWindow();
    m_hostAddress.m_nLanguage = m_nLanguage;
    const TransferSettings settings = MakeTransferSettings();
    HostAdaptation& adaptation = Adaptation();
    const int result = RunDeviceOperation([&](OperationUi& ui) {
        return DownloadMonitorData(path, m_hostAddress, adaptation, ui, settings);
    });

    if (order == FinalMessage::AfterClosing) {
        DestroyStatusWindow();
    }
    if (result == -1) {
        ShowMessageBox("Error en descarga de datos", "Error", MessageIcon::Hand);
    } else {
        ShowMessageBox("Descarga de datos completada", "Fin descarga", MessageIcon::Asterisk);
    }
    if (order == FinalMessage::BeforeClosing) {
        DestroyStatusWindow();
    }
}

}  // namespace somvix
