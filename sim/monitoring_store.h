#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace somvix::sim {

// The monitorings the simulated monitor holds: the folders below a root whose names contain
// "paciente", each holding its files.
class MonitoringStore {
public:
    explicit MonitoringStore(std::filesystem::path root) : m_root(std::move(root)) {}

    // Names of the monitorings, sorted.
    std::vector<std::string> ListMonitorings() const;
    bool HasMonitoring(const std::string& name) const;
    // Names of a monitoring's files with the extension (".eeg", any case of letters), sorted;
    // empty for an unknown monitoring.
    std::vector<std::string> ListFiles(const std::string& monitoring,
                                       std::string_view extension) const;
    // Where a monitoring's file lies; nothing unless both names are plain names of existing
    // entries (no way out of the root through "..", "/" or "\").
    std::optional<std::filesystem::path> FilePath(const std::string& monitoring,
                                                  const std::string& file) const;
    // Removes the monitoring's folder with its files. 0 / -1.
    int Remove(const std::string& monitoring) const;

private:
    std::filesystem::path m_root;
};

}  // namespace somvix::sim
