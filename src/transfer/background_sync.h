#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace somvix {

class FileSync;

// Most syncs waiting at a time; handing over one more waits until one has started.
inline constexpr std::size_t MAX_WAITING_SYNCS = 256;
// Syncs run at a time: a disk that journals commits the syncs that come together at once, where
// one after the other each waits for a commit of its own.
inline constexpr int SYNC_THREADS = 4;

// How the syncs handed over before a mark stand.
enum class SyncStanding {
    Waiting,  // some have not ended yet
    Ended,    // all ended, every one successfully
    Failed,   // one of them failed, or one before them did
};

// Makes fetched files and folders durable on threads of its own, so that the next file or
// monitoring is received meanwhile. The syncs start in the order they were handed over and may
// end in any order; after the first failure those not started are dropped, and a mark after
// the failed one stands as failed. The threads are started by the first syncs handed over; the
// object waits for every sync started when it goes.
class BackgroundSync {
public:
    explicit BackgroundSync(FileSync& fileSync);
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    void HandFile(const std::filesystem::path& path) { Hand(path, Target::File); }
    void HandFolder(const std::filesystem::path& path) { Hand(path, Target::Folder); }

    // A mark after the syncs handed over so far.
    std::uint64_t Mark();
    // How the syncs before the mark stand now, and once none of them is waiting any more.
    SyncStanding Standing(std::uint64_t mark);
    SyncStanding WaitFor(std::uint64_t mark);
    // The first sync that failed and the system's error number after it; an empty path while
    // none has.
    std::filesystem::path FailedPath(int& error);

private:
    enum class Target { File, Folder };
    struct Job {
        std::filesystem::path path;
        Target target;
        std::uint64_t index;  // in the order handed over, from 0
    };

    void Hand(const std::filesystem::path& path, Target target);
    SyncStanding StandingLocked(std::uint64_t mark) const;
    void Work();
    // The job ended, successfully or not (with the error number its sync left).
    void EndLocked(const Job& job, bool succeeded, int error);

    FileSync& m_fileSync;
    std::mutex m_mutex;
    std::condition_variable m_changed;  // a job was handed over or ended, or the end is near
    std::deque<Job> m_jobs;             // handed over, not started
    std::uint64_t m_nHanded = 0;
    std::uint64_t m_nSucceeded = 0;             // the first m_nSucceeded jobs ended successfully
    std::set<std::uint64_t> m_endedAhead;       // later jobs that ended successfully
    std::uint64_t m_nFirstFailed = UINT64_MAX;  // the lowest index of a failed job
    std::filesystem::path m_failedPath;         // that job's path
    int m_nFailedError = 0;                     // and the error number its sync left
    bool m_bClosing = false;
    std::vector<std::thread> m_workers;  // last: they end before the members they use go
};

}  // namespace somvix
