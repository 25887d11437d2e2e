// Download throughput against the simulated monitor over loopback, next to the same bytes over
// one plain socket (of_plain_socket: the share of that rate the download reaches; reply_us,
// bytes_us and check_us: where a file's time went), and the speed of the transfer checksum.
// Two downloads: the device link alone (50 monitorings of two 200 KB files), and the whole
// download operation with its syncs and records (100 monitorings with a file of each kind at its
// size limit), with the breakdown of its time (download_timing.h). The files and their syncs go
// to the disk of TMPDIR.
//
//   build/bin/device_transfer_bench

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "device/crc32.h"
#include "device/device_connection.h"
#include "device/protocol.h"
#include "download_timing.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "sim/peer_socket.h"
#include "support/simulator_process.h"
#include "support/temp_dir.h"
#include "transfer/transfer_settings.h"

namespace somvix {
namespace {

constexpr int MONITORINGS = 50;
constexpr std::size_t FILE_BYTES = 200000;  // the largest trend or impedance file accepted
constexpr const char* EXTENSIONS[] = {".htr", ".imp"};
constexpr std::size_t FILES = MONITORINGS * std::size(EXTENSIONS);
constexpr std::size_t TOTAL_BYTES = FILES * FILE_BYTES;

std::string RandomText(std::mt19937& engine, std::size_t size) {
    std::string text(size, '\0');
    for (char& c : text) {
        c = static_cast<char>('0' + engine() % 10);
    }
    return text;
}

// The monitor's folder, made once for all benchmarks: 50 monitorings with two 200 KB files each.
const std::filesystem::path& MonitorRoot() {
    static const test::TempDir folder;
    static const bool made = [] {
        std::mt19937 engine(1);
        for (int index = 1; index <= MONITORINGS; ++index) {
            const std::string number = std::to_string(100000 + index).substr(1);
            const auto monitoring = folder.Path() / ("paciente" + number);
            std::filesystem::create_directories(monitoring);
            for (const char* extension : EXTENSIONS) {
                test::WriteFileBytes(monitoring / ("p" + number + "m" + extension),
                                     RandomText(engine, FILE_BYTES));
            }
        }
        return true;
    }();
    (void)made;
    return folder.Path();
}

// Bytes over one plain socket: a sender thread writes them in 64 KB blocks and the reader takes
// them in 64 KB receives, with no framing, checksum or disk. Whether they all arrived.
bool PlainTransfer(std::size_t bytes) {
    const std::string block(65536, 'x');
    std::vector<char> buffer(65536);
    sim::ListeningSocket listener;
    if (listener.Open("127.0.0.1", 0) != 0) {
        return false;
    }
    std::thread sender([&] {
        sim::StreamSocket connection;
        if (listener.Accept(connection, -1, 5000) != 0) {
            return;
        }
        for (std::size_t sent = 0; sent < bytes; sent += block.size()) {
            const std::size_t size = std::min(block.size(), bytes - sent);
            if (connection.SendAll(std::string_view(block).substr(0, size)) != 0) {
                return;
            }
        }
    });
    sim::StreamSocket reader;
    std::size_t received = 0;
    if (reader.Connect("127.0.0.1", listener.Port(), 5000) == 0) {
        for (long count = 1; count > 0 && received < bytes;) {
            count = reader.ReceiveSome(buffer.data(), buffer.size());
            received += count > 0 ? static_cast<std::size_t>(count) : 0;
        }
    }
    sender.join();
    return received == bytes;
}

// The median of a few plain transfers of the bytes, in seconds: the typical figure, as the
// download's is its mean. The best of them swung from 1.5 to 5.6 GB/s between runs on one
// machine, and the share with it.
double PlainSeconds(std::size_t bytes) {
    std::array<double, 7> seconds{};
    for (double& taken : seconds) {
        const auto start = std::chrono::steady_clock::now();
        if (!PlainTransfer(bytes)) {
            return 0.0;
        }
        taken = bench::Seconds(start, std::chrono::steady_clock::now());
    }
    std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
    return seconds[seconds.size() / 2];
}

// Where the time of the files went, in seconds, summed over files: from the "FILE" command to
// the stored file opened after the reply's length (the monitor's reply and the file's creation),
// the bytes received and written, and the close and read-back checksum.
struct FileTimes {
    double reply = 0.0;
    double bytes = 0.0;
    double check = 0.0;
    int files = 0;
};

// One file's command and reply into path, its times added to times.
int TimedTransactFile(DeviceConnection& connection, const std::string& command,
                      const std::filesystem::path& path, FileTimes& times) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point opened = start;
    Clock::time_point written = start;
    const int result =
        TransactFile(connection, command, path, [&](std::uint64_t done, std::uint64_t size) {
            const Clock::time_point now = Clock::now();
            if (done == 0) {
                opened = now;
            }
            if (done == size) {
                written = now;
            }
        });
    times.reply += bench::Seconds(start, opened);
    times.bytes += bench::Seconds(opened, written);
    times.check += bench::Seconds(written, Clock::now());
    ++times.files;
    return result;
}

// One download conversation: login, list, the file lists and every file, "QUIT". The number of
// files fetched, or -1.
int DownloadAll(std::uint16_t port, const std::filesystem::path& target, FileTimes& times) {
    DeviceConnection connection;
    ConnectionOptions options;
    options.port = port;
    std::string list;
    if (OpenDeviceConnection("127.0.0.1", connection, options) != 0 ||
        Transact(connection, std::string(COMMAND_AUTH), list) != 0 ||
        Transact(connection, std::string(COMMAND_GET_LIST), list) != 0) {
        return -1;
    }
    int files = 0;
    std::string monitoring;
    while (TakeMonitoringName(list, monitoring) == 0) {
        for (const std::string_view word : {COMMAND_GET_HTR_LIST, COMMAND_GET_IMP_LIST}) {
            std::string names;
            if (Transact(connection, std::string(word) + " " + monitoring, names) != 0) {
                return -1;
            }
            std::string file;
            while (TakeToken(names, file) == 0) {
                if (TimedTransactFile(connection, "FILE " + monitoring + "\\" + file, target / file,
                                      times) != 0) {
                    return -1;
                }
                ++files;
            }
        }
    }
    std::string reply;
    if (Transact(connection, std::string(COMMAND_QUIT), reply) != 0) {
        return -1;
    }
    CloseGracefully(connection);
    CloseConnection(connection);
    return files;
}

void BM_DownloadFromSimulator(benchmark::State& state) {
    test::SimulatorProcess monitor({"--root", MonitorRoot().string()});
    if (!monitor.IsRunning()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    const test::TempDir target;
    std::chrono::steady_clock::duration elapsed{};
    FileTimes times;
    int runs = 0;
    for (auto _ : state) {
        // Each run writes new files into a new folder, as a download does. Rewriting the same
        // files would time the file system's flush of a file truncated and written again, and
        // deleting them between runs its search for an inode not deleted a moment ago.
        const std::filesystem::path folder = target.Path() / std::to_string(++runs);
        std::filesystem::create_directory(folder);
        const auto start = std::chrono::steady_clock::now();
        if (DownloadAll(monitor.Port(), folder, times) != static_cast<int>(FILES)) {
            state.SkipWithError("the download failed");
            return;
        }
        const auto taken = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(taken).count());
        elapsed += taken;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TOTAL_BYTES));
    state.counters["files"] = static_cast<double>(FILES);
    state.counters["reply_us"] = times.reply * 1e6 / times.files;
    state.counters["bytes_us"] = times.bytes * 1e6 / times.files;
    state.counters["check_us"] = times.check * 1e6 / times.files;
    state.counters["of_plain_socket"] =
        PlainSeconds(TOTAL_BYTES) /
        (std::chrono::duration<double>(elapsed).count() / static_cast<double>(state.iterations()));
    state.counters["s_per_file"] = benchmark::Counter(
        static_cast<double>(FILES),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DownloadFromSimulator)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_PlainSocketBaseline(benchmark::State& state) {
    for (auto _ : state) {
        if (!PlainTransfer(TOTAL_BYTES)) {
            state.SkipWithError("the plain transfer failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TOTAL_BYTES));
    state.counters["s_per_file"] = benchmark::Counter(
        static_cast<double>(FILES),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PlainSocketBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

// The loopback monitor needs no address: it only aims the connection at it.
class LoopbackAdaptation : public HostAdaptation {
public:
    int AdaptHostAddress(HostAddressState& state, OperationUi* /*ui*/) override {
        state.m_strDeviceAddress = "127.0.0.1";
        return 0;
    }
    void RestoreHostAddress(HostAddressState& /*state*/, OperationUi* /*ui*/) override {}
};

// The whole download operation of 100 monitorings at the size limits.
void BM_DownloadOperation(benchmark::State& state) {
    const test::TempDir monitorRoot;
    const std::uintmax_t bytes = bench::MakeMonitoringsAtTheLimits(monitorRoot.Path(), 100);
    test::SimulatorProcess monitor({"--root", monitorRoot.Path().string(), "--keep"});
    if (!monitor.IsRunning()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    LoopbackAdaptation adaptation;
    bench::DownloadTimes sum;
    int run = 0;
    for (auto _ : state) {
        const test::TempDir pc;
        TransferSettings settings;
        settings.recordsDir = pc.Path();
        settings.connection.port = monitor.Port();
        HostAddressState hostAddress;
        const bench::DownloadTimes times =
            bench::TimeDownload(pc.Path() / "descargas", hostAddress, adaptation, settings);
        state.SetIterationTime(times.whole);
        sum += times;
        ++run;
        if (sum.result != 0) {
            state.SkipWithError("the download failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["transfer_ms"] = sum.transfer * 1000.0 / run;
    state.counters["ending_ms"] = sum.ending * 1000.0 / run;
    state.counters["sync_wait_ms"] = sum.syncWait * 1000.0 / run;
    state.counters["sync_busy_ms"] = sum.syncBusy * 1000.0 / run;
    state.counters["of_plain_socket"] = PlainSeconds(bytes) / (sum.whole / run);
}
BENCHMARK(BM_DownloadOperation)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_Crc32(benchmark::State& state) {
    std::mt19937 engine(3);
    const std::string bytes = RandomText(engine, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Crc32(bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Crc32)->Arg(1 << 20);

// The check of a received file: read back in 4096-byte blocks and summed.
void BM_FileCrc32(benchmark::State& state) {
    const auto path = MonitorRoot() / "paciente00001" / "p00001m.htr";
    for (auto _ : state) {
        benchmark::DoNotOptimize(FileCrc32(path));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FILE_BYTES));
}
BENCHMARK(BM_FileCrc32);

}  // namespace
}  // namespace somvix

BENCHMARK_MAIN();
