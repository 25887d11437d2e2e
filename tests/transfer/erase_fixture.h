#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "transfer/download_fixture.h"
#include "transfer/erase.h"

namespace somvix::test {

// An erase of a simulated monitor, with the PC folders, the scripted user, the fake host
// adaptation and the fixed date of the download tests.
class EraseTest : public DownloadTest {
protected:
    std::filesystem::path Kept() const { return m_pc.Path() / "originales"; }
    std::string EraseLog(const std::string& device = SIMULATOR_NAME) const {
        return ReadFileBytes(Records() / ("eliminados-" + device + ".txt"));
    }
    // Whether the simulated monitor still holds the monitoring.
    bool OnMonitor(const std::string& name) const {
        return std::filesystem::exists(m_monitor.Root() / name);
    }
    // Names recorded as fetched by an earlier run.
    void RecordAsFetched(const std::vector<std::string>& names) {
        std::string list;
        for (const std::string& name : names) {
            list += name + "\r\n";
        }
        WriteFileBytes(Records() / "SOMVIXSIM.txt", list);
    }

    // A copy of what the monitor holds now, to compare the downloads with once it is erased.
    void KeepOriginals() {
        std::filesystem::copy(m_monitor.Root(), Kept(), std::filesystem::copy_options::recursive);
    }
    // Every file of the monitoring arrived whole, as kept by KeepOriginals.
    void ExpectFetchedAsKept(const std::string& name) {
        for (const std::string& file : MonitorFolder::FilesOf(name)) {
            EXPECT_EQ(ReadFileBytes(MonitoringFolder(name) / file),
                      ReadFileBytes(Kept() / name / file))
                << name << "/" << file;
        }
    }

    int Erase(const SimulatorProcess& monitor) {
        EXPECT_TRUE(monitor.IsRunning()) << monitor.Output();
        return EraseAt(monitor.Port());
    }
    int EraseAt(std::uint16_t port) {
        m_settings.connection.port = port;
        return EraseMonitorData(FolderChoicePath(Downloads().string()), m_hostAddress, m_adaptation,
                                m_ui, m_settings);
    }

    // The download log of one erase run on a new log: its heading and the names fetched.
    static std::string NewEraseDownloadLog(const std::vector<std::string>& names) {
        std::string log = std::string("\t--- Descarga por vaciado ") + RUN_DATE + " ---\r\n\r\n";
        for (const std::string& name : names) {
            log += name + "\r\n";
        }
        return log;
    }
    // The question about a monitoring of which the PC has no copy, as the fake user saw it.
    static std::string NoCopyQuestion(const std::string& capitals) {
        return "confirm:No existen datos de " + capitals +
               "-SOMVIXSIM en su PC|¿Descargar datos antes de eliminar?";
    }
    // The question about the folder of an incomplete earlier download.
    static std::string LeftoverQuestion(const std::string& name) {
        return "confirm:Se han encontrado datos de la monitorización " + name +
               "-SOMVIXSIM, de una descarga previa aparentemente incompleta.|¿Desea "
               "reemplazarlos antes de eliminar?";
    }
};

}  // namespace somvix::test
