#include "hostnet/cable_addresses.h"

#include <sstream>

#include "hostnet/command_addresses.h"

namespace somvix {

bool NetworkManagerManages(const std::string& deviceStates, const std::string& adapter) {
    std::istringstream lines(deviceStates);
    const std::string start = adapter + ":";
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(start, 0) == 0) {
            const std::string state = line.substr(start.size());
            return !state.empty() && state != "unmanaged";
        }
    }
    return false;
}

AddressChanger ChooseAddressChanger(bool networkManagerManages, const CableTools& tools) {
    if (networkManagerManages) {
        return AddressChanger::NetworkManager;
    }
    if (!tools.m_bHoldsNetworkAdminRight && !tools.m_strPkexec.empty() &&
        !tools.m_strHelper.empty()) {
        return AddressChanger::Helper;
    }
    return AddressChanger::InProcess;
}

std::unique_ptr<InterfaceAddresses> MakeCableAddresses(
    const std::string& adapter, const CableTools& tools,
    std::unique_ptr<InterfaceAddresses> inProcess, std::unique_ptr<CommandRunner> runner) {
    const bool managed =
        !tools.m_strNmcli.empty() && !adapter.empty() &&
        NetworkManagerManages(runner->RunCommand(tools.m_strNmcli, NMCLI_DEVICE_STATES), adapter);
    switch (ChooseAddressChanger(managed, tools)) {
        case AddressChanger::NetworkManager:
            return std::make_unique<CommandAddresses>(
                std::move(inProcess), std::move(runner),
                NetworkManagerCommands(tools.m_strNmcli, adapter));
        case AddressChanger::Helper:
            return std::make_unique<CommandAddresses>(
                std::move(inProcess), std::move(runner),
                HelperCommands(tools.m_strPkexec, tools.m_strHelper, adapter));
        case AddressChanger::InProcess:
            break;
    }
    return inProcess;
}

}  // namespace somvix
