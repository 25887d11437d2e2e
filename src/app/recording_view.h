#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

#include "chart/layout.h"
#include "chart/recording_store.h"
#include "chart/trend_chart.h"
#include "settings/display_settings.h"

class QPainter;
class QWidget;

namespace somvix {

// The recording part of the main window: the open recording, its two charts and the event
// markers, how a recording is chosen and read, and how it is painted. The main window owns it,
// hands it the layout at each paint and shows its caption.
class CRecordingView : public QObject {
    Q_OBJECT

public:
    // owner parents the file dialog and the message boxes; settings are the main window's and
    // outlive this part.
    CRecordingView(QWidget* owner, const DisplaySettings& settings);

    // The marker picture and the mnemonics' font at the window's resolution.
    void LoadMarkerStyle(int logPixelsY);

    // "Abrir...": the file dialog, then the recording.
    void OnOpenRecording();
    // Opens a recording without the file dialog, as for a file named on the command line; -1
    // for a file that is not a .htr recording (nothing changes then).
    int OpenRecordingFile(const std::string& pathName);
    // Replaces the open-file dialog (tests): the chooser returns the chosen path, or an empty
    // text for a cancel.
    void SetRecordingFileChooser(std::function<QString()> chooser);

    // Restores the displayed trend from the values as read and hides again as the settings
    // say, then repaints.
    void ApplyZoneHiding();

    // Both charts and the markers in the main window's client coordinates.
    void Paint(QPainter& painter, const PanelLayout& layout);

    // The window title for the open recording.
    QString Caption() const;

    const RecordingStore& Recording() const { return m_recording; }
    const CTrendChart& UpperChart() const { return m_chartUpper; }
    const CTrendChart& LowerChart() const { return m_chartLower; }
    const QFont& VerticalFont() const { return m_fontVertical; }

signals:
    // A recording was read: the caption and the picture change.
    void RecordingChanged();
    // Only the picture changes.
    void RepaintNeeded();

private:
    int ChooseRecordingFile(std::string& pathName);
    void ReadRecording();
    // What to do while no recording is open, in the middle of the client area.
    void PaintHint(QPainter& painter, const PanelLayout& layout);

    QWidget* m_pOwner;
    const DisplaySettings& m_settings;
    RecordingStore m_recording;  // m_nSamples, m_bChartShown and the rest of the open recording
    CTrendChart m_chartUpper;    // channel 1
    CTrendChart m_chartLower;    // channel 2
    QImage m_bmpEvent;           // the event marker picture "IDB_BITMAP_EVENTO"
    QFont m_fontVertical;        // the mnemonics, turned 90 degrees when drawn
    std::function<QString()> m_chooseRecordingFile;
};

}  // namespace somvix
