#include "support/simulator_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <regex>
#include <thread>

extern char** environ;

namespace somvix::test {

namespace {

constexpr auto POLL_STEP = std::chrono::milliseconds(10);

std::filesystem::path OutputPath(const TempDir& folder) {
    return folder.Path() / "program-output.txt";
}

}  // namespace

pid_t StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& outputFile) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Never the terminal a test was started from: a program that finds one may ask and wait.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int result = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

namespace {

// Waits at most waitMs for the child to end; its status as Stop describes it, or -2 while it
// still runs.
int WaitForEnd(pid_t pid, int waitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            if (WIFEXITED(status)) {
                return WEXITSTATUS(status);
            }
            return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
        }
        if (ended < 0 || std::chrono::steady_clock::now() >= deadline) {
            return ended < 0 ? -1 : -2;
        }
        std::this_thread::sleep_for(POLL_STEP);
    }
}

}  // namespace

int EndWithin(pid_t pid, int waitMs) {
    const int status = WaitForEnd(pid, waitMs);
    if (status != -2) {
        return status;
    }
    kill(pid, SIGKILL);
    WaitForEnd(pid, waitMs);
    return -1;
}

std::filesystem::path SimulatorProgram() {
    return std::filesystem::path(SOMVIX_BIN_DIR) / "somvix-monitor";
}

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& arguments, int waitMs) {
    std::vector<std::string> all = {"--listen", "127.0.0.1", "--port", "0"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    m_nPid = StartProgram(SimulatorProgram().string(), all, OutputPath(m_folder));
    if (m_nPid <= 0) {
        return;
    }
    static const std::regex LISTENING("somvix-monitor listening on [0-9.]+:([0-9]+)\n");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (std::chrono::steady_clock::now() < deadline) {
        std::smatch match;
        const std::string output = Output();
        if (std::regex_search(output, match, LISTENING)) {
            m_nPort = static_cast<std::uint16_t>(std::stoi(match[1].str()));
            return;
        }
        if (WaitForEnd(m_nPid, 0) != -2) {
            m_nPid = -1;  // it ended without listening; Output() tells why
            return;
        }
        std::this_thread::sleep_for(POLL_STEP);
    }
}

SimulatorProcess::~SimulatorProcess() {
    Stop();
}

int SimulatorProcess::Stop(int signal, int waitMs) {
    if (m_nPid <= 0) {
        return -1;
    }
    kill(m_nPid, signal);
    const int status = EndWithin(m_nPid, waitMs);
    m_nPid = -1;
    m_nPort = 0;
    return status;
}

std::string SimulatorProcess::Output() const {
    return ReadFileBytes(OutputPath(m_folder));
}

int RunSimulator(const std::vector<std::string>& arguments, std::string* output, int waitMs) {
    return RunProgram(SimulatorProgram(), arguments, output, waitMs);
}

int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               std::string* output, int waitMs) {
    const TempDir folder;
    const pid_t pid = StartProgram(program.string(), arguments, OutputPath(folder));
    if (pid <= 0) {
        return -1;
    }
    const int status = EndWithin(pid, waitMs);
    if (output != nullptr) {
        *output = ReadFileBytes(OutputPath(folder));
    }
    return status;
}

}  // namespace somvix::test
