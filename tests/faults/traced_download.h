#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/simulator_process.h"
#include "transfer/monitor_fixture.h"

// Runs of `somvixmn-cli` against a simulated monitor, under strace when a fault is injected.
namespace somvix::test {

using Strings = std::vector<std::string>;

// One file-system call of a run: strace's syscall name, its number among the calls of that
// name, and the file or terminal it went to. The run syncs on threads of its own, where which
// thread makes a call varies from run to run: a call of the main thread is known by its number
// there (strace's "when=", counted per thread), one of another thread by its file.
struct TracedCall {
    std::string syscall;
    int number = 0;
    std::string target;
    bool mainThread = true;
    std::filesystem::path file;  // below the PC's folder; for a call of another thread
};

void PrintTo(const TracedCall& call, std::ostream* out);

// A simulated monitor serving its own copy of the monitorings, and a PC with an empty download
// folder and records folder; all go at the end of the case.
class FaultCase {
public:
    explicit FaultCase(const MonitorFolder& originals, const Strings& monitorOptions = {});

    std::filesystem::path Pc() const { return m_folder.Path() / "pc"; }
    std::filesystem::path MonitorRoot() const { return m_folder.Path() / "monitor"; }
    std::filesystem::path Downloads() const { return Pc() / "descargas"; }
    std::filesystem::path Records() const { return Pc() / "registros"; }

    // The command line of a verb on the download folder, aimed at the case's monitor.
    Strings Cli(const std::string& verb, const Strings& options = {}) const;

private:
    TempDir m_folder;
    std::unique_ptr<SimulatorProcess> m_monitor;
};

// Whether strace is there and may trace (ptrace can be refused).
bool CanTrace();

// Runs the words (program first), under strace with its options when some are given: its exit
// status, or 128 + the signal that ended it.
int RunWords(const Strings& words, const Strings& straceOptions = {},
             std::string* output = nullptr);

// strace's options that make the call fail ("error=EIO") or kill the program ("signal=KILL")
// when a run on pc makes it; for a call of another thread, every call of that name to its file.
Strings Tampering(const TracedCall& call, const std::string& action, const FaultCase& pc);

// The calls of the given syscalls that a download of the case makes to its own files and to
// its output, in order; none when the download failed.
std::vector<TracedCall> TraceDownload(const FaultCase& pc, const Strings& syscalls);

}  // namespace somvix::test
