#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "support/simulator_process.h"
#include "transfer/monitor_fixture.h"

// `somvixmn-cli download` with one fault at a time: each file-system call of a clean run failed
// in turn (strace's syscall tampering), the program killed at a call chosen at random, and a
// file system that fills up. Whatever happens, the run may claim success only with every
// monitoring complete and recorded, the downloaded list names only complete monitorings, and an
// erase that follows, answering so as to keep the data, takes nothing off the monitor that the
// PC lacks.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const fs::path STRACE = "/usr/bin/strace";
const Strings MONITORINGS = {"paciente1", "paciente2"};
constexpr int PROGRAM_WAIT_MS = 60000;
constexpr int KILLED = 128 + 9;

fs::path CliProgram() {
    return fs::path(SOMVIX_BIN_DIR) / "somvixmn-cli";
}

// The calls failed in turn, by the syscalls that make them: the C++ streams write file data
// with writev.
struct FaultFamily {
    const char* name;
    Strings syscalls;
};

const std::vector<FaultFamily> FAMILIES = {
    {"write", {"write", "writev", "pwrite64", "pwritev"}},
    {"sync", {"fsync", "fdatasync"}},
    {"open", {"openat", "open", "creat"}},
    {"rename", {"rename", "renameat", "renameat2"}},
};

void PrintTo(const FaultFamily& family, std::ostream* out) {
    *out << family.name;
}

// One call of a clean run: strace's syscall name, its number among the calls of that name
// (strace's "when="), and the file or terminal it went to.
struct TracedCall {
    std::string syscall;
    int number = 0;
    std::string target;
};

void PrintTo(const TracedCall& call, std::ostream* out) {
    *out << call.syscall << " #" << call.number << " (" << call.target << ")";
}

// A monitor holding its own copy of the monitorings, and a PC with an empty download folder
// and records folder; both go at the end of the case.
class FaultCase {
public:
    explicit FaultCase(const MonitorFolder& originals) {
        fs::copy(originals.Root(), MonitorRoot(), fs::copy_options::recursive);
        fs::create_directories(Records());
    }

    fs::path Pc() const { return m_folder.Path() / "pc"; }
    fs::path MonitorRoot() const { return m_folder.Path() / "monitor"; }
    fs::path Downloads() const { return Pc() / "descargas"; }
    fs::path Records() const { return Pc() / "registros"; }

    Strings Cli(const std::string& verb, std::uint16_t port, const Strings& options = {}) const {
        Strings words = {CliProgram().string(), verb,     Downloads().string(), "--lan",
                         "127.0.0.1",           "--port", std::to_string(port), "--records-dir",
                         Records().string()};
        words.insert(words.end(), options.begin(), options.end());
        return words;
    }

private:
    TempDir m_folder;
};

