#pragma once

#include <vector>

#include "chart/recording_store.h"
#include "settings/display_settings.h"

namespace somvix {

// Makes the displayed trend again from the trend as read, with the zones the settings hide
// set to NO_DATA. Reads no file, so a setting switched back shows its samples at once.
void ApplyZoneHiding(RecordingStore& store, const DisplaySettings& settings);

// Indices below the sample count that the last hiding removed: both displayed channels are
// NO_DATA where the trend as read held a value.
std::vector<int> HiddenSamples(const RecordingStore& store);

}  // namespace somvix
