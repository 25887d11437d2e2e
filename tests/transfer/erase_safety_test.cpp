#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "device/byte_order.h"
#include "sim/peer_socket.h"
#include "transfer/erase_fixture.h"
#include "transfer/records.h"

// Where the erase is sounder than a substring match and a "DELETE" sent on trust would be: no
// monitoring leaves the monitor unless the PC holds a recorded complete copy of it or the user
// declined one, whatever else happens in the run; and names from the monitor stay one path
// component.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// What the PC held of a monitoring at the moment its "DELETE" went to the monitor.
struct Witnessed {
    bool recorded = false;  // its whole name stood in the downloaded list
    bool complete = false;  // its folder held every file, byte for byte
    bool synced = false;    // the syncs of every file and of its folder had ended
};

// A go-between on loopback: it passes the erase's commands to the simulator and the replies
// back as they come, and at each "DELETE" writes down what the PC holds of that monitoring
// while the erase waits for the reply.
class DeleteWitness {
public:
    using Look = std::function<Witnessed(const std::string& name)>;

    DeleteWitness(std::uint16_t simulatorPort, Look look)
        : m_look(std::move(look)),
          m_peer([this, simulatorPort](PeerConnection& client) { Relay(client, simulatorPort); }) {}

    std::uint16_t Port() const { return m_peer.Port(); }
    // The "DELETE"s, in order, once the conversation is over.
    const std::vector<std::pair<std::string, Witnessed>>& Deletes() {
        m_peer.Join();
        return m_deletes;
    }

private:
    void Relay(PeerConnection& client, std::uint16_t simulatorPort) {
        sim::StreamSocket monitor;
        if (monitor.Connect("127.0.0.1", simulatorPort, 5000) != 0) {
            return;
        }
        monitor.SetIdleLimit(10000);
        std::string command;
        while (client.ReadMessage(command)) {
            if (command.starts_with("DELETE ")) {
                const std::string name = command.substr(7);
                m_deletes.emplace_back(name, m_look(name));
            }
            if (monitor.SendAll(sim::FrameText(command)) != 0 || !PassReply(monitor, client)) {
                return;
            }
        }
    }

    // The length field and as many bytes as it counts (a file reply's checksum included), in
    // the pieces they arrive in, so that a broken transfer breaks here too.
    static bool PassReply(sim::StreamSocket& monitor, PeerConnection& client) {
        std::array<char, 4096> buffer{};
        if (monitor.ReceiveExact(buffer.data(), 4) != 0 ||
            !client.Send(std::string_view(buffer.data(), 4))) {
            return false;
        }
        std::size_t remaining = ReadUint32Le(buffer.data());
        while (remaining > 0) {
            const long count =
                monitor.ReceiveSome(buffer.data(), std::min(remaining, buffer.size()));
            if (count <= 0 ||
                !client.Send(std::string_view(buffer.data(), static_cast<std::size_t>(count)))) {
                return false;
            }
            remaining -= static_cast<std::size_t>(count);
        }
        return true;
    }

    Look m_look;
    std::vector<std::pair<std::string, Witnessed>> m_deletes;
    ScriptedPeer m_peer;  // last: its thread ends before the members it uses go
};

// A user who answers each question by the monitoring it names, and remembers whom it told No.
class AnsweringUser : public FakeOperationUi {
public:
    explicit AnsweringUser(std::map<std::string, ConfirmAnswer> answers)
        : m_answers(std::move(answers)) {}

    ConfirmAnswer Confirm(const std::string& statement, const std::string& question) override {
        FakeOperationUi::QueueAnswers({ConfirmAnswer::No});
        FakeOperationUi::Confirm(statement, question);
        for (const auto& [name, answer] : m_answers) {
            if (statement.find(name + "-") != std::string::npos ||
                statement.find(CapitalLetters(name) + "-") != std::string::npos) {
                if (answer != ConfirmAnswer::Yes) {
                    m_declined.insert(name);
                }
                return answer;
            }
        }
        ADD_FAILURE() << "a question about no monitoring of the run: " << statement;
        return ConfirmAnswer::No;
    }

    std::set<std::string> m_declined;

private:
    std::map<std::string, ConfirmAnswer> m_answers;
};

// Syncs that each take a while and fail for one file; it writes down the names of the files and
// folders whose syncs have ended.
class SlowFileSync : public FileSync {
public:
    SlowFileSync(std::string failingFile, int delayMs)
        : m_strFailingFile(std::move(failingFile)), m_nDelayMs(delayMs) {}
    int SyncFile(const fs::path& path) override { return End(path) == m_strFailingFile ? -1 : 0; }
    int SyncFolder(const fs::path& folder) override {
        End(folder);
        return 0;
    }
    bool Ended(const std::string& name) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_ended.count(name) != 0;
    }

