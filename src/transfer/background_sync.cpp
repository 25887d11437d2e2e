#include "transfer/background_sync.h"

#include <cerrno>

#include "transfer/transfer_settings.h"

namespace somvix {

BackgroundSync::BackgroundSync(FileSync& fileSync) : m_fileSync(fileSync) {}

BackgroundSync::~BackgroundSync() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_bClosing = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers) {
        worker.join();
    }
}

void BackgroundSync::Hand(const std::filesystem::path& path, Target target) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const std::uint64_t index = m_nHanded++;
    m_changed.wait(
        lock, [this] { return m_jobs.size() < MAX_WAITING_SYNCS || m_nFirstFailed != UINT64_MAX; });
    if (m_nFirstFailed != UINT64_MAX) {
        return;  // after the failed one: it stands as failed, unsynced
    }
    m_jobs.push_back({path, target, index});
    if (m_workers.size() < static_cast<std::size_t>(SYNC_THREADS)) {
        m_workers.emplace_back(&BackgroundSync::Work, this);
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
    return m_nFirstFailed < mark ? SyncStanding::Failed : SyncStanding::Waiting;
}

std::filesystem::path BackgroundSync::FailedPath(int& error) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    error = m_nFailedError;
    return m_failedPath;
}

void BackgroundSync::EndLocked(const Job& job, bool succeeded, int error) {
    if (!succeeded) {
        // The jobs not started yet all come after it.
        if (job.index < m_nFirstFailed) {
            m_nFirstFailed = job.index;
            m_failedPath = job.path;
            m_nFailedError = error;
        }
        m_jobs.clear();
        return;
    }
    m_endedAhead.insert(job.index);
    while (!m_endedAhead.empty() && *m_endedAhead.begin() == m_nSucceeded) {
        m_endedAhead.erase(m_endedAhead.begin());
        ++m_nSucceeded;
    }
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
        // A slot in the queue is free now.
        m_changed.notify_all();
        errno = 0;
        const int synced = job.target == Target::File ? m_fileSync.SyncFile(job.path)
                                                      : m_fileSync.SyncFolder(job.path);
        const int error = errno;
        lock.lock();
        EndLocked(job, synced == 0, error);
        m_changed.notify_all();
    }
}

}  // namespace somvix
