#pragma once

#include <QDockWidget>

#include <functional>

class QLabel;
class QSettings;
class QTreeWidget;
class QTreeWidgetItem;

namespace somvix {

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

    // Where the folder is kept between runs; none: it is not kept (tests).
    void SetUserSettings(QSettings* settings);
    // Lists another folder from now on, and keeps it.
    void SetFolder(const QString& folder);
    QString Folder() const;
    // Lists the folder again when the panel is shown; while hidden, it is listed when shown.
    void Refresh();

    // Replaces the folder dialog of "Elegir carpeta..." (tests): the chosen folder, or an
    // empty text for a cancel.
    void SetFolderChooser(std::function<QString()> chooser) { m_chooseFolder = std::move(chooser); }

    // The width that shows every column of the list.
    int WidthWanted() const;

    QTreeWidget* List() const { return m_wndList; }
    QLabel* Note() const { return m_wndNote; }

private:
    void OnChooseFolder();
    void OnOpen(QTreeWidgetItem* item);
    void ReadFolder();

    CRecordingView& m_view;
    QSettings* m_pUserSettings = nullptr;
    QString m_strFolder;
    bool m_bListed = false;  // the list shows m_strFolder as it was when last read
    std::function<QString()> m_chooseFolder;
    CElidedLabel* m_wndFolder;
    QTreeWidget* m_wndList;
    QLabel* m_wndNote;
};

}  // namespace somvix
