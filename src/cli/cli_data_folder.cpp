#include "cli/cli_data_folder.h"

#include <ostream>

#include "shared/program_dir.h"

namespace somvix {

int RequireDataDirectory(std::filesystem::path& folder, CliContext& context) {
    const DataFolder dataFolder = DataDirectory();
    switch (dataFolder.status) {
        case DataFolderStatus::Ready:
            folder = dataFolder.path;
            return 0;
        case DataFolderStatus::NoPerUserFolder:
            context.err << "somvixmn-cli: the program keeps no files beside itself (it is "
                           "installed, or its folder is not writable) and HOME names no folder "
                           "of the user's: the settings and records are never kept in a shared "
                           "folder\n";
            return 1;
        case DataFolderStatus::NotCreated:
            context.err << "somvixmn-cli: " << dataFolder.path.string()
                        << ": the data folder cannot be created\n";
            return 1;
    }
    return 1;
}

}  // namespace somvix
