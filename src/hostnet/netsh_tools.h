#pragma once

#include "hostnet/network_tools.h"

namespace somvix {

inline constexpr const char* ADAPTER_NAME_ENGLISH = "Local Area Connection";
inline constexpr const char* ADAPTER_NAME_SPANISH = "Conexión de área local";

// Windows: the network shell "netsh" and "ipconfig" on the adapter of the system's language.
// The texts are UTF-8 here; the command runner hands them to the system in its code page.
class NetshTools : public NetworkTools {
public:
    ToolCommand DumpCommand() const override;
    bool DhcpInUse(const std::string& dump) const override;
    bool AddressPresent(const std::string& dump) const override;
    ToolCommand AddCommand(int language) const override;
    bool AddressAdded(const std::string& dump) const override;
    ToolCommand RemoveCommand(int language) const override;
    bool AddressStillPresent(const std::string& removeOutput) const override;
    ToolCommand RenewCommand() const override;
};

// Only English (2) systems name the wired adapter in English; Spanish and unknown ones do not.
const char* AdapterName(int language);

}  // namespace somvix
