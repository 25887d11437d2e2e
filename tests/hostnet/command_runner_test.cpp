#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "hostnet/command_runner.h"
#include "hostnet/process_privilege.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

using std::chrono::milliseconds;

std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// Running means neither gone nor a zombie.
bool IsRunning(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return false;
    }
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

// SIGKILL reaches a process that is not our child asynchronously: give it a bounded moment to
// die before calling it alive.
bool StillRunningAfterGrace(pid_t pid) {
    for (int attempt = 0; attempt < 100 && IsRunning(pid); ++attempt) {
        std::this_thread::sleep_for(milliseconds(20));
    }
    return IsRunning(pid);
}

std::string Shell(const std::string& script, milliseconds timeout = COMMAND_TIMEOUT) {
    return RunCommand("/bin/sh", "-c \"" + script + "\"", timeout);
}

std::string Numbers(int count) {
    std::string expected;
    for (int i = 0; i < count; ++i) {
        const std::string digits = std::to_string(i);
        expected += std::string(3 - digits.size(), '0') + digits + ",";
    }
    return expected;
}

// Puts a folder first in this process's PATH for the object's lifetime.
class PathFirst {
public:
    explicit PathFirst(const std::filesystem::path& folder) {
        const char* path = std::getenv("PATH");
        m_strOld = path != nullptr ? path : "";
        ::setenv("PATH", (folder.string() + ":" + m_strOld).c_str(), 1);
    }
    ~PathFirst() { ::setenv("PATH", m_strOld.c_str(), 1); }

private:
    std::string m_strOld;
};

TEST(RunCommand, CallersPathChoosesTheProgramOnlyWhenNothingIsAtStake) {
    const test::TempDir fakes;
    test::WriteFileBytes(fakes.Path() / "env", "#!/bin/sh\necho fake\n");
    std::filesystem::permissions(fakes.Path() / "env", std::filesystem::perms::owner_all);
    const PathFirst path(fakes.Path());
    // The system's env in a fixed environment, whatever the caller's PATH says.
    EXPECT_EQ(RunCommand("env", "", COMMAND_TIMEOUT, ChildEnvironment::Fixed),
              "PATH=/usr/sbin:/usr/bin:/sbin:/bin\nLC_ALL=C\n");
    // The fake only for a caller without privilege (root in CI: never).
    EXPECT_EQ(RunCommand("env", "") == "fake\n", !ProcessHoldsPrivilege());
}

TEST(RunCommand, HandsTheJoinedCommandLineOverWithoutAddingQuotes) {
    // Quoted as one item, printf would print its format text itself.
    EXPECT_EQ(RunCommand("printf", "%s|%s| one two"), "one|two|");
    EXPECT_EQ(RunCommand("printf", "[%s] \"two words\" plain"), "[two words][plain]");
}

TEST(RunCommand, ReturnsOutputOfManyPiecesWholeAndInOrder) {
    EXPECT_EQ(Shell("i=0; while [ $i -lt 100 ]; do printf '%03d,' $i; i=$((i+1)); done"),
              Numbers(100));
    // Written in small steps, so that reads come back short in the middle as well.
    EXPECT_EQ(Shell("for i in 000 001 002; do printf $i,; sleep 0.05; done"), Numbers(3));
}

TEST(RunCommand, ShortLastPieceAddsOnlyItsOwnBytes) {
    // 250 bytes: two full pieces and a last one of 50.
    const std::string output = Shell("i=0; while [ $i -lt 250 ]; do printf x; i=$((i+1)); done");
    EXPECT_EQ(output, std::string(250, 'x'));
}

TEST(RunCommand, ProgramThatCannotStartGivesEmptyOutput) {
    EXPECT_EQ(RunCommand("somvix-no-such-program", "-c interface dump"), "");
    EXPECT_EQ(RunCommand("/nonexistent/netsh", "x"), "");
    EXPECT_EQ(RunCommand("", ""), "");
}

TEST(RunCommand, TellsWhetherTheChildRanToAnExitWithStatusZero) {
    const struct {
        const char* program;
        const char* arguments;
        bool succeeded;
    } rows[] = {{"printf", "x", true},
                {"false", "", false},
                {"sh", "-c exit${IFS}3", false},
                {"somvix-no-such-program", "", false}};
    for (const auto& row : rows) {
        EXPECT_EQ(SystemCommandRunner().RunCommandChecked(row.program, row.arguments).m_bSucceeded,
                  row.succeeded)
            << row.program << " " << row.arguments;
    }
}

TEST(RunCommand, CapturesStandardErrorBetweenStandardOutput) {
    EXPECT_EQ(Shell("printf out1; printf err >&2; printf out2"), "out1errout2");
}

TEST(RunCommand, ZeroByteEndsThePieceItIsIn) {
    // The first piece is exactly the first 100 bytes, whenever they are read: what follows the
    // zero byte in it is lost, and "ef" comes in the next piece.
    const std::string rest(95, 'c');
    EXPECT_EQ(Shell("printf 'ab\\000" + rest + "de'; printf ef"), "abef");
}

TEST(RunCommand, ChildHasNoStandardInput) {
    EXPECT_EQ(Shell("cat; printf done"), "done");
}

TEST(RunCommand, RefusesCommandLinesLongerThan1023Characters) {
    // "printf " and the text: 7 + 1016 = 1023 characters.
    EXPECT_EQ(RunCommand("printf", std::string(1016, 'a')), std::string(1016, 'a'));
    EXPECT_EQ(RunCommand("printf", std::string(1017, 'a')), "");
}

TEST(RunCommand, ChildInheritsNoOtherDescriptorOfOurs) {
    const int fd = ::open("/dev/null", O_RDONLY);  // deliberately without close-on-exec
    ASSERT_GE(fd, 0);
    const std::string check = "[ -e /proc/self/fd/" + std::to_string(fd) + " ] && printf open";
    EXPECT_EQ(Shell(check + " || printf closed"), "closed");
    ::close(fd);
}

TEST(RunCommand, LeavesNoDescriptorOrChildBehindAfterManyRuns) {
    const std::size_t before = OpenDescriptors();
    for (int run = 0; run < 100; ++run) {
        ASSERT_EQ(RunCommand("printf", "run%s " + std::to_string(run)),
                  "run" + std::to_string(run));
    }
    EXPECT_EQ(RunCommand("somvix-no-such-program", ""), "");
    EXPECT_EQ(OpenDescriptors(), before);
    // No child at all is left, zombie or not.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(RunCommand, TimeOutEndsAChildThatNeverExitsAndWhatItStarted) {
    // The shell prints its own id and that of a child that would outlive it.
    const std::string output =
        Shell("sleep 30 & printf '%s %s' $$ $!; exec sleep 20", milliseconds(3000));
    std::istringstream ids(output);
    pid_t shellId = 0;
    pid_t sleepId = 0;
    ASSERT_TRUE(ids >> shellId >> sleepId) << output;
    EXPECT_FALSE(IsRunning(shellId));
    EXPECT_FALSE(StillRunningAfterGrace(sleepId));
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

TEST(RunCommand, TimeOutEndsAChildThatClosedItsOutputButRuns) {
    const std::string output =
        Shell("printf '%s' $$; exec >/dev/null 2>&1; sleep 30", milliseconds(3000));
    ASSERT_FALSE(output.empty());
    EXPECT_FALSE(IsRunning(std::stoi(output)));
}

}  // namespace
}  // namespace somvix
