#pragma once

#include <QDockWidget>

class QTreeWidget;

namespace somvix {

class CRecordingView;

// The dockable list of the open recording's events (time, mnemonic, code), refilled at every
// open. Choosing one centres the view on it and marks its marker.
class CEventsPanel : public QDockWidget {
    Q_OBJECT

public:
    CEventsPanel(CRecordingView& view, QWidget* parent);

    // Refills the list from the recording.
    void Refill();
    // Follows the view's chosen event (the next and previous event keys).
    void ShowSelected(int event);

private:
    CRecordingView& m_view;
    QTreeWidget* m_wndList;
};

}  // namespace somvix
