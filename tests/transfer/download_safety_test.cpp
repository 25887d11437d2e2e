#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
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
    // Only one name is to be fetched: one step of the whole bar.
    EXPECT_EQ(m_ui.CallsStartingWith("progress:+"), (Strings{"progress:+500", "progress:+500"}));
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

// Syncs that last as long as a row of the table says, on the run's sync thread, and check as
// each one ends that the monitoring it makes durable is not recorded yet. A sync belongs to the
// monitoring of its file or folder; the n-th sync of the device folder to the n-th monitoring,
// and the folders above it, which the first one brings, to that one.
class TimedFileSync : public FileSync {
public:
    using Delay = std::function<int(int call, bool folder)>;  // milliseconds

    TimedFileSync(fs::path list, Delay delay, int failAt)
        : m_list(std::move(list)), m_delay(std::move(delay)), m_nFailAt(failAt) {}

    int SyncFile(const fs::path& path) override {
        return Sync("file:" + path.filename().string(), path.parent_path().filename().string());
    }
    int SyncFolder(const fs::path& folder) override {
        const std::string name = folder.filename().string();
        std::string monitoring = name;
        if (name == SIMULATOR_NAME) {
            monitoring = "paciente" + std::to_string(++m_nDeviceFolderSyncs);
        } else if (!name.starts_with("paciente")) {
            monitoring = "paciente1";
        }
        return Sync("folder:" + name, monitoring);
    }

    Strings m_calls;
    Strings m_recordedTooEarly;

private:
    int Sync(const std::string& call, const std::string& monitoring) {
        const int index = static_cast<int>(m_calls.size());
        m_calls.push_back(call);
        std::this_thread::sleep_for(
            std::chrono::milliseconds(m_delay(index, call.starts_with("folder:"))));
        if (ReadDownloadedList(m_list).count(monitoring) != 0) {
            m_recordedTooEarly.push_back(call);
        }
        return index == m_nFailAt ? -1 : 0;
    }

    fs::path m_list;
    Delay m_delay;
    int m_nFailAt;  // the call that fails (0: the first); -1: none
    int m_nDeviceFolderSyncs = 0;
};

// How the syncs of a download of paciente1..3 go.
struct SyncTiming {
    const char* name;
    TimedFileSync::Delay delay;
    int failAt;
    Strings simulatorOptions;
    Strings recorded;  // what the run records, in order
};

TEST_F(DownloadTest, MonitoringIsNeverRecordedBeforeItsSyncsHaveEnded) {
    const TimedFileSync::Delay atOnce = [](int, bool) { return 0; };
    const TimedFileSync::Delay slowFiles = [](int, bool folder) { return folder ? 0 : 15; };
    const Strings all = {"paciente1", "paciente2", "paciente3"};
    const SyncTiming timings[] = {
        {"at once", atOnce, -1, {}, all},
        {"slow files", slowFiles, -1, {}, all},
        {"slow folders", [](int, bool folder) { return folder ? 40 : 0; }, -1, {}, all},
        {"first monitoring slower than the rest",
         [](int call, bool) { return call < 10 ? 30 : 0; },
         -1,
         {},
         all},
        {"uneven", [](int call, bool) { return call * 7 % 5 * 6; }, -1, {}, all},
        {"last file of the first fails", slowFiles, 5, {}, {}},
        {"first file of the second fails", slowFiles, 10, {}, {"paciente1"}},
        {"transfer breaks in the second",
         slowFiles,
         -1,
         {"--close-after", "paciente2.htr:1000"},
         {"paciente1"}},
    };
    for (const char* name : {"paciente1", "paciente2", "paciente3"}) {
        m_monitor.AddMonitoring(name);
    }
    for (const SyncTiming& timing : timings) {
        SCOPED_TRACE(timing.name);
        fs::remove_all(Downloads());
        fs::remove_all(Records());
        fs::create_directories(Records());
        TimedFileSync sync(Records() / "SOMVIXSIM.txt", timing.delay, timing.failAt);
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
        if (timing.recorded != all) {
            continue;
        }
        // Every file and every folder entry on the way to it, in the order they were made.
        Strings expected;
        for (const std::string& fetched : all) {
            for (const std::string& file : MonitorFolder::FilesOf(fetched)) {
                expected.push_back("file:" + file);
            }
            expected.push_back("folder:" + fetched);
            expected.emplace_back("folder:SOMVIXSIM");
            if (expected.size() == 8) {
                // The run made the download and device folders: their entries, with the first.
                expected.emplace_back("folder:descargas");
                expected.push_back("folder:" + m_pc.Path().filename().string());
            }
        }
        EXPECT_EQ(sync.m_calls, expected);
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
