#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace somvix {

// The one address the helper program changes, as it is written on its command line.
inline constexpr const char* HELPER_ADDRESS_ARGUMENT = "10.8.0.2/24";

enum class HelperAction { Add, Remove };

// What the helper program is asked to do: "add" or "remove" 10.8.0.2/24 on one wired adapter.
struct HelperRequest {
    HelperAction m_action = HelperAction::Add;
    std::string m_strInterface;
};

enum class HelperCheck {
    Ok,
    Usage,         // not "add|remove ADAPTER 10.8.0.2/24"
    WrongAddress,  // any address but 10.8.0.2/24
    NoSuchAdapter,
    NotWired,  // a wireless, virtual or non-Ethernet adapter
};

// Checks the helper's arguments (those after the program's name) against the adapters the
// system lists in adapterFolder (like /sys/class/net), in the order: count and action, address,
// name, the adapter itself. The helper runs with the administrator's rights for any user
// whom the system lets start it, so it accepts this one request and nothing else.
HelperCheck CheckHelperArguments(std::span<const std::string> arguments,
                                 const std::filesystem::path& adapterFolder,
                                 HelperRequest& request);

// The sentence the helper prints for a refusal.
const char* HelperCheckText(HelperCheck check);

}  // namespace somvix
