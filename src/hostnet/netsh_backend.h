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
    // On the adapter of the language, or where the last dump lists no adapter of that name, on
    // the wired adapter it lists (WiredAdapterInDump). Confirmed when netsh ends with status 0,
    // which it does only once the address is on the adapter; what it prints is not looked at.
    AdditionResult AddHostAddress(Language language) override;
    // Still present when the remove command's own output names the address.
    RemovalResult RemoveHostAddress(Language language) override;

private:
    std::string Run(const std::string& program, const std::string& arguments);
    std::string Adapter(Language language) const;

    std::unique_ptr<CommandRunner> m_pRunner;
    std::string m_strDump;  // of the last look
};

// Only English (2) systems name the wired adapter in English; Spanish and unknown ones do not.
const char* AdapterName(Language language);

// Current systems call the wired adapter "Ethernet" or "Ethernet N" in every language. The
// first adapter of the dump (its name="..." items) with such a name, or empty when the dump
// lists the adapter named legacyName or no such adapter. Only these fixed shapes are taken, so
// nothing else of the dump reaches a command line.
std::string WiredAdapterInDump(const std::string& dump, const std::string& legacyName);

}  // namespace somvix
