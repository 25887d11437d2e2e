#include <windows.h>

#include "shared/language.h"

namespace somvix {

std::optional<std::string> ReadRegionalLanguageText() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char buffer[100] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, "sLanguage", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(buffer);
}

}  // namespace somvix
