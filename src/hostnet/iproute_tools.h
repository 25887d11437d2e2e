#pragma once

#include "hostnet/network_tools.h"

namespace somvix {

// Linux: iproute2's "ip" on one named wired adapter, and systemd-networkd's "networkctl" for the
// renewal of a DHCP lease. Adding and removing an address needs the network-admin right.
class IprouteTools : public NetworkTools {
public:
    explicit IprouteTools(std::string interfaceName) : m_strInterface(std::move(interfaceName)) {}

    ToolCommand DumpCommand() const override;
    // A "dynamic" address on the adapter is one its DHCP client holds.
    bool DhcpInUse(const std::string& dump) const override;
    // Exactly 10.8.0.2/24 on the adapter.
    bool AddressPresent(const std::string& dump) const override;
    ToolCommand AddCommand(int language) const override;
    // 10.8.0.2 with any prefix on the adapter.
    bool AddressAdded(const std::string& dump) const override;
    ToolCommand RemoveCommand(int language) const override;
    // "ip" says nothing when it removed the address; any answer other than "not there" (no such
    // address, no such adapter) means it is still there, for example for lack of rights.
    bool AddressStillPresent(const std::string& removeOutput) const override;
    ToolCommand RenewCommand() const override;

    const std::string& InterfaceName() const { return m_strInterface; }

private:
    std::string m_strInterface;
};

}  // namespace somvix
