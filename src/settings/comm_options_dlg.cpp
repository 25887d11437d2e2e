#include "settings/comm_options_dlg.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "chart/fonts.h"
#include "hostnet/host_address_state.h"

namespace somvix {

namespace {

// The template's size in dialog units.
constexpr int DIALOG_WIDTH_UNITS = 234;
constexpr int DIALOG_HEIGHT_UNITS = 151;

// Turns the template's dialog units into pixels with the base units of the dialog's font: a
// horizontal unit is a quarter of the average character width, a vertical one an eighth of
// the character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        m_nBaseX = metrics.averageCharWidth();
        m_nBaseY = metrics.height();
    }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }
    int X(int units) const { return units * m_nBaseX / 4; }
    int Y(int units) const { return units * m_nBaseY / 8; }

private:
    int m_nBaseX = 0;
    int m_nBaseY = 0;
};

}  // namespace

CCommOptionsDlg::CCommOptionsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Opciones de comunicación"));
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), 8, logicalDpiY()));
    CreateControls();
    connect(m_wndKind, &QComboBox::currentIndexChanged, this, &CCommOptionsDlg::OnSelChangeKind);
    connect(m_wndOk, &QPushButton::clicked, this, &CCommOptionsDlg::OnOK);
    connect(m_wndCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CCommOptionsDlg::CreateControls() {
    const DialogUnits units(font());
    setFixedSize(units.X(DIALOG_WIDTH_UNITS), units.Y(DIALOG_HEIGHT_UNITS));

    // The group boxes first, so that the controls drawn inside them lie above them.
    auto* kindGroup = new QGroupBox(QStringLiteral("Tipo de comunicación"), this);
    kindGroup->setGeometry(units.Rect(15, 13, 136, 36));
    auto* hostGroup = new QGroupBox(QStringLiteral("Hostname SOMVIX"), this);
    hostGroup->setGeometry(units.Rect(15, 62, 136, 37));

    m_wndOk = new QPushButton(QStringLiteral("OK"), this);
    m_wndOk->setGeometry(units.Rect(193, 7, 34, 14));
    m_wndOk->setDefault(true);
    m_wndCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_wndCancel->setGeometry(units.Rect(193, 24, 34, 14));

    // A drop-down list: the template's height of 89 units includes the open list.
    m_wndKind = new QComboBox(this);
    m_wndKind->setEditable(false);
    m_wndKind->move(units.X(24), units.Y(28));
    m_wndKind->resize(units.X(123), m_wndKind->sizeHint().height());

    m_wndHost = new QLineEdit(this);
    m_wndHost->setGeometry(units.Rect(24, 76, 122, 13));

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
    m_wndKind->setCurrentIndex(m_nKind >= 0 && m_nKind < m_nKinds ? m_nKind : -1);
    if (m_nKind == CONNECTION_LAN) {
        m_wndHost->setEnabled(true);
        m_wndHost->setText(QString::fromStdString(m_strHost));
    } else {
        m_wndHost->setEnabled(false);
    }
}

void CCommOptionsDlg::OnSelChangeKind() {
    m_nKind = m_wndKind->currentIndex();
    if (m_nKind != CONNECTION_LAN) {
        m_wndHost->setEnabled(false);
        return;
    }
    // The name the dialog was opened with replaces whatever was typed meanwhile.
    m_wndHost->setEnabled(true);
    m_wndHost->setText(QString::fromStdString(m_strHost));
}

void CCommOptionsDlg::OnOK() {
    m_nKind = m_wndKind->currentIndex();
    if (m_nKind == CONNECTION_LAN) {
        m_strHost = m_wndHost->text().toStdString();
    }
    accept();
}

}  // namespace somvix
