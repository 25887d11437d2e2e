#include "transfer/command_flow.h"

#include "transfer/download.h"
#include "transfer/erase.h"
#include "transfer/query_monitor_name.h"
#include "transfer/transfer_settings.h"
#include "transfer/transfer_texts.h"

namespace somvix {

CommandOutcome RunDownloadCommand(CommandFrontEnd& frontEnd, HostAddressState& hostAddress,
                                  HostAdaptation& adaptation, const TransferSettings& settings) {
    std::string path;
    if (!frontEnd.ChooseFolder(path)) {
        return {};
    }
    const int result = frontEnd.RunConnection([&](OperationUi& ui) {
        return DownloadMonitorData(path, hostAddress, adaptation, ui, settings);
    });
    if (result == -1) {
        return {CommandEnd::Failed, DOWNLOAD_FAILED_TEXT, ERROR_CAPTION, MessageIcon::Hand};
    }
    return {CommandEnd::Completed, DOWNLOAD_COMPLETED_TEXT, DOWNLOAD_COMPLETED_CAPTION,
            MessageIcon::Asterisk};
}

CommandOutcome RunEraseCommand(CommandFrontEnd& frontEnd, HostAddressState& hostAddress,
                               HostAdaptation& adaptation, const TransferSettings& settings) {
    std::string monitorName;
    frontEnd.RunConnection([&](OperationUi& ui) {
        ui.SetStatusText(STATUS_CONNECTING);
        monitorName = MonitorNameForErase(hostAddress, adaptation, settings.connection);
        return 0;
    });
    if (frontEnd.Ui().Confirm(EraseStatement(monitorName), ERASE_CONTINUE_QUESTION) !=
        ConfirmAnswer::Yes) {
        return {};
    }
    std::string path;
    if (!frontEnd.ChooseFolder(path)) {
        return {};
    }
    const int result = frontEnd.RunConnection([&](OperationUi& ui) {
        return EraseMonitorData(path, hostAddress, adaptation, ui, settings);
    });
    if (result < 0) {
        return {CommandEnd::Failed, ERASE_FAILED_TEXT, ERROR_CAPTION, MessageIcon::Hand};
    }
    return {CommandEnd::Completed, ERASE_COMPLETED_TEXT, ERASE_COMPLETED_CAPTION,
            MessageIcon::Asterisk};
}

}  // namespace somvix
