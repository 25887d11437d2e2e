#include "app/program_dir.h"

#include <fstream>
#include <string>
#include <system_error>

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

std::filesystem::path DataDirectory() {
    const std::filesystem::path programDirectory = ProgramDirectory();
    if (IsWritableDirectory(programDirectory)) {
        return programDirectory;
    }
    const std::filesystem::path perUser = PerUserDataDirectory();
    std::error_code error;
    std::filesystem::create_directories(perUser, error);
    return perUser;
}

}  // namespace somvix
