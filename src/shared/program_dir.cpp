#include "shared/program_dir.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "files/file_access.h"
#include "shared/install_dirs.h"

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

std::vector<std::filesystem::path> InstalledProgramRoots() {
    std::vector<std::filesystem::path> roots = SystemProgramRoots();
    roots.emplace_back(INSTALL_BIN_DIR);
    return roots;
}

bool IsInstalledProgramDirectory(const std::filesystem::path& programDirectory,
                                 std::span<const std::filesystem::path> roots) {
    const std::filesystem::path folder = programDirectory.lexically_normal();
    return std::any_of(roots.begin(), roots.end(), [&folder](const std::filesystem::path& root) {
        const std::filesystem::path normalRoot = root.lexically_normal();
        if (normalRoot.empty() || !normalRoot.is_absolute()) {
            return false;
        }
        // Compared name by name; a trailing separator of the root adds an empty last name.
        auto rootEnd = normalRoot.end();
        if (!normalRoot.has_filename()) {
            --rootEnd;
        }
        auto folderPart = folder.begin();
        for (auto rootPart = normalRoot.begin(); rootPart != rootEnd; ++rootPart, ++folderPart) {
            if (folderPart == folder.end() || *folderPart != *rootPart) {
                return false;
            }
        }
        return true;
    });
}

DataFolder DataDirectory() {
    const std::filesystem::path programDirectory = ProgramDirectory();
    if (!IsInstalledProgramDirectory(programDirectory, InstalledProgramRoots()) &&
        IsWritableDirectory(programDirectory)) {
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
