#include "app/recording_view.h"

#include <QFileDialog>
#include <QPainter>

#include "app/message_box.h"
#include "chart/caption.h"
#include "chart/recording_reader.h"
#include "chart/render/fonts.h"
#include "chart/render/marker_draw.h"
#include "chart/render/paint_charts.h"
#include "chart/trend_file_problem.h"
#include "chart/zone_hiding.h"
#include "shared/code_page_text.h"

namespace somvix {

namespace {

const QString OPEN_HINT = QStringLiteral(
    "Ningún registro abierto.\n\nAbra un registro de tendencias (.htr) con Archivo > Abrir... "
    "o arrastrándolo a esta ventana,\no descargue los registros del monitor con Monitor > "
    "Descargar datos.");

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
    ReadRecording();
    return 0;
}

void CRecordingView::ReadRecording() {
    const int result =
        LoadRecording(m_recording, m_settings,
                      [this](const std::string& text, const std::string& caption,
                             MessageIcon icon) { ShowMessageBox(m_pOwner, text, caption, icon); });
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
                EventMarkerStyle{m_bmpEvent, m_fontVertical});
}

void CRecordingView::PaintHint(QPainter& painter, const PanelLayout& layout) {
    const QRect area(layout.m_nTopPanelX, layout.m_nTopPanelY,
                     layout.m_nClientWidth - 2 * layout.m_nTopPanelX,
                     layout.m_nClientHeight - layout.m_nTopPanelY);
    painter.setPen(QColor(96, 96, 96));
    painter.setFont(m_pOwner->font());
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, OPEN_HINT);
}

QString CRecordingView::Caption() const {
    // The folder is named after the monitoring, and the start comes from the .fhi file: both are
    // code page 1252.
    return QString::fromStdString(Utf8From1252(
        MakeCaption(m_recording.m_strFileTitle, m_recording.m_strPathName, m_recording.m_strFileExt,
                    m_recording.m_strStartDate, m_recording.m_strStartTime)));
}

}  // namespace somvix
