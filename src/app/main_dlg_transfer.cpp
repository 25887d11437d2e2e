// The main window's device operations: the status window and the download commands.

#include <QDir>
#include <QFileDialog>
#include <QSettings>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/operation_thread.h"
#include "app/status_dlg.h"
#include "app/status_window_ui.h"
#include "device/cancel_request.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/make_host_adaptation.h"
#include "transfer/download.h"
#include "transfer/download_folder.h"
#include "transfer/failure_text.h"
#include "transfer/transfer_report.h"
#include "transfer/transfer_settings.h"

namespace somvix {

namespace {

// What a run did, as the detail of its final message.
std::string DoneSoFar(const TransferReport& report) {
    std::string done =
        report.fetched.empty()
            ? std::string("No se encontraron monitorizaciones nuevas")
            : std::to_string(report.fetched.size()) + " monitorizaciones descargadas";
    if (!report.erased.empty()) {
        done += "; " + std::to_string(report.erased.size()) + " eliminadas del monitor";
    }
    return done;
}

// Where the folder chooser opens: the last folder chosen by this user.
constexpr const char* LAST_FOLDER_KEY = "ultimaCarpetaDescarga";

}  // namespace

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

int CMainDlg::RunDeviceOperation(const std::function<int(OperationUi&)>& operation,
                                 CancelRequest* cancel) {
    if (cancel != nullptr && m_pStatusDlg != nullptr) {
        m_pStatusDlg->SetCancelAction([cancel] { cancel->Request(); });
    }
    CStatusWindowUi ui(this, [this] { return m_pStatusDlg; });
    return RunOperationOnWorkerThread(operation, ui);
}

void CMainDlg::ShowFinalMessage(int result, const TransferReport& report, const FinalTexts& texts) {
    if (report.cause.m_kind == CauseKind::Cancelled) {
        somvix::ShowMessageBox(this, texts.cancelled, texts.caption, MessageIcon::Exclamation,
                               DoneSoFar(report));
    } else if (result < 0) {
        somvix::ShowMessageBox(this, texts.failed, "Error", MessageIcon::Hand,
                               DescribeCause(report.cause));
    } else {
        somvix::ShowMessageBox(this, texts.completed, texts.caption, MessageIcon::Asterisk,
                               DoneSoFar(report));
    }
}

void CMainDlg::OnDownload() {
    RunDownloadCommand(FinalMessage::AfterClosing);
}

void CMainDlg::OnDownloadAlt() {
    RunDownloadCommand(FinalMessage::BeforeClosing);
}

bool CMainDlg::ChooseDownloadFolder(std::string& path) {
    QSettings remembered;
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Selección de carpeta de descarga"),
                                          remembered.value(LAST_FOLDER_KEY).toString());
    if (folder.isEmpty()) {
        return false;
    }
    remembered.setValue(LAST_FOLDER_KEY, folder);
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
    CancelRequest cancel;
    TransferSettings settings = MakeTransferSettings();
    settings.connection.cancel = &cancel;
    HostAdaptation& adaptation = Adaptation();
    TransferReport report;
    const int result = RunDeviceOperation(
        [&](OperationUi& ui) {
            return DownloadMonitorData(path, m_hostAddress, adaptation, ui, settings, &report);
        },
        &cancel);

    if (order == FinalMessage::AfterClosing) {
        DestroyStatusWindow();
    }
    ShowFinalMessage(
        result, report,
        {DOWNLOAD_COMPLETED_TEXT, DOWNLOAD_FAILED_TEXT, DOWNLOAD_CANCELLED_TEXT, "Fin descarga"});
    if (order == FinalMessage::BeforeClosing) {
        DestroyStatusWindow();
    }
}

}  // namespace somvix
