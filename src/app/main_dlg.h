#pragma once

#include <QFont>
#include <QIcon>
#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "app/device_commands.h"
#include "app/recording_view.h"
#include "chart/layout.h"
#include "settings/display_settings.h"
#include "shared/operation_ui.h"

class QAction;
class QPainter;
class QSettings;
class QToolBar;

namespace somvix {

class CClientArea;
class CEventsPanel;
class CMonitoringsPanel;

// The main window: the menu bar, the toolbar under it and the client area below (the two
// charts). It hands each command of the user to the part that does it.
class CMainDlg : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    // The folder of the settings and the transfer records; given by the application object
    // before initialisation.
    void SetDataDir(const std::filesystem::path& dataDir);
    // Start-up: toolbar, text metrics, layout, language, fonts, caption, settings.
    void OnInitDialog();

    // Where the user's own choices are kept between runs (window place, folders, recent
    // files); none: nothing is kept (tests).
    void SetUserSettings(QSettings* settings);
    // The window's size and place and its panels, as the last run left them.
    void RestoreWindowState();
    void SaveWindowState() const;

    // Runs the handler of a command id; unknown ids do nothing.
    void OnCommand(int id);
    QAction* ActionFor(int id) const;

    // The paint handler of the client area, in client coordinates (origin at the top-left of
    // the area below the menu bar, toolbar included).
    void OnPaint(QPainter& painter);

    // Layout results and the values they come from, for the chart drawing and the tests.
    const PanelLayout& Layout() const { return m_layout; }
    const Rect& ClientRect() const { return m_rcClient; }
    const Rect& InsideRect() const { return m_rcInside; }
    int CharWidth() const { return m_nCharWidth; }
    int LineHeight() const { return m_nLineHeight; }
    int LogPixelsY() const { return m_nLogPixelsY; }
    const QFont& TextFont() const { return m_fontText; }
    const std::filesystem::path& DataDir() const { return m_strDataDir; }
    const std::filesystem::path& SettingsPath() const { return m_strSettingsPath; }

    // The download, the erase and the communication options.
    CDeviceCommands& Device() { return m_device; }
    const CDeviceCommands& Device() const { return m_device; }

    // The recording, its charts and how they are opened and painted.
    CRecordingView& RecordingView() { return m_recordingView; }
    const CRecordingView& RecordingView() const { return m_recordingView; }
    CMonitoringsPanel& MonitoringsPanel() { return *m_wndMonitorings; }

    // Display settings and their dialogs (main_dlg_settings.cpp).
    const DisplaySettings& Settings() const { return m_settings; }

    // Measures the client area and lays the charts out again: the window or the area below
    // the toolbar changed its size (a panel docked or undocked).
    void OnSize();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateMenu();
    void CreateToolBar();
    void RegisterHandlers();
    void MeasureClient();
    void UpdateCaption();
    void OnOpenRecording() { m_recordingView.OnOpenRecording(); }

    // Command table: id -> handler.
    std::map<int, std::function<void()>> m_handlers;
    std::map<int, QAction*> m_actions;

    QIcon m_hIcon;
    QToolBar* m_wndToolBar = nullptr;
    CClientArea* m_wndClient = nullptr;

    std::filesystem::path m_strDataDir;
    std::filesystem::path m_strSettingsPath;

    Rect m_rcClient;
    Rect m_rcInside;
    PanelLayout m_layout;
    int m_nCharWidth = 0;
    int m_nLineHeight = 0;
    int m_nLogPixelsY = 0;
    QFont m_fontText;

    CDeviceCommands m_device;

    // Display settings and their dialogs (main_dlg_settings.cpp).
    // Start-up: the defaults, then the file, which is created when missing.
    void ReadSettings();
    void WriteSettings();
    void OnThresholds();
    void OnGraphOptions();
    DisplaySettings m_settings;

    // Declared after the settings, which it reads.
    CRecordingView m_recordingView;
    CEventsPanel* m_wndEvents = nullptr;
    CMonitoringsPanel* m_wndMonitorings = nullptr;
    QSettings* m_pUserSettings = nullptr;
    // A download or an erase ended: the monitorings panel lists the folder it used.
    void OnTransferEnded();

    // About box (main_dlg_about.cpp).
    void OnAbout();
};

}  // namespace somvix
