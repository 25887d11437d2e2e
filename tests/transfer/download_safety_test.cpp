#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "device/byte_order.h"
#include "device/crc32.h"
#include "transfer/download_fixture.h"
#include "transfer/records.h"

// Where the download is sounder than a substring match and names taken on trust would be:
// whole-name matching of the downloaded list, names from the monitor that must stay one path
// component, and files on disk for good before a monitoring is recorded as fetched.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// Everything below a folder, as relative paths.
Strings Tree(const fs::path& folder) {
    Strings entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        entries.push_back(fs::relative(entry.path(), folder).generic_string());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

TEST_F(DownloadTest, NameInsideAFetchedNameIsStillFetched) {
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente12");
    WriteFileBytes(Records() / "SOMVIXSIM.txt", "paciente12\r\n");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);
    ExpectFetched("paciente1");
    EXPECT_FALSE(fs::exists(MonitoringFolder("paciente12")));
    EXPECT_EQ(DownloadedList(), "paciente12\r\npaciente1\r\n");
    // Only one name is to be fetched: it has the whole bar.
    EXPECT_EQ(m_ui.ProgressAtStatus("Cargando datos paciente1 ..."), 0);
    EXPECT_EQ(m_ui.ProgressPosition(), 500);
}

TEST_F(DownloadTest, NamesJoinedInTheListDoNotMakeAFetchedName) {
    m_monitor.AddMonitoring("paciente1paciente2");
    WriteFileBytes(Records() / "SOMVIXSIM.txt", "paciente1\npaciente2\n");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);
    ExpectFetched("paciente1paciente2");
}

TEST_F(DownloadTest, RefusedDeviceNameFailsBeforeAnythingIsWritten) {
    m_monitor.AddMonitoring("paciente1");
    for (const std::string name : {"..", ".", "a/b", "..\\x", "C:x", ""}) {
        SimulatorProcess monitor(m_monitor.Serving({"--name", name}));
        EXPECT_EQ(Download(monitor), -1) << name;
        EXPECT_FALSE(fs::exists(Downloads())) << name;
        EXPECT_TRUE(fs::is_empty(Records())) << name;
        EXPECT_EQ(Tree(m_pc.Path()), Strings{"registros"}) << name;
    }
}

TEST_F(DownloadTest, RefusedMonitoringNameFailsWithNothingOutsideTheDeviceFolder) {
    m_monitor.AddMonitoring("paciente9");
    for (const std::string list : {"../paciente9", "..\\paciente9", "paciente9/../../x"}) {
        SimulatorProcess monitor(m_monitor.Serving({"--list-reply", list}));
        EXPECT_EQ(Download(monitor), -1) << list;
        EXPECT_EQ(Tree(Downloads()), Strings{"SOMVIXSIM"}) << list;
        EXPECT_EQ(Tree(m_pc.Path() / "registros"),
                  (Strings{"SOMVIXSIM.txt", "descargas-SOMVIXSIM.txt"}))
            << list;
        EXPECT_EQ(DownloadedList(), "") << list;
    }
    EXPECT_EQ(Tree(m_pc.Path()).size(), 5u);  // the two folders, the device folder, two records
}

TEST_F(DownloadTest, NameHandledOrRecordedIsNotFetchedAgainNorOneOfItsFoldedForms) {
    const RepeatedNames cases[] = {
        {"pacienteA pacienteA pacienteB", "", nullptr},
        {"pacienteA pacientea pacienteB", "", "pacientea"},
        {"pacienteA pacienteA. pacienteB", "", "pacienteA."},
        {"pacientea pacienteB", "pacienteA\r\n", "pacientea"},
    };
    for (const RepeatedNames& names : cases) {
        SCOPED_TRACE(names.list);
        SimulatorProcess monitor(ServeList(names));
        EXPECT_EQ(Download(monitor), names.refused == nullptr ? 0 : -1);
        // No folder is taken for the leftover of a broken download, and the run went on.
        EXPECT_TRUE(m_ui.CallsStartingWith("confirm:").empty());
        EXPECT_EQ(DownloadedList(), "pacienteA\r\npacienteB\r\n");
        ExpectFetched(names.recordedBefore[0] == '\0' ? "pacienteA" : "pacienteB");
        ExpectFetched("pacienteB");
        ExpectRefused(names.refused);
    }
}

