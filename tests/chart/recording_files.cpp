#include "chart/recording_files.h"

#include <charconv>

#include "support/temp_dir.h"

namespace somvix::test {

namespace {

std::string Number(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, result.ptr);
}

}  // namespace

std::filesystem::path WriteRecordingFolder(const std::filesystem::path& root,
                                           const std::string& folder,
                                           const std::map<std::string, std::string>& files) {
    const std::filesystem::path directory = root / folder;
    std::filesystem::create_directories(directory);
    for (const auto& [name, bytes] : files) {
        WriteFileBytes(directory / name, bytes);
    }
    return directory;
}

std::string PairLines(const std::vector<std::pair<double, double>>& pairs) {
    std::string text;
    for (const auto& [first, second] : pairs) {
        text += Number(first) + " " + Number(second) + "\n";
    }
    return text;
}

std::string SteadyTrend(int count, double value) {
    return PairLines(
        std::vector<std::pair<double, double>>(static_cast<size_t>(count), {value, value / 2}));
}

std::string SteadyImpedances(int count, double impedance) {
    return PairLines(
        std::vector<std::pair<double, double>>(static_cast<size_t>(count), {impedance, impedance}));
}

}  // namespace somvix::test
