#pragma once

#include <functional>
#include <memory>

#include "shared/operation_ui.h"

class QWidget;

namespace somvix {

class CConfirmDlg;
class CStatusDlg;

// The user interface of one device operation in the window program, on the GUI thread: the
// status window that is open when each call comes (none: the call is skipped), one
// confirmation dialog for every question of the run, and message boxes on the main window. A
// watcher, when given, is told each status text and progress step that the window shows.
class CStatusWindowUi : public OperationUi {
public:
    CStatusWindowUi(QWidget* mainWindow, std::function<CStatusDlg*()> statusWindow,
                    OperationUi* watcher = nullptr);
    ~CStatusWindowUi() override;

    void SetStatusText(const std::string& text) override;
    void ShowProgress() override;
    void HideProgress() override;
    void AdvanceProgress(int delta) override;
    ConfirmAnswer Confirm(const std::string& statement, const std::string& question) override;
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;

private:
    QWidget* m_pMainWindow;
    std::function<CStatusDlg*()> m_statusWindow;
    std::unique_ptr<CConfirmDlg> m_pConfirmDlg;
    OperationUi* m_pWatcher;
};

}  // namespace somvix