// A monitor that offers one monitoring whose .htr list holds the given file names, and sends a
// good file for every "FILE" it gets; it writes down the commands.
std::string FileReply(const std::string& content) {
    std::string reply(4, '\0');
    WriteUint32Le(static_cast<std::uint32_t>(content.size() + 4), reply.data());
    std::string checksum(4, '\0');
    WriteUint32Le(Crc32(content), checksum.data());
    return reply + content + checksum;
}

void PlayMonitor(PeerConnection& monitor, const std::string& htrList, Strings& commands) {
    const std::map<std::string, std::string> replies = {{"SOMVIXNAME", "M"},
                                                        {"AUTH KAVOTE", "AUTHOK"},
                                                        {"GETLIST", "paciente1"},
                                                        {"GETHTRLIST paciente1", htrList},
                                                        {"QUIT", "QUITOK"}};
    std::string command;
    while (monitor.ReadMessage(command)) {
        commands.push_back(command);
        if (command.starts_with("FILE ")) {
            monitor.Send(FileReply("data"));
            continue;
        }
        const auto reply = replies.find(command);
        monitor.SendMessage(reply == replies.end() ? "" : reply->second);
        if (command == "QUIT") {
            return;
        }
    }
}

TEST_F(DownloadTest, RefusedFileNameFailsWithoutAskingForIt) {
    // The last three would overwrite ok.htr where letter case and trailing dots do not count.
    for (const std::string hostile :
         {"..", ".", "a/b", "..\\x", "x:y", "ok.htr", "OK.HTR", "ok.htr."}) {
        Strings commands;
        ScriptedPeer peer(
            [&](PeerConnection& monitor) { PlayMonitor(monitor, "ok.htr " + hostile, commands); });
        m_settings.connection.port = peer.Port();
        EXPECT_EQ(DownloadMonitorData(FolderChoicePath(Downloads().string()), m_hostAddress,
                                      m_adaptation, m_ui, m_settings),
                  -1)
            << hostile;
        peer.Join();
        EXPECT_EQ(commands.back(), "FILE paciente1\\ok.htr") << hostile;
        EXPECT_EQ(Tree(Downloads()), (Strings{"M", "M/paciente1", "M/paciente1/ok.htr"}))
            << hostile;
        EXPECT_EQ(ReadFileBytes(Records() / "M.txt"), "") << hostile;
        fs::remove_all(Downloads());
    }
}

// Syncs that last as long as a row of the table says, several at a time, and check as each one
// ends that every monitoring recorded by then was durable already: its files and its folder
// synced, and its entry in the device folder, and those of the folders the run made above it,
// synced after they were made.
class TimedFileSync : public FileSync {
public:
    using Delay = std::function<int(const std::string& name)>;  // milliseconds

    TimedFileSync(const fs::path& pc, Delay delay, std::string failing)
        : m_pc(pc), m_delay(std::move(delay)), m_strFailing(std::move(failing)) {}

    int SyncFile(const fs::path& path) override { return Sync(path, {}); }
    int SyncFolder(const fs::path& folder) override {
        std::set<std::string> entries;  // what this sync makes durable: the entries there now
        for (const auto& entry : fs::directory_iterator(folder)) {
            entries.insert(entry.path().filename().string());
        }
        return Sync(folder, entries);
    }

    Strings Synced() {
        std::sort(m_synced.begin(), m_synced.end());
        return m_synced;
    }
    Strings m_recordedTooEarly;

private:
    int Sync(const fs::path& path, const std::set<std::string>& entries) {
        const std::string name = path.filename().string();
        std::this_thread::sleep_for(std::chrono::milliseconds(m_delay(name)));
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (const std::string& recorded :
             ReadDownloadedList(m_pc / "registros" / "SOMVIXSIM.txt")) {
            if (!Durable(recorded)) {
                m_recordedTooEarly.push_back(recorded + " before " + name);
            }
        }
        m_synced.push_back(name);
        m_entries[Key(path)].insert(entries.begin(), entries.end());
        return name == m_strFailing ? -1 : 0;
    }
    bool Durable(const std::string& monitoring) {
        const fs::path device = m_pc / "descargas" / SIMULATOR_NAME;
        bool durable = m_entries.count(Key(device / monitoring)) != 0 &&
                       m_entries[Key(device)].count(monitoring) != 0 &&
                       m_entries[Key(m_pc / "descargas")].count(SIMULATOR_NAME) != 0 &&
                       m_entries[Key(m_pc)].count("descargas") != 0;
        for (const std::string& file : MonitorFolder::FilesOf(monitoring)) {
            durable = durable && m_entries.count(Key(device / monitoring / file)) != 0;
        }
        return durable;
    }
    static std::string Key(const fs::path& path) { return path.lexically_normal().string(); }

