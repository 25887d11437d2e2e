#pragma once

#include <QDialog>

class QCheckBox;

namespace somvix {

// "Configuración de gráfico": whether the zones with bad electrodes and those with inactive
// impedance measurement are hidden. Its boxes ask "hide?", the settings keep "show?".
class CGraphOptionsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CGraphOptionsDlg(QWidget* parent = nullptr);

    // Puts the members into the boxes, then runs the dialog. Returns QDialog::Accepted on OK.
    int DoModal();
    void OnInitDialog();

    // Check box states, 0 clear or 1 ticked; copied in before the dialog opens, out on OK.
    int m_bHideBadElectrodes = 0;
    int m_bHideInactiveImpedance = 0;

public slots:
    void accept() override;

private:
    enum class Exchange { ToControls, FromControls };
    void DoDataExchange(Exchange direction);

    QCheckBox* m_wndHideBadElectrodes;
    QCheckBox* m_wndHideInactiveImpedance;
};

}  // namespace somvix
