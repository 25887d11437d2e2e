#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "support/temp_dir.h"

namespace somvix::test {

// What a simulated monitor holds: one folder per monitoring below Root(), for `somvix-monitor
// --root`.
class MonitorFolder {
public:
    MonitorFolder();

    // A monitoring of six files whose names start with its own: two .eeg files, a .htr of 1500
    // bytes (the third file fetched, more than one 512-byte chunk), then .fhi, .evt and .imp.
    void AddMonitoring(const std::string& name);
    // Its file names in the order a download fetches them.
    static std::vector<std::string> FilesOf(const std::string& name);
    static std::string HtrFileOf(const std::string& name) { return name + ".htr"; }

    const std::filesystem::path& Root() const { return m_root; }
    std::string Original(const std::string& name, const std::string& file) const;
    // "--root ROOT" followed by the options given.
    std::vector<std::string> Serving(const std::vector<std::string>& options = {}) const;

private:
    TempDir m_folder;
    std::filesystem::path m_root;
};

// Aims both connection kinds at 127.0.0.1, so that the cable kind can be tried on loopback,
// and records "adapt" and "restore" in order.
class FakeHostAdaptation : public HostAdaptation {
public:
    int AdaptHostAddress(HostAddressState& state, OperationUi* ui) override;
    void RestoreHostAddress(HostAddressState& state, OperationUi* ui) override;
    std::string FailureText() const override { return m_strFailure; }

    int m_nAdaptResult = 0;  // -1: the address cannot be added
    std::string m_strFailure;
    std::vector<std::string> m_calls;
    int m_nCallsWithUi = 0;  // calls given a status line to show their texts on
};

}  // namespace somvix::test
