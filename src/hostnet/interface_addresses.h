#pragma once

#include <string>
#include <vector>

namespace somvix {

// One IPv4 address of an adapter.
struct InterfaceAddress {
    std::string m_strAddress;  // dotted, "10.8.0.2"
    int m_nPrefixLength = 0;   // bits of the subnet mask
    bool m_bDynamic = false;   // held for a lifetime only, as a DHCP client holds its lease
    bool operator==(const InterfaceAddress&) const = default;
};

// The kernel's IPv4 addresses of one named adapter; the seam through which the netlink backend
// reaches them, so that tests can script them. Each call answers 0 or the error number of the
// failure (ENODEV: no such adapter, EADDRNOTAVAIL: no such address, EPERM: no right).
class InterfaceAddresses {
public:
    virtual ~InterfaceAddresses() = default;
    virtual int ListAddresses(std::vector<InterfaceAddress>& addresses) = 0;
    virtual int AddAddress(const std::string& address, int prefixLength) = 0;
    virtual int RemoveAddress(const std::string& address, int prefixLength) = 0;
    // Why the last add or removal failed, in the words of whatever refused it; empty when the
    // error number says it all.
    virtual std::string FailureText() const { return {}; }
};

}  // namespace somvix
