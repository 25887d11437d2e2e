#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace somvix {

// The program's own yes/no question, "ADVERTENCIA!": a statement of up to three lines, a
// one-line question and the buttons "Si" and "No". The caller sets both texts before each
// showing; the texts keep their values between showings.
class CConfirmDlg : public QDialog {
    Q_OBJECT

public:
    explicit CConfirmDlg(QWidget* parent = nullptr);
    ~CConfirmDlg() override;

    void SetText(const std::string& text);
    void SetQuestion(const std::string& text);
    // Shows the dialog modally: DIALOG_OK (1) for "Si", DIALOG_CANCEL (2) for "No", and
    // DIALOG_CLOSED (0) for Escape or the close box, which answer neither. Callers act on
    // exactly 1.
    int DoModal();

    QLabel* Statement() const { return m_wndText; }
    QLabel* Question() const { return m_wndQuestion; }
    QPushButton* YesButton() const { return m_wndYes; }
    QPushButton* NoButton() const { return m_wndNo; }

private:
    void OnInitDialog();

    std::string m_strText;
    std::string m_strQuestion;
    QLabel* m_wndText = nullptr;
    QLabel* m_wndQuestion = nullptr;
    QPushButton* m_wndYes = nullptr;
    QPushButton* m_wndNo = nullptr;
};

// Results of DoModal: the ids of the buttons "Si" (IDOK) and "No" (IDCANCEL), and the dialog
// closed without a button.
inline constexpr int DIALOG_OK = 1;
inline constexpr int DIALOG_CANCEL = 2;
inline constexpr int DIALOG_CLOSED = 0;

}  // namespace somvix
