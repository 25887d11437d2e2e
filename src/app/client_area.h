#pragma once

#include <QWidget>

namespace somvix {

class CMainDlg;

// The part of the main window below the toolbar. It owns no state: it hands its paint events to
// the main window in the main window's client coordinates.
class CClientArea : public QWidget {
    Q_OBJECT

public:
    explicit CClientArea(CMainDlg* owner);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CMainDlg* m_pOwner;
};

}  // namespace somvix
