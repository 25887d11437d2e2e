#pragma once

#include <string>

namespace somvix {

inline constexpr const char* MONITOR_ADDRESS = "10.8.0.1";
inline constexpr const char* HOST_ADDRESS = "10.8.0.2";  // ours on the monitor's subnet

inline bool ContainsText(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// One command for the command runner: program and arguments, joined there by one blank.
struct ToolCommand {
    std::string m_strProgram;
    std::string m_strArguments;
    bool operator==(const ToolCommand&) const = default;
};

// The platform's network tools as the host adaptation uses them: the commands it runs on the
// wired adapter and the tests it makes on their output. The decisions themselves are the
// adaptation's and the same on every platform.
class NetworkTools {
public:
    virtual ~NetworkTools() = default;

    // Reads the interface configuration (the dump).
    virtual ToolCommand DumpCommand() const = 0;
    // The dump shows addresses taken by DHCP: the leases are renewed instead of adding ours.
    virtual bool DhcpInUse(const std::string& dump) const = 0;
    // The dump already holds our address on the monitor's subnet.
    virtual bool AddressPresent(const std::string& dump) const = 0;
    // Adds our address; language chooses the adapter's name where the name depends on it.
    virtual ToolCommand AddCommand(int language) const = 0;
    // The dump taken after the add command shows the address.
    virtual bool AddressAdded(const std::string& dump) const = 0;
    virtual ToolCommand RemoveCommand(int language) const = 0;
    // The remove command's own output says the address is still there.
    virtual bool AddressStillPresent(const std::string& removeOutput) const = 0;
    // Asks the DHCP client to renew its leases; its output is not examined.
    virtual ToolCommand RenewCommand() const = 0;
};

}  // namespace somvix
