#include "app/main_dlg.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QToolBar>

#include "app/client_area.h"
#include "app/command_table.h"
#include "app/message_box.h"
#include "app/status_dlg.h"
#include "chart/render/fonts.h"
#include "hostnet/host_adaptation.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "settings/settings_file.h"
#include "shared/language.h"

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
    : QMainWindow(parent), m_hIcon(QPixmap(somvixmn_icon_xpm)), m_recordingView(this, m_settings) {
    setWindowTitle(QStringLiteral("somvixmn"));
    setWindowIcon(m_hIcon);
    m_wndClient = new CClientArea(this);
    setCentralWidget(m_wndClient);
    RegisterHandlers();
    CreateMenu();
    connect(&m_recordingView, &CRecordingView::RecordingChanged, this, [this] {
        UpdateCaption();
        m_wndClient->update();
    });
    connect(&m_recordingView, &CRecordingView::RepaintNeeded, m_wndClient,
            qOverload<>(&QWidget::update));

    // The window has no controls: Enter (OK) and Escape (Cancel) end it at once, as the close
    // box does.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::SetProgramDir(const std::filesystem::path& programDir) {
    m_strProgramDir = programDir;
}

void CMainDlg::RegisterHandlers() {
    // Each command's handler joins this table when its subsystem is built.
    m_handlers.clear();
    m_handlers[ID_COMM_OPTIONS] = &CMainDlg::OnCommOptions;
    m_handlers[ID_DOWNLOAD] = &CMainDlg::OnDownload;
    m_handlers[ID_DOWNLOAD_ALT] = &CMainDlg::OnDownloadAlt;
    m_handlers[ID_ERASE] = &CMainDlg::OnErase;
    m_handlers[ID_MONITOR_CONTENTS] = &CMainDlg::OnMonitorContents;
    m_handlers[ID_OPEN_RECORDING] = &CMainDlg::OnOpenRecording;
    m_handlers[ID_OPEN_BUTTON] = &CMainDlg::OnOpenRecording;
    m_handlers[ID_THRESHOLDS] = &CMainDlg::OnThresholds;
    m_handlers[ID_GRAPH_OPTIONS] = &CMainDlg::OnGraphOptions;
    m_handlers[ID_ABOUT] = &CMainDlg::OnAbout;
}

bool CMainDlg::HasHandler(int id) const {
    return m_handlers.count(id) != 0;
}

QAction* CMainDlg::ActionFor(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainDlg::OnCommand(int id) {
    const auto found = m_handlers.find(id);
    if (found != m_handlers.end()) {
        (this->*(found->second))();
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
        action->setEnabled(HasHandler(item.commandId));
        connect(action, &QAction::triggered, this, [this, id = item.commandId] { OnCommand(id); });
        m_actions[item.commandId] = action;
    }
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
        action->setEnabled(HasHandler(handlerId));
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

    m_nLanguage = DetectLanguage();
    m_recordingView.LoadMarkerStyle(m_nLogPixelsY);
    UpdateCaption();
    m_strSettingsPath = m_strProgramDir / SETTINGS_FILE_NAME;
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
    if (m_pStatusDlg != nullptr) {
        m_pStatusDlg->setFocus();
    }
}

void CMainDlg::ShowMessageBox(const std::string& text, const std::string& caption,
                              MessageIcon icon) {
    somvix::ShowMessageBox(this, text, caption, icon);
}

}  // namespace somvix
