#pragma once

#include <QDialog>

#include <string>

#include "hostnet/host_address_state.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace somvix {

// "Opciones de comunicación": the choice between the crossed cable and the local network, and
// the monitor's host name for the latter. The caller fills the members, runs DoModal and reads
// them back only when it returns QDialog::Accepted (OK).
class CCommOptionsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCommOptionsDlg(QWidget* parent = nullptr);

    // Initialises the controls from the members and runs the dialog modally.
    int DoModal();
    // Fills the list, selects m_kind and sets up the host name box from the members.
    void OnInitDialog();

    const std::string* m_pszKinds = nullptr;  // the texts to offer, by index
    int m_nKinds = 0;
    int m_nKindTextSize = 0;  // longest text plus one; a hint the Qt list does not need
    ConnectionKind m_kind = ConnectionKind::Cable;  // the selected kind
    std::string m_strHost;                          // host name of the "LAN" kind

    QComboBox* KindBox() const { return m_wndKind; }
    QLineEdit* HostBox() const { return m_wndHost; }
    QPushButton* OkButton() const { return m_wndOk; }
    QPushButton* CancelButton() const { return m_wndCancel; }

    // The OK button and Enter: OnOK.
    void accept() override;

private:
    void CreateControls();
    void OnSelChangeKind();
    // m_kind from the list's selection; a selection that holds no kind leaves it as it was.
    void TakeSelectedKind();
    void OnOK();

    QComboBox* m_wndKind = nullptr;  // control 1000
    QLineEdit* m_wndHost = nullptr;  // control 1002
    QPushButton* m_wndOk = nullptr;
    QPushButton* m_wndCancel = nullptr;
};

}  // namespace somvix
