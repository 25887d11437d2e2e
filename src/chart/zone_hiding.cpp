#include "chart/zone_hiding.h"

namespace somvix {

void ApplyZoneHiding(RecordingStore& store, const DisplaySettings& /*settings*/) {
    store.m_trend1 = store.m_trend1Read;
    store.m_trend2 = store.m_trend2Read;
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
