#pragma once

#include <QWidget>

namespace somvix {

class CMainDlg;

// The part of the main window below the toolbar. It owns no state: it hands its paint events to
// the main window, and the mouse to the recording view, in the main window's client
// coordinates.
class CClientArea : public QWidget {
    Q_OBJECT

public:
    explicit CClientArea(CMainDlg* owner);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // A .htr file dropped on the charts opens as "Abrir..." would open it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPoint ToClient(QPointF widgetPoint) const;

    CMainDlg* m_pOwner;
};

}  // namespace somvix
