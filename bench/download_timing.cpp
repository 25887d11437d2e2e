#include "download_timing.h"

#include <fstream>
#include <mutex>
#include <random>

#include "hostnet/host_adaptation.h"
#include "shared/operation_ui.h"
#include "transfer/download.h"
#include "transfer/download_folder.h"
#include "transfer/transfer_settings.h"

namespace somvix::bench {

double Seconds(std::chrono::steady_clock::time_point from,
               std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

namespace {

using Clock = std::chrono::steady_clock;

class TimedAdaptation : public HostAdaptation {
public:
    explicit TimedAdaptation(HostAdaptation& adaptation) : m_adaptation(adaptation) {}

    int AdaptHostAddress(HostAddressState& state, OperationUi* ui) override {
        m_adaptStart = Clock::now();
        const int result = m_adaptation.AdaptHostAddress(state, ui);
        m_adaptEnd = Clock::now();
        return result;
    }
    void RestoreHostAddress(HostAddressState& state, OperationUi* ui) override {
        m_restoreStart = Clock::now();
        m_adaptation.RestoreHostAddress(state, ui);
        m_restoreEnd = Clock::now();
    }

    Clock::time_point m_adaptStart, m_adaptEnd, m_restoreStart, m_restoreEnd;

private:
    HostAdaptation& m_adaptation;
};

class TimedSync : public FileSync {
public:
    explicit TimedSync(FileSync& sync) : m_sync(sync) {}

    int SyncFile(const std::filesystem::path& path) override {
        return Timed([&] { return m_sync.SyncFile(path); });
    }
    int SyncFolder(const std::filesystem::path& folder) override {
        return Timed([&] { return m_sync.SyncFolder(folder); });
    }
    double Busy() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_dBusy;
    }

private:
    template <class Sync>
    int Timed(const Sync& sync) {
        const Clock::time_point start = Clock::now();
        const int result = sync();
        const double seconds = Seconds(start, Clock::now());
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_dBusy += seconds;
        return result;
    }

    FileSync& m_sync;
    std::mutex m_mutex;
    double m_dBusy = 0.0;
};

// Notes when the last file is in ("Desconectando ..."); answers No to any question.
class TimedUi : public OperationUi {
public:
    void SetStatusText(const std::string& text) override {
        if (text == "Desconectando ...") {
            m_disconnecting = Clock::now();
        }
    }
    void ShowProgress() override {}
    void HideProgress() override {}
    void AdvanceProgress(int /*delta*/) override {}
    ConfirmAnswer Confirm(const std::string& /*statement*/,
                          const std::string& /*question*/) override {
        return ConfirmAnswer::No;
    }
    void ShowMessage(const std::string& /*text*/, const std::string& /*caption*/,
                     MessageIcon /*icon*/) override {}

    Clock::time_point m_disconnecting;
};

}  // namespace

std::uintmax_t MakeMonitoringsAtTheLimits(const std::filesystem::path& root, int count) {
    const struct {
        const char* extension;
        std::size_t bytes;
    } kinds[] = {
        {".eeg", 20000}, {".htr", 200000}, {".fhi", 200}, {".evt", 200000}, {".imp", 200000}};
    std::mt19937 engine(7);
    std::uintmax_t written = 0;
    for (int index = 1; index <= count; ++index) {
        const std::string number = std::to_string(100000 + index).substr(1);
        const std::filesystem::path monitoring = root / ("paciente" + number);
        std::filesystem::create_directories(monitoring);
        for (const auto& kind : kinds) {
            std::string bytes(kind.bytes, '\0');
            for (char& byte : bytes) {
                byte = static_cast<char>(engine() & 0xFFu);
            }
            std::ofstream(monitoring / ("p" + number + "m" + kind.extension), std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            written += kind.bytes;
        }
    }
    return written;
}

DownloadTimes& DownloadTimes::operator+=(const DownloadTimes& other) {
    whole += other.whole;
    address += other.address;
    transfer += other.transfer;
    ending += other.ending;
    syncWait += other.syncWait;
    syncBusy += other.syncBusy;
    result = other.result;
    return *this;
}

DownloadTimes TimeDownload(const std::filesystem::path& folder, HostAddressState& hostAddress,
                           HostAdaptation& adaptation, TransferSettings settings) {
    TimedAdaptation timedAdaptation(adaptation);
    TimedSync timedSync(settings.Sync());
    TimedUi ui;
    settings.fileSync = &timedSync;
    DownloadTimes times;
    const Clock::time_point start = Clock::now();
    times.result = DownloadMonitorData(FolderChoicePath(folder.string()), hostAddress,
                                       timedAdaptation, ui, settings);
    const Clock::time_point end = Clock::now();
    times.whole = Seconds(start, end);
    times.address = Seconds(timedAdaptation.m_adaptStart, timedAdaptation.m_adaptEnd) +
                    Seconds(timedAdaptation.m_restoreStart, timedAdaptation.m_restoreEnd);
    times.transfer = Seconds(timedAdaptation.m_adaptEnd, ui.m_disconnecting);
    times.ending = Seconds(ui.m_disconnecting, timedAdaptation.m_restoreStart);
    times.syncWait = Seconds(timedAdaptation.m_restoreEnd, end);
    times.syncBusy = timedSync.Busy();
    return times;
}

}  // namespace somvix::bench
