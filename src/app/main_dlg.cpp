#include "app/main_dlg.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include "app/client_area.h"
#include "app/command_table.h"
#include "app/events_panel.h"
#include "app/message_box.h"
#include "app/monitorings_panel.h"
#include "app/status_dlg.h"
#include "chart/render/fonts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "settings/settings_file.h"
#include "widgets/elided_label.h"

namespace {
#include "res/download.xpm"
#include "res/open.xpm"
#include "res/somvixmn_icon.xpm"
}  // namespace

namespace somvix {

namespace {

// Size of the main window's client area in dialog units.
constexpr int DIALOG_WIDTH_UNITS = 320;
constexpr int DIALOG_HEIGHT_UNITS = 200;

QPixmap ToolbarPicture(int commandId) {
    return commandId == ID_DOWNLOAD ? QPixmap(download_xpm) : QPixmap(open_xpm);
}

}  // namespace

CMainDlg::CMainDlg(QWidget* parent)
    : QMainWindow(parent),
      m_hIcon(QPixmap(somvixmn_icon_xpm)),
      m_device(this),
      m_recordingView(this, m_settings) {
    setWindowTitle(QStringLiteral("somvixmn"));
    setWindowIcon(m_hIcon);
    m_wndClient = new CClientArea(this);
    setCentralWidget(m_wndClient);
    // The list of events, docked at the right, shown from "Ver".
    m_wndEvents = new CEventsPanel(m_recordingView, this);
    addDockWidget(Qt::RightDockWidgetArea, m_wndEvents);
    m_wndEvents->hide();
    // The downloaded monitorings, docked at the left, shown from "Ver".
    m_wndMonitorings = new CMonitoringsPanel(m_recordingView, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_wndMonitorings);
    m_wndMonitorings->hide();
    RegisterHandlers();
    CreateMenu();
    connect(&m_recordingView, &CRecordingView::RecordingChanged, this, [this] {
        UpdateCaption();
        m_wndEvents->Refill();
        m_wndClient->update();
    });
    connect(&m_recordingView, &CRecordingView::RepaintNeeded, m_wndClient,
            qOverload<>(&QWidget::update));
    // The readout of the point under the mouse stands at the foot of the window.
    // A text longer than the window is wide ends in "…" rather than in half a letter.
    auto* readout = new CElidedLabel(Qt::ElideRight);
    statusBar()->addWidget(readout, 1);
    connect(&m_recordingView, &CRecordingView::ReadoutChanged, readout, &CElidedLabel::SetFullText);

    // The window has no controls: Enter (OK) and Escape (Cancel) end it at once, as the close
    // box does.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::SetDataDir(const std::filesystem::path& dataDir) {
    m_strDataDir = dataDir;
}

namespace {

const QString WINDOW_KEY = QStringLiteral("ventana");
const QString PANELS_KEY = QStringLiteral("paneles");

}  // namespace

void CMainDlg::SetUserSettings(QSettings* settings) {
    m_pUserSettings = settings;
    m_recordingView.SetUserSettings(settings);
    m_device.SetUserSettings(settings);
    m_wndMonitorings->SetUserSettings(settings);
}

void CMainDlg::RestoreWindowState() {
    if (m_pUserSettings != nullptr) {
        restoreGeometry(m_pUserSettings->value(WINDOW_KEY).toByteArray());
        restoreState(m_pUserSettings->value(PANELS_KEY).toByteArray());
    }
}

void CMainDlg::SaveWindowState() const {
    if (m_pUserSettings != nullptr) {
        m_pUserSettings->setValue(WINDOW_KEY, saveGeometry());
        m_pUserSettings->setValue(PANELS_KEY, saveState());
    }
}

void CMainDlg::OnTransferEnded() {
    const std::string& folder = m_device.LastDownloadFolder();
    if (!folder.empty()) {
        m_wndMonitorings->SetFolder(QString::fromStdString(folder));
    }
}

void CMainDlg::RegisterHandlers() {
    m_handlers = {
        {ID_COMM_OPTIONS, [this] { m_device.OnCommOptions(); }},
        {ID_DOWNLOAD,
         [this] {
             m_device.OnDownload();
             OnTransferEnded();
         }},
        {ID_DOWNLOAD_ALT,
         [this] {
             m_device.OnDownloadAlt();
             OnTransferEnded();
         }},
        {ID_ERASE,
         [this] {
             m_device.OnErase();
             OnTransferEnded();
         }},
        {ID_MONITOR_CONTENTS, [this] { m_device.OnMonitorContents(); }},
        {ID_OPEN_RECORDING, [this] { OnOpenRecording(); }},
        {ID_OPEN_BUTTON, [this] { OnOpenRecording(); }},
        {ID_THRESHOLDS, [this] { OnThresholds(); }},
        {ID_GRAPH_OPTIONS, [this] { OnGraphOptions(); }},
        {ID_ABOUT, [this] { OnAbout(); }},
    };
}

QAction* CMainDlg::ActionFor(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainDlg::OnCommand(int id) {
    const auto found = m_handlers.find(id);
    if (found != m_handlers.end()) {
        found->second();
    }
}

void CMainDlg::CreateMenu() {
    QMenu* popup = nullptr;
    QString popupTitle;
    for (const MenuItem& item : MainMenuItems()) {
        if (popup == nullptr || item.popup != popupTitle) {
            popup = menuBar()->addMenu(item.popup);
            popupTitle = item.popup;
        }
        QAction* action = popup->addAction(item.text);
        connect(action, &QAction::triggered, this, [this, id = item.commandId] { OnCommand(id); });
        m_actions[item.commandId] = action;
    }
    // The usual keys, and in "Archivo" the recent files and the end of the program.
    m_actions[ID_OPEN_RECORDING]->setShortcut(QKeySequence::Open);
    m_actions[ID_ABOUT]->setShortcut(QKeySequence(Qt::Key_F1));
    QMenu* file = menuBar()->actions().constFirst()->menu();
    QAction* save = file->addAction(QStringLiteral("Guardar imagen..."));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this,
            [this] { m_recordingView.OnSaveImage(m_wndClient->size()); });
    QAction* print = file->addAction(QStringLiteral("Imprimir..."));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this,
            [this] { m_recordingView.OnPrint(m_wndClient->size()); });
    QMenu* recent = file->addMenu(QStringLiteral("Archivos recientes"));
    connect(recent, &QMenu::aboutToShow, this,
            [this, recent] { m_recordingView.FillRecentMenu(*recent); });
    m_recordingView.FillRecentMenu(*recent);
    QAction* quit = file->addAction(QStringLiteral("Salir"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    // "Ver", after "Archivo": the time axis of the recording.
    auto* view = new QMenu(QStringLiteral("Ver"), this);
    const QList<QAction*> popups = menuBar()->actions();
    menuBar()->insertMenu(popups.size() > 1 ? popups[1] : nullptr, view);
    m_recordingView.AddViewActions(*view);
    view->addAction(m_wndEvents->toggleViewAction());
    view->addAction(m_wndMonitorings->toggleViewAction());
}

void CMainDlg::CreateToolBar() {
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar144"));
    m_wndToolBar->setMovable(false);
    m_wndToolBar->setFloatable(false);
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const int id : ToolbarCommands()) {
        QAction* action = m_wndToolBar->addAction(QIcon(ToolbarPicture(id)), QString());
        action->setToolTip(QString::fromStdString(LoadResourceString(id)));
        // The open button and the menu item "Abrir..." run the same handler.
        const int handlerId = id == ID_OPEN_BUTTON ? ID_OPEN_RECORDING : id;
        connect(action, &QAction::triggered, this, [this, handlerId] { OnCommand(handlerId); });
        m_actions[id] = action;
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainDlg::MeasureClient() {
    // Client coordinates: the area below the menu bar, toolbar included, with its origin at the
    // top-left. Inside: that area less the toolbar, which is where the client widget sits.
    const int menuBottom = menuWidget() != nullptr ? menuWidget()->geometry().bottom() + 1 : 0;
    const QRect central = m_wndClient->geometry();
    m_rcClient = Rect{0, 0, width(), height() - menuBottom};
    m_rcInside = Rect{central.left(), central.top() - menuBottom, central.right() + 1,
                      central.bottom() + 1 - menuBottom};
    if (isMinimized()) {
        m_rcClient = Rect{};
        m_rcInside = Rect{};
    }
}

void CMainDlg::OnInitDialog() {
    CreateToolBar();

    m_nLogPixelsY = logicalDpiY();
    m_fontText = MakeFont(QStringLiteral("MS Sans Serif"), 8, m_nLogPixelsY);
    const QFontMetrics metrics(m_fontText);
    m_nLineHeight = metrics.height() + metrics.leading();
    m_nCharWidth = metrics.averageCharWidth();

    // The template's 320 x 200 dialog units, in the base units of its 8-point font.
    const int menuHeight = menuBar()->sizeHint().height();
    const int toolbarHeight = m_wndToolBar->sizeHint().height();
    const int clientWidth = DIALOG_WIDTH_UNITS * m_nCharWidth / 4;
    const int clientHeight = DIALOG_HEIGHT_UNITS * metrics.height() / 8;
    resize(clientWidth, menuHeight + toolbarHeight + clientHeight);

    MeasureClient();
    m_layout = ComputeLayout(m_rcClient, m_rcInside, m_nCharWidth, m_nLineHeight);

    m_device.Initialise(m_strDataDir);
    m_recordingView.LoadMarkerStyle(m_nLogPixelsY);
    UpdateCaption();
    m_strSettingsPath = m_strDataDir / SETTINGS_FILE_NAME;
    ReadSettings();
}

void CMainDlg::UpdateCaption() {
    setWindowTitle(m_recordingView.Caption());
}

void CMainDlg::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    OnSize();
}

void CMainDlg::OnSize() {
    if (m_wndToolBar == nullptr) {
        return;  // before initialisation: whatever would be computed is replaced by it
    }
    MeasureClient();
    m_layout = ComputeLayout(m_rcClient, m_rcInside, m_nCharWidth, m_nLineHeight);
    m_wndClient->update();
}

void CMainDlg::OnPaint(QPainter& painter) {
    // A minimised window shows only its icon, which the platform draws; the layout computed
    // for a 0 x 0 client is never used.
    if (isMinimized() || m_layout.m_nClientWidth <= 0 || m_layout.m_nClientHeight <= 0) {
        return;
    }
    m_recordingView.Paint(painter, m_layout);
    // A repaint during a device operation leaves the keyboard with the status window.
    if (CStatusDlg* statusWindow = m_device.StatusWindow()) {
        statusWindow->setFocus();
    }
}

}  // namespace somvix
