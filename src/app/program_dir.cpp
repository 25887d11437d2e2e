#include "app/program_dir.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include "app/install_dirs.h"

namespace somvix {

std::filesystem::path ProgramDirectory() {
    return ProgramFilePath().parent_path();
}

bool IsWritableDirectory(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return false;
    }
    const std::filesystem::path probe = folder / ".somvixmn-write-probe";
    bool writable = false;
    {
        std::ofstream file(probe, std::ios::binary | std::ios::app);
        writable = static_cast<bool>(file);
    }
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

std::filesystem::path DataDirectory() {
    const std::filesystem::path programDirectory = ProgramDirectory();
    if (!IsInstalledProgramDirectory(programDirectory, InstalledProgramRoots()) &&
        IsWritableDirectory(programDirectory)) {
        return programDirectory;
    }
    const std::filesystem::path perUser = PerUserDataDirectory();
    std::error_code error;
    std::filesystem::create_directories(perUser, error);
    return perUser;
}

}  // namespace somvix
