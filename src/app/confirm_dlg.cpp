#include "app/confirm_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "widgets/dialog_template.h"

namespace somvix {

namespace {

// Template 151, in dialog units.
constexpr int TEMPLATE_WIDTH = 190;
constexpr int TEMPLATE_HEIGHT = 94;

}  // namespace

CConfirmDlg::CConfirmDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("confirmDialog151"));
    const DialogUnits units =
        SetUpTemplateDialog(*this, QStringLiteral("ADVERTENCIA!"), TEMPLATE_WIDTH, TEMPLATE_HEIGHT);

    m_wndYes = AddPushButton(*this, units, QStringLiteral("Si"), QRect(17, 73, 33, 14));
    m_wndYes->setDefault(true);
    m_wndNo = AddPushButton(*this, units, QStringLiteral("No"), QRect(137, 73, 34, 14));
    m_wndNo->setAutoDefault(false);
    connect(m_wndYes, &QPushButton::clicked, this, &QDialog::accept);
    // Escape and the close box reject the dialog; only the button answers No.
    connect(m_wndNo, &QPushButton::clicked, this, [this] { done(DIALOG_CANCEL); });

    // Three lines high: a longer statement wraps and is cut after the third line.
    m_wndText = new QLabel(this);
    m_wndText->setObjectName(QStringLiteral("control1006"));
    m_wndText->setGeometry(units.Rect(QRect(13, 17, 163, 27)));
    m_wndText->setWordWrap(true);
    m_wndText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The statement names the monitor and its monitorings: their names are never markup.
    m_wndText->setTextFormat(Qt::PlainText);
    m_wndQuestion = new QLabel(this);
    m_wndQuestion->setObjectName(QStringLiteral("control1007"));
    m_wndQuestion->setGeometry(units.Rect(QRect(17, 55, 155, 8)));
    m_wndQuestion->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_wndQuestion->setTextFormat(Qt::PlainText);
}

CConfirmDlg::~CConfirmDlg() = default;

void CConfirmDlg::SetText(const std::string& text) {
    m_strText = text;
}

void CConfirmDlg::SetQuestion(const std::string& text) {
    m_strQuestion = text;
}

void CConfirmDlg::OnInitDialog() {
    m_wndText->setText(QString::fromStdString(m_strText));
    m_wndQuestion->setText(QString::fromStdString(m_strQuestion));
    // The default button "Si" takes the focus, so Enter answers Yes.
    m_wndYes->setFocus();
}

int CConfirmDlg::DoModal() {
    OnInitDialog();
    const int result = exec();
    return result == DIALOG_OK || result == DIALOG_CANCEL ? result : DIALOG_CLOSED;
}

}  // namespace somvix
