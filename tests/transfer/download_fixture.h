#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "device/protocol.h"
#include "hostnet/host_address_state.h"
#include "support/fake_operation_ui.h"
#include "support/scripted_peer.h"
#include "support/simulator_process.h"
#include "support/temp_dir.h"
#include "transfer/download.h"
#include "transfer/download_folder.h"
#include "transfer/monitor_fixture.h"
#include "transfer/transfer_report.h"
#include "transfer/transfer_settings.h"

namespace somvix::test {

inline constexpr const char* SIMULATOR_NAME = "SOMVIXSIM";  // the simulator's device name
inline constexpr const char* RUN_DATE = "05-03-2007";       // the date of every test run

// A "GETLIST" reply that names one monitoring twice, or two that one folder would hold where
// letter case and trailing dots do not count.
struct RepeatedNames {
    const char* list;
    const char* recordedBefore;  // the downloaded list before the run
    const char* refused;         // null: none, the run ends in order
};

// A download from a simulated monitor over loopback into a PC folder of the test's own, with a
// scripted user, a fake host adaptation and a fixed date.
class DownloadTest : public ::testing::Test {
protected:
    DownloadTest() {
        std::filesystem::create_directories(Records());
        m_settings.recordsDir = Records();
        m_settings.connection.waitMs = 5000;
        m_settings.today = [] { return RecordDate{5, 3, 2007}; };
        m_hostAddress.m_connectionKind = ConnectionKind::Lan;
        m_hostAddress.m_strHostName = "127.0.0.1";
    }

    std::filesystem::path Records() const { return m_pc.Path() / "registros"; }
    std::filesystem::path Downloads() const { return m_pc.Path() / "descargas"; }
    std::filesystem::path MonitoringFolder(const std::string& name,
                                           const std::string& device = SIMULATOR_NAME) const {
        return Downloads() / device / name;
    }
    std::string DownloadedList(const std::string& device = SIMULATOR_NAME) const {
        return ReadFileBytes(Records() / (device + ".txt"));
    }
    std::string DownloadLog(const std::string& device = SIMULATOR_NAME) const {
        return ReadFileBytes(Records() / ("descargas-" + device + ".txt"));
    }

    int Download(const SimulatorProcess& monitor) {
        EXPECT_TRUE(monitor.IsRunning()) << monitor.Output();
        m_settings.connection.port = monitor.Port();
        m_report = TransferReport();
        return DownloadMonitorData(FolderChoicePath(Downloads().string()), m_hostAddress,
                                   m_adaptation, m_ui, m_settings, &m_report);
    }

    // The options of a monitor that holds every monitoring of the list and replies with it; a PC
    // that holds nothing but the downloaded list given, and a user who has answered nothing yet.
    std::vector<std::string> ServeList(const RepeatedNames& names) {
        std::filesystem::remove_all(Downloads());
        std::filesystem::remove_all(Records());
        std::filesystem::create_directories(Records());
        std::string list = names.list;
        std::string name;
        while (TakeMonitoringName(list, name) == 0) {
            m_monitor.AddMonitoring(name);
        }
        WriteFileBytes(Records() / (std::string(SIMULATOR_NAME) + ".txt"), names.recordedBefore);
        m_ui = FakeOperationUi();
        return m_monitor.Serving({"--list-reply", names.list});
    }
    // The name (if any) was refused, and only it.
    void ExpectRefused(const char* name) {
        const std::string shown = std::string("status:Nombre no válido recibido del monitor: \"");
        EXPECT_EQ(m_ui.CallsStartingWith(shown),
                  name == nullptr ? std::vector<std::string>{}
                                  : std::vector<std::string>{shown + name + "\""});
    }

    // Every file of the monitoring arrived whole.
    void ExpectFetched(const std::string& name, const std::string& device = SIMULATOR_NAME) {
        for (const std::string& file : MonitorFolder::FilesOf(name)) {
            EXPECT_EQ(ReadFileBytes(MonitoringFolder(name, device) / file),
                      m_monitor.Original(name, file))
                << name << "/" << file;
        }
    }

    // The download log of one run on a new log: heading and the names fetched.
    static std::string NewLog(const std::vector<std::string>& names) {
        std::string log = std::string("\t--- ") + RUN_DATE + " ---\r\n\r\n";
        for (const std::string& name : names) {
            log += name + "\r\n";
        }
        return log;
    }

    MonitorFolder m_monitor;
    TempDir m_pc;
    FakeOperationUi m_ui;
    FakeHostAdaptation m_adaptation;
    HostAddressState m_hostAddress;
    TransferSettings m_settings;
    TransferReport m_report;  // of the last Download
};

}  // namespace somvix::test
