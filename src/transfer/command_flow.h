#pragma once

#include <functional>
#include <string>

#include "shared/operation_ui.h"
#include "transfer/transfer_report.h"

namespace somvix {

class HostAdaptation;
struct HostAddressState;
struct TransferSettings;

// How a device command ended.
enum class CommandEnd {
    Completed,
    Failed,
    Cancelled,  // the user stopped the run: nothing was erased after the request
    Declined,   // the user said no, or chose no folder: nothing reached the monitor but the name
};

// The end of a device command, the final message that says it and what the run did; no text
// for Declined.
struct CommandOutcome {
    CommandEnd end = CommandEnd::Declined;
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Asterisk;
    // The cause of a failure, else what the run fetched and erased, in words.
    std::string detail;
    TransferReport report;
};

// What the window and the terminal each do their own way in a device command.
class CommandFrontEnd {
public:
    virtual ~CommandFrontEnd() = default;
    // The user who answers the command's own questions (before any connection is open).
    virtual OperationUi& Ui() = 0;
    // The path handed to the operation (the chosen folder, a separator and a name); false when
    // the user chose no folder.
    virtual bool ChooseFolder(std::string& path) = 0;
    // Runs one conversation with the monitor while its status is shown, and returns its result.
    virtual int RunConnection(const std::function<int(OperationUi&)>& connection) = 0;
};

// The download command: the folder, the download, and its final message. The cancel request of
// settings' connection stops it.
CommandOutcome RunDownloadCommand(CommandFrontEnd& frontEnd, HostAddressState& hostAddress,
                                  HostAdaptation& adaptation, const TransferSettings& settings);

// The erase command: the monitor's name (the host name the user gave when the monitor does not
// say it), the question whether to go on, where only Yes goes on, the folder, the erase, and its
// final message. The cancel request of settings' connection stops it.
CommandOutcome RunEraseCommand(CommandFrontEnd& frontEnd, HostAddressState& hostAddress,
                               HostAdaptation& adaptation, const TransferSettings& settings);

}  // namespace somvix
