#include "settings/dialogs/up_down_control.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace somvix {

CUpDownControl::CUpDownControl(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent),
      m_wndBuddy(buddy),
      m_wndUp(new QToolButton(this)),
      m_wndDown(new QToolButton(this)) {
    for (QToolButton* arrow : {m_wndUp, m_wndDown}) {
        arrow->setFocusPolicy(Qt::NoFocus);  // the edit box keeps the focus, as with the keys
        arrow->setAutoRepeat(true);
    }
    m_wndUp->setArrowType(Qt::UpArrow);
    m_wndDown->setArrowType(Qt::DownArrow);
    connect(m_wndUp, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_wndDown, &QToolButton::clicked, this, [this] { Step(-1); });
    m_wndBuddy->installEventFilter(this);
}

void CUpDownControl::SetRange(int lower, int upper) {
    m_nLower = std::min(lower, upper);
    m_nUpper = std::max(lower, upper);
    m_nPos = Clamp(m_nPos);
}

void CUpDownControl::SetPos(int value) {
    m_nPos = Clamp(value);
    m_wndBuddy->setText(QString::number(value));
}

void CUpDownControl::Step(int delta) {
    bool isNumber = false;
    const qlonglong typed = m_wndBuddy->text().trimmed().toLongLong(&isNumber);
    const long long from = isNumber ? typed : m_nPos;
    m_nPos = Clamp(from + delta);
    m_wndBuddy->setText(QString::number(m_nPos));
}

int CUpDownControl::Clamp(long long value) const {
    return static_cast<int>(std::clamp<long long>(value, m_nLower, m_nUpper));
}

bool CUpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_wndBuddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDownControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upperHeight = height() / 2;
    m_wndUp->setGeometry(0, 0, width(), upperHeight);
    m_wndDown->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

}  // namespace somvix
