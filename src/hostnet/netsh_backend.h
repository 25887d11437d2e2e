#pragma once

#include <memory>
#include <string>

#include "hostnet/command_runner.h"
#include "hostnet/host_address_backend.h"

namespace somvix {

inline constexpr const char* ADAPTER_NAME_ENGLISH = "Local Area Connection";
inline constexpr const char* ADAPTER_NAME_SPANISH = "Conexión de área local";

// Windows: the network shell "netsh" and "ipconfig" run through the command runner, on the
// adapter of the system's language, and the texts looked for in what they print. The texts are
// UTF-8 here; the command runner hands them to the system in its code page.
class NetshBackend : public HostAddressBackend {
public:
    explicit NetshBackend(std::unique_ptr<CommandRunner> runner);

    // From "netsh -c interface dump": "source = dhcp" anywhere, "addr = 10.8.0.2" (present) and
    // the bare "10.8.0.2" (shown).
    AdapterLook LookAtAdapter() override;
    void RenewLeases() override;
    // Never confirmed: what the add command prints is not looked at.
    AdditionResult AddHostAddress(int language) override;
    // Still present when the remove command's own output names the address.
    RemovalResult RemoveHostAddress(int language) override;

private:
    std::string Run(const std::string& program, const std::string& arguments);

    std::unique_ptr<CommandRunner> m_pRunner;
};

// Only English (2) systems name the wired adapter in English; Spanish and unknown ones do not.
const char* AdapterName(int language);

}  // namespace somvix
