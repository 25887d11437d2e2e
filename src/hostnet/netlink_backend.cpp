#include "hostnet/netlink_backend.h"

#include <cerrno>

namespace somvix {

NetlinkBackend::NetlinkBackend(std::string interfaceName,
                               std::unique_ptr<InterfaceAddresses> addresses,
                               std::unique_ptr<CommandRunner> runner, std::string renewProgram)
    : m_strInterface(std::move(interfaceName)),
      m_pAddresses(std::move(addresses)),
      m_pRunner(std::move(runner)),
      m_strRenewProgram(std::move(renewProgram)) {}

AdapterLook NetlinkBackend::LookAtAdapter() {
    AdapterLook look;
    std::vector<InterfaceAddress> addresses;
    if (m_pAddresses->ListAddresses(addresses) != 0) {
        return look;
    }
    for (const InterfaceAddress& address : addresses) {
        look.m_bDhcpInUse = look.m_bDhcpInUse || address.m_bDynamic;
        if (address.m_strAddress == HOST_ADDRESS) {
            look.m_bHostAddressShown = true;
            look.m_bHostAddressPresent =
                look.m_bHostAddressPresent || address.m_nPrefixLength == HOST_PREFIX_LENGTH;
        }
    }
    return look;
}

void NetlinkBackend::RenewLeases() {
    if (!m_strRenewProgram.empty()) {
        m_pRunner->RunCommand(m_strRenewProgram, "renew " + m_strInterface);
    }
}

AdditionResult NetlinkBackend::AddHostAddress(int /*language*/) {
    return m_pAddresses->AddAddress(HOST_ADDRESS, HOST_PREFIX_LENGTH) == 0
               ? AdditionResult::Confirmed
               : AdditionResult::Unconfirmed;
}

RemovalResult NetlinkBackend::RemoveHostAddress(int /*language*/) {
    const int error = m_pAddresses->RemoveAddress(HOST_ADDRESS, HOST_PREFIX_LENGTH);
    return error == 0 || error == EADDRNOTAVAIL || error == ENODEV ? RemovalResult::Gone
                                                                   : RemovalResult::StillPresent;
}

}  // namespace somvix
