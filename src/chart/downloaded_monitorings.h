#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace somvix {

// A monitoring found in a download tree (download folder / monitor / monitoring / NAME.htr).
// The names are the folders' names as the monitor sent them (code page 1252): text to show,
// never to interpret.
struct DownloadedMonitoring {
    std::string strMonitor;
    std::string strMonitoring;
    std::string strStartDate;  // as the window's caption shows it ("/" for "-"); empty without
    std::string strStartTime;  // a readable .fhi
    int nSamples = 0;          // complete sample pairs, as the recording view reads them
    std::filesystem::path recordingPath;  // the .htr file
};

// How far one listing goes. A folder that holds no download tree (a whole disk chosen by
// mistake) is still listed in a bounded time: the walk never goes deeper than the tree's three
// levels, and stops after so many entries or monitorings.
struct DownloadTreeBounds {
    std::size_t nMaxEntries = 20000;     // folder entries looked at, on every level together
    std::size_t nMaxMonitorings = 1000;  // monitorings listed
};

enum class DownloadTreeEnd {
    Complete,     // every monitoring of the tree is listed
    NotAFolder,   // the download folder is missing or is no folder
    BoundReached  // the walk stopped at a bound: more may lie in the folder
};

struct DownloadTreeListing {
    std::vector<DownloadedMonitoring> monitorings;  // newest start first; undated ones last
    DownloadTreeEnd end = DownloadTreeEnd::Complete;
};

// The monitorings below a download folder: each folder of a monitor's folder that holds a .htr
// file (the first in name order, any case of "htr"). Symbolic links are not followed, so the
// walk stays inside the folder. Start and sample count come from the .fhi and the .htr by the
// rules the recording view reads them with; a missing or broken .fhi leaves the start empty.
DownloadTreeListing ListDownloadedMonitorings(const std::filesystem::path& downloadFolder,
                                              const DownloadTreeBounds& bounds = {});

}  // namespace somvix
