#include "transfer/erase.h"

#include <filesystem>
#include <system_error>

#include "device/protocol.h"
#include "shared/code_page_text.h"
#include "shared/operation_ui.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/records.h"
#include "transfer/safe_name.h"
#include "transfer/transfer_run.h"
#include "transfer/transfer_settings.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

namespace fs = std::filesystem;

// What the PC keeps of a monitoring before it is removed from the monitor.
enum class CopyDecision {
    Recorded,  // fetched completely before: remove it at once
    Fetch,     // download it now, then remove it
    Declined,  // the user chose to do without a copy: remove it
    Keep,      // an old copy could not be replaced: leave it on the monitor
};

// The steps of one run after the login.
class EraseRun : public TransferRun {
public:
    using TransferRun::TransferRun;

    // From "GETLIST" to the ending.
    int Run() {
        std::string list;
        const int loaded =
            LoadListAndPrepare(list, {{m_records.downloadLog, ERASE_DOWNLOAD_HEADING},
                                      {m_records.eraseLog, DOWNLOAD_HEADING}});
        if (loaded != 0) {
            return loaded < 0 ? Abort() : Finish(0);
        }
        m_ui.SetStatusText(STATUS_EMPTYING);
        // Every token counts, also those after the first name without "paciente", where the
        // loop ends: the bar may stop short of its end.
        const int count = CountTokens(list);
        m_ui.ShowProgress();
        const int step = PROGRESS_RANGE / count;
        std::string name;
        while (TakeMonitoringName(list, name) == 0) {
            if (m_session.CheckCancel() != 0 || EraseMonitoring(name, step) != 0) {
                return Abort();
            }
        }
        return Finish(m_nResult);
    }

private:
    // 0 when the run goes on (removed, refused by the monitor, kept, handled before or refused
    // here), -1 to abort.
    int EraseMonitoring(const std::string& name, int step) {
        // The name names a folder on the PC before anything else is done with it.
        if (!IsSafeName(name)) {
            return RefuseNameOf(m_session, name);
        }
        const NameStanding standing = MeetName(name);
        if (standing == NameStanding::Repeated || standing == NameStanding::Clashing) {
            // Handled already, or it might share a folder with one handled or recorded: it stays
            // on the monitor, and a repeated name gets no second "DELETE".
            GiveShare(step);
            if (standing == NameStanding::Clashing) {
                RefuseName(name);
            }
            return 0;
        }
        m_ui.SetStatusText(ErasingMonitoringStatus(name));
        const std::string monitoringFolder = JoinPath(m_strDeviceFolder, name);
        switch (DecideCopy(name, monitoringFolder, standing)) {
            case CopyDecision::Keep:
                GiveShare(step);
                Report().skipped.push_back(name);
                return 0;
            case CopyDecision::Fetch:
                // Removed from the monitor only once the copy is on the disk for good and
                // recorded as complete: its own syncs are waited for.
                if (FetchMonitoring(name, monitoringFolder, step) != 0 ||
                    RecordSynced(RecordWait::All) != 0) {
                    return -1;
                }
                break;
            case CopyDecision::Declined:
                GiveShare(step);
                Report().skipped.push_back(name);
                break;
            case CopyDecision::Recorded:
                GiveShare(step);
                break;
        }
        return RemoveFromMonitor(name);
    }

    CopyDecision DecideCopy(const std::string& name, const std::string& monitoringFolder,
                            NameStanding standing) {
        // Only the whole name counts: a longer name fetched before says nothing of this one.
        if (standing == NameStanding::Recorded) {
            return CopyDecision::Recorded;
        }
        std::error_code error;
        if (fs::exists(fs::symlink_status(monitoringFolder, error))) {
            // A folder without a record is what an interrupted download leaves behind.
            switch (PrepareMonitoringFolder(monitoringFolder, name, m_strDeviceName,
                                            ERASE_PREPARE_TEXTS, m_ui)) {
                case FolderPrepared::Ready:
                    return CopyDecision::Fetch;
                case FolderPrepared::Declined:
                    return CopyDecision::Declined;
                case FolderPrepared::Failed:
                    break;
            }
            return CopyDecision::Keep;
        }
        const std::string statement = NoCopyStatement(name, m_strDeviceName);
        // Nobody answering is no reason to do without a copy.
        if (AnswerOr(m_ui.Confirm(statement, ERASE_DOWNLOAD_QUESTION), ConfirmAnswer::Yes) !=
            ConfirmAnswer::Yes) {
            return CopyDecision::Declined;
        }
        // A failure to create shows when the first file cannot be stored in it.
        fs::create_directory(monitoringFolder, error);
        return CopyDecision::Fetch;
    }

    // "DELETE"; 0 when the run goes on (also after a refusal), -1 when the exchange failed.
    int RemoveFromMonitor(const std::string& name) {
        std::string reply;
        if (m_session.Transact(std::string(COMMAND_DELETE) + " " + name, reply) != 0) {
            return -1;
        }
        if (reply == REPLY_DELETE_OK) {
            AppendNameLine(m_records.eraseLog, name);
            Report().erased.push_back(name);
        } else {
            Report().refused.push_back(name);
            m_ui.ShowMessage(FormatWithText(ERASE_REFUSED, Utf8From1252(name)), ERROR_CAPTION,
                             MessageIcon::Exclamation);
        }
        return 0;
    }
};

}  // namespace

int EraseMonitorData(const std::string& path, HostAddressState& hostAddress,
                     HostAdaptation& adaptation, OperationUi& ui, const TransferSettings& settings,
                     TransferReport* report) {
    return RunTransfer<EraseRun>(path, hostAddress, adaptation, ui, settings, report);
}

}  // namespace somvix
