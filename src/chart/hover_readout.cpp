#include "chart/hover_readout.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace somvix {

namespace {

std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.1f", value);
    return text;
}

}  // namespace

std::optional<int> SampleUnderX(TimeWindow window, int samplesPerUnit, int nSamples, int x,
                                int plotLeft, int plotWidth, double pixelsPerSample) {
    if (x < plotLeft || x > plotLeft + plotWidth || !(pixelsPerSample > 0.0)) {
        return std::nullopt;
    }
    const long long sample = static_cast<long long>(window.nFirstUnit) * samplesPerUnit +
                             std::lround((x - plotLeft) / pixelsPerSample);
    if (sample < 0 || sample >= nSamples) {
        return std::nullopt;
    }
    return static_cast<int>(sample);
}

bool IsOnMarker(int x, int y, int markerX, int markerY, int half) {
    return std::abs(x - markerX) <= half && std::abs(y - markerY) <= half;
}

std::string SampleReadout(const RecordingStore& store, int sample) {
    if (sample < 0 || sample >= store.m_nSamples || sample >= MAX_SAMPLES) {
        return {};
    }
    const auto i = static_cast<size_t>(sample);
    const int perUnit = store.m_nSamplesPerUnit > 0 ? store.m_nSamplesPerUnit : SAMPLES_PER_UNIT;
    // Short labels: the whole text fits the status bar of the window at its first size.
    std::string text = "Muestra " + std::to_string(sample) + "  t " +
                       Number(static_cast<double>(sample) / perUnit) + "  C1 " +
                       Number(store.m_trend1Read[i]) + "  C2 " + Number(store.m_trend2Read[i]) +
                       "  Imp. " + Number(store.m_impedance1[i]) + "/" +
                       Number(store.m_impedance2[i]);
    if (store.m_trend1[i] == NO_DATA && store.m_trend1Read[i] != NO_DATA) {
        text += "  (oculta)";
    }
    return text;
}

std::string EventReadout(const RecordingStore& store, int event) {
    if (event < 0 || event >= store.m_nEvents || event >= MAX_EVENTS) {
        return {};
    }
    const EventRecord& record = store.m_events[static_cast<size_t>(event)];
    std::string text = "Evento en " + std::to_string(record.nTime);
    if (store.m_bEventsV1 == 1) {
        text += "  " + record.strMnemonic;
    }
    // Code page 1252, as the mnemonic and the code are.
    return text +
           "  C\xF3"
           "digo " +
           record.strCode;
}

}  // namespace somvix
