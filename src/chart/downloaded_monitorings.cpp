#include "chart/downloaded_monitorings.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <system_error>
#include <tuple>

#include "chart/recording_paths.h"
#include "chart/recording_reader.h"
#include "chart/recording_store.h"
#include "files/input_file_buffer.h"

namespace somvix {

namespace {

// The numbers of a text such as "12/05/2007" or "22:30:15"; none unless every field is one to
// four digits.
std::vector<int> Fields(const std::string& text, char separator) {
    std::vector<int> fields;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(text.find(separator, start), text.size());
        const char* first = text.data() + start;
        const char* last = text.data() + end;
        int value = 0;
        if (last == first || last - first > 4 ||
            !std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; }) ||
            std::from_chars(first, last, value).ec != std::errc()) {
            return {};
        }
        fields.push_back(value);
        if (end == text.size()) {
            return fields;
        }
        start = end + 1;
    }
}

// The start as one number that grows with time (yyyymmddhhmmss); none unless the .fhi holds a
// date "dd-mm-yyyy" and a time "hh:mm:ss" or "hh:mm", as the monitor writes them.
std::optional<long long> StartOrder(const DownloadedMonitoring& monitoring) {
    const std::vector<int> date = Fields(monitoring.strStartDate, '/');
    std::vector<int> time = Fields(monitoring.strStartTime, ':');
    if (time.size() == 2) {
        time.push_back(0);
    }
    if (date.size() != 3 || time.size() != 3 || date[0] < 1 || date[0] > 31 || date[1] < 1 ||
        date[1] > 12 || time[0] > 23 || time[1] > 59 || time[2] > 60) {
        return std::nullopt;
    }
    long long order = date[2];
    for (const int field : {date[1], date[0], time[0], time[1], time[2]}) {
        order = order * 100 + field;
    }
    return order;
}

// A monitoring with its start read once, so that sorting does not parse it at every comparison.
struct Keyed {
    std::optional<long long> start;
    DownloadedMonitoring monitoring;
};

// Newest start first; those without a start after them; equal starts by their names.
bool ListedBefore(const Keyed& a, const Keyed& b) {
    if (a.start.has_value() != b.start.has_value()) {
        return a.start.has_value();
    }
    if (a.start && *a.start != *b.start) {
        return *a.start > *b.start;
    }
    return std::tie(a.monitoring.strMonitor, a.monitoring.strMonitoring) <
           std::tie(b.monitoring.strMonitor, b.monitoring.strMonitoring);
}

void SortNewestFirst(std::vector<DownloadedMonitoring>& monitorings) {
    std::vector<Keyed> keyed;
    keyed.reserve(monitorings.size());
    for (DownloadedMonitoring& monitoring : monitorings) {
        const std::optional<long long> start = StartOrder(monitoring);
        keyed.push_back({start, std::move(monitoring)});
    }
    std::sort(keyed.begin(), keyed.end(), ListedBefore);
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        monitorings[i] = std::move(keyed[i].monitoring);
    }
}

// The walk through one download folder, counting the entries it looks at against the bound.
class TreeWalk {
public:
    explicit TreeWalk(const DownloadTreeBounds& bounds) : m_bounds(bounds) {}

    enum class Kind { Folder, File };

    // The entries of one kind in a folder, in name order. Symbolic links and anything else
    // are left out; an unreadable folder has none.
    std::vector<std::filesystem::path> Entries(const std::filesystem::path& folder, Kind kind) {
        std::vector<std::filesystem::path> found;
        std::error_code error;
        std::filesystem::directory_iterator entry(folder, error);
        for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
            if (m_nEntries >= m_bounds.nMaxEntries) {
                m_bBoundReached = true;
                break;
            }
            ++m_nEntries;
            std::error_code statusError;
            const std::filesystem::file_status status = entry->symlink_status(statusError);
            const bool wanted = kind == Kind::Folder ? std::filesystem::is_directory(status)
                                                     : std::filesystem::is_regular_file(status);
            if (!statusError && wanted) {
                found.push_back(entry->path());
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    // The recording of a monitoring folder: its first .htr file.
    std::optional<std::filesystem::path> Recording(const std::filesystem::path& folder) {
        for (const auto& file : Entries(folder, Kind::File)) {
            if (IsRecordingExtension(SplitRecordingPath(file.filename().string()).strExt)) {
                return file;
            }
        }
        return std::nullopt;
    }

    void StopAtBound() { m_bBoundReached = true; }
    bool Stopped() const { return m_bBoundReached; }

private:
    const DownloadTreeBounds& m_bounds;
    std::size_t m_nEntries = 0;
    bool m_bBoundReached = false;
};

// Start and sample count of one recording, read as the view reads them. The store is only
// room to read into.
DownloadedMonitoring ReadMonitoring(const std::filesystem::path& monitoringFolder,
                                    const std::filesystem::path& recording, RecordingStore& store) {
    DownloadedMonitoring found;
    found.strMonitor = monitoringFolder.parent_path().filename().string();
    found.strMonitoring = monitoringFolder.filename().string();
    found.recordingPath = recording;
    store.m_strPathName = recording.string();
    store.m_strFileExt = SplitRecordingPath(store.m_strPathName).strExt;
    ReadStartFile(store);
    found.strStartDate = store.m_strStartDate;
    found.strStartTime = store.m_strStartTime;
    InputFileBuffer trend;
    if (trend.Open(recording) == FileOpenResult::Opened) {
        ParseTrend(trend, store);
        found.nSamples = store.m_nSamples;
    }
    return found;
}

}  // namespace

DownloadTreeListing ListDownloadedMonitorings(const std::filesystem::path& downloadFolder,
                                              const DownloadTreeBounds& bounds) {
    DownloadTreeListing listing;
    std::error_code error;
    if (!std::filesystem::is_directory(downloadFolder, error)) {
        listing.end = DownloadTreeEnd::NotAFolder;
        return listing;
    }
    TreeWalk walk(bounds);
    const auto store = std::make_unique<RecordingStore>();
    for (const auto& monitor : walk.Entries(downloadFolder, TreeWalk::Kind::Folder)) {
        for (const auto& monitoring : walk.Entries(monitor, TreeWalk::Kind::Folder)) {
            const auto recording = walk.Recording(monitoring);
            if (walk.Stopped()) {
                break;
            }
            if (!recording) {
                continue;
            }
            if (listing.monitorings.size() >= bounds.nMaxMonitorings) {
                walk.StopAtBound();
                break;
            }
            listing.monitorings.push_back(ReadMonitoring(monitoring, *recording, *store));
        }
        if (walk.Stopped()) {
            break;
        }
    }
    SortNewestFirst(listing.monitorings);
    listing.end = walk.Stopped() ? DownloadTreeEnd::BoundReached : DownloadTreeEnd::Complete;
    return listing;
}

}  // namespace somvix
