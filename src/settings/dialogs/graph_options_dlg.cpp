#include "settings/dialogs/graph_options_dlg.h"

#include <QCheckBox>
#include <QPushButton>

#include "widgets/dialog_template.h"

namespace somvix {

CGraphOptionsDlg::CGraphOptionsDlg(QWidget* parent) : QDialog(parent) {
    const DialogUnits units =
        SetUpTemplateDialog(*this, QStringLiteral("Configuración de gráfico"), 254, 63);
    AddOkButton(*this, units, QRect(208, 7, 39, 14));
    AddCancelButton(*this, units, QRect(208, 24, 39, 14));
    m_wndHideBadElectrodes =
        new QCheckBox(QStringLiteral("Ocultar zonas con electrodos mal"), this);
    m_wndHideBadElectrodes->setObjectName(QStringLiteral("check1024"));
    m_wndHideBadElectrodes->setGeometry(units.Rect(QRect(19, 16, 177, 10)));
    m_wndHideInactiveImpedance =
        new QCheckBox(QStringLiteral("Ocultar zonas con medición de impedancia inactiva"), this);
    m_wndHideInactiveImpedance->setObjectName(QStringLiteral("check1027"));
    m_wndHideInactiveImpedance->setGeometry(units.Rect(QRect(19, 33, 182, 10)));
    WidenToText(*m_wndHideBadElectrodes);
    WidenToText(*m_wndHideInactiveImpedance);
}

int CGraphOptionsDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CGraphOptionsDlg::OnInitDialog() {
    DoDataExchange(Exchange::ToControls);
}

void CGraphOptionsDlg::accept() {
    DoDataExchange(Exchange::FromControls);
    QDialog::accept();
}

void CGraphOptionsDlg::DoDataExchange(Exchange direction) {
    const std::pair<QCheckBox*, int*> pairs[] = {
        {m_wndHideBadElectrodes, &m_bHideBadElectrodes},
        {m_wndHideInactiveImpedance, &m_bHideInactiveImpedance},
    };
    for (const auto& [box, member] : pairs) {
        if (direction == Exchange::ToControls) {
            box->setChecked(*member != 0);
        } else {
            *member = box->isChecked() ? 1 : 0;
        }
    }
}

}  // namespace somvix
