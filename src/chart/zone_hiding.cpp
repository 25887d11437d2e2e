#include "chart/zone_hiding.h"

namespace somvix {

namespace {

// Impedance values from 13 up to this are always hidden; from the threshold up to it they
// mean a bad electrode.
constexpr double BAND_LOW = 13.0;
constexpr double BAND_END = 15.0;
// The monitor writes this value while the impedance measurement is off.
constexpr double IMPEDANCE_OFF = 16.0;

bool InRange(double value, double low, double end) {
    return low <= value && value < end;
}

}  // namespace

void ApplyZoneHiding(RecordingStore& store, const DisplaySettings& settings) {
    store.m_trend1 = store.m_trend1Read;
    store.m_trend2 = store.m_trend2Read;
    const double threshold = settings.m_nBadElectrodeThreshold;
    for (int i = 0; i < store.m_nSamples && i < MAX_SAMPLES; ++i) {
        const auto index = static_cast<size_t>(i);
        const double first = store.m_impedance1[index];
        const double second = store.m_impedance2[index];
        const bool badContact =
            settings.m_bShowBadContact == 0 &&
            (InRange(first, threshold, BAND_END) || InRange(second, threshold, BAND_END));
        const bool band = InRange(first, BAND_LOW, BAND_END) || InRange(second, BAND_LOW, BAND_END);
        const bool measurementOff = settings.m_bShowImpedanceOff == 0 &&
                                    (first == IMPEDANCE_OFF || second == IMPEDANCE_OFF);
        if (badContact || band || measurementOff) {
            store.m_trend1[index] = NO_DATA;
            store.m_trend2[index] = NO_DATA;
        }
    }
}

std::vector<int> HiddenSamples(const RecordingStore& store) {
    std::vector<int> hidden;
    for (int i = 0; i < store.m_nSamples && i < MAX_SAMPLES; ++i) {
        const auto index = static_cast<size_t>(i);
        // A NaN read from the file differs from NO_DATA too, so it is compared as it is.
        const bool readHasValue =
            !(store.m_trend1Read[index] == NO_DATA && store.m_trend2Read[index] == NO_DATA);
        if (store.m_trend1[index] == NO_DATA && store.m_trend2[index] == NO_DATA && readHasValue) {
            hidden.push_back(i);
        }
    }
    return hidden;
}

}  // namespace somvix
