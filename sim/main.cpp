// somvix-monitor: a stand-in for the recording monitor, for trying the companion program
// without one and as the peer of the integration tests.

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "device/device_connection.h"
#include "device/protocol.h"
#include "sim/monitor_options.h"
#include "sim/monitor_server.h"
#include "sim/sample_maker.h"

namespace {

// "NAME:K": the file name and the byte count after which its transfer breaks off.
bool ParseCloseAfter(const std::string& text, somvix::sim::MonitorOptions& options) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
        return false;
    }
    try {
        std::size_t used = 0;
        const unsigned long long count = std::stoull(text.substr(colon + 1), &used);
        if (used != text.size() - colon - 1) {
            return false;
        }
        options.m_strCloseInFile = text.substr(0, colon);
        options.m_nCloseAfterBytes = static_cast<std::size_t>(count);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    using somvix::sim::MonitorOptions;
    MonitorOptions options;
    options.m_nPort = somvix::DEVICE_PORT;
    std::string samplesFolder;
    int sampleCount = 3;
    std::uint32_t seed = 1;
    std::string closeAfter;
    std::string fixedList;

    CLI::App app{
        "Simulated recording monitor: serves the monitorings below a folder over the "
        "monitor's TCP protocol, one connection after another, until Ctrl-C."};
    app.name("somvix-monitor");
    auto* root = app.add_option("--root", options.m_strRoot,
                                "Folder holding one sub-folder per monitoring (names with "
                                "\"paciente\")");
    app.add_option("--listen", options.m_strListen, "IPv4 address to listen on")
        ->capture_default_str();
    app.add_option("--port", options.m_nPort, "TCP port; 0 takes a free one (printed at start)")
        ->capture_default_str();
    app.add_option("--name", options.m_strName, "Reply to \"SOMVIXNAME\"")->capture_default_str();
    app.add_flag("--keep", options.m_bKeep,
                 "\"DELETE\" leaves the files: the monitoring is served again next connection");
    app.add_flag("--trace", options.m_bTrace, "Print each command received");

    const std::string faults = "Faults";
    app.add_flag("--refuse-login", options.m_bRefuseLogin, "Answer every \"AUTH\" with a refusal")
        ->group(faults);
    app.add_option("--quit-reply", options.m_strQuitReply, "Reply to \"QUIT\"")->group(faults);
    app.add_option("--bad-checksum", options.m_badChecksumFiles,
                   "Send this file with a wrong checksum (repeatable)")
        ->group(faults);
    app.add_option("--close-after", closeAfter,
                   "NAME:K: close the connection after K bytes of this file's contents")
        ->group(faults);
    app.add_option("--split", options.m_nPieceBytes, "Send every reply in pieces of N bytes")
        ->group(faults);
    app.add_option("--split-delay", options.m_nPieceDelayMs,
                   "Milliseconds between two pieces of a reply")
        ->group(faults)
        ->check(CLI::Range(0, 60000));
    app.add_option("--invalid-list", options.m_invalidListCommands,
                   "Answer this list command with \"INVALIDCMD\" (repeatable)")
        ->group(faults)
        ->check(
            CLI::IsMember({"GETEEGLIST", "GETHTRLIST", "GETFHILIST", "GETEVTLIST", "GETIMPLIST"}));
    app.add_option("--refuse-delete", options.m_refusedDeletes,
                   "Refuse \"DELETE\" for this monitoring (repeatable)")
        ->group(faults);
    app.add_option("--silent-after", options.m_strSilentAfter,
                   "Answer nothing from this command word on")
        ->group(faults);
    auto* list =
        app.add_option("--list-reply", fixedList, "Fixed reply to \"GETLIST\"")->group(faults);

    const std::string samples = "Sample monitorings";
    auto* make = app.add_option("--make-samples", samplesFolder,
                                "Write made-up monitorings into this folder and end")
                     ->group(samples);
    app.add_option("--count", sampleCount, "How many monitorings --make-samples writes")
        ->group(samples)
        ->check(CLI::Range(1, 99999))
        ->capture_default_str();
    app.add_option("--seed", seed, "Seed of --make-samples: the same seed, the same files")
        ->group(samples)
        ->capture_default_str();
    root->excludes(make);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    if (!closeAfter.empty() && !ParseCloseAfter(closeAfter, options)) {
        std::cerr << "somvix-monitor: --close-after wants NAME:K, K a byte count\n";
        return 2;
    }
    if (list->count() > 0) {
        options.m_fixedList = fixedList;
    }
    if (make->count() > 0) {
        return somvix::sim::MakeSampleMonitorings(samplesFolder, sampleCount, seed, std::cerr) == 0
                   ? 0
                   : 1;
    }
    if (root->count() == 0) {
        std::cerr << "somvix-monitor: give --root DIR to serve, or --make-samples DIR\n"
                  << app.help();
        return 2;
    }
    return somvix::sim::RunMonitor(options, std::cout, std::cerr);
}
