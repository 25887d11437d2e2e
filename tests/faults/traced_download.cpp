#include "faults/traced_download.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace somvix::test {

namespace {

namespace fs = std::filesystem;

const fs::path STRACE = "/usr/bin/strace";
constexpr int PROGRAM_WAIT_MS = 60000;

fs::path CliProgram() {
    return fs::path(SOMVIX_BIN_DIR) / "somvixmn-cli";
}

}  // namespace

void PrintTo(const TracedCall& call, std::ostream* out) {
    *out << call.syscall << " #" << call.number << " (" << call.target
         << (call.mainThread ? ")" : ", another thread)");
}

FaultCase::FaultCase(const MonitorFolder& originals, const Strings& monitorOptions) {
    fs::copy(originals.Root(), MonitorRoot(), fs::copy_options::recursive);
    fs::create_directories(Records());
    Strings arguments = {"--root", MonitorRoot().string()};
    arguments.insert(arguments.end(), monitorOptions.begin(), monitorOptions.end());
    m_monitor = std::make_unique<SimulatorProcess>(arguments);
}

Strings FaultCase::Cli(const std::string& verb, const Strings& options) const {
    Strings words = {CliProgram().string(),
                     verb,
                     Downloads().string(),
                     "--lan",
                     "127.0.0.1",
                     "--port",
                     std::to_string(m_monitor->Port()),
                     "--records-dir",
                     Records().string()};
    words.insert(words.end(), options.begin(), options.end());
    return words;
}

bool CanTrace() {
    return RunProgram(STRACE, {"-o", "/dev/null", "true"}) == 0;
}

int RunWords(const Strings& words, const Strings& straceOptions, std::string* output) {
    if (straceOptions.empty()) {
        return RunProgram(words.front(), Strings(words.begin() + 1, words.end()), output,
                          PROGRAM_WAIT_MS);
    }
    // LeakSanitizer stops the program with ptrace to look for leaks, which a traced program
    // cannot be: a sanitizer build checks leaks in the runs without strace only.
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    Strings arguments = {
        "-E", std::string("ASAN_OPTIONS=") + (sanitizer ? sanitizer : "") + ":detect_leaks=0"};
    arguments.insert(arguments.end(), straceOptions.begin(), straceOptions.end());
    arguments.push_back("--");
    arguments.insert(arguments.end(), words.begin(), words.end());
    return RunProgram(STRACE, arguments, output, PROGRAM_WAIT_MS);
}

Strings Tampering(const TracedCall& call, const std::string& action, const FaultCase& pc) {
    if (call.mainThread) {
        // Without following threads: the count is the main thread's.
        return {"-o", "/dev/null", "-e",
                "inject=" + call.syscall + ":" + action + ":when=" + std::to_string(call.number)};
    }
    return {"-f",
            "-o",
            "/dev/null",
            "-P",
            (pc.Pc() / call.file).string(),
            "-e",
            "trace=" + call.syscall,
            "-e",
            "inject=" + call.syscall + ":" + action};
}

std::vector<TracedCall> TraceDownload(const FaultCase& pc, const Strings& syscalls) {
    const fs::path log = pc.Pc() / "trace.txt";
    std::string traced;
    for (const std::string& syscall : syscalls) {
        traced += (traced.empty() ? "trace=" : ",") + syscall;
    }
    if (RunWords(pc.Cli("download"), {"-f", "-y", "-o", log.string(), "-e", traced}) != 0) {
        return {};
    }
    std::vector<TracedCall> calls;
    std::map<std::string, int> counts;  // by name and thread: "main", or the call's file
    std::string mainThread;  // the first line's process id: the loader runs before any thread
    std::istringstream lines(ReadFileBytes(log));
    for (std::string line; std::getline(lines, line);) {
        // Each line begins with the id of the thread that made the call, padded with blanks.
        const std::size_t space = line.find(' ');
        const std::string thread = line.substr(0, space);
        line.erase(0, std::min(line.find_first_not_of(' ', space), line.size()));
        mainThread = mainThread.empty() ? thread : mainThread;
        const std::size_t open = line.find('(');
        if (open == std::string::npos || line.starts_with("+++") || line.starts_with("---") ||
            line.starts_with("<...")) {
            continue;
        }
        TracedCall call{line.substr(0, open), 0, {}, thread == mainThread, {}};
        // A path argument is quoted, a descriptor's file follows it in angle brackets.
        const bool byPath = call.syscall.starts_with("open") || call.syscall.starts_with("rename");
        const char close = byPath ? '"' : '>';
        const std::size_t start = line.find(byPath ? '"' : '<', open);
        const std::size_t end = line.find(close, start + 1);
        if (start != std::string::npos && end != std::string::npos) {
            call.target = line.substr(start + 1, end - start - 1);
        }
        // Every call counts, the loader's too, as strace counts them.
        call.number = ++counts[call.syscall + (call.mainThread ? "" : " " + call.target)];
        // The loader's and the C library's own files are not the program's to fail over, nor
        // the pipe into which a sanitizer's runtime writes to probe memory.
        if ((byPath && !call.target.starts_with(pc.Pc().string())) ||
            call.target.starts_with("pipe:")) {
            continue;
        }
        if (!call.mainThread && !call.target.starts_with(pc.Pc().string())) {
            continue;
        }
        call.file = fs::path(call.target).lexically_relative(pc.Pc());
        call.target = fs::path(call.target).filename().string();
        calls.push_back(call);
    }
    return calls;
}

}  // namespace somvix::test
