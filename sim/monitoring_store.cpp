#include "sim/monitoring_store.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "device/protocol.h"

namespace somvix::sim {

namespace {

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

bool EqualsIgnoringCase(std::string_view left, std::string_view right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

std::vector<std::string> MonitoringStore::ListMonitorings() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_root, error)) {
        const std::string name = entry.path().filename().string();
        if (name.find(MONITORING_MARK) != std::string::npos && entry.is_directory(error)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool MonitoringStore::HasMonitoring(const std::string& name) const {
    std::error_code error;
    return IsPlainName(name) && name.find(MONITORING_MARK) != std::string::npos &&
           std::filesystem::is_directory(m_root / name, error);
}

std::vector<std::string> MonitoringStore::ListFiles(const std::string& monitoring,
                                                    std::string_view extension) const {
    std::vector<std::string> names;
    if (!HasMonitoring(monitoring)) {
        return names;
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_root / monitoring, error)) {
        if (entry.is_regular_file(error) &&
            EqualsIgnoringCase(entry.path().extension().string(), extension)) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::filesystem::path> MonitoringStore::FilePath(const std::string& monitoring,
                                                               const std::string& file) const {
    if (!HasMonitoring(monitoring) || !IsPlainName(file)) {
        return std::nullopt;
    }
    const std::filesystem::path path = m_root / monitoring / file;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return path;
}

int MonitoringStore::Remove(const std::string& monitoring) const {
    if (!HasMonitoring(monitoring)) {
        return -1;
    }
    std::error_code error;
    std::filesystem::remove_all(m_root / monitoring, error);
    return error ? -1 : 0;
}

}  // namespace somvix::sim
