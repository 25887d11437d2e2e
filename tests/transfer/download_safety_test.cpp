#include <gtest/gtest.h>

#include <map>

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

// Writes down each sync, and whether the monitoring of a synced file was already in the
// downloaded list at that moment.
class RecordingFileSync : public FileSync {
public:
    explicit RecordingFileSync(fs::path list) : m_list(std::move(list)) {}

    int SyncFile(const fs::path& path) override {
        const std::string monitoring = path.parent_path().filename().string();
        if (ReadDownloadedList(m_list).count(monitoring) != 0) {
            m_recordedTooEarly.push_back(path.filename().string());
        }
        m_calls.push_back("file:" + path.filename().string());
        return m_nFailAt-- == 0 ? -1 : 0;
    }
    int SyncFolder(const fs::path& folder) override {
        m_calls.push_back("folder:" + folder.filename().string());
        return 0;
    }

    fs::path m_list;
    Strings m_calls;
    Strings m_recordedTooEarly;
    int m_nFailAt = -1;  // which SyncFile call fails (0: the first); -1: none
};

TEST_F(DownloadTest, FilesAreSyncedBeforeTheMonitoringIsRecorded) {
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente2");
    RecordingFileSync sync(Records() / "SOMVIXSIM.txt");
    m_settings.fileSync = &sync;
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), 0);

    Strings expected;
    for (const char* name : {"paciente1", "paciente2"}) {
        for (const std::string& file : MonitorFolder::FilesOf(name)) {
            expected.push_back("file:" + file);
        }
        expected.push_back(std::string("folder:") + name);
        expected.emplace_back("folder:SOMVIXSIM");
        if (expected.size() == 8) {
            // The run made the download and device folders: their entries, before the first
            // record.
            expected.emplace_back("folder:descargas");
            expected.push_back("folder:" + m_pc.Path().filename().string());
        }
    }
    EXPECT_EQ(sync.m_calls, expected);
    EXPECT_TRUE(sync.m_recordedTooEarly.empty());
    EXPECT_EQ(DownloadedList(), "paciente1\r\npaciente2\r\n");
}

TEST_F(DownloadTest, UnwritableDownloadedListFailsTheRun) {
    m_monitor.AddMonitoring("paciente1");
    // A folder where the downloaded list should be: it reads as empty and cannot be appended to.
    fs::create_directories(Records() / "SOMVIXSIM.txt");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), -1);
    ExpectFetched("paciente1");
}

TEST_F(DownloadTest, FailedSyncFailsTheRunAndRecordsNothing) {
    m_monitor.AddMonitoring("paciente1");
    RecordingFileSync sync(Records() / "SOMVIXSIM.txt");
    sync.m_nFailAt = 5;  // the last file of the monitoring
    m_settings.fileSync = &sync;
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Download(monitor), -1);
    EXPECT_EQ(DownloadedList(), "");
    EXPECT_EQ(DownloadLog(), NewLog({}));
}

}  // namespace
}  // namespace somvix::test
