#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

#include "hostnet/command_line.h"
#include "hostnet/command_runner.h"
#include "hostnet/command_runner_piece.h"
#include "hostnet/process_privilege.h"
#include "hostnet/system_programs.h"

extern char** environ;

namespace somvix {

namespace {

using Clock = std::chrono::steady_clock;

// Pieces read after a time-out: more than a full pipe holds, and a bound should something
// outside the ended group still be writing.
constexpr int DRAIN_PIECES = 1024;

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int Get() const { return m_fd; }
    void Close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd;
};

// A posix_spawn setting object, destroyed on every way out.
template <typename Object, int (*Init)(Object*), int (*Destroy)(Object*)>
class SpawnSetting {
public:
    SpawnSetting() { Init(&m_object); }
    ~SpawnSetting() { Destroy(&m_object); }
    SpawnSetting(const SpawnSetting&) = delete;
    SpawnSetting& operator=(const SpawnSetting&) = delete;
    Object* Get() { return &m_object; }

private:
    Object m_object;
};

using SpawnFileActions = SpawnSetting<posix_spawn_file_actions_t, posix_spawn_file_actions_init,
                                      posix_spawn_file_actions_destroy>;
using SpawnAttributes =
    SpawnSetting<posix_spawnattr_t, posix_spawnattr_init, posix_spawnattr_destroy>;

// A started child, leader of its own process group. Whatever way the runner leaves, the child
// is reaped; if it has not ended by then, its whole group is ended first.
class ChildProcess {
public:
    explicit ChildProcess(pid_t pid) : m_pid(pid) {}
    ~ChildProcess() {
        if (m_pid > 0) {
            EndGroup();
            Reap();
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the child's exit until the deadline; true when it was reaped.
    bool WaitUntil(Clock::time_point deadline) {
        for (;;) {
            int status = 0;
            const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
            if (done == m_pid || (done < 0 && errno != EINTR)) {
                m_bExitedWithZero = done == m_pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
                m_pid = -1;
                return true;
            }
            if (Clock::now() >= deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    // The child is not yet reaped, so its group id cannot have been reused.
    void EndGroup() { ::kill(-m_pid, SIGKILL); }
    // Reaped by WaitUntil after an exit with status 0.
    bool ExitedWithZero() const { return m_bExitedWithZero; }

private:
    void Reap() {
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }

    pid_t m_pid;
    bool m_bExitedWithZero = false;
};

std::vector<char*> ArgumentPointers(std::vector<std::string>& items) {
    std::vector<char*> pointers;
    pointers.reserve(items.size() + 1);
    for (std::string& item : items) {
        pointers.push_back(item.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// The file to start for the program item: a path as it is; a name found in the caller's PATH
// only when the caller may choose it (empty searchPath otherwise), else in the system's folders.
// Empty when there is none.
std::string ProgramToStart(const std::string& program, ChildEnvironment environment,
                           bool& searchPath) {
    searchPath = false;
    if (program.find('/') != std::string::npos) {
        return program;
    }
    if (environment == ChildEnvironment::Inherited && !ProcessHoldsPrivilege()) {
        searchPath = true;
        return program;
    }
    return FindSystemProgram(program);
}

// Starts the child with the pipe's write end as standard output and standard error, /dev/null
// as standard input and no other descriptor of ours; returns its id, or -1.
pid_t SpawnChild(std::vector<std::string>& items, ChildEnvironment environment, int writeFd) {
    bool searchPath = false;
    const std::string program = ProgramToStart(items[0], environment, searchPath);
    if (program.empty()) {
        return -1;
    }
    SpawnFileActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.Get(), writeFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), writeFd, STDERR_FILENO);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Descriptors that other parts of the program opened without close-on-exec.
    posix_spawn_file_actions_addclosefrom_np(actions.Get(), STDERR_FILENO + 1);
#endif
    SpawnAttributes attributes;
    // Its own process group, so that a time-out ends what it started as well; default signal
    // handling and an empty mask, whatever this process has set for itself.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaultSignals;
    sigemptyset(&defaultSignals);
    sigaddset(&defaultSignals, SIGPIPE);
    sigaddset(&defaultSignals, SIGCHLD);
    posix_spawnattr_setflags(
        attributes.Get(), POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(attributes.Get(), 0);
    posix_spawnattr_setsigmask(attributes.Get(), &noSignals);
    posix_spawnattr_setsigdefault(attributes.Get(), &defaultSignals);

    KeepCapabilitiesFromChildren();

    std::string fixedVariables[] = {std::string("PATH=") + SYSTEM_PROGRAM_PATH, "LC_ALL=C"};
    char* fixedEnvironment[] = {fixedVariables[0].data(), fixedVariables[1].data(), nullptr};
    char* const* childEnvironment =
        environment == ChildEnvironment::Fixed ? fixedEnvironment : environ;
    std::vector<char*> argv = ArgumentPointers(items);
    pid_t pid = -1;
    const int failed = searchPath ? posix_spawnp(&pid, program.c_str(), actions.Get(),
                                                 attributes.Get(), argv.data(), childEnvironment)
                                  : posix_spawn(&pid, program.c_str(), actions.Get(),
                                                attributes.Get(), argv.data(), childEnvironment);
    return failed != 0 ? -1 : pid;
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Reads one piece when the pipe has one before the deadline. 1: a piece was added, 0: every
// writer has closed the pipe (or it failed), -1: the deadline passed first.
int ReadPiece(int fd, std::string& output, Clock::time_point deadline) {
    char piece[READ_PIECE_SIZE];
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, MillisecondsLeft(deadline));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled == 0) {
            return -1;
        }
        const ssize_t count = polled < 0 ? -1 : ::read(fd, piece, sizeof piece);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return 0;
        }
        AppendOutputPiece(output, piece, static_cast<std::size_t>(count));
        return 1;
    }
}

}  // namespace

std::string RunCommand(const std::string& program, const std::string& arguments,
                       std::chrono::milliseconds timeout, ChildEnvironment environment,
                       bool* succeeded) {
    if (succeeded != nullptr) {
        *succeeded = false;
    }
    const std::string commandLine = JoinCommandLine(program, arguments);
    std::vector<std::string> items = SplitCommandLine(commandLine);
    if (commandLine.size() > MAX_COMMAND_LINE || items.empty()) {
        return {};
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return {};
    }
    UniqueFd readEnd(ends[0]);
    UniqueFd writeEnd(ends[1]);
    const pid_t pid = SpawnChild(items, environment, writeEnd.Get());
    // From here on only the child (and what it starts) holds the write end, so the pipe ends
    // when they have all closed it.
    writeEnd.Close();
    if (pid < 0) {
        return {};
    }
    ChildProcess child(pid);

    const Clock::time_point deadline = Clock::now() + timeout;
    std::string output;
    int state = 1;
    while (state == 1) {
        state = ReadPiece(readEnd.Get(), output, deadline);
    }
    if (state == 0 && child.WaitUntil(deadline)) {
        if (succeeded != nullptr) {
            *succeeded = child.ExitedWithZero();
        }
        return output;
    }
    // Out of time: end the child and its group, and keep what is already in the pipe.
    child.EndGroup();
    const Clock::time_point now = Clock::now();
    for (int piece = 0; piece < DRAIN_PIECES && ReadPiece(readEnd.Get(), output, now) == 1;
         ++piece) {
    }
    return output;
}

}  // namespace somvix
