#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace somvix {

class HostAdaptation;
struct HostAddressState;
struct TransferSettings;

namespace bench {

// The seconds from one time to another.
double Seconds(std::chrono::steady_clock::time_point from,
               std::chrono::steady_clock::time_point to);

// The monitorings of the larger case: one file of each kind at its size limit (.eeg 20000,
// .htr, .evt and .imp 200000, .fhi 200 bytes), random bytes, in one folder each below root.
// The bytes written.
std::uintmax_t MakeMonitoringsAtTheLimits(const std::filesystem::path& root, int count);

// Where the time of one download went, in seconds. The parts add up to the whole:
//   address   giving the PC its address and taking it away again;
//   transfer  from the connection to the last file (connect, login, lists, files), with any
//             wait for a sync that could not be queued any more;
//   ending    "QUIT" and the close;
//   syncWait  the syncs the run still waited for after the close.
// syncBusy is how long the syncs took in all, on the run's sync thread, mostly while the
// transfer went on.
struct DownloadTimes {
    double whole = 0.0;
    double address = 0.0;
    double transfer = 0.0;
    double ending = 0.0;
    double syncWait = 0.0;
    double syncBusy = 0.0;
    int result = -1;

    DownloadTimes& operator+=(const DownloadTimes& other);
};

// One download operation into the folder (records in recordsDir) with the platform's syncs,
// timed through the seams it offers: the adaptation, the syncs and the status line. The
// adaptation must restore (connection kind 0).
DownloadTimes TimeDownload(const std::filesystem::path& folder, HostAddressState& hostAddress,
                           HostAdaptation& adaptation, TransferSettings settings);

}  // namespace bench
}  // namespace somvix