    fs::path m_pc;
    Delay m_delay;
    std::string m_strFailing;  // the file whose sync fails
    std::mutex m_mutex;
    Strings m_synced;                                        // names, one per sync
    std::map<std::string, std::set<std::string>> m_entries;  // synced paths: entries made durable
};

// How the syncs of a download of paciente1..3 go.
struct SyncTiming {
    const char* name;
    TimedFileSync::Delay delay;
    const char* failingFile;
    Strings simulatorOptions;
    Strings recorded;  // what the run records, in order
};

TEST_F(DownloadTest, MonitoringIsNeverRecordedBeforeItsSyncsHaveEnded) {
    const TimedFileSync::Delay slowFiles = [](const std::string& name) {
        return name.find('.') != std::string::npos ? 15 : 0;
    };
    const Strings all = {"paciente1", "paciente2", "paciente3"};
    const SyncTiming timings[] = {
        {"at once", [](const std::string&) { return 0; }, "", {}, all},
        {"slow files", slowFiles, "", {}, all},
        {"slow folders",
         [](const std::string& name) { return name.find('.') == std::string::npos ? 40 : 0; },
         "",
         {},
         all},
        {"first monitoring slower than the rest",
         [](const std::string& name) { return name.starts_with("paciente1") ? 30 : 0; },
         "",
         {},
         all},
        {"uneven",
         [](const std::string& name) { return static_cast<int>(name.size() * 7 % 5 * 6); },
         "",
         {},
         all},
        {"last file of the first fails", slowFiles, "paciente1.imp", {}, {}},
        {"first file of the second fails", slowFiles, "paciente2a.eeg", {}, {"paciente1"}},
        {"transfer breaks in the second",
         slowFiles,
         "",
         {"--close-after", "paciente2.htr:1000"},
         {"paciente1"}},
    };
    for (const std::string& name : all) {
        m_monitor.AddMonitoring(name);
    }
    Strings everything = {"descargas", m_pc.Path().filename().string()};
    for (const std::string& name : all) {
        everything.insert(everything.end(), {name, SIMULATOR_NAME});
        for (const std::string& file : MonitorFolder::FilesOf(name)) {
            everything.push_back(file);
        }
    }
    std::sort(everything.begin(), everything.end());
    for (const SyncTiming& timing : timings) {
        SCOPED_TRACE(timing.name);
        fs::remove_all(Downloads());
        fs::remove_all(Records());
        fs::create_directories(Records());
        TimedFileSync sync(m_pc.Path(), timing.delay, timing.failingFile);
        m_settings.fileSync = &sync;
        SimulatorProcess monitor(m_monitor.Serving(timing.simulatorOptions));
        EXPECT_EQ(Download(monitor), timing.recorded == all ? 0 : -1);

        EXPECT_EQ(sync.m_recordedTooEarly, Strings{});
        std::string list;
        for (const std::string& recorded : timing.recorded) {
            list += recorded + "\r\n";
        }
        EXPECT_EQ(DownloadedList(), list);
        EXPECT_EQ(DownloadLog(), NewLog(timing.recorded));
        if (timing.recorded == all) {
            EXPECT_EQ(sync.Synced(), everything);
        }
    }
}

TEST_F(DownloadTest, UnwritableDownloadedListFailsTheRun) {
    m_monitor.AddMonitoring("paciente1");
    // A folder where the downloaded list should be: it reads as empty and cannot be appended to.
    fs::create_directories(Records() / "SOMVIXSIM.txt");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), -1);
    ExpectFetched("paciente1");
}

}  // namespace
}  // namespace somvix::test
