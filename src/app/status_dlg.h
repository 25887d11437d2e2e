#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace somvix {

// Control ids of template 150.
inline constexpr int IDC_STATUS_TEXT = 1004;
inline constexpr int IDC_STATUS_PROGRESS = 1005;

// The small window that stands on screen while a device operation runs: one centred status
// line and, while files move, a progress bar over 0..500. It has no caption and cannot be
// closed by the user; it holds the user (no other window takes input) until the command that
// opened it destroys it. It ends its own life: DestroyWindow runs the owner's clean-up, which
// forgets the window, and deletes the object.
class CStatusDlg : public QDialog {
    Q_OBJECT

public:
    // onFinalCleanUp clears the owner's reference to this window.
    CStatusDlg(QWidget* owner, std::function<void()> onFinalCleanUp);
    ~CStatusDlg() override;

    // Builds the window from template 150, hidden: the initialisation of the window.
    void Create();
    // Centres the window over its owner (over the screen when the owner is not shown).
    void CenterWindow();
    void SetStatusText(const std::string& text);
    void ShowProgress();
    void HideProgress();
    // Moves the bar by delta, held within 0..500.
    void AdvanceProgress(int delta);
    void DestroyWindow();
    // Shows "Cancelar", which runs action once and is then disabled; null hides it.
    void SetCancelAction(std::function<void()> action);

    QLabel* StatusLine() const { return m_wndText; }
    QPushButton* CancelButton() const { return m_wndCancel; }
    QProgressBar* ProgressBar() const { return m_wndProgress; }
    int ProgressVisible() const { return m_bProgressVisible; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    std::function<void()> m_onFinalCleanUp;
    int m_bProgressVisible = 0;  // 1 while the bar is meant to be visible
    bool m_bDestroying = false;
    QLabel* m_wndText = nullptr;
    QProgressBar* m_wndProgress = nullptr;
    QPushButton* m_wndCancel = nullptr;
    std::function<void()> m_cancelAction;
};

}  // namespace somvix
