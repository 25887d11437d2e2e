#include "settings/dialogs/comm_options_dlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "hostnet/connection_kinds.h"
#include "widgets/dialog_template.h"

namespace somvix {

namespace {

// The template's size in dialog units.
constexpr int DIALOG_WIDTH_UNITS = 234;
constexpr int DIALOG_HEIGHT_UNITS = 151;

}  // namespace

CCommOptionsDlg::CCommOptionsDlg(QWidget* parent) : QDialog(parent) {
    CreateControls();
    connect(m_wndKind, &QComboBox::currentIndexChanged, this, &CCommOptionsDlg::OnSelChangeKind);
}

void CCommOptionsDlg::CreateControls() {
    const DialogUnits units = SetUpTemplateDialog(*this, QStringLiteral("Opciones de comunicación"),
                                                  DIALOG_WIDTH_UNITS, DIALOG_HEIGHT_UNITS);

    // The group boxes first, so that the controls drawn inside them lie above them.
    auto* kindGroup = new QGroupBox(QStringLiteral("Tipo de comunicación"), this);
    kindGroup->setGeometry(units.Rect(QRect(15, 13, 136, 36)));
    auto* hostGroup = new QGroupBox(QStringLiteral("Hostname SOMVIX"), this);
    hostGroup->setGeometry(units.Rect(QRect(15, 62, 136, 37)));

    // OK ends in accept(), which runs OnOK first.
    m_wndOk = AddOkButton(*this, units, QRect(193, 7, 34, 14));
    m_wndCancel = AddCancelButton(*this, units, QRect(193, 24, 34, 14));

    // A drop-down list: the template's height of 89 units includes the open list.
    m_wndKind = new QComboBox(this);
    m_wndKind->setEditable(false);
    m_wndKind->move(units.X(24), units.Y(28));
    m_wndKind->resize(units.X(123), m_wndKind->sizeHint().height());

    m_wndHost = new QLineEdit(this);
    m_wndHost->setGeometry(units.Rect(QRect(24, 76, 122, 13)));

    setTabOrder(m_wndOk, m_wndCancel);
    setTabOrder(m_wndCancel, m_wndKind);
    setTabOrder(m_wndKind, m_wndHost);
}

int CCommOptionsDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CCommOptionsDlg::OnInitDialog() {
    // Filling and selecting are not the user's selection change.
    const QSignalBlocker blocker(m_wndKind);
    m_wndKind->clear();
    // Inserted by index, never sorted: a position in the list is an index of the kinds.
    for (int i = 0; i < m_nKinds; ++i) {
        m_wndKind->insertItem(i, QString::fromStdString(m_pszKinds[i]));
    }
    const int index = ConnectionKindIndex(m_kind);
    m_wndKind->setCurrentIndex(index < m_nKinds ? index : -1);
    if (m_kind == ConnectionKind::Lan) {
        m_wndHost->setEnabled(true);
        m_wndHost->setText(QString::fromStdString(m_strHost));
    } else {
        m_wndHost->setEnabled(false);
    }
}

void CCommOptionsDlg::TakeSelectedKind() {
    if (const std::optional<ConnectionKind> kind = ConnectionKindAt(m_wndKind->currentIndex())) {
        m_kind = *kind;
    }
}

void CCommOptionsDlg::OnSelChangeKind() {
    TakeSelectedKind();
    if (m_kind != ConnectionKind::Lan) {
        m_wndHost->setEnabled(false);
        return;
    }
    // The name the dialog was opened with replaces whatever was typed meanwhile.
    m_wndHost->setEnabled(true);
    m_wndHost->setText(QString::fromStdString(m_strHost));
}

void CCommOptionsDlg::accept() {
    OnOK();
}

void CCommOptionsDlg::OnOK() {
    TakeSelectedKind();
    if (m_kind == ConnectionKind::Lan) {
        m_strHost = m_wndHost->text().toStdString();
    }
    QDialog::accept();
}

}  // namespace somvix
