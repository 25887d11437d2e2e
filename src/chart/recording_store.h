#pragma once

#include <array>
#include <string>

namespace somvix {

// Capacity of every sample array of a recording.
inline constexpr int MAX_SAMPLES = 3600;
// Marks a trend sample as empty or hidden; the chart draws no segment that touches it.
inline constexpr double NO_DATA = -10000.0;
// Capacity of the event list; later records of an event file are not read.
inline constexpr int MAX_EVENTS = 50;
// Samples per unit of the time axis, set by every open.
inline constexpr int SAMPLES_PER_UNIT = 4;

using SampleArray = std::array<double, MAX_SAMPLES>;

struct EventRecord {
    int nTime = 0;  // axis units (SAMPLES_PER_UNIT samples each)
    std::string strCode;
    std::string strMnemonic;  // only in "EventResults_v1" files; "EMPTY_MNEMO" means no text
};

// The open recording: the trend as read and as displayed, the impedances, the start and the
// events. Every array has a fixed size, so an open allocates nothing for the samples and a
// second open can leave no value of the first behind.
struct RecordingStore {
    std::string m_strFileTitle;  // name of the .htr file without folder and extension
    std::string m_strPathName;   // full path of the .htr file
    std::string m_strFileExt;    // its extension without the dot, as chosen
    std::string m_strStartDate;  // first token of the .fhi file, "-" turned into "/"
    std::string m_strStartTime;  // second token of the .fhi file

    SampleArray m_trend1{};  // channel 1 as displayed (after the zone hiding)
    SampleArray m_trend2{};  // channel 2 as displayed
    SampleArray m_impedance1{};
    SampleArray m_impedance2{};
    SampleArray m_trend1Read{};  // channel 1 exactly as read: the source of every hiding
    SampleArray m_trend2Read{};
    int m_nSamples = 0;         // complete sample pairs read from the .htr file
    int m_nSamplesPerUnit = 0;  // SAMPLES_PER_UNIT once a recording has been opened
    int m_bChartShown = 0;      // 1 once a recording has been opened: the charts are painted

    std::array<EventRecord, MAX_EVENTS> m_events;
    int m_nEvents = 0;
    int m_bEventsV1 = 0;  // 1: the event file carries mnemonics
};

// A displayed or read value at any index of the time axis: indices outside the arrays (a
// 3600-sample recording spans 3640 samples of axis) are NO_DATA.
inline double SampleAt(const SampleArray& values, int index) {
    return index >= 0 && index < MAX_SAMPLES ? values[static_cast<size_t>(index)] : NO_DATA;
}

}  // namespace somvix
