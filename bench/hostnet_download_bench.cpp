// A full download of sample monitorings over the crossed cable as this machine can make one:
// two network namespaces joined by a veth link limited to 100 Mbit/s, with a one-way delay
// (netem where the kernel has it, else a delaying relay in the monitor's namespace), the
// simulated monitor on one side and `somvixmn-cli download --cable` on the other, which adds
// 10.8.0.2 for the download and removes it afterwards. Needs root; skipped otherwise.
//
// Reported: the time of one download (program start, adaptation, transfer, restoration) and
// that time over the ideal one: the files' bytes at the link rate plus one round trip for each
// request of the conversation. The download syncs each monitoring to disk before recording it:
// with TMPDIR on a disk that sync is part of the time; TMPDIR=/dev/shm leaves the link and the
// programs.

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>

#include "hostnet/command_runner.h"
#include "hostnet/delay_relay.h"
#include "hostnet/netns_lab.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int LINK_MEGABITS = 100;
constexpr int SAMPLE_MONITORINGS = 5;
constexpr int RELAYED_MONITOR_PORT = 20249;  // the monitor behind the relay, on loopback
// Requests of one download besides the files: name, login, list, quit; five lists a monitoring.
constexpr int FIXED_REQUESTS = 4;
constexpr int LIST_REQUESTS_PER_MONITORING = 5;

const std::string BIN_DIR = SOMVIX_BIN_DIR;

struct SampleSize {
    std::uintmax_t bytes = 0;
    int monitorings = 0;
    int files = 0;
};

SampleSize MeasureSamples(const fs::path& folder) {
    SampleSize size;
    for (const auto& monitoring : fs::directory_iterator(folder)) {
        if (!monitoring.is_directory()) {
            continue;
        }
        ++size.monitorings;
        for (const auto& file : fs::directory_iterator(monitoring.path())) {
            if (file.is_regular_file()) {
                ++size.files;
                size.bytes += file.file_size();
            }
        }
    }
    return size;
}

void CableDownload(benchmark::State& state) {
    const std::chrono::microseconds oneWayDelay(state.range(0));
    std::string why;
    const std::unique_ptr<test::NetnsLab> lab = test::NetnsLab::Make(why);
    if (lab == nullptr) {
        state.SkipWithError(why.c_str());
        return;
    }
    bool delayedByNetem = false;
    if (!lab->ShapeLink(LINK_MEGABITS, oneWayDelay, delayedByNetem, why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    const test::TempDir work;
    const fs::path samples = work.Path() / "monitor";
    RunCommand(BIN_DIR + "/somvix-monitor", "--make-samples " + samples.string() + " --count " +
                                                std::to_string(SAMPLE_MONITORINGS) + " --seed 3");
    const SampleSize size = MeasureSamples(samples);

    // Without netem the monitor listens on loopback behind the relay, which holds every piece
    // back for the delay on its way in either direction.
    const std::string listen = delayedByNetem ? "10.8.0.1" : "127.0.0.1";
    const std::string port = std::to_string(delayedByNetem ? 20248 : RELAYED_MONITOR_PORT);
    const fs::path monitorLog = work.Path() / "monitor.log";
    const test::BackgroundProcess monitor(
        test::InNamespace(lab->MonitorNamespace(),
                          {BIN_DIR + "/somvix-monitor", "--root", samples.string(), "--listen",
                           listen, "--port", port, "--keep"}),
        monitorLog);
    if (!test::WaitForText(monitorLog, "listening on")) {
        state.SkipWithError("the simulated monitor did not start");
        return;
    }
    std::optional<test::DelayRelay> relay;
    if (!delayedByNetem) {
        relay.emplace(lab->MonitorNamespace(), "10.8.0.1", 20248, "127.0.0.1", RELAYED_MONITOR_PORT,
                      oneWayDelay);
        if (!relay->Listening()) {
            state.SkipWithError("the delaying relay did not start");
            return;
        }
    }

    int run = 0;
    double measuredSeconds = 0.0;
    for (auto _ : state) {
        const fs::path download = work.Path() / ("download" + std::to_string(run));
        const fs::path records = work.Path() / ("records" + std::to_string(run));
        ++run;
        fs::create_directories(download);
        fs::create_directories(records);
        const Clock::time_point start = Clock::now();
        const std::string output = RunCommand(
            "ip", "netns exec " + lab->PcNamespace() + " " + BIN_DIR +
                      "/somvixmn-cli download --cable --interface " + lab->PcInterface() + " " +
                      download.string() + " --records-dir " + records.string());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        measuredSeconds += seconds;
        if (output.find("Descarga de datos completada") == std::string::npos) {
            state.SkipWithError(("the download failed: " + output).c_str());
            return;
        }
        fs::remove_all(download);
        fs::remove_all(records);
    }

    const int requests =
        FIXED_REQUESTS + size.monitorings * LIST_REQUESTS_PER_MONITORING + size.files;
    const double idealSeconds = static_cast<double>(size.bytes) * 8.0 / (LINK_MEGABITS * 1e6) +
                                requests * 2.0 * std::chrono::duration<double>(oneWayDelay).count();
    state.counters["bytes"] = static_cast<double>(size.bytes);
    state.counters["requests"] = requests;
    state.counters["ideal_ms"] = idealSeconds * 1000.0;
    state.counters["netem"] = delayedByNetem ? 1 : 0;
    state.counters["measured_over_ideal"] = measuredSeconds / run / idealSeconds;
}

// One-way delays in microseconds.
BENCHMARK(CableDownload)
    ->Arg(100)
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
}  // namespace somvix

BENCHMARK_MAIN();
