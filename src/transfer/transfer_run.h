#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "transfer/background_sync.h"
#include "transfer/device_session.h"
#include "transfer/folded_names.h"
#include "transfer/records.h"
#include "transfer/transfer_settings.h"

namespace somvix {

class HostAdaptation;
class OperationUi;
struct HostAddressState;

// How a monitoring name of the list stands in a run.
enum class NameStanding {
    New,       // neither recorded before nor met before in this run
    Recorded,  // fetched completely in an earlier run
    Repeated,  // met before in this run exactly so: it was handled, it is not handled again
    Clashing,  // differs only in letter case or trailing dots and blanks from a name recorded
               // or met before: on a disk that folds names both would share one folder
};

// Whether recording the fetched monitorings waits for the syncs still running.
enum class RecordWait {
    EndedOnly,  // those whose syncs have ended; the rest later
    All,        // every one: wait for their syncs
};

// What one run of the download or the erase shares once the monitor has accepted the login:
// the session, the folders and records of the device, and the names fetched before.
class TransferRun {
public:
    TransferRun(DeviceSession& session, const TransferSettings& settings,
                const std::string& downloadFolder, const std::string& deviceName);

protected:
    // A log and the heading a run writes at its end.
    using Heading = std::pair<std::filesystem::path, LogHeading>;

    // "Cargando lista de archivos..." and "GETLIST". When the list holds names: the downloaded
    // list is read, the headings are written with today's date in the order given, and the
    // download and device folders are made. 0 with names in list; 1 when the monitor holds
    // nothing (nothing is written); -1 when the exchange failed.
    int LoadListAndPrepare(std::string& list, std::initializer_list<Heading> headings);

    // Where the name stands; from now on it counts as met in this run.
    NameStanding MeetName(const std::string& name);

    // Shows why a name from the monitor is not handled; the run goes on but ends as failed.
    void RefuseName(const std::string& name);

    // The run's account of what it did, kept by the session.
    TransferReport& Report() { return m_session.Report(); }

    // Fetches the monitoring into its folder and hands each file, then every folder entry the
    // files hang on, to the sync as soon as it is there; the monitoring is recorded once they
    // are all durable (RecordSynced), so the next one can be received meanwhile. The bar moves
    // through share as the files arrive. 0 / -1 (the caller aborts; what was written stays,
    // unrecorded).
    int FetchMonitoring(const std::string& name, const std::string& monitoringFolder, int share);

    // A list entry handled without a fetch: its whole share of the bar at once.
    void GiveShare(int share);

    // Records the fetched monitorings whose syncs have ended, in the order they were fetched:
    // each one's line in the download log, then in the downloaded list. 0, or -1 once a sync
    // or a record failed: from then on nothing more is recorded and the run fails.
    int RecordSynced(RecordWait wait);

    // The orderly end ("QUIT"), then the records of the monitorings still syncing. The result,
    // or -1 when the end failed or one of them could not be made durable or recorded.
    int Finish(int result);

    // Closes at once without "QUIT", then records the monitorings fetched whole and synced
    // before the failure. -1.
    int Abort();

    DeviceSession& m_session;
    OperationUi& m_ui;
    const TransferSettings& m_settings;
    const std::string m_strDownloadFolder;
    const std::string m_strDeviceFolder;  // download folder + separator + device name
    const std::string m_strDeviceName;
    const RecordPaths m_records;
    std::set<std::string> m_downloaded;  // whole names of the downloaded list
    int m_nResult = 0;                   // -1 once a name was refused

private:
    // Hands over the sync chain of a fetched monitoring, from its folder up to the first folder
    // this run did not create.
    void HandFolderChain(const std::string& monitoringFolder);

    // A monitoring fetched whole, waiting for the syncs handed over before mark.
    struct Unrecorded {
        std::string name;
        std::uint64_t mark;
    };

    FoldedNames m_recorded;  // the downloaded list, to find names that fold like one of it
    FoldedNames m_met;       // the names of this run's list handled so far
    // Folders holding the entry of a folder this run created, not synced yet; the deepest last.
    std::vector<std::filesystem::path> m_unsyncedParents;
    std::deque<Unrecorded> m_unrecorded;  // in the order fetched
    bool m_bRecordsStopped = false;       // a sync or a record failed
    BackgroundSync m_sync;                // last: it waits for its syncs before the rest goes
};

// A device operation whose steps after the login are those of Run (a TransferRun with a Run()
// that returns the result), on the folder of path.
template <class Run>
int RunTransfer(const std::string& path, HostAddressState& hostAddress, HostAdaptation& adaptation,
                OperationUi& ui, const TransferSettings& settings, TransferReport* report) {
    TransferReport unused;
    return RunLoggedInSession(path, hostAddress, adaptation, ui, settings.connection,
                              report != nullptr ? *report : unused,
                              [&](DeviceSession& session, const std::string& downloadFolder,
                                  const std::string& deviceName) {
                                  return Run(session, settings, downloadFolder, deviceName).Run();
                              });
}

}  // namespace somvix
