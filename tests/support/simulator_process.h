#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace somvix::test {

// The simulator program of this build.
std::filesystem::path SimulatorProgram();

// A `somvix-monitor` child process serving on 127.0.0.1 on a free port. The constructor starts
// it with the arguments (after "--listen 127.0.0.1 --port 0") and waits, at most waitMs, for the
// line that gives its port; the destructor stops it (SIGTERM, then SIGKILL after a bounded
// wait). Its output goes to a file, read by Output().
class SimulatorProcess {
public:
    explicit SimulatorProcess(const std::vector<std::string>& arguments, int waitMs = 10000);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Started and listening.
    bool IsRunning() const { return m_nPort != 0 && m_nPid > 0; }
    std::uint16_t Port() const { return m_nPort; }
    pid_t Pid() const { return m_nPid; }

    // Sends the signal and waits at most waitMs for the end: its exit status, 128 + the signal
    // that ended it, or -1 when it had to be killed (or was not running).
    int Stop(int signal = 15, int waitMs = 5000);

    // Everything it has printed so far, standard output and error together.
    std::string Output() const;

private:
    TempDir m_folder;  // holds the output file
    pid_t m_nPid = -1;
    std::uint16_t m_nPort = 0;
};

// Runs the simulator to its end with the arguments (for --make-samples and the usage errors),
// waiting at most waitMs: its exit status, or -1 when it did not end in time.
int RunSimulator(const std::vector<std::string>& arguments, std::string* output = nullptr,
                 int waitMs = 30000);

// Runs a program to its end in the same way, with no input: its exit status, 128 + the signal
// that ended it, or -1 when it could not start or did not end in time (it is killed then).
int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               std::string* output = nullptr, int waitMs = 30000);

// Starts a program with no input and its output into outputFile, looked for in PATH when its
// name holds no '/': the process id, or -1.
pid_t StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& outputFile);
// Waits at most waitMs for a started child to end, and kills it then: its exit status, 128 + the
// signal that ended it, or -1 when it had to be killed.
int EndWithin(pid_t pid, int waitMs);

}  // namespace somvix::test
