#include "app/program_dir.h"

#include <string>
#include <system_error>

#include "files/file_access.h"

namespace somvix {

std::filesystem::path ProgramDirectory() {
    return ProgramFilePath().parent_path();
}

bool IsWritableDirectory(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return false;
    }
    // A link in the probe's place is not followed: the probe touches nothing outside.
    const std::filesystem::path probe = folder / ".somvixmn-write-probe";
    const bool writable = WriteToFile(probe, {}, WriteMode::Append) == 0;
    std::filesystem::remove(probe, error);
    return writable;
}

DataFolder DataDirectory() {
    const std::filesystem::path programDirectory = ProgramDirectory();
    if (IsWritableDirectory(programDirectory)) {
        return {DataFolderStatus::Ready, programDirectory};
    }
    const std::optional<std::filesystem::path> perUser = PerUserDataDirectory();
    if (!perUser) {
        return {DataFolderStatus::NoPerUserFolder, {}};
    }
    std::error_code error;
    std::filesystem::create_directories(*perUser, error);
    if (!std::filesystem::is_directory(*perUser, error)) {
        return {DataFolderStatus::NotCreated, *perUser};
    }
    return {DataFolderStatus::Ready, *perUser};
}

}  // namespace somvix
