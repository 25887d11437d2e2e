#pragma once

#include <QDockWidget>

#include <functional>

class QLabel;
class QSettings;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

namespace somvix {

struct DownloadTreeListing;
class CElidedLabel;
class CRecordingView;

// The dockable list of the monitorings downloaded into a folder (monitor, monitoring, start,
// samples), newest first. Opening one (double-click or Enter) opens its recording in the view.
// The folder is the one the last download used, or one the user chose; it is kept with the
// user's settings.
class CMonitoringsPanel : public QDockWidget {
    Q_OBJECT

public:
    CMonitoringsPanel(CRecordingView& view, QWidget* parent);
    // Waits for a read underway, which the walk's bounds keep short.
    ~CMonitoringsPanel() override;

    // Where the folder is kept between runs; none: it is not kept (tests).
    void SetUserSettings(QSettings* settings);
    // Lists another folder from now on, and keeps it.
    void SetFolder(const QString& folder);
    QString Folder() const;
    // Lists the folder again when the panel is shown; while hidden, it is listed when shown.
    // The folder is read on a thread of the panel's own; a newer request drops the result of an
    // older one still being read.
    void Refresh();

    // Replaces the folder dialog of "Elegir carpeta..." (tests): the chosen folder, or an
    // empty text for a cancel.
    void SetFolderChooser(std::function<QString()> chooser) { m_chooseFolder = std::move(chooser); }

    QTreeWidget* List() const { return m_wndList; }
    QLabel* Note() const { return m_wndNote; }

signals:
    // The list shows the folder as it was read for the newest request.
    void FolderListed();

private:
    void OnChooseFolder();
    void OnOpen(QTreeWidgetItem* item);
    void ReadFolder();
    void StartReader();
    void OnReaderDone();
    bool ReadPending() const;  // the newest request's result is still to come
    void ShowListing(unsigned nRequest, const DownloadTreeListing& listing);
    void FitWidth();

    CRecordingView& m_view;
    QSettings* m_pUserSettings = nullptr;
    QString m_strFolder;
    bool m_bListed = false;         // the list shows m_strFolder as it was when last read
    bool m_bFitWhenListed = false;  // the read was asked for by showing the panel
    unsigned m_nRequest = 0;        // the newest read asked for; an older one's result is dropped
    QThread* m_pReader = nullptr;   // the read underway; one at a time
    unsigned m_nReading = 0;        // the request the read underway is for
    bool m_bReadAgain = false;      // a newer read waits for the one underway to end
    std::function<QString()> m_chooseFolder;
    CElidedLabel* m_wndFolder;
    QTreeWidget* m_wndList;
    QLabel* m_wndNote;
};

}  // namespace somvix
