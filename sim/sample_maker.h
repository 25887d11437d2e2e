#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace somvix::sim {

inline constexpr int MAX_SAMPLE_COUNT = 3600;  // samples of the longest trend recording

// Writes count made-up monitorings into folder (created when missing): "paciente00001" and on,
// each with its trend (.htr), impedances (.imp), start time (.fhi), event file (.evt) and a small
// EEG file (.eeg), all named "p" + the last five characters of the folder name + "m". The same
// seed gives the same bytes. 0 / -1 (with a line on err).
int MakeSampleMonitorings(const std::filesystem::path& folder, int count, std::uint32_t seed,
                          std::ostream& err);

// The file base name of a monitoring folder: "p" + its last five characters + "m".
std::string MonitoringBaseName(const std::string& folderName);

}  // namespace somvix::sim
