#include "transfer/command_flow.h"

#include "transfer/download.h"
#include "transfer/erase.h"
#include "transfer/failure_text.h"
#include "transfer/query_monitor_name.h"
#include "transfer/report_text.h"
#include "transfer/transfer_settings.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

// The final texts of one command.
struct FinalTexts {
    const char* completed;
    const char* failed;
    const char* cancelled;
    const char* caption;  // of the completion and the cancel
};

constexpr FinalTexts DOWNLOAD_TEXTS{DOWNLOAD_COMPLETED_TEXT, DOWNLOAD_FAILED_TEXT,
                                    DOWNLOAD_CANCELLED_TEXT, DOWNLOAD_COMPLETED_CAPTION};
constexpr FinalTexts ERASE_TEXTS{ERASE_COMPLETED_TEXT, ERASE_FAILED_TEXT, ERASE_CANCELLED_TEXT,
                                 ERASE_COMPLETED_CAPTION};

bool CancelRequested(const TransferSettings& settings) {
    return settings.connection.cancel != nullptr && settings.connection.cancel->IsRequested();
}

// The outcome of a run that ended with result and report. A cancel shows as such even where
// the run got to its orderly end after it.
CommandOutcome OutcomeOf(int result, TransferReport report, const FinalTexts& texts) {
    CommandOutcome outcome;
    if (report.cause.m_kind == CauseKind::Cancelled) {
        outcome = {CommandEnd::Cancelled,    texts.cancelled,        texts.caption,
                   MessageIcon::Exclamation, DescribeCounts(report), {}};
    } else if (result < 0) {
        outcome = {CommandEnd::Failed,
                   texts.failed,
                   ERROR_CAPTION,
                   MessageIcon::Hand,
                   DescribeCause(report.cause),
                   {}};
    } else {
        outcome = {CommandEnd::Completed, texts.completed,        texts.caption,
                   MessageIcon::Asterisk, DescribeCounts(report), {}};
    }
    outcome.report = std::move(report);
    return outcome;
}

}  // namespace

CommandOutcome RunDownloadCommand(CommandFrontEnd& frontEnd, HostAddressState& hostAddress,
                                  HostAdaptation& adaptation, const TransferSettings& settings) {
    std::string path;
    if (!frontEnd.ChooseFolder(path)) {
        return {};
    }
    TransferReport report;
    const int result = frontEnd.RunConnection([&](OperationUi& ui) {
        return DownloadMonitorData(path, hostAddress, adaptation, ui, settings, &report);
    });
    return OutcomeOf(result, std::move(report), DOWNLOAD_TEXTS);
}

CommandOutcome RunEraseCommand(CommandFrontEnd& frontEnd, HostAddressState& hostAddress,
                               HostAdaptation& adaptation, const TransferSettings& settings) {
    std::string monitorName;
    frontEnd.RunConnection([&](OperationUi& ui) {
        ui.SetStatusText(STATUS_CONNECTING);
        monitorName = MonitorNameForErase(hostAddress, adaptation, settings.connection);
        return 0;
    });
    TransferReport report;
    if (CancelRequested(settings)) {
        report.cause = {CauseKind::Cancelled, {}, {}};
        return OutcomeOf(-1, std::move(report), ERASE_TEXTS);
    }
    if (frontEnd.Ui().Confirm(EraseStatement(monitorName), ERASE_CONTINUE_QUESTION) !=
        ConfirmAnswer::Yes) {
        return {};
    }
    std::string path;
    if (!frontEnd.ChooseFolder(path)) {
        return {};
    }
    const int result = frontEnd.RunConnection([&](OperationUi& ui) {
        return EraseMonitorData(path, hostAddress, adaptation, ui, settings, &report);
    });
    return OutcomeOf(result, std::move(report), ERASE_TEXTS);
}

}  // namespace somvix
