#include <windows.h>

#include <cstdlib>

#include "shared/program_dir.h"

namespace somvix {

std::filesystem::path ProgramFilePath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::filesystem::path(buffer);
}

std::optional<std::filesystem::path> PerUserDataDirectory() {
    const wchar_t* localAppData = _wgetenv(L"LOCALAPPDATA");
    if (localAppData == nullptr || !std::filesystem::path(localAppData).is_absolute()) {
        return std::nullopt;
    }
    return std::filesystem::path(localAppData) / "somvixmn";
}

std::vector<std::filesystem::path> SystemProgramRoots() {
    // Where Windows keeps installed programs is the build's install folder alone.
    return {};
}

}  // namespace somvix
