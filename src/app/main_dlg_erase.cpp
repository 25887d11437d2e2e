// The main window's erase command: the name query, the first question, the folder choice and
// the erase itself in the status window.

#include <QApplication>
#include <QCursor>

#include "app/confirm_dlg.h"
#include "app/main_dlg.h"
#include "transfer/erase.h"
#include "transfer/query_monitor_name.h"
#include "transfer/transfer_settings.h"

namespace somvix {

namespace {

// The busy cursor while the window waits on the name query, which blocks it with no status
// window on screen.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

void CMainDlg::OnErase() {
    m_hostAddress.m_nLanguage = m_nLanguage;
    HostAdaptation& adaptation = Adaptation();
    std::string monitorName;
    {
        const BusyCursor busy;
        // Without an answer the typed host name (often empty) names the monitor.
        if (QueryMonitorName(m_hostAddress, adaptation, m_connectionOptions, monitorName) != 0) {
            monitorName = m_hostAddress.m_strHostName;
        }
    }
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
    const TransferSettings settings = MakeTransferSettings();
    const int result = RunDeviceOperation([&](OperationUi& ui) {
        return EraseMonitorData(path, m_hostAddress, adaptation, ui, settings);
    });
    DestroyStatusWindow();
    if (result < 0) {
        ShowMessageBox(ERASE_FAILED_TEXT, "Error", MessageIcon::Hand);
    } else {
        ShowMessageBox(ERASE_COMPLETED_TEXT, "Fin vaciado", MessageIcon::Asterisk);
    }
}

}  // namespace somvix
