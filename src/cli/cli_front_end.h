#pragma once

#include <string>

#include "cli/cli_operation_ui.h"
#include "transfer/command_flow.h"

namespace somvix {

struct CliContext;

// The terminal as the front end of a device command: the folder is the verb's FOLDER, each
// conversation with the monitor runs in place, and its progress line ends with it.
class CliFrontEnd : public CommandFrontEnd {
public:
    CliFrontEnd(CliContext& context, std::string folder, Verbosity verbosity);

    CliOperationUi& Terminal() { return m_ui; }

    OperationUi& Ui() override { return m_ui; }
    bool ChooseFolder(std::string& path) override;
    int RunConnection(const std::function<int(OperationUi&)>& connection) override;

private:
    CliOperationUi m_ui;
    std::string m_strFolder;
};

// Exit status of a declined command.
inline constexpr int EXIT_DECLINED = 3;

}  // namespace somvix
