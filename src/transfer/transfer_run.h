#pragma once

#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

    // Fetches the monitoring into its folder, makes every folder entry it hangs on durable and
    // records it as fetched. 0 once it stands in the downloaded list; -1 otherwise (the caller
    // aborts; what was written stays, unrecorded).
    int FetchAndRecord(const std::string& name, const std::string& monitoringFolder);

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
    // The sync chain of a fetched monitoring, from its folder up to the first folder this run
    // did not create. 0 / -1.
    int SyncFolderChain(const std::string& monitoringFolder);

    FoldedNames m_recorded;  // the downloaded list, to find names that fold like one of it
    FoldedNames m_met;       // the names of this run's list handled so far
    // Folders holding the entry of a folder this run created, not synced yet; the deepest last.
    std::vector<std::filesystem::path> m_unsyncedParents;
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
