#include "hostnet/wired_adapter.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <system_error>

namespace somvix {

namespace {

constexpr std::size_t MAX_INTERFACE_NAME = 15;  // the kernel's limit, without the zero
constexpr const char* ETHERNET_TYPE = "1";      // the adapter's hardware type

std::string FirstWord(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string word;
    in >> word;
    return word;
}

}  // namespace

bool IsWiredAdapter(const std::filesystem::path& adapter) {
    std::error_code error;
    return std::filesystem::exists(adapter / "device", error) &&
           FirstWord(adapter / "type") == ETHERNET_TYPE &&
           !std::filesystem::exists(adapter / "wireless", error) &&
           !std::filesystem::exists(adapter / "phy80211", error);
}

bool IsValidInterfaceName(const std::string& name) {
    return !name.empty() && name.size() <= MAX_INTERFACE_NAME &&
           name.find_first_of(" \t\r\n\"\\/") == std::string::npos;
}

std::string FindWiredAdapter(const std::filesystem::path& adapterFolder) {
    std::error_code error;
    std::set<std::string> names;  // in name order
    for (std::filesystem::directory_iterator entry(adapterFolder, error), end;
         !error && entry != end; entry.increment(error)) {
        names.insert(entry->path().filename().string());
    }
    for (const std::string& name : names) {
        if (IsValidInterfaceName(name) && IsWiredAdapter(adapterFolder / name) &&
            FirstWord(adapterFolder / name / "operstate") == "up") {
            return name;
        }
    }
    return {};
}

std::string ChooseWiredAdapter(const std::string& named) {
    // A name given but unusable chooses no adapter rather than another one.
    if (!named.empty()) {
        return IsValidInterfaceName(named) ? named : std::string();
    }
    const char* fromEnvironment = std::getenv(INTERFACE_VARIABLE);
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return IsValidInterfaceName(fromEnvironment) ? fromEnvironment : std::string();
    }
    return FindWiredAdapter();
}

}  // namespace somvix
