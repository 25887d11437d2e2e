// A full download of monitorings over the crossed cable as this machine can make one: two
// network namespaces joined by a veth link limited to 100 Mbit/s, with a one-way delay (netem
// where the kernel has it, else a delaying relay in the monitor's namespace), the simulated
// monitor on one side and the PC on the other, whose adapter has no address until the download
// adds 10.8.0.2 and removes it afterwards. Needs root; skipped otherwise.
//
// Arguments: the one-way delay in microseconds, and the monitorings: 5 samples of the simulator,
// or 100 with a file of each kind at its size limit (62 MB), where the bytes outweigh every cost
// per request or per monitoring.
//
//   CableDownload           `somvixmn-cli download --cable` as a user starts it: program start,
//                           adaptation, transfer, syncs, restoration.
//   CableDownloadBreakdown  the same download operation in this process, with where its time
//                           went (download_timing.h): address_ms, transfer_ms, ending_ms,
//                           sync_wait_ms, and sync_busy_ms spent syncing beside the transfer.
//
// Both report measured_over_ideal: the time of one download over the ideal one, the files'
// bytes at the link rate plus one round trip for each request of the conversation, and
// measured_over_link_ideal, the same with the round trip measured on the link as built
// (link_rtt_us: without netem the relay's hops and the processors' wake-ups add to the nominal
// delay). The download syncs each monitoring to disk before recording it: with TMPDIR on a disk
// those syncs take part; TMPDIR=/dev/shm leaves the link and the programs.
//
//   sudo build/bin/bench_hostnet_download

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

#include "device/device_connection.h"
#include "device/protocol.h"
#include "download_timing.h"
#include "hostnet/command_runner.h"
#include "hostnet/delay_relay.h"
#include "hostnet/host_address_state.h"
#include "hostnet/make_host_adaptation.h"
#include "hostnet/netns_lab.h"
#include "support/temp_dir.h"
#include "transfer/transfer_settings.h"

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

// The shaped link with the monitor serving the monitorings of the benchmark's arguments.
class CableLab {
public:
    explicit CableLab(const benchmark::State& state)
        : m_oneWayDelay(state.range(0)), m_nMonitorings(static_cast<int>(state.range(1))) {}

    // Builds everything; false when it could not, with the benchmark skipped for the reason.
    bool Start(benchmark::State& state) {
        std::string why;
        const bool started = Build(why);
        if (!started) {
            state.SkipWithError(why.c_str());
        }
        return started;
    }

    const test::NetnsLab& Lab() const { return *m_pLab; }

    // A fresh download folder and records folder for one run. They stay until the benchmark
    // ends: deleting them between runs would time the file system's search for inodes not
    // deleted a moment ago instead of the download.
    std::pair<fs::path, fs::path> FreshFolders() {
        const std::string run = std::to_string(m_nRuns++);
        const std::pair<fs::path, fs::path> folders = {m_work.Path() / ("download" + run),
                                                       m_work.Path() / ("records" + run)};
        fs::create_directories(folders.first);
        fs::create_directories(folders.second);
        return folders;
    }

    // The counters both benchmarks report, for the mean seconds of one download.
    void Report(benchmark::State& state, double meanSeconds) const {
        const int requests =
            FIXED_REQUESTS + m_size.monitorings * LIST_REQUESTS_PER_MONITORING + m_size.files;
        const double idealSeconds =
            static_cast<double>(m_size.bytes) * 8.0 / (LINK_MEGABITS * 1e6) +
            requests * 2.0 * std::chrono::duration<double>(m_oneWayDelay).count();
        state.counters["bytes"] = static_cast<double>(m_size.bytes);
        state.counters["requests"] = requests;
        state.counters["ideal_ms"] = idealSeconds * 1000.0;
        state.counters["netem"] = m_bNetem ? 1 : 0;
        state.counters["measured_over_ideal"] = meanSeconds / idealSeconds;
        // The same ideal with the round trip the link as built gives a request of a few bytes
        // (the relay's timers and the simulator's answer included), not the nominal one.
        const double linkIdealSeconds =
            static_cast<double>(m_size.bytes) * 8.0 / (LINK_MEGABITS * 1e6) +
            requests * m_linkRoundTripSeconds;
        state.counters["link_rtt_us"] = m_linkRoundTripSeconds * 1e6;
        state.counters["measured_over_link_ideal"] = meanSeconds / linkIdealSeconds;
    }

private:
    bool Build(std::string& why) {
        m_pLab = test::NetnsLab::Make(why);
        bool delayedByNetem = false;
        if (m_pLab == nullptr ||
            !m_pLab->ShapeLink(LINK_MEGABITS, m_oneWayDelay, delayedByNetem, why)) {
            return false;
        }
        m_bNetem = delayedByNetem;
        const fs::path samples = m_work.Path() / "monitor";
        if (m_nMonitorings == SAMPLE_MONITORINGS) {
            RunCommand(BIN_DIR + "/somvix-monitor",
                       "--make-samples " + samples.string() + " --count " +
                           std::to_string(SAMPLE_MONITORINGS) + " --seed 3");
        } else {
            bench::MakeMonitoringsAtTheLimits(samples, m_nMonitorings);
        }
        m_size = MeasureSamples(samples);

        // Without netem the monitor listens on loopback behind the relay, which holds every
        // piece back for the delay on its way in either direction.
        const std::string listen = m_bNetem ? "10.8.0.1" : "127.0.0.1";
        const std::string port = std::to_string(m_bNetem ? 20248 : RELAYED_MONITOR_PORT);
        const fs::path monitorLog = m_work.Path() / "monitor.log";
        m_monitor.emplace(
            test::InNamespace(m_pLab->MonitorNamespace(),
                              {BIN_DIR + "/somvix-monitor", "--root", samples.string(), "--listen",
                               listen, "--port", port, "--keep"}),
            monitorLog);
        if (!test::WaitForText(monitorLog, "listening on")) {
            why = "the simulated monitor did not start";
            return false;
        }
        if (!m_bNetem) {
            m_relay.emplace(m_pLab->MonitorNamespace(), "10.8.0.1", 20248, "127.0.0.1",
                            RELAYED_MONITOR_PORT, m_oneWayDelay);
            if (!m_relay->Listening()) {
                why = "the delaying relay did not start";
                return false;
            }
        }
        return MeasureLinkRoundTrip(why);
    }