private:
    std::string End(const fs::path& path) {
        std::this_thread::sleep_for(std::chrono::milliseconds(m_nDelayMs));
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_ended.insert(path.filename().string());
        return path.filename().string();
    }

    std::string m_strFailingFile;
    int m_nDelayMs;
    std::mutex m_mutex;
    std::set<std::string> m_ended;
};

// The failure injected while the seventh monitoring is fetched.
struct InjectedFailure {
    const char* name;
    Strings simulatorOptions;
    const char* unsyncedFile;  // null: every sync succeeds
    int syncDelayMs = 0;       // how long each sync takes
};

void PrintTo(const InjectedFailure& failure, std::ostream* out) {
    *out << failure.name;
}

class EraseSafetyTest : public EraseTest, public ::testing::WithParamInterface<InjectedFailure> {};

TEST_P(EraseSafetyTest, NothingLeavesTheMonitorWithoutARecordedCopyOrTheUsersNo) {
    for (int number = 1; number <= 8; ++number) {
        m_monitor.AddMonitoring("paciente" + std::to_string(number));
    }
    // paciente1 was fetched before; paciente20, fetched too, holds "paciente2" inside.
    RecordAsFetched({"paciente1", "paciente20"});
    for (const char* leftover : {"paciente4", "paciente5", "paciente6"}) {
        fs::create_directories(MonitoringFolder(leftover));
        WriteFileBytes(MonitoringFolder(leftover) / "old.htr", "old");
    }
    fs::create_directories(MonitoringFolder("paciente6") / "sub");
    KeepOriginals();

    AnsweringUser user({{"paciente2", ConfirmAnswer::Yes},
                        {"paciente3", ConfirmAnswer::No},
                        {"paciente4", ConfirmAnswer::No},
                        {"paciente5", ConfirmAnswer::Yes},
                        {"paciente6", ConfirmAnswer::Yes},
                        {"paciente7", ConfirmAnswer::Yes}});
    SlowFileSync sync(GetParam().unsyncedFile != nullptr ? GetParam().unsyncedFile : "",
                      GetParam().syncDelayMs);
    m_settings.fileSync = &sync;
    SimulatorProcess monitor(m_monitor.Serving(GetParam().simulatorOptions));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();
    DeleteWitness witness(monitor.Port(), [this, &sync](const std::string& name) {
        Witnessed seen;
        seen.recorded = ReadDownloadedList(Records() / "SOMVIXSIM.txt").count(name) != 0;
        seen.complete = true;
        seen.synced = sync.Ended(name);
        for (const std::string& file : MonitorFolder::FilesOf(name)) {
            seen.complete = seen.complete && ReadFileBytes(MonitoringFolder(name) / file) ==
                                                 ReadFileBytes(Kept() / name / file);
            seen.synced = seen.synced && sync.Ended(file);
        }
        return seen;
    });
    m_settings.connection.port = witness.Port();
    EXPECT_EQ(EraseMonitorData(FolderChoicePath(Downloads().string()), m_hostAddress, m_adaptation,
                               user, m_settings),
              -1);

    Strings deleted;
    for (const auto& [name, seen] : witness.Deletes()) {
        deleted.push_back(name);
        EXPECT_TRUE(seen.recorded || user.m_declined.count(name) != 0) << name;
        // A copy fetched in this run was whole on the disk before the monitoring went.
        if (fs::exists(MonitoringFolder(name)) && user.m_declined.count(name) == 0) {
            EXPECT_TRUE(seen.complete) << name;
            EXPECT_TRUE(seen.synced) << name;
        }
    }
    EXPECT_EQ(deleted, (Strings{"paciente1", "paciente2", "paciente3", "paciente4", "paciente5"}));
    EXPECT_EQ(user.m_declined, (std::set<std::string>{"paciente3", "paciente4"}));
    for (const char* kept : {"paciente6", "paciente7", "paciente8"}) {
        EXPECT_TRUE(OnMonitor(kept)) << kept;
    }
    EXPECT_EQ(DownloadedList(), "paciente1\r\npaciente20\r\npaciente2\r\npaciente5\r\n");
    EXPECT_EQ(EraseLog(),
              NewLog({"paciente1", "paciente2", "paciente3", "paciente4", "paciente5"}));
}

INSTANTIATE_TEST_SUITE_P(
    MixedRun, EraseSafetyTest,
    ::testing::Values(
        InjectedFailure{"BrokenTransfer", {"--close-after", "paciente7.htr:1000"}, nullptr},
        InjectedFailure{"BadChecksumOfTheLastFile", {"--bad-checksum", "paciente7.imp"}, nullptr},
        InjectedFailure{"FailedSyncOfTheLastFile", {}, "paciente7.imp"},
        InjectedFailure{
            "SlowSyncsThenBrokenTransfer", {"--close-after", "paciente7.htr:1000"}, nullptr, 20},
        InjectedFailure{"SlowSyncsThenFailedSyncOfTheLastFile", {}, "paciente7.imp", 20}),
    [](const ::testing::TestParamInfo<InjectedFailure>& info) { return info.param.name; });

