#pragma once

#include "hostnet/interface_addresses.h"

namespace somvix {

// Linux: the adapter's IPv4 addresses through the kernel's routing socket (rtnetlink), in this
// process and in the network namespace of the calling thread. Adding and removing need the
// network-admin right, which is raised around those two calls only.
class RtnetlinkAddresses : public InterfaceAddresses {
public:
    explicit RtnetlinkAddresses(std::string interfaceName)
        : m_strInterface(std::move(interfaceName)) {}

    int ListAddresses(std::vector<InterfaceAddress>& addresses) override;
    int AddAddress(const std::string& address, int prefixLength) override;
    int RemoveAddress(const std::string& address, int prefixLength) override;

private:
    // Sends RTM_NEWADDR or RTM_DELADDR for the address with the given request flags.
    int ChangeAddress(int type, int flags, const std::string& address, int prefixLength);

    std::string m_strInterface;
};

}  // namespace somvix