    // The median time of a short request and its reply ("GETLIST") over the shaped link, with
    // the PC's address added for it and removed again.
    bool MeasureLinkRoundTrip(std::string& why) {
        const std::string address = " 10.8.0.2/24 dev " + m_pLab->PcInterface();
        test::NetnsLab::Ip(m_pLab->PcNamespace(), "addr add" + address);
        std::vector<double> times;
        test::NetnsLab::RunInNamespace(m_pLab->PcNamespace(), [&] {
            DeviceConnection connection;
            std::string reply;
            if (OpenDeviceConnection("10.8.0.1", connection, {}) != 0 ||
                Transact(connection, std::string(COMMAND_AUTH), reply) != 0) {
                return;
            }
            for (int round = 0; round < 21; ++round) {
                const auto start = Clock::now();
                if (Transact(connection, std::string(COMMAND_GET_LIST), reply) != 0) {
                    return;
                }
                times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            }
            Transact(connection, std::string(COMMAND_QUIT), reply);
            CloseConnection(connection);
        });
        test::NetnsLab::Ip(m_pLab->PcNamespace(), "addr del" + address);
        if (times.size() != 21) {
            why = "no round trip over the link";
            return false;
        }
        std::nth_element(times.begin(), times.begin() + 10, times.end());
        m_linkRoundTripSeconds = times[10];
        return true;
    }

    std::chrono::microseconds m_oneWayDelay;
    int m_nMonitorings;
    test::TempDir m_work;
    std::unique_ptr<test::NetnsLab> m_pLab;
    bool m_bNetem = false;
    SampleSize m_size;
    double m_linkRoundTripSeconds = 0.0;
    std::optional<test::BackgroundProcess> m_monitor;
    std::optional<test::DelayRelay> m_relay;
    int m_nRuns = 0;
};

void CableDownload(benchmark::State& state) {
    CableLab cable(state);
    if (!cable.Start(state)) {
        return;
    }
    double measuredSeconds = 0.0;
    for (auto _ : state) {
        const auto folders = cable.FreshFolders();
        // Started from a thread inside the PC's namespace, as a user starts it there: the
        // program inherits the namespace.
        Clock::time_point start;
        std::string output;
        test::NetnsLab::RunInNamespace(cable.Lab().PcNamespace(), [&] {
            start = Clock::now();
            output = RunCommand(BIN_DIR + "/somvixmn-cli",
                                "download --cable --interface " + cable.Lab().PcInterface() + " " +
                                    folders.first.string() + " --records-dir " +
                                    folders.second.string());
        });
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        measuredSeconds += seconds;
        if (output.find("Descarga de datos completada") == std::string::npos) {
            state.SkipWithError(("the download failed: " + output).c_str());
            return;
        }
    }
    cable.Report(state, measuredSeconds / static_cast<double>(state.iterations()));
}

void CableDownloadBreakdown(benchmark::State& state) {
    CableLab cable(state);
    if (!cable.Start(state)) {
        return;
    }
    const std::unique_ptr<HostAdaptation> adaptation =
        MakeHostAdaptation(cable.Lab().PcInterface());
    HostAddressState hostAddress;
    hostAddress.m_connectionKind = ConnectionKind::Cable;
    bench::DownloadTimes sum;
    for (auto _ : state) {
        const auto folders = cable.FreshFolders();
        TransferSettings settings;
        settings.recordsDir = folders.second;
        bench::DownloadTimes times;
        const bool entered = test::NetnsLab::RunInNamespace(cable.Lab().PcNamespace(), [&] {
            times = bench::TimeDownload(folders.first, hostAddress, *adaptation, settings);
        });
        if (!entered || times.result != 0) {
            state.SkipWithError("the download failed");
            return;
        }
        state.SetIterationTime(times.whole);
        sum += times;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["address_ms"] = sum.address * 1000.0 / runs;
    state.counters["transfer_ms"] = sum.transfer * 1000.0 / runs;
    state.counters["ending_ms"] = sum.ending * 1000.0 / runs;
    state.counters["sync_wait_ms"] = sum.syncWait * 1000.0 / runs;
    state.counters["sync_busy_ms"] = sum.syncBusy * 1000.0 / runs;
    cable.Report(state, sum.whole / runs);
}

// One-way delays in microseconds, with the monitorings downloaded.
void SampleCases(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
    benchmark->Args({100, SAMPLE_MONITORINGS})->Args({1000, SAMPLE_MONITORINGS});
}
void LargeCases(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark->Args({100, 100})->Args({1000, 100});
}

BENCHMARK(CableDownload)->Apply(SampleCases);
BENCHMARK(CableDownloadBreakdown)->Apply(SampleCases);
BENCHMARK(CableDownload)->Apply(LargeCases);
BENCHMARK(CableDownloadBreakdown)->Apply(LargeCases);

}  // namespace
}  // namespace somvix

BENCHMARK_MAIN();
