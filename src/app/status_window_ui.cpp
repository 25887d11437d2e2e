#include "app/status_window_ui.h"

#include "app/confirm_dlg.h"
#include "app/message_box.h"
#include "app/status_dlg.h"

namespace somvix {

CStatusWindowUi::CStatusWindowUi(QWidget* mainWindow, std::function<CStatusDlg*()> statusWindow,
                                 OperationUi* watcher)
    : m_pMainWindow(mainWindow), m_statusWindow(std::move(statusWindow)), m_pWatcher(watcher) {}

CStatusWindowUi::~CStatusWindowUi() = default;

void CStatusWindowUi::SetStatusText(const std::string& text) {
    if (CStatusDlg* window = m_statusWindow()) {
        window->SetStatusText(text);
        if (m_pWatcher != nullptr) {
            m_pWatcher->SetStatusText(text);
        }
    }
}

void CStatusWindowUi::ShowProgress() {
    if (CStatusDlg* window = m_statusWindow()) {
        window->ShowProgress();
    }
}

void CStatusWindowUi::HideProgress() {
    if (CStatusDlg* window = m_statusWindow()) {
        window->HideProgress();
    }
}

void CStatusWindowUi::AdvanceProgress(int delta) {
    if (CStatusDlg* window = m_statusWindow()) {
        window->AdvanceProgress(delta);
        if (m_pWatcher != nullptr) {
            m_pWatcher->AdvanceProgress(delta);
        }
    }
}

ConfirmAnswer CStatusWindowUi::Confirm(const std::string& statement, const std::string& question) {
    // One dialog serves every question of the run.
    if (!m_pConfirmDlg) {
        m_pConfirmDlg = std::make_unique<CConfirmDlg>(m_pMainWindow);
    }
    m_pConfirmDlg->SetText(statement);
    m_pConfirmDlg->SetQuestion(question);
    switch (m_pConfirmDlg->DoModal()) {
        case DIALOG_OK:
            return ConfirmAnswer::Yes;
        case DIALOG_CANCEL:
            return ConfirmAnswer::No;
        default:
            return ConfirmAnswer::Unanswered;
    }
}

void CStatusWindowUi::ShowMessage(const std::string& text, const std::string& caption,
                                  MessageIcon icon) {
    ShowMessageBox(m_pMainWindow, text, caption, icon);
}

}  // namespace somvix
