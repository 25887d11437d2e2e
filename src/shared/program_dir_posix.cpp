#include <unistd.h>

#include <array>
#include <cstdlib>

#include "shared/program_dir.h"

namespace somvix {

std::filesystem::path ProgramFilePath() {
    // The kernel's link names the program file itself, independent of argv[0] and the
    // current directory.
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    return std::filesystem::path(std::string(buffer.data(), static_cast<size_t>(length)));
}

std::optional<std::filesystem::path> PerUserDataDirectory() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome == '/') {
        return std::filesystem::path(dataHome) / "somvixmn";
    }
    // A relative HOME would name a folder of whatever the current folder is.
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home != '/') {
        return std::nullopt;
    }
    return std::filesystem::path(home) / ".local" / "share" / "somvixmn";
}

std::vector<std::filesystem::path> SystemProgramRoots() {
    return {"/usr"};
}

}  // namespace somvix
