#pragma once

#include <QDialog>

class QLineEdit;

namespace somvix {

class CUpDownControl;

// "Umbrales": the impedance value from which an electrode counts as bad. The arrows offer 0 to
// 13; any typed number is taken.
class CThresholdsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CThresholdsDlg(QWidget* parent = nullptr);

    // Shows m_nThreshold, then runs the dialog. Returns QDialog::Accepted on OK.
    int DoModal();
    void OnInitDialog();

    int m_nThreshold = 5;  // copied in before the dialog opens, out of it on OK

    static constexpr int ARROW_LOWEST = 0;
    static constexpr int ARROW_HIGHEST = 13;

public slots:
    // OK: the edit box's text as the C library's atoi reads it, without a range check.
    void accept() override;

private:
    QLineEdit* m_wndEdit;
    CUpDownControl* m_wndUpDown;
};

}  // namespace somvix
