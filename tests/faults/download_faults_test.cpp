#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <set>
#include <sstream>

#include "faults/traced_download.h"
#include "transfer/records.h"

// `somvixmn-cli download` with one fault at a time: each file-system call of a clean run failed
// in turn (strace's syscall tampering), the program killed at a call chosen at random, and a
// file system that fills up. Whatever happens, the run may claim success only with every
// monitoring complete and recorded, the downloaded list names only complete monitorings, and an
// erase that follows, answering so as to keep the data, takes nothing off the monitor that the
// PC lacks.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;

// One name begins the other: a record cut short must not name the shorter one.
const Strings MONITORINGS = {"paciente1", "paciente12"};
constexpr int KILLED = 128 + 9;

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

bool IsComplete(const FaultCase& pc, const MonitorFolder& originals, const std::string& name) {
    for (const std::string& file : MonitorFolder::FilesOf(name)) {
        const fs::path copy = pc.Downloads() / "SOMVIXSIM" / name / file;
        if (!fs::exists(copy) || ReadFileBytes(copy) != originals.Original(name, file)) {
            return false;
        }
    }
    return true;
}

// The monitorings the program takes as fetched, read as it reads its downloaded list.
std::set<std::string> Recorded(const FaultCase& pc) {
    const std::set<std::string> listed = ReadDownloadedList(pc.Records() / "SOMVIXSIM.txt");
    std::set<std::string> recorded;
    for (const std::string& name : MONITORINGS) {
        if (listed.count(name) != 0) {
            recorded.insert(name);
        }
    }
    return recorded;
}

// The promises after one download that ended with status: success only with everything
// fetched and recorded, and a record only for a complete copy. Then an erase that keeps the
// data, after which every monitoring gone from the monitor is complete and recorded on the PC.
void ExpectNothingLost(const FaultCase& pc, const MonitorFolder& originals, int status,
                       const std::string& fault) {
    SCOPED_TRACE(fault);
    const std::set<std::string> recorded = Recorded(pc);
    EXPECT_TRUE(status == 0 || status == 1) << "status " << status;
    if (status == 0) {
        EXPECT_EQ(recorded.size(), MONITORINGS.size())
            << "a completed download recorded not everything";
    }
    for (const std::string& name : recorded) {
        EXPECT_TRUE(IsComplete(pc, originals, name)) << name << " is recorded but not complete";
    }

    std::string output;
    const int erased = RunWords(
        pc.Cli("erase", {"--yes", "--download-missing", "yes", "--replace-incomplete", "yes"}), {},
        &output);
    EXPECT_TRUE(erased == 0 || erased == 1) << "erase status " << erased << "\n" << output;
    for (const std::string& name : MONITORINGS) {
        if (!fs::exists(pc.MonitorRoot() / name)) {
            EXPECT_TRUE(IsComplete(pc, originals, name) && Recorded(pc).count(name) != 0)
                << name << " was erased without a complete recorded copy";
        }
    }
}

class DownloadFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CanTrace()) {
            GTEST_SKIP() << "strace cannot trace here (missing, or ptrace refused)";
        }
        for (const std::string& name : MONITORINGS) {
            m_originals.AddMonitoring(name);
        }
        std::vector<std::string> syscalls;
        for (const FaultFamily& family : FAMILIES) {
            syscalls.insert(syscalls.end(), family.syscalls.begin(), family.syscalls.end());
        }
        m_calls = TraceDownload(FaultCase(m_originals), syscalls);
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
        const int status = RunWords(pc.Cli("download"), Tampering(call, "error=EIO", pc));
        ExpectNothingLost(pc, m_originals, status, ::testing::PrintToString(call));
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
        const int status = RunWords(pc.Cli("download"), Tampering(call, "signal=KILL", pc));
        const std::string fault = "killed at " + ::testing::PrintToString(call);
        EXPECT_EQ(status, KILLED) << fault;
        for (const std::string& name : Recorded(pc)) {
            EXPECT_TRUE(IsComplete(pc, m_originals, name)) << fault << ": " << name;
        }
        EXPECT_EQ(RunWords(pc.Cli("download", {"--replace-incomplete", "yes"})), 0) << fault;
        ExpectNothingLost(pc, m_originals, 0, fault + ", then a second run");
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

// What the PC holds and the monitor lists when the disk fills up.
struct DiskScenario {
    const char* name;
    std::string listBefore;  // the downloaded list's bytes before the run
    Strings monitorOptions;
};

const DiskScenario DISK_SCENARIOS[] = {
    {"empty records", "", {}},
    // The list one name short of a page and the longer name fetched first: the append that
    // the full disk cuts short leaves "paciente1" without its line end.
    {"list one name short of a page",
     std::string(4085, 'x') + "\r\n",
     {"--list-reply", "paciente12 paciente1"}},
};

TEST_F(DownloadFaultTest, AFullFileSystemLosesNothing) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        GTEST_SKIP() << "no mount namespace of our own: " << std::strerror(errno);
    }
    for (const DiskScenario& scenario : DISK_SCENARIOS) {
        // One page more each time, from one page to room for every file and record.
        bool completed = false;
        int failed = 0;
        for (int pages = 1; pages <= 24 && !completed; ++pages) {
            FaultCase pc(m_originals, scenario.monitorOptions);
            const SmallFileSystem disk(pc.Pc(), pages);
            if (!disk.Error().empty()) {
                GTEST_SKIP() << "a tmpfs cannot be mounted here: " << disk.Error();
            }
            fs::create_directories(pc.Records());
            if (!scenario.listBefore.empty()) {
                WriteFileBytes(pc.Records() / "SOMVIXSIM.txt", scenario.listBefore);
            }
            const int status = RunWords(pc.Cli("download"));
            completed = status == 0;
            failed += completed ? 0 : 1;
            ExpectNothingLost(
                pc, m_originals, status,
                std::string(scenario.name) + ", tmpfs of " + std::to_string(pages) + " pages");
        }
        EXPECT_TRUE(completed) << scenario.name << ": no size let the download complete";
        EXPECT_GT(failed, 0) << scenario.name << ": the file system never filled up";
    }
}

}  // namespace
}  // namespace somvix::test
