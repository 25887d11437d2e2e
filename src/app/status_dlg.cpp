#include "app/status_dlg.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "shared/operation_ui.h"
#include "widgets/dialog_template.h"

namespace somvix {

namespace {

// Template 150, in dialog units.
constexpr int TEMPLATE_WIDTH = 186;
constexpr int TEMPLATE_HEIGHT = 94;

}  // namespace

CStatusDlg::CStatusDlg(QWidget* owner, std::function<void()> onFinalCleanUp)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      m_onFinalCleanUp(std::move(onFinalCleanUp)) {
    setObjectName(QStringLiteral("statusWindow150"));
}

CStatusDlg::~CStatusDlg() = default;

void CStatusDlg::Create() {
    const DialogUnits units =
        SetUpTemplateDialog(*this, QString(), TEMPLATE_WIDTH, TEMPLATE_HEIGHT);
    // Shown modeless, but it holds the user while the operation runs: no other window of the
    // program takes input.
    setWindowModality(Qt::ApplicationModal);

    // The modal frame of a caption-less popup.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    frame->setGeometry(rect());

    m_wndText = new QLabel(this);
    m_wndText->setObjectName(QStringLiteral("control1004"));
    m_wndText->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The line names monitorings: their names are never markup.
    m_wndText->setTextFormat(Qt::PlainText);
    m_wndText->setGeometry(units.Rect(QRect(21, 42, 144, 10)));

    m_wndProgress = new QProgressBar(this);
    m_wndProgress->setObjectName(QStringLiteral("control1005"));
    m_wndProgress->setGeometry(units.Rect(QRect(18, 61, 149, 10)));
    m_wndProgress->setTextVisible(false);
    m_wndProgress->hide();
    m_wndProgress->setRange(0, PROGRESS_RANGE);
    m_wndProgress->setValue(0);

    m_wndCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    m_wndCancel->setObjectName(QStringLiteral("cancelButton"));
    m_wndCancel->setGeometry(units.Rect(QRect(68, 76, 50, 14)));
    m_wndCancel->hide();
    connect(m_wndCancel, &QPushButton::clicked, this, [this] {
        m_wndCancel->setEnabled(false);
        if (m_cancelAction) {
            m_cancelAction();
        }
    });
}

void CStatusDlg::SetCancelAction(std::function<void()> action) {
    m_cancelAction = std::move(action);
    m_wndCancel->setEnabled(true);
    m_wndCancel->setVisible(static_cast<bool>(m_cancelAction));
}

void CStatusDlg::CenterWindow() {
    QRect area;
    if (parentWidget() != nullptr && parentWidget()->isVisible()) {
        area = parentWidget()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        move(area.center() - rect().center());
    }
}

void CStatusDlg::SetStatusText(const std::string& text) {
    m_wndText->setText(QString::fromStdString(text));
}

void CStatusDlg::ShowProgress() {
    m_bProgressVisible = 1;
    m_wndProgress->show();
}

void CStatusDlg::HideProgress() {
    m_bProgressVisible = 0;
    m_wndProgress->hide();
}

void CStatusDlg::AdvanceProgress(int delta) {
    // A progress control holds its position within its range; QProgressBar would instead
    // ignore a value outside it.
    const int position = std::clamp(m_wndProgress->value() + delta, m_wndProgress->minimum(),
                                    m_wndProgress->maximum());
    m_wndProgress->setValue(position);
}

void CStatusDlg::DestroyWindow() {
    m_bDestroying = true;
    hide();
    if (m_onFinalCleanUp) {
        m_onFinalCleanUp();
    }
    deleteLater();
}

void CStatusDlg::paintEvent(QPaintEvent* /*event*/) {
    // The window draws nothing itself; a repaint brings back a bar that is meant to be shown.
    if (m_bProgressVisible == 1 && m_wndProgress->isHidden()) {
        m_wndProgress->show();
    }
}

void CStatusDlg::closeEvent(QCloseEvent* event) {
    // Only the command that opened the window ends it.
    if (!m_bDestroying) {
        event->ignore();
    }
}

void CStatusDlg::reject() {
    // Escape does not close the window while its operation runs.
}

}  // namespace somvix
