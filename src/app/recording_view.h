#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

#include "chart/event_markers.h"
#include "chart/layout.h"
#include "chart/recording_store.h"
#include "chart/time_window.h"
#include "chart/trend_chart.h"
#include "settings/display_settings.h"

class QMenu;
class QPainter;
class QSettings;
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

    // Where the user's own choices are kept between runs (the last folder, the recent files);
    // none: nothing is remembered (tests).
    void SetUserSettings(QSettings* settings) { m_pUserSettings = settings; }
    // The recordings opened last, newest first.
    QStringList RecentFiles() const;
    // Fills "Archivos recientes" with the recent files, each opening its recording.
    void FillRecentMenu(QMenu& menu);

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

    // The part of the time axis shown: the whole recording after every open and "Ver todo";
    // the wheel, dragging and the view commands narrow, widen and move it.
    TimeWindow Window() const;
    void ShowAll();
    void ZoomIn();
    void ZoomOut();
    void PanLeft();
    void PanRight();
    // Mouse input in client coordinates: the wheel zooms around the pointer, a drag with the
    // left button moves the window, and moving over the charts tells what lies under the
    // pointer (ReadoutChanged).
    void OnWheel(int clientX, int steps);
    void OnPress(int clientX);
    void OnMove(int clientX, int clientY);
    void OnRelease();
    // What lies under a client point: an event marker, else the sample; empty over nothing.
    QString ReadoutAt(int clientX, int clientY) const;

    // Centres the window on an event of the list and marks its marker (EventSelected); the
    // next and previous event follow the list's order.
    void SelectEvent(int event);
    void NextEvent();
    void PreviousEvent();
    std::optional<int> SelectedEvent() const { return m_nSelectedEvent; }

    // The view commands with their keys: "Acercar" (+), "Alejar" (-), "Ver todo" (Home) and
    // moving left and right (the arrow keys), the next and previous event (Page Down, Page Up).
    void AddViewActions(QMenu& menu);

    // The charts as shown (the same window of the time axis) in a picture of the given size,
    // drawn as `somvixmn-cli render` draws them.
    QImage Picture(QSize size) const;
    // "Guardar imagen..." (PNG or PDF) and "Imprimir..." of the charts at the size shown.
    void OnSaveImage(QSize shown);
    void OnPrint(QSize shown);

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
    // The text for the status bar about the point under the mouse.
    void ReadoutChanged(const QString& text);
    // An event was chosen, by the list or by the keys.
    void EventSelected(int event);

private:
    int ChooseRecordingFile(std::string& pathName);
    void ReadRecording();
    // What to do while no recording is open, in the middle of the client area.
    void PaintHint(QPainter& painter, const PanelLayout& layout);
    void PaintSelectedMarker(QPainter& painter) const;
    // The upper chart as the last paint left it, for placing the markers.
    MarkerFrame LastMarkerFrame() const;

    void SetWindow(TimeWindow window);
    double PixelsPerUnit() const;
    int SpanUnits() const;

    void RememberOpened(const std::string& pathName);

    QWidget* m_pOwner;
    QSettings* m_pUserSettings = nullptr;
    const DisplaySettings& m_settings;
    RecordingStore m_recording;  // m_nSamples, m_bChartShown and the rest of the open recording
    CTrendChart m_chartUpper;    // channel 1
    CTrendChart m_chartLower;    // channel 2
    QImage m_bmpEvent;           // the event marker picture "IDB_BITMAP_EVENTO"
    QFont m_fontVertical;        // the mnemonics, turned 90 degrees when drawn
    std::function<QString()> m_chooseRecordingFile;
    std::optional<TimeWindow> m_window;  // none: the whole recording
    std::optional<int> m_nDragStartX;    // client x where the drag began
    TimeWindow m_dragStartWindow;
    std::optional<int> m_nSelectedEvent;  // the event whose marker is marked
};

}  // namespace somvix
