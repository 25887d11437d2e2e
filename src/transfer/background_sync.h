#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

namespace somvix {

class FileSync;

// Most syncs waiting at a time; handing over one more waits for the oldest to end.
inline constexpr std::size_t MAX_WAITING_SYNCS = 256;

// How the syncs handed over before a mark stand.
enum class SyncStanding {
    Waiting,  // some have not ended yet
    Ended,    // all ended, every one successfully
    Failed,   // one of them failed, or one before them did
};

// Makes fetched files and folders durable on a thread of its own, so that the next file or
// monitoring is received meanwhile. The syncs run one at a time in the order they were handed
// over; after the first failure the rest are dropped and count as failed. The thread is started
// by the first sync handed over; the object waits for every sync handed over when it goes.
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

private:
    enum class Target { File, Folder };
    struct Job {
        std::filesystem::path path;
        Target target;
    };

    void Hand(const std::filesystem::path& path, Target target);
    SyncStanding StandingLocked(std::uint64_t mark) const;
    void Work();

    FileSync& m_fileSync;
    std::mutex m_mutex;
    std::condition_variable m_changed;  // a job was handed over or ended, or the end is near
    std::deque<Job> m_jobs;             // handed over, not started
    std::uint64_t m_nHanded = 0;
    std::uint64_t m_nSucceeded = 0;  // the first m_nSucceeded jobs ended successfully
    bool m_bFailed = false;
    bool m_bClosing = false;
    std::thread m_worker;  // last: it ends before the members it uses go
};

}  // namespace somvix
