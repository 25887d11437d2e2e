#include "faults/traced_download.h"

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
    *out << call.syscall << " #" << call.number << " (" << call.target << ")";
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

Strings Tampering(const TracedCall& call, const std::string& action) {
    return {"-o", "/dev/null", "-e",
            "inject=" + call.syscall + ":" + action + ":when=" + std::to_string(call.number)};
}

std::vector<TracedCall> TraceDownload(const FaultCase& pc, const Strings& syscalls) {
    const fs::path log = pc.Pc() / "trace.txt";
    std::string traced;
    for (const std::string& syscall : syscalls) {
        traced += (traced.empty() ? "trace=" : ",") + syscall;
    }
    if (RunWords(pc.Cli("download"), {"-y", "-o", log.string(), "-e", traced}) != 0) {
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
        // The loader's and the C library's own files are not the program's to fail over, nor
        // the pipe into which a sanitizer's runtime writes to probe memory.
        if ((byPath && !call.target.starts_with(pc.Pc().string())) ||
            call.target.starts_with("pipe:")) {
            continue;
        }
        call.target = fs::path(call.target).filename().string();
        calls.push_back(call);
    }
    return calls;
}

}  // namespace somvix::test