// Runs the words (program first), under strace when tampering is given.
int RunWords(const Strings& words, const std::string& tampering = {},
             std::string* output = nullptr) {
    if (tampering.empty()) {
        return RunProgram(words.front(), Strings(words.begin() + 1, words.end()), output,
                          PROGRAM_WAIT_MS);
    }
    Strings arguments = {"-o", "/dev/null", "-e", "inject=" + tampering, "--"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    return RunProgram(STRACE, arguments, output, PROGRAM_WAIT_MS);
}

bool IsComplete(const FaultCase& pc, const MonitorFolder& originals, const std::string& name) {
    for (const std::string& file : MonitorFolder::FilesOf(name)) {
        const fs::path copy = pc.Downloads() / "SOMVIXSIM" / name / file;
        if (!fs::exists(copy) || ReadFileBytes(copy) != originals.Original(name, file)) {
            return false;
        }
    }
    return true;
}

std::set<std::string> Recorded(const FaultCase& pc) {
    std::istringstream list(ReadFileBytes(pc.Records() / "SOMVIXSIM.txt"));
    std::set<std::string> names;
    for (std::string name; list >> name;) {
        names.insert(name);
    }
    return names;
}

// The promises after one download that ended with status: success only with everything
// fetched and recorded, and a record only for a complete copy. Then an erase that keeps the
// data, after which every monitoring gone from the monitor is complete and recorded on the PC.
void ExpectNothingLost(const FaultCase& pc, const MonitorFolder& originals,
                       const SimulatorProcess& monitor, int status, const std::string& fault) {
    SCOPED_TRACE(fault);
    const std::set<std::string> recorded = Recorded(pc);
    EXPECT_TRUE(status == 0 || status == 1) << "status " << status;
    if (status == 0) {
        EXPECT_EQ(recorded, std::set<std::string>(MONITORINGS.begin(), MONITORINGS.end()))
            << "a completed download recorded not everything";
    }
    for (const std::string& name : recorded) {
        EXPECT_TRUE(IsComplete(pc, originals, name)) << name << " is recorded but not complete";
    }

    std::string output;
    const int erased =
        RunWords(pc.Cli("erase", monitor.Port(),
                        {"--yes", "--download-missing", "yes", "--replace-incomplete", "yes"}),
                 {}, &output);
    EXPECT_TRUE(erased == 0 || erased == 1) << "erase status " << erased << "\n" << output;
    for (const std::string& name : MONITORINGS) {
        if (!fs::exists(pc.MonitorRoot() / name)) {
            EXPECT_TRUE(IsComplete(pc, originals, name) && Recorded(pc).count(name) != 0)
                << name << " was erased without a complete recorded copy";
        }
    }
}

// The file-system calls of a clean download of the same monitorings, in order.
std::vector<TracedCall> TraceCleanDownload(const MonitorFolder& originals) {
    const FaultCase pc(originals);
    SimulatorProcess monitor(originals.Serving());
    const fs::path log = pc.Pc() / "trace.txt";
    std::string traced;
    for (const FaultFamily& family : FAMILIES) {
        for (const std::string& syscall : family.syscalls) {
            traced += (traced.empty() ? "trace=" : ",") + syscall;
        }
    }
    Strings arguments = {"-y", "-o", log.string(), "-e", traced, "--"};
    const Strings words = pc.Cli("download", monitor.Port());
    arguments.insert(arguments.end(), words.begin(), words.end());
    if (RunProgram(STRACE, arguments, nullptr, PROGRAM_WAIT_MS) != 0) {
        return {};
    }
    std::vector<TracedCall> calls;
    std::map<std::string, int> counts;
    std::istringstream lines(ReadFileBytes(log));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t open = line.find('(');
        if (open == std::string::npos || line.starts_with("+++") || line.starts_with("---")) {
            continue;
        }
        TracedCall call{line.substr(0, open), ++counts[line.substr(0, open)], {}};
        // A path argument is quoted, a descriptor's file follows it in angle brackets.
        const bool byPath = call.syscall.starts_with("open") || call.syscall.starts_with("rename");
        const char close = byPath ? '"' : '>';
        const std::size_t start = line.find(byPath ? '"' : '<', open);
        const std::size_t end = line.find(close, start + 1);
        if (start != std::string::npos && end != std::string::npos) {
            call.target = line.substr(start + 1, end - start - 1);
        }
        // The loader's and the C library's own files are not the program's to fail over.
        if (byPath && !call.target.starts_with(pc.Pc().string())) {
            continue;
        }
        call.target = fs::path(call.target).filename().string();
        calls.push_back(call);
    }
    return calls;
}

class DownloadFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (RunProgram(STRACE, {"-o", "/dev/null", "true"}) != 0) {
            GTEST_SKIP() << "strace cannot trace here (missing, or ptrace refused)";
        }
        for (const std::string& name : MONITORINGS) {
            m_originals.AddMonitoring(name);
        }
        m_calls = TraceCleanDownload(m_originals);
        ASSERT_FALSE(m_calls.empty()) << "the clean download failed or was not traced";
    }

    std::vector<TracedCall> CallsOf(const Strings& syscalls) const {
        std::vector<TracedCall> calls;
        std::copy_if(
            m_calls.begin(), m_calls.end(), std::back_inserter(calls), [&](const TracedCall& call) {
                return std::find(syscalls.begin(), syscalls.end(), call.syscall) != syscalls.end();
            });
        return calls;
    }

    MonitorFolder m_originals;
    std::vector<TracedCall> m_calls;
};

class FailedCallTest : public DownloadFaultTest,
                       public ::testing::WithParamInterface<FaultFamily> {};

