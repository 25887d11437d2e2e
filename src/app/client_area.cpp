#include "app/client_area.h"

#include <QPainter>

#include "app/main_dlg.h"

namespace somvix {

CClientArea::CClientArea(CMainDlg* owner) : QWidget(owner), m_pOwner(owner) {
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
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
