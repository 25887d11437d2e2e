#include "hostnet/netlink_backend.h"

#include <cerrno>
#include <cstring>

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

AdditionResult NetlinkBackend::AddHostAddress(Language /*language*/) {
    m_nLastError = m_pAddresses->AddAddress(HOST_ADDRESS, HOST_PREFIX_LENGTH);
    return m_nLastError == 0 ? AdditionResult::Confirmed : AdditionResult::Unconfirmed;
}

RemovalResult NetlinkBackend::RemoveHostAddress(Language /*language*/) {
    m_nLastError = m_pAddresses->RemoveAddress(HOST_ADDRESS, HOST_PREFIX_LENGTH);
    return m_nLastError == 0 || m_nLastError == EADDRNOTAVAIL || m_nLastError == ENODEV
               ? RemovalResult::Gone
               : RemovalResult::StillPresent;
}

std::string NetlinkBackend::FailureText() const {
    if (std::string text = m_pAddresses->FailureText(); !text.empty()) {
        return text;
    }
    if (m_nLastError == EPERM) {
        return "sin permiso para cambiar las direcciones de " + m_strInterface +
               " (hace falta NetworkManager, somvixmn-cable-address o root)";
    }
    return m_nLastError == 0 ? std::string() : std::strerror(m_nLastError);
}

}  // namespace somvix
