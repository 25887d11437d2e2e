#include "app/client_area.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/main_dlg.h"

namespace somvix {

CClientArea::CClientArea(CMainDlg* owner) : QWidget(owner), m_pOwner(owner) {
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    // The readout follows the pointer without a button held.
    setMouseTracking(true);
    setAcceptDrops(true);
}

namespace {

// The one local file that a drop carries, or an empty text.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) {
        return {};
    }
    return data->urls().constFirst().toLocalFile();
}

}  // namespace

void CClientArea::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData()).endsWith(QStringLiteral(".htr"), Qt::CaseInsensitive)) {
        event->acceptProposedAction();
    }
}

void CClientArea::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        m_pOwner->RecordingView().OpenRecordingFile(path.toStdString());
    }
}

void CClientArea::resizeEvent(QResizeEvent* /*event*/) {
    m_pOwner->OnSize();
}

QPoint CClientArea::ToClient(QPointF widgetPoint) const {
    const Rect& client = m_pOwner->ClientRect();
    const Rect& inside = m_pOwner->InsideRect();
    return widgetPoint.toPoint() + QPoint(inside.left - client.left, inside.top - client.top);
}

void CClientArea::wheelEvent(QWheelEvent* event) {
    // One notch is 120 eighths of a degree.
    const int steps = event->angleDelta().y() / 120;
    m_pOwner->RecordingView().OnWheel(ToClient(event->position()).x(), steps);
    event->accept();
}

void CClientArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pOwner->RecordingView().OnPress(ToClient(event->position()).x());
    }
}

void CClientArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = ToClient(event->position());
    m_pOwner->RecordingView().OnMove(point.x(), point.y());
}

void CClientArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pOwner->RecordingView().OnRelease();
    }
}

void CClientArea::leaveEvent(QEvent* /*event*/) {
    m_pOwner->RecordingView().ReadoutChanged(QString());
}

void CClientArea::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // This widget starts below the toolbar; the main window draws in coordinates whose origin
    // is the top of the toolbar.
    const Rect& client = m_pOwner->ClientRect();
    const Rect& inside = m_pOwner->InsideRect();
    painter.translate(client.left - inside.left, client.top - inside.top);
    m_pOwner->OnPaint(painter);
}

}  // namespace somvix
