// The main window's erase command: the name query, the first question, the folder choice and
// the erase itself in the status window.

#include "app/confirm_dlg.h"
#include "app/main_dlg.h"
#include "device/cancel_request.h"
#include "transfer/erase.h"
#include "transfer/query_monitor_name.h"
#include "transfer/transfer_report.h"
#include "transfer/transfer_settings.h"

namespace somvix {

void CMainDlg::OnErase() {
    m_hostAddress.m_nLanguage = m_nLanguage;
    HostAdaptation& adaptation = Adaptation();
    const TransferSettings settings = MakeTransferSettings();

    // The query may wait on a silent monitor: it runs on the worker thread behind the status
    // window, so the window repaints and takes no other command meanwhile.
    std::string monitorName;
    OpenStatusWindow();
    RunDeviceOperation([&](OperationUi& ui) {
        ui.SetStatusText("Conectando...");
        monitorName = MonitorNameForErase(m_hostAddress, adaptation, settings.connection);
        return 0;
    });
    DestroyStatusWindow();

    CConfirmDlg confirm(this);
    confirm.SetText(EraseStatement(monitorName));
    confirm.SetQuestion(ERASE_CONTINUE_QUESTION);
    if (confirm.DoModal() != DIALOG_OK) {
        return;
    }
    std::string path;
    if (!ChooseDownloadFolder(path)) {
        return;
    }

    OpenStatusWindow();
    CancelRequest cancel;
    TransferSettings cancellable = settings;
    cancellable.connection.cancel = &cancel;
    TransferReport report;
    const int result = RunDeviceOperation(
        [&](OperationUi& ui) {
            return EraseMonitorData(path, m_hostAddress, adaptation, ui, cancellable, &report);
        },
        &cancel);
    DestroyStatusWindow();
    ShowFinalMessage(
        result, report,
        {ERASE_COMPLETED_TEXT, ERASE_FAILED_TEXT, ERASE_CANCELLED_TEXT, "Fin vaciado"});
}

}  // namespace somvix
