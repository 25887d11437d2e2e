#include "cli/cli_front_end.h"

#include <ostream>

#include "cli/cli_command.h"
#include "transfer/download_folder.h"

namespace somvix {

CliFrontEnd::CliFrontEnd(CliContext& context, std::string folder)
    : m_ui(context), m_strFolder(std::move(folder)) {}

bool CliFrontEnd::ChooseFolder(std::string& path) {
    path = FolderChoicePath(m_strFolder);
    return true;
}

int CliFrontEnd::RunConnection(const std::function<int(OperationUi&)>& connection) {
    const int result = connection(m_ui);
    m_ui.EndProgressLine();
    return result;
}

int PresentOutcome(const CommandOutcome& outcome, CliContext& context) {
    switch (outcome.end) {
        case CommandEnd::Completed:
            context.out << outcome.text << '\n';
            return 0;
        case CommandEnd::Failed:
            context.out << outcome.text << '\n';
            return 1;
        case CommandEnd::Declined:
            break;
    }
    return EXIT_DECLINED;
}

}  // namespace somvix