TEST_P(FailedCallTest, EveryCallFailedInTurnLosesNothing) {
    const std::vector<TracedCall> calls = CallsOf(GetParam().syscalls);
    if (calls.empty()) {
        GTEST_SKIP() << "a clean download makes no " << GetParam().name << " call";
    }
    std::ostringstream harmless;
    std::size_t harmlessCount = 0;
    for (const TracedCall& call : calls) {
        const FaultCase pc(m_originals);
        SimulatorProcess monitor({"--root", pc.MonitorRoot().string()});
        const int status =
            RunWords(pc.Cli("download", monitor.Port()),
                     call.syscall + ":error=EIO:when=" + std::to_string(call.number));
        ExpectNothingLost(pc, m_originals, monitor, status, ::testing::PrintToString(call));
        if (status == 0) {
            harmless << " " << ::testing::PrintToString(call);
            ++harmlessCount;
        }
    }
    EXPECT_LT(harmlessCount, calls.size()) << "no injected failure took effect";
    std::cout << calls.size() << " " << GetParam().name
              << " calls failed in turn; the run still completed without:" << harmless.str()
              << "\n";
}

INSTANTIATE_TEST_SUITE_P(Download, FailedCallTest, ::testing::ValuesIn(FAMILIES),
                         [](const ::testing::TestParamInfo<FaultFamily>& info) {
                             return info.param.name;
                         });

TEST_F(DownloadFaultTest, KilledAtARandomCallASecondRunCompletes) {
    std::vector<TracedCall> chosen;
    std::sample(m_calls.begin(), m_calls.end(), std::back_inserter(chosen), 12,
                std::mt19937(20248));
    for (const TracedCall& call : chosen) {
        const FaultCase pc(m_originals);
        SimulatorProcess monitor({"--root", pc.MonitorRoot().string()});
        const int status =
            RunWords(pc.Cli("download", monitor.Port()),
                     call.syscall + ":signal=KILL:when=" + std::to_string(call.number));
        const std::string fault = "killed at " + ::testing::PrintToString(call);
        EXPECT_EQ(status, KILLED) << fault;
        for (const std::string& name : Recorded(pc)) {
            EXPECT_TRUE(IsComplete(pc, m_originals, name)) << fault << ": " << name;
        }
        EXPECT_EQ(RunWords(pc.Cli("download", monitor.Port(), {"--replace-incomplete", "yes"})), 0)
            << fault;
        ExpectNothingLost(pc, m_originals, monitor, 0, fault + ", then a second run");
    }
}

// Mounts a tmpfs of the given size over a folder, in a mount namespace of this process so that
// nothing outside it sees the mount; unmounted at the end.
class SmallFileSystem {
public:
    SmallFileSystem(const fs::path& folder, int pages) : m_folder(folder) {
        fs::create_directories(folder);
        const std::string options = "size=" + std::to_string(pages * 4096);
        if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            m_strError = std::strerror(errno);
        }
    }
    ~SmallFileSystem() {
        if (m_strError.empty()) {
            umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    const std::string& Error() const { return m_strError; }

private:
    fs::path m_folder;
    std::string m_strError;
};

TEST_F(DownloadFaultTest, AFullFileSystemLosesNothing) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        GTEST_SKIP() << "no mount namespace of our own: " << std::strerror(errno);
    }
    // One page more each time, from one page to room for every file and record.
    bool completed = false;
    int failed = 0;
    for (int pages = 1; pages <= 24 && !completed; ++pages) {
        FaultCase pc(m_originals);
        const SmallFileSystem disk(pc.Pc(), pages);
        if (!disk.Error().empty()) {
            GTEST_SKIP() << "a tmpfs cannot be mounted here: " << disk.Error();
        }
        fs::create_directories(pc.Records());
        SimulatorProcess monitor({"--root", pc.MonitorRoot().string()});
        const int status = RunWords(pc.Cli("download", monitor.Port()));
        completed = status == 0;
        failed += completed ? 0 : 1;
        ExpectNothingLost(pc, m_originals, monitor, status,
                          "tmpfs of " + std::to_string(pages) + " pages");
    }
    EXPECT_TRUE(completed) << "no size let the download complete";
    EXPECT_GT(failed, 0) << "the file system never filled up";
}

}  // namespace
}  // namespace somvix::test
