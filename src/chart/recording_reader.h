#pragma once

#include <functional>
#include <streambuf>
#include <string>

#include "chart/recording_store.h"
#include "settings/display_settings.h"
#include "shared/operation_ui.h"

namespace somvix {

// Shows a message box with one OK button and returns when the user has closed it.
using ShowMessageFn =
    std::function<void(const std::string& text, const std::string& caption, MessageIcon icon)>;

// Takes a chosen file as the recording to open: its path, made absolute, its title and its
// extension. A file whose extension is not "htr" (in any case) is refused with -1 and leaves
// the store as it was.
int SelectRecordingFile(RecordingStore& store, const std::string& pathName);

// Reads the whole family of the selected recording into the store: events, impedances, trend
// (then the zone hiding with the given settings) and start; marks the charts as shown. Returns
// the result of ReadTrendFile; nothing else is reported except the event file's message.
int LoadRecording(RecordingStore& store, const DisplaySettings& settings,
                  const ShowMessageFn& showMessage);

// The .imp file: impedance pairs by sample index, 0.0 where the file ends. -1 when the file
// cannot be opened (all impedances 0.0).
int ReadImpedanceFile(RecordingStore& store);

// The .htr file: complete pairs of channel values, at most MAX_SAMPLES, every other index
// NO_DATA; then the zone hiding. -1 when the file cannot be opened: the channels are all
// NO_DATA and the sample count keeps its previous value.
int ReadTrendFile(RecordingStore& store, const DisplaySettings& settings);

// The .fhi file: start date (with "/" for "-") and start time; empty when missing.
int ReadStartFile(RecordingStore& store);

// The event file of the recording's folder; a first word other than "EventResults" or
// "EventResults_v1" is reported as "Archivo de eventos incorrecto" and gives no events.
void ReadEventFile(RecordingStore& store, const ShowMessageFn& showMessage);

// The files' contents, whatever they come from. Every file above is opened only when it is a
// regular file, and read up to MAX_INPUT_FILE_BYTES (files/input_file_buffer.h); a file that
// is no regular file counts as one that cannot be opened.

// Impedance pairs from index 0; indices the source does not reach keep their values.
void ParseImpedances(std::streambuf& source, RecordingStore& store);
// Complete pairs into the trend arrays, which hold NO_DATA beforehand, and m_nSamples.
void ParseTrend(std::streambuf& source, RecordingStore& store);
// Start date and time, each empty when missing or longer than 99 characters.
void ParseStart(std::streambuf& source, RecordingStore& store);
// The event list and its kind; false, with no events, when the first word names no kind.
bool ParseEvents(std::streambuf& source, RecordingStore& store);

}  // namespace somvix
