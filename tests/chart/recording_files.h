#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace somvix::test {

// Writes the given files (name -> bytes) into root/folder, creating the folder, and returns
// the folder.
std::filesystem::path WriteRecordingFolder(const std::filesystem::path& root,
                                           const std::string& folder,
                                           const std::map<std::string, std::string>& files);

// "a b\n" lines of sample pairs.
std::string PairLines(const std::vector<std::pair<double, double>>& pairs);

// count pairs of a steady trend (value, value / 2) and impedances (impedance, impedance).
std::string SteadyTrend(int count, double value);
std::string SteadyImpedances(int count, double impedance);

}  // namespace somvix::test
