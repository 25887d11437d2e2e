#include "hostnet/cable_address_request.h"

#include <system_error>

#include "hostnet/wired_adapter.h"

namespace somvix {

HelperCheck CheckHelperArguments(std::span<const std::string> arguments,
                                 const std::filesystem::path& adapterFolder,
                                 HelperRequest& request) {
    if (arguments.size() != 3 || (arguments[0] != "add" && arguments[0] != "remove")) {
        return HelperCheck::Usage;
    }
    if (arguments[2] != HELPER_ADDRESS_ARGUMENT) {
        return HelperCheck::WrongAddress;
    }
    const std::string& name = arguments[1];
    std::error_code error;
    // A valid name has no slash and no dots alone, so it stays inside the adapter folder.
    if (!IsValidInterfaceName(name) || name == "." || name == ".." ||
        !std::filesystem::exists(adapterFolder / name, error)) {
        return HelperCheck::NoSuchAdapter;
    }
    if (!IsWiredAdapter(adapterFolder / name)) {
        return HelperCheck::NotWired;
    }
    request.m_action = arguments[0] == "add" ? HelperAction::Add : HelperAction::Remove;
    request.m_strInterface = name;
    return HelperCheck::Ok;
}

const char* HelperCheckText(HelperCheck check) {
    switch (check) {
        case HelperCheck::Ok:
            return "";
        case HelperCheck::Usage:
            return "usage: somvixmn-cable-address add|remove ADAPTER 10.8.0.2/24";
        case HelperCheck::WrongAddress:
            return "only the address 10.8.0.2/24 is changed";
        case HelperCheck::NoSuchAdapter:
            return "no such network adapter";
        case HelperCheck::NotWired:
            return "not a wired Ethernet adapter";
    }
    return "";
}

}  // namespace somvix
