#include "app/recording_view.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QSettings>

#include <algorithm>
#include <cmath>

#include "app/chart_output.h"
#include "app/message_box.h"
#include "chart/caption.h"
#include "chart/hover_readout.h"
#include "chart/recording_reader.h"
#include "chart/render/fonts.h"
#include "chart/render/marker_draw.h"
#include "chart/render/paint_charts.h"
#include "chart/trend_file_problem.h"
#include "chart/zone_hiding.h"
#include "shared/code_page_text.h"

namespace somvix {

namespace {

// The user's settings: the folder of the last recording opened and the recent files.
const QString LAST_FOLDER_KEY = QStringLiteral("carpetas/registro");
const QString IMAGE_FOLDER_KEY = QStringLiteral("carpetas/imagen");
const QString RECENT_FILES_KEY = QStringLiteral("archivosRecientes");
constexpr int MAX_RECENT_FILES = 8;

// One wheel notch or one + or - changes the width by this factor.
constexpr double ZOOM_STEP = 0.8;
// The arrow keys move the window by this fraction of its width.
constexpr int PAN_DIVISOR = 4;
// The width of the window that choosing an event opens on it, from the whole recording.
constexpr int EVENT_WINDOW_UNITS = 60;
// Half the side of the area around a marker that counts as on it, in pixels.
constexpr int MARKER_HIT_HALF = 4;

const QString OPEN_HINT = QStringLiteral(
    "Ningún registro abierto.\n\nAbra un registro de tendencias (.htr) con Archivo > Abrir... "
    "o arrastrándolo a esta ventana,\no descargue los registros del monitor con Monitor > "
    "Descargar datos y ábralos desde Ver > Monitorizaciones descargadas.");

}  // namespace

CRecordingView::CRecordingView(QWidget* owner, const DisplaySettings& settings)
    : QObject(owner), m_pOwner(owner), m_settings(settings) {}

void CRecordingView::LoadMarkerStyle(int logPixelsY) {
    m_bmpEvent = LoadEventBitmap();
    m_fontVertical = MakeFont(QStringLiteral("Arial"), 8, logPixelsY);
}

void CRecordingView::SetRecordingFileChooser(std::function<QString()> chooser) {
    m_chooseRecordingFile = std::move(chooser);
}

int CRecordingView::ChooseRecordingFile(std::string& pathName) {
    QString chosen;
    if (m_chooseRecordingFile) {
        chosen = m_chooseRecordingFile();
    } else {
        QFileDialog dialog(m_pOwner);
        if (m_pUserSettings != nullptr) {
            dialog.setDirectory(m_pUserSettings->value(LAST_FOLDER_KEY).toString());
        }
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(QStringLiteral("Archivos HTR (*.htr)"));
        dialog.setDefaultSuffix(QStringLiteral("htr"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = dialog.selectedFiles().constFirst();
        }
    }
    if (chosen.isEmpty()) {
        return -1;
    }
    pathName = chosen.toStdString();
    return 0;
}

void CRecordingView::OnOpenRecording() {
    std::string pathName;
    if (ChooseRecordingFile(pathName) != 0) {
        return;
    }
    OpenRecordingFile(pathName);
}

int CRecordingView::OpenRecordingFile(const std::string& pathName) {
    // Any file but a .htr is refused silently: the recording on screen stays.
    if (SelectRecordingFile(m_recording, pathName) != 0) {
        return -1;
    }
    RememberOpened(m_recording.m_strPathName);
    ReadRecording();
    return 0;
}

void CRecordingView::RememberOpened(const std::string& pathName) {
    if (m_pUserSettings == nullptr) {
        return;
    }
    const QString path = QString::fromStdString(pathName);
    QStringList recent = RecentFiles();
    recent.removeAll(path);
    recent.prepend(path);
    m_pUserSettings->setValue(RECENT_FILES_KEY, recent.mid(0, MAX_RECENT_FILES));
    m_pUserSettings->setValue(LAST_FOLDER_KEY, QFileInfo(path).absolutePath());
}

QStringList CRecordingView::RecentFiles() const {
    return m_pUserSettings != nullptr ? m_pUserSettings->value(RECENT_FILES_KEY).toStringList()
                                      : QStringList();
}

void CRecordingView::FillRecentMenu(QMenu& menu) {
    menu.clear();
    const QStringList recent = RecentFiles();
    for (const QString& path : recent) {
        QAction* action = menu.addAction(path);
        connect(action, &QAction::triggered, this,
                [this, path] { OpenRecordingFile(path.toStdString()); });
    }
    menu.setEnabled(!recent.isEmpty());
}

void CRecordingView::ReadRecording() {
    const int result =
        LoadRecording(m_recording, m_settings,
                      [this](const std::string& text, const std::string& caption,
                             MessageIcon icon) { ShowMessageBox(m_pOwner, text, caption, icon); });
    m_window.reset();
    m_nSelectedEvent.reset();
    emit RecordingChanged();
    // The window shows what was read (empty grids at worst) before it says why nothing more.
    const TrendFileProblem problem =
        DiagnoseTrendFile(m_recording.m_strPathName, result, m_recording.m_nSamples);
    if (problem != TrendFileProblem::None) {
        ShowMessageBox(m_pOwner,
                       Utf8From1252(TrendFileProblemText(problem, m_recording.m_strPathName)),
                       "Error", MessageIcon::Hand);
    }
}

void CRecordingView::ApplyZoneHiding() {
    somvix::ApplyZoneHiding(m_recording, m_settings);
    emit RepaintNeeded();
}

void CRecordingView::Paint(QPainter& painter, const PanelLayout& layout) {
    if (m_recording.m_bChartShown != 1) {
        PaintHint(painter, layout);
        return;
    }
    PaintCharts(painter, m_recording, layout, m_chartUpper, m_chartLower,
                EventMarkerStyle{m_bmpEvent, m_fontVertical}, Window());
    PaintSelectedMarker(painter);
}

void CRecordingView::PaintHint(QPainter& painter, const PanelLayout& layout) {
    // The charts' width: a docked panel beside them narrows it.
    const QRect area(layout.m_nTopPanelX, layout.m_nTopPanelY,
                     static_cast<int>(layout.m_dTopPanelWidth * layout.m_nClientWidth),
                     layout.m_nClientHeight - layout.m_nTopPanelY);
    painter.setPen(QColor(96, 96, 96));
    painter.setFont(m_pOwner->font());
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, OPEN_HINT);
}

int CRecordingView::SpanUnits() const {
    return RecordingSpanUnits(m_recording);
}

TimeWindow CRecordingView::Window() const {
    const int span = SpanUnits();
    return m_window ? ClampWindow(*m_window, span) : WholeWindow(span);
}

void CRecordingView::SetWindow(TimeWindow window) {
    const TimeWindow clamped = ClampWindow(window, SpanUnits());
    // The whole recording is drawn by the rules for it, whatever way the user came back.
    m_window = clamped == WholeWindow(SpanUnits()) ? std::nullopt : std::optional(clamped);
    emit RepaintNeeded();
}

double CRecordingView::PixelsPerUnit() const {
    return m_chartUpper.Geometry().dPixelsPerSample * SAMPLES_PER_UNIT;
}

void CRecordingView::ShowAll() {
    SetWindow(WholeWindow(SpanUnits()));
}

void CRecordingView::ZoomIn() {
    const TimeWindow window = Window();
    SetWindow(ZoomWindow(window, SpanUnits(), ZOOM_STEP, window.nFirstUnit + window.nUnits / 2.0));
}

void CRecordingView::ZoomOut() {
    const TimeWindow window = Window();
    SetWindow(
        ZoomWindow(window, SpanUnits(), 1.0 / ZOOM_STEP, window.nFirstUnit + window.nUnits / 2.0));
}

void CRecordingView::PanLeft() {
    const TimeWindow window = Window();
    SetWindow(PanWindow(window, SpanUnits(), -std::max(1, window.nUnits / PAN_DIVISOR)));
}

void CRecordingView::PanRight() {
    const TimeWindow window = Window();
    SetWindow(PanWindow(window, SpanUnits(), std::max(1, window.nUnits / PAN_DIVISOR)));
}

void CRecordingView::OnWheel(int clientX, int steps) {
    if (m_recording.m_bChartShown != 1 || steps == 0) {
        return;
    }
    const TimeWindow window = Window();
    const double anchor = UnitAtX(window, clientX, m_chartUpper.GetPlotLeft(), PixelsPerUnit());
    // Away from the user (positive steps) zooms in.
    SetWindow(ZoomWindow(window, SpanUnits(), std::pow(ZOOM_STEP, steps), anchor));
}

void CRecordingView::OnPress(int clientX) {
    if (m_recording.m_bChartShown == 1) {
        m_nDragStartX = clientX;
        m_dragStartWindow = Window();
    }
}

void CRecordingView::OnMove(int clientX, int clientY) {
    const double pixelsPerUnit = PixelsPerUnit();
    if (m_nDragStartX && pixelsPerUnit > 0.0) {
        // The recording follows the pointer: dragging to the right shows earlier times.
        const int delta = static_cast<int>(std::lround((*m_nDragStartX - clientX) / pixelsPerUnit));
        SetWindow(PanWindow(m_dragStartWindow, SpanUnits(), delta));
        return;
    }
    emit ReadoutChanged(ReadoutAt(clientX, clientY));
}

void CRecordingView::OnRelease() {
    m_nDragStartX.reset();
}

MarkerFrame CRecordingView::LastMarkerFrame() const {
    const ChartGeometry& upper = m_chartUpper.Geometry();
    const TimeWindow window = Window();
    return MarkerFrame{upper.nPlotLeft,
                       upper.nPlotTop,
                       upper.dXScale,
                       upper.dYScale,
                       m_chartUpper.Properties().m_nRefWidth,
                       m_chartUpper.Properties().m_nRefHeight,
                       window.nUnits,
                       window.nFirstUnit};
}

void CRecordingView::PaintSelectedMarker(QPainter& painter) const {
    if (!m_nSelectedEvent || !m_chartUpper.Geometry().IsDrawable()) {
        return;
    }
    const auto marker =
        PlaceEventMarker(m_recording.m_events[static_cast<size_t>(*m_nSelectedEvent)].nTime,
                         m_recording, LastMarkerFrame(), m_chartUpper);
    if (!marker) {
        return;
    }
    // A ring around the painted square, which lies 1 to 5 pixels below the marker's point.
    painter.save();
    painter.setPen(QPen(QColor(255, 140, 0), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(marker->nX - 5, marker->nY - 2, 11, 11));
    painter.restore();
}

void CRecordingView::SelectEvent(int event) {
    if (event < 0 || event >= std::min(m_recording.m_nEvents, MAX_EVENTS)) {
        return;
    }
    m_nSelectedEvent = event;
    const int span = SpanUnits();
    TimeWindow window = Window();
    // From the whole recording the view closes in on the event.
    if (window.nUnits >= span) {
        window.nUnits = std::min(span, EVENT_WINDOW_UNITS);
    }
    SetWindow(CenterWindow(window, span, m_recording.m_events[static_cast<size_t>(event)].nTime));
    emit EventSelected(event);
}

void CRecordingView::NextEvent() {
    SelectEvent(m_nSelectedEvent ? *m_nSelectedEvent + 1 : 0);
}

void CRecordingView::PreviousEvent() {
    SelectEvent(m_nSelectedEvent ? *m_nSelectedEvent - 1 : m_recording.m_nEvents - 1);
}

QString CRecordingView::ReadoutAt(int clientX, int clientY) const {
    const ChartGeometry& upper = m_chartUpper.Geometry();
    if (m_recording.m_bChartShown != 1 || !upper.IsDrawable()) {
        return {};
    }
    const TimeWindow window = Window();
    const MarkerFrame frame = LastMarkerFrame();
    for (int e = 0; e < m_recording.m_nEvents && e < MAX_EVENTS; ++e) {
        const auto marker = PlaceEventMarker(m_recording.m_events[static_cast<size_t>(e)].nTime,
                                             m_recording, frame, m_chartUpper);
        // The painted square lies 1 to 5 pixels below the marker's point.
        if (marker && IsOnMarker(clientX, clientY, marker->nX, marker->nY + 3, MARKER_HIT_HALF)) {
            return QString::fromStdString(Utf8From1252(EventReadout(m_recording, e)));
        }
    }
    // Either chart: they share the time axis.
    const ChartGeometry& lower = m_chartLower.Geometry();
    const bool overCharts = (clientY >= upper.nPlotTop && clientY <= upper.nPlotBottom) ||
                            (clientY >= lower.nPlotTop && clientY <= lower.nPlotBottom);
    if (!overCharts) {
        return {};
    }
    const auto sample = SampleUnderX(window, SAMPLES_PER_UNIT, m_recording.m_nSamples, clientX,
                                     upper.nPlotLeft, upper.nPlotWidth, upper.dPixelsPerSample);
    return sample ? QString::fromStdString(SampleReadout(m_recording, *sample)) : QString();
}

void CRecordingView::AddViewActions(QMenu& menu) {
    const struct {
        QString text;
        QList<QKeySequence> keys;
        void (CRecordingView::*command)();
    } commands[] = {
        {QStringLiteral("Acercar"), {Qt::Key_Plus, Qt::Key_Equal}, &CRecordingView::ZoomIn},
        {QStringLiteral("Alejar"), {Qt::Key_Minus}, &CRecordingView::ZoomOut},
        {QStringLiteral("Ver todo"), {Qt::Key_Home}, &CRecordingView::ShowAll},
        {QStringLiteral("Desplazar a la izquierda"), {Qt::Key_Left}, &CRecordingView::PanLeft},
        {QStringLiteral("Desplazar a la derecha"), {Qt::Key_Right}, &CRecordingView::PanRight},
        {QStringLiteral("Evento siguiente"), {Qt::Key_PageDown}, &CRecordingView::NextEvent},
        {QStringLiteral("Evento anterior"), {Qt::Key_PageUp}, &CRecordingView::PreviousEvent},
    };
    for (const auto& command : commands) {
        QAction* action = menu.addAction(command.text);
        action->setShortcuts(command.keys);
        connect(action, &QAction::triggered, this, command.command);
    }
}

QImage CRecordingView::Picture(QSize size) const {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    CTrendChart upper;
    CTrendChart lower;
    PaintCharts(painter, m_recording, ComputeLayoutWithoutToolbar(size, picture.logicalDpiY()),
                upper, lower, MakeEventMarkerStyle(picture.logicalDpiY()), Window());
    return picture;
}

void CRecordingView::OnSaveImage(QSize shown) {
    if (m_recording.m_bChartShown != 1) {
        return;
    }
    QString folder;
    if (m_pUserSettings != nullptr) {
        folder = m_pUserSettings->value(IMAGE_FOLDER_KEY).toString();
    }
    const QString path =
        QFileDialog::getSaveFileName(m_pOwner, QStringLiteral("Guardar imagen"), folder,
                                     QStringLiteral("Imagen PNG (*.png);;Documento PDF (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    if (m_pUserSettings != nullptr) {
        m_pUserSettings->setValue(IMAGE_FOLDER_KEY, QFileInfo(path).absolutePath());
    }
    if (!SaveChartsPicture(Picture(shown), path)) {
        ShowMessageBox(m_pOwner, "No se puede escribir " + path.toStdString(), "Error",
                       MessageIcon::Hand);
    }
}

void CRecordingView::OnPrint(QSize shown) {
    if (m_recording.m_bChartShown == 1) {
        PrintChartsPicture(m_pOwner, Picture(shown));
    }
}

QString CRecordingView::Caption() const {
    // The folder is named after the monitoring, and the start comes from the .fhi file: both are
    // code page 1252.
    return QString::fromStdString(Utf8From1252(
        MakeCaption(m_recording.m_strFileTitle, m_recording.m_strPathName, m_recording.m_strFileExt,
                    m_recording.m_strStartDate, m_recording.m_strStartTime)));
}

}  // namespace somvix
