#include "app/monitorings_panel.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/recording_view.h"
#include "chart/downloaded_monitorings.h"
#include "shared/code_page_text.h"
#include "widgets/elided_label.h"

namespace somvix {

namespace {

// The user's settings: the folder listed, the last download's or the one chosen here.
const QString FOLDER_KEY = QStringLiteral("carpetas/descarga");

// The columns: start, monitoring, samples, monitor (last: the one a narrow panel hides).
constexpr int START_COLUMN = 0;
constexpr int SAMPLES_COLUMN = 2;
// The .htr file's path, as bytes, in the first column of each row.
constexpr int PATH_ROLE = Qt::UserRole;

QString FromDisk(const std::string& name) {
    return QString::fromStdString(Utf8From1252(name));
}

QString NoteFor(const DownloadTreeListing& listing) {
    const auto count = static_cast<qsizetype>(listing.monitorings.size());
    switch (listing.end) {
        case DownloadTreeEnd::NotAFolder:
            return QStringLiteral("La carpeta no existe o no se puede leer.");
        case DownloadTreeEnd::BoundReached:
            return QStringLiteral(
                       "La carpeta contiene demasiadas entradas: se muestran solo %1 "
                       "monitorizaciones.")
                .arg(count);
        case DownloadTreeEnd::Complete:
            break;
    }
    if (count == 0) {
        return QStringLiteral("No hay monitorizaciones descargadas en esta carpeta.");
    }
    return count == 1 ? QStringLiteral("1 monitorización")
                      : QStringLiteral("%1 monitorizaciones").arg(count);
}

// Enter opens the chosen monitoring here, where the main window would otherwise end the
// program with it.
class EnterOpens : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

CMonitoringsPanel::CMonitoringsPanel(CRecordingView& view, QWidget* parent)
    : QDockWidget(QStringLiteral("Monitorizaciones descargadas"), parent),
      m_view(view),
      m_wndFolder(new CElidedLabel(Qt::ElideMiddle)),
      m_wndList(new QTreeWidget),
      m_wndNote(new QLabel) {
    setObjectName(QStringLiteral("monitoringsPanel"));
    auto* choose = new QPushButton(QStringLiteral("Elegir carpeta..."));
    auto* refresh = new QPushButton(QStringLiteral("Actualizar"));
    connect(choose, &QPushButton::clicked, this, &CMonitoringsPanel::OnChooseFolder);
    connect(refresh, &QPushButton::clicked, this, &CMonitoringsPanel::Refresh);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choose);
    buttons->addWidget(refresh);
    buttons->addStretch();

    m_wndList->setColumnCount(4);
    m_wndList->setHeaderLabels({QStringLiteral("Inicio"), QStringLiteral("Monitorización"),
                                QStringLiteral("Muestras"), QStringLiteral("Monitor")});
    m_wndList->setRootIsDecorated(false);
    m_wndList->setAlternatingRowColors(true);
    m_wndList->setUniformRowHeights(true);
    m_wndList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_wndList->header()->setStretchLastSection(false);
    m_wndList->installEventFilter(new EnterOpens(m_wndList));
    connect(m_wndList, &QTreeWidget::itemActivated, this, &CMonitoringsPanel::OnOpen);

    m_wndNote->setTextFormat(Qt::PlainText);
    m_wndNote->setWordWrap(true);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(m_wndFolder);
    layout->addLayout(buttons);
    layout->addWidget(m_wndList);
    layout->addWidget(m_wndNote);
    setWidget(content);

    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && !m_bListed) {
            ReadFolder();
        }
    });
}

void CMonitoringsPanel::SetUserSettings(QSettings* settings) {
    m_pUserSettings = settings;
    m_strFolder = settings != nullptr ? settings->value(FOLDER_KEY).toString() : QString();
    Refresh();
}

void CMonitoringsPanel::SetFolder(const QString& folder) {
    m_strFolder = folder;
    if (m_pUserSettings != nullptr) {
        m_pUserSettings->setValue(FOLDER_KEY, folder);
    }
    Refresh();
}

QString CMonitoringsPanel::Folder() const {
    return m_strFolder;
}

void CMonitoringsPanel::Refresh() {
    m_bListed = false;
    if (isVisible()) {
        ReadFolder();
    }
}

void CMonitoringsPanel::ReadFolder() {
    m_bListed = true;
    m_wndList->clear();
    m_wndFolder->SetFullText(m_strFolder.isEmpty() ? QString()
                                                   : QStringLiteral("Carpeta: ") +
                                                         QDir::toNativeSeparators(m_strFolder));
    if (m_strFolder.isEmpty()) {
        m_wndNote->setText(
            QStringLiteral("Ninguna carpeta elegida: descargue los datos del monitor o pulse "
                           "«Elegir carpeta...»."));
        return;
    }
    const DownloadTreeListing listing =
        ListDownloadedMonitorings(QFile::encodeName(m_strFolder).toStdString());
    for (const DownloadedMonitoring& monitoring : listing.monitorings) {
        const QString start = FromDisk(monitoring.strStartDate + " " + monitoring.strStartTime);
        auto* item = new QTreeWidgetItem({start.trimmed(), FromDisk(monitoring.strMonitoring),
                                          QString::number(monitoring.nSamples),
                                          FromDisk(monitoring.strMonitor)});
        item->setTextAlignment(SAMPLES_COLUMN, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(START_COLUMN, PATH_ROLE,
                      QByteArray::fromStdString(monitoring.recordingPath.string()));
        m_wndList->addTopLevelItem(item);
    }
    m_wndNote->setText(NoteFor(listing));
}

int CMonitoringsPanel::WidthWanted() const {
    const int frames = width() - m_wndList->viewport()->width();
    return m_wndList->header()->length() + frames;
}

void CMonitoringsPanel::OnChooseFolder() {
    const QString folder =
        m_chooseFolder
            ? m_chooseFolder()
            : QFileDialog::getExistingDirectory(
                  this, QStringLiteral("Carpeta de las monitorizaciones descargadas"), m_strFolder);
    if (!folder.isEmpty()) {
        SetFolder(folder);
    }
}

void CMonitoringsPanel::OnOpen(QTreeWidgetItem* item) {
    if (item != nullptr) {
        m_view.OpenRecordingFile(item->data(START_COLUMN, PATH_ROLE).toByteArray().toStdString());
    }
}

}  // namespace somvix