TEST_F(EraseTest, NameInsideARecordedNameIsNotErasedWithoutAQuestion) {
    m_monitor.AddMonitoring("paciente1");
    RecordAsFetched({"paciente12"});
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    KeepOriginals();
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), 0);
    EXPECT_EQ(m_ui.CallsStartingWith("confirm:"), Strings{NoCopyQuestion("PACIENTE1")});
    ExpectFetchedAsKept("paciente1");
    EXPECT_EQ(DownloadedList(), "paciente12\r\npaciente1\r\n");
}

TEST_F(EraseTest, RefusedMonitoringNameFailsAndErasesNothing) {
    m_monitor.AddMonitoring("paciente9");
    for (const std::string list :
         {"../paciente9", "paciente9/../../x", "paciente9 ..\\paciente9"}) {
        m_ui = FakeOperationUi();
        RecordAsFetched({"paciente9"});
        SimulatorProcess monitor(m_monitor.Serving({"--keep", "--list-reply", list}));
        EXPECT_EQ(Erase(monitor), -1) << list;
        EXPECT_TRUE(m_ui.CallsStartingWith("confirm:").empty()) << list;
        EXPECT_EQ(m_ui.StatusTexts().back().rfind("Nombre no válido recibido del monitor", 0), 0u)
            << list;
        // Only the good name before the refused one was erased.
        EXPECT_EQ(EraseLog().find("paciente9\r\n") != std::string::npos,
                  list.starts_with("paciente9 "))
            << list;
        fs::remove(Records() / "eliminados-SOMVIXSIM.txt");
    }
    EXPECT_TRUE(OnMonitor("paciente9"));
    // Nothing was written outside the device folder, and nothing in it.
    EXPECT_EQ(std::distance(fs::directory_iterator(Downloads()), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_empty(Downloads() / "SOMVIXSIM"));
    EXPECT_FALSE(fs::exists(Downloads().parent_path() / "paciente9"));
}

TEST_F(EraseTest, NameHandledIsNotHandledAgainAndNoFoldedFormOfItLeavesTheMonitor) {
    // With fetches, the user answers Si to fetching pacienteA: to replacing an incomplete
    // earlier copy in the first row, to downloading it in the third.
    const std::pair<RepeatedNames, bool> cases[] = {
        {{"pacienteA pacienteA", "", nullptr}, true},
        {{"pacienteA pacienteA", "pacienteA\r\n", nullptr}, false},
        {{"pacienteA pacienteA.", "", "pacienteA."}, true},
        {{"pacienteA pacientea", "pacienteA\r\n", "pacientea"}, false},
        {{"pacientea", "pacienteA\r\n", "pacientea"}, false},
    };
    for (const auto& [names, fetches] : cases) {
        SCOPED_TRACE(std::string(names.list) + " after " + names.recordedBefore);
        fs::remove_all(Kept());
        const std::vector<std::string> serving = ServeList(names);
        if (fetches) {
            m_ui.QueueAnswers({ConfirmAnswer::Yes});
        }
        if (fetches && names.refused == nullptr) {
            fs::create_directories(MonitoringFolder("pacienteA"));
            WriteFileBytes(MonitoringFolder("pacienteA") / "old.htr", "old");
        }
        KeepOriginals();
        SimulatorProcess monitor(serving);
        EXPECT_EQ(Erase(monitor), names.refused == nullptr ? 0 : -1);

        EXPECT_EQ(m_ui.UnusedAnswers(), 0u);
        EXPECT_TRUE(m_ui.CallsStartingWith("message:").empty());  // no second "DELETE"
        const bool erasesPacienteA = names.list[8] == 'A';
        EXPECT_EQ(EraseLog(), erasesPacienteA ? NewLog({"pacienteA"}) : NewLog({}));
        if (fetches) {
            ExpectFetchedAsKept("pacienteA");
        }
        ExpectRefused(names.refused);
        if (names.refused != nullptr) {
            EXPECT_TRUE(OnMonitor(names.refused));
        }
    }
}

TEST_F(EraseTest, UnwritableDownloadedListKeepsTheFetchedMonitoringOnTheMonitor) {
    m_monitor.AddMonitoring("paciente1");
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    // A folder where the downloaded list should be: it reads as empty and cannot be appended to.
    fs::create_directories(Records() / "SOMVIXSIM.txt");
    SimulatorProcess monitor(m_monitor.Serving());
    EXPECT_EQ(Erase(monitor), -1);
    EXPECT_TRUE(OnMonitor("paciente1"));
    EXPECT_TRUE(fs::exists(MonitoringFolder("paciente1") / "paciente1.imp"));
    EXPECT_EQ(EraseLog(), NewLog({}));
}

}  // namespace
}  // namespace somvix::test
