#include "transfer/background_sync.h"

#include "transfer/transfer_settings.h"

namespace somvix {

BackgroundSync::BackgroundSync(FileSync& fileSync) : m_fileSync(fileSync) {}

BackgroundSync::~BackgroundSync() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_bClosing = true;
    }
    m_changed.notify_all();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void BackgroundSync::Hand(const std::filesystem::path& path, Target target) {
    std::unique_lock<std::mutex> lock(m_mutex);
    ++m_nHanded;
    if (m_bFailed) {
        return;  // it would be dropped unsynced anyway
    }
    m_changed.wait(lock, [this] { return m_jobs.size() < MAX_WAITING_SYNCS || m_bFailed; });
    m_jobs.push_back({path, target});
    if (!m_worker.joinable()) {
        m_worker = std::thread(&BackgroundSync::Work, this);
    }
    lock.unlock();
    m_changed.notify_all();
}

std::uint64_t BackgroundSync::Mark() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_nHanded;
}

SyncStanding BackgroundSync::Standing(std::uint64_t mark) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return StandingLocked(mark);
}

SyncStanding BackgroundSync::WaitFor(std::uint64_t mark) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return StandingLocked(mark) != SyncStanding::Waiting; });
    return StandingLocked(mark);
}

SyncStanding BackgroundSync::StandingLocked(std::uint64_t mark) const {
    if (mark <= m_nSucceeded) {
        return SyncStanding::Ended;
    }
    return m_bFailed ? SyncStanding::Failed : SyncStanding::Waiting;
}

void BackgroundSync::Work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_jobs.empty() || m_bClosing; });
        if (m_jobs.empty()) {
            return;
        }
        const Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        const int synced = job.target == Target::File ? m_fileSync.SyncFile(job.path)
                                                      : m_fileSync.SyncFolder(job.path);
        lock.lock();
        if (synced == 0) {
            ++m_nSucceeded;
        } else {
            m_bFailed = true;
            m_jobs.clear();
        }
        m_changed.notify_all();
    }
}

}  // namespace somvix
