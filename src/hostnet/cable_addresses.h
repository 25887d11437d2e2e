#pragma once

#include <memory>
#include <string>

#include "hostnet/command_runner.h"
#include "hostnet/interface_addresses.h"

namespace somvix {

// How the cable kind changes the address on the wired adapter.
enum class AddressChanger {
    NetworkManager,  // nmcli on the adapter NetworkManager manages, for the run only
    InProcess,       // the kernel's routing socket, with the network-admin right
    Helper,          // somvixmn-cable-address started through pkexec
};

// What the system offers; paths are empty where a program is missing.
struct CableTools {
    std::string m_strNmcli;
    std::string m_strPkexec;
    std::string m_strHelper;  // installed, owned by root and writable by no one else
    bool m_bHoldsNetworkAdminRight = false;
};

// The arguments that ask nmcli for the state of every device, "eth0:connected" a line.
inline constexpr const char* NMCLI_DEVICE_STATES = "-t -f DEVICE,STATE device status";

// Whether nmcli's device states list the adapter in a state other than "unmanaged".
bool NetworkManagerManages(const std::string& deviceStates, const std::string& adapter);

// NetworkManager where it manages the adapter (it would undo changes made behind its back);
// else in-process where the process holds the right (root, or the program file's capability);
// else the helper where it is installed; else in-process all the same, which then fails and
// says that the right is missing.
AddressChanger ChooseAddressChanger(bool networkManagerManages, const CableTools& tools);

// The adapter's addresses for the cable kind: read through inProcess always, changed as
// ChooseAddressChanger decides. The runner asks nmcli first, then serves the chosen program.
std::unique_ptr<InterfaceAddresses> MakeCableAddresses(
    const std::string& adapter, const CableTools& tools,
    std::unique_ptr<InterfaceAddresses> inProcess, std::unique_ptr<CommandRunner> runner);

}  // namespace somvix
