#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QMainWindow>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/recording_view.h"
#include "chart/layout.h"
#include "device/device_connection.h"
#include "hostnet/host_address_state.h"
#include "settings/display_settings.h"
#include "shared/operation_ui.h"

class QAction;
class QPainter;
class QToolBar;

namespace somvix {

class CancelRequest;

class CClientArea;
class CStatusDlg;
class HostAdaptation;
struct TransferReport;
struct TransferSettings;

// The main window: it holds the program's state and handles every command of the user. The
// menu bar, the toolbar under it and the client area below (the two charts) are its parts.
class CMainDlg : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    // The folder of the program file; given by the application object before initialisation.
    void SetProgramDir(const std::filesystem::path& programDir);
    // Start-up: toolbar, text metrics, layout, language, fonts, caption, settings.
    void OnInitDialog();

    // Runs the handler of a command id; ids without a handler do nothing.
    void OnCommand(int id);
    bool HasHandler(int id) const;
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
    int Language() const { return m_nLanguage; }
    const QFont& TextFont() const { return m_fontText; }
    const std::filesystem::path& ProgramDir() const { return m_strProgramDir; }
    const std::filesystem::path& SettingsPath() const { return m_strSettingsPath; }

    // Device operations: the status window and the download commands (main_dlg_transfer.cpp).
    void OpenStatusWindow();
    void DestroyStatusWindow();
    CStatusDlg* StatusWindow() const { return m_pStatusDlg; }
    HostAddressState& HostAddress() { return m_hostAddress; }
    // The monitor's port (the command line may change it; the program uses DEVICE_PORT).
    void SetDevicePort(std::uint16_t port) { m_connectionOptions.port = port; }
    // The longest single wait on the monitor, in milliseconds (tests shorten it).
    void SetNetworkWait(int waitMs) { m_connectionOptions.waitMs = waitMs; }
    // Replaces the platform's host address adaptation (tests).
    void SetHostAdaptation(std::unique_ptr<HostAdaptation> adaptation);

    // The recording, its charts and how they are opened and painted.
    CRecordingView& RecordingView() { return m_recordingView; }
    const CRecordingView& RecordingView() const { return m_recordingView; }

    // Display settings and their dialogs (main_dlg_settings.cpp).
    const DisplaySettings& Settings() const { return m_settings; }

    // Communication options (main_dlg_comm.cpp): m_nConnectionKind and m_strHostName of
    // m_hostAddress change only when the dialog ends with OK.
    void OnCommOptions();
    const HostAddressState& HostAddress() const { return m_hostAddress; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    using Handler = void (CMainDlg::*)();

    void CreateMenu();
    void CreateToolBar();
    void RegisterHandlers();
    void OnSize();
    void MeasureClient();
    void UpdateCaption();
    void OnOpenRecording() { m_recordingView.OnOpenRecording(); }

    // Device operations (main_dlg_transfer.cpp).
    enum class FinalMessage { AfterClosing, BeforeClosing };
    void OnDownload();
    void OnDownloadAlt();
    void RunDownloadCommand(FinalMessage order);
    HostAdaptation& Adaptation();
    // The folder chooser of the device commands: false when cancelled, else the path handed to
    // the operation (the chosen folder, a separator and a name).
    bool ChooseDownloadFolder(std::string& path);
    // The records folder and the connection options of a device operation.
    TransferSettings MakeTransferSettings() const;
    // Runs the operation on a worker thread while the status window holds the user; with a
    // cancel request, the status window offers "Cancelar", which makes it.
    int RunDeviceOperation(const std::function<int(OperationUi&)>& operation,
                           CancelRequest* cancel = nullptr);
    // The final message of a download or erase: completed, failed (with the cause as its
    // detail) or cancelled.
    struct FinalTexts {
        const char* completed;
        const char* failed;
        const char* cancelled;
        const char* caption;  // of the completion and the cancel
    };
    void ShowFinalMessage(int result, const TransferReport& report, const FinalTexts& texts);

    // --- Erase (main_dlg_erase.cpp) ---
    void OnErase();
    void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon);

    // --- What the monitor holds (main_dlg_contents.cpp) ---
    void OnMonitorContents();

    // Command table: id -> handler. Ids without an entry have no handler yet.
    std::map<int, Handler> m_handlers;
    std::map<int, QAction*> m_actions;

    QIcon m_hIcon;
    QToolBar* m_wndToolBar = nullptr;
    CClientArea* m_wndClient = nullptr;

    std::filesystem::path m_strProgramDir;
    std::filesystem::path m_strSettingsPath;

    Rect m_rcClient;
    Rect m_rcInside;
    PanelLayout m_layout;
    int m_nCharWidth = 0;
    int m_nLineHeight = 0;
    int m_nLogPixelsY = 0;
    QFont m_fontText;

    int m_nLanguage = -1;  // 1 Spanish, 2 English, -1 neither; chooses the adapter name

    // Device operations.
    CStatusDlg* m_pStatusDlg = nullptr;  // the status window now open, or null
    HostAddressState m_hostAddress;
    std::unique_ptr<HostAdaptation> m_pHostAdaptation;
    ConnectionOptions m_connectionOptions;

    // Display settings and their dialogs (main_dlg_settings.cpp).
    // Start-up: the defaults, then the file, which is created when missing.
    void ReadSettings();
    void WriteSettings();
    void OnThresholds();
    void OnGraphOptions();
    DisplaySettings m_settings;

    // Declared after the settings, which it reads.
    CRecordingView m_recordingView;

    // About box (main_dlg_about.cpp).
    void OnAbout();
};

}  // namespace somvix
