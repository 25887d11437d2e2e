#include <windows.h>

#include "about/version_file.h"

namespace somvix {

std::filesystem::path ModuleFilePath(ModuleHandle module) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::filesystem::path(buffer);
}

int ReadFileVersionRecord(const std::filesystem::path& path, std::vector<uint8_t>& record) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) {
        return -1;
    }
    record.assign(size, 0);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, record.data())) {
        record.clear();
        return -1;
    }
    return 0;
}

uint16_t UserDefaultLanguageId() {
    return GetUserDefaultLangID();
}

}  // namespace somvix
