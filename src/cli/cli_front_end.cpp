#include "cli/cli_front_end.h"

#include "transfer/download_folder.h"

namespace somvix {

CliFrontEnd::CliFrontEnd(CliContext& context, std::string folder, Verbosity verbosity)
    : m_ui(context, verbosity), m_strFolder(std::move(folder)) {}

bool CliFrontEnd::ChooseFolder(std::string& path) {
    path = FolderChoicePath(m_strFolder);
    return true;
}

int CliFrontEnd::RunConnection(const std::function<int(OperationUi&)>& connection) {
    const int result = connection(m_ui);
    m_ui.EndProgressLine();
    return result;
}

}  // namespace somvix
