#include "settings/dialogs/thresholds_dlg.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "settings/decimal_text.h"
#include "settings/dialogs/up_down_control.h"
#include "widgets/dialog_template.h"

namespace somvix {

CThresholdsDlg::CThresholdsDlg(QWidget* parent) : QDialog(parent) {
    const DialogUnits units = SetUpTemplateDialog(*this, QStringLiteral("Umbrales"), 257, 119);
    // Created in the template's order, which is also the order of the focus.
    AddOkButton(*this, units, QRect(213, 7, 37, 14));
    AddCancelButton(*this, units, QRect(213, 24, 37, 14));
    m_wndEdit = new QLineEdit(this);
    m_wndEdit->setObjectName(QStringLiteral("edit1026"));
    m_wndEdit->setGeometry(units.Rect(QRect(56, 39, 31, 14)));
    m_wndUpDown = new CUpDownControl(m_wndEdit, this);
    m_wndUpDown->setObjectName(QStringLiteral("updown1025"));
    m_wndUpDown->setGeometry(units.Rect(QRect(43, 39, 14, 14)));
    auto* group = new QGroupBox(QStringLiteral("Valor de impedancia para electrodo mal"), this);
    group->setGeometry(units.Rect(QRect(33, 24, 144, 37)));
    group->lower();  // behind the edit box and the arrows it frames
}

int CThresholdsDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CThresholdsDlg::OnInitDialog() {
    m_wndUpDown->SetRange(ARROW_LOWEST, ARROW_HIGHEST);
    m_wndUpDown->SetPos(m_nThreshold);
}

void CThresholdsDlg::accept() {
    m_nThreshold = DecimalPrefixValue(m_wndEdit->text().toStdString());
    QDialog::accept();
}

}  // namespace somvix
