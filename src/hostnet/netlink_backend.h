#pragma once

#include <memory>
#include <string>

#include "hostnet/command_runner.h"
#include "hostnet/host_address_backend.h"
#include "hostnet/interface_addresses.h"

namespace somvix {

// Linux: the wired adapter's addresses read, added and removed in-process (the kernel's routing
// socket behind InterfaceAddresses), and a DHCP lease renewed by systemd-networkd's
// "networkctl renew IF". The adapter has one name whatever the system's language.
class NetlinkBackend : public HostAddressBackend {
public:
    // renewProgram is the path of networkctl, or empty where the system has none (the renewal is
    // then left to the DHCP client).
    NetlinkBackend(std::string interfaceName, std::unique_ptr<InterfaceAddresses> addresses,
                   std::unique_ptr<CommandRunner> runner, std::string renewProgram);

    // DHCP in use: a dynamic address on the adapter. Present: exactly 10.8.0.2/24. Shown:
    // 10.8.0.2 with any prefix.
    AdapterLook LookAtAdapter() override;
    void RenewLeases() override;
    // Confirmed by the kernel's acknowledgement of the add.
    AdditionResult AddHostAddress(Language language) override;
    // Gone when removed, when no longer there, or when the adapter itself is gone; any other
    // failure (no right, for one) leaves it present.
    RemovalResult RemoveHostAddress(Language language) override;
    // What refused the change, or the error number's meaning.
    std::string FailureText() const override;

private:
    std::string m_strInterface;
    std::unique_ptr<InterfaceAddresses> m_pAddresses;
    std::unique_ptr<CommandRunner> m_pRunner;
    std::string m_strRenewProgram;
    int m_nLastError = 0;  // of the last add or removal
};

}  // namespace somvix
