#include "chart/recording_reader.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "chart/recording_paths.h"
#include "chart/zone_hiding.h"
#include "files/input_file_buffer.h"
#include "shared/token_scanner.h"

namespace somvix {

namespace {

// Longest token of the .fhi file; a longer one gives the empty text.
constexpr size_t START_TOKEN_LENGTH = 99;

// A path named from the current folder is made whole first: the event file and the caption
// are named after the recording's folder, which a bare "p00001m.htr" does not show.
std::string AbsolutePathName(const std::string& pathName) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(pathName, error);
    return error ? pathName : absolute.lexically_normal().string();
}

// Parses the recording's file of the extension into the store: -1 when it cannot be opened.
int ReadCompanionFile(RecordingStore& store, const char* extension,
                      void (*parse)(std::streambuf&, RecordingStore&)) {
    InputFileBuffer file;
    if (file.Open(CompanionPath(store.m_strPathName, store.m_strFileExt, extension)) !=
        FileOpenResult::Opened) {
        return -1;
    }
    parse(file, store);
    return 0;
}

}  // namespace

int SelectRecordingFile(RecordingStore& store, const std::string& pathName) {
    const RecordingFileName name = SplitRecordingPath(pathName);
    if (!IsRecordingExtension(name.strExt)) {
        return -1;
    }
    store.m_strPathName = AbsolutePathName(pathName);
    store.m_strFileTitle = name.strTitle;
    store.m_strFileExt = name.strExt;
    return 0;
}

int LoadRecording(RecordingStore& store, const DisplaySettings& settings,
                  const ShowMessageFn& showMessage) {
    store.m_nEvents = 0;
    ReadEventFile(store, showMessage);
    ReadImpedanceFile(store);
    const int result = ReadTrendFile(store, settings);
    ReadStartFile(store);
    store.m_nSamplesPerUnit = SAMPLES_PER_UNIT;
    store.m_bChartShown = 1;
    return result;
}

int ReadImpedanceFile(RecordingStore& store) {
    store.m_impedance1.fill(0.0);
    store.m_impedance2.fill(0.0);
    return ReadCompanionFile(store, "imp", ParseImpedances);
}

void ParseImpedances(std::streambuf& source, RecordingStore& store) {
    TokenScanner scanner(source);
    for (size_t i = 0; i < MAX_SAMPLES; ++i) {
        if (scanner.ReadDouble(store.m_impedance1[i]) != ScanResult::Converted ||
            scanner.ReadDouble(store.m_impedance2[i]) != ScanResult::Converted) {
            break;
        }
    }
}

int ReadTrendFile(RecordingStore& store, const DisplaySettings& settings) {
    store.m_trend1.fill(NO_DATA);
    store.m_trend2.fill(NO_DATA);
    int result = -1;
    InputFileBuffer file;
    if (file.Open(store.m_strPathName) == FileOpenResult::Opened) {
        result = 0;
        ParseTrend(file, store);
    }
    store.m_trend1Read = store.m_trend1;
    store.m_trend2Read = store.m_trend2;
    ApplyZoneHiding(store, settings);
    return result;
}

void ParseTrend(std::streambuf& source, RecordingStore& store) {
    store.m_nSamples = 0;
    TokenScanner scanner(source);
    while (store.m_nSamples < MAX_SAMPLES) {
        const auto i = static_cast<size_t>(store.m_nSamples);
        if (scanner.ReadDouble(store.m_trend1[i]) != ScanResult::Converted) {
            break;
        }
        if (scanner.ReadDouble(store.m_trend2[i]) != ScanResult::Converted) {
            // A channel-1 value without its partner is not part of the recording; left in
            // place it would join the last sample's curve.
            store.m_trend1[i] = NO_DATA;
            break;
        }
        ++store.m_nSamples;
    }
}

int ReadStartFile(RecordingStore& store) {
    store.m_strStartDate.clear();
    store.m_strStartTime.clear();
    return ReadCompanionFile(store, "fhi", ParseStart);
}

void ParseStart(std::streambuf& source, RecordingStore& store) {
    TokenScanner scanner(source);
    scanner.ReadToken(store.m_strStartDate, START_TOKEN_LENGTH);
    std::replace(store.m_strStartDate.begin(), store.m_strStartDate.end(), '-', '/');
    scanner.ReadToken(store.m_strStartTime, START_TOKEN_LENGTH);
}

}  // namespace somvix
