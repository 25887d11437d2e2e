#include "hostnet/command_addresses.h"

#include <cerrno>

namespace somvix {

namespace {

constexpr const char* ADDRESS_ARGUMENT = "10.8.0.2/24";

}  // namespace

AddressCommands NetworkManagerCommands(const std::string& nmcliPath, const std::string& adapter) {
    const std::string device = "device modify " + adapter + " ";
    return {nmcliPath, device + "+ipv4.addresses " + ADDRESS_ARGUMENT,
            device + "-ipv4.addresses " + ADDRESS_ARGUMENT};
}

AddressCommands HelperCommands(const std::string& pkexecPath, const std::string& helperPath,
                               const std::string& adapter) {
    return {pkexecPath, helperPath + " add " + adapter + " " + ADDRESS_ARGUMENT,
            helperPath + " remove " + adapter + " " + ADDRESS_ARGUMENT};
}

CommandAddresses::CommandAddresses(std::unique_ptr<InterfaceAddresses> reader,
                                   std::unique_ptr<CommandRunner> runner, AddressCommands commands)
    : m_pReader(std::move(reader)), m_pRunner(std::move(runner)), m_commands(std::move(commands)) {}

int CommandAddresses::ListAddresses(std::vector<InterfaceAddress>& addresses) {
    return m_pReader->ListAddresses(addresses);
}

int CommandAddresses::AddAddress(const std::string& address, int prefixLength) {
    const std::string output =
        m_pRunner->RunCommand(m_commands.m_strProgram, m_commands.m_strAddArguments);
    bool present = false;
    if (FindAddress(address, prefixLength, present) != 0 || !present) {
        NoteFailure(output);
        return EPERM;
    }
    m_strFailure.clear();
    return 0;
}

int CommandAddresses::RemoveAddress(const std::string& address, int prefixLength) {
    const std::string output =
        m_pRunner->RunCommand(m_commands.m_strProgram, m_commands.m_strRemoveArguments);
    bool present = true;
    const int error = FindAddress(address, prefixLength, present);
    if (error == ENODEV) {
        return ENODEV;
    }
    if (error != 0 || present) {
        NoteFailure(output);
        return EPERM;
    }
    m_strFailure.clear();
    return 0;
}

int CommandAddresses::FindAddress(const std::string& address, int prefixLength, bool& present) {
    std::vector<InterfaceAddress> addresses;
    if (const int error = m_pReader->ListAddresses(addresses); error != 0) {
        return error;
    }
    present = false;
    for (const InterfaceAddress& each : addresses) {
        present = present || (each.m_strAddress == address && each.m_nPrefixLength == prefixLength);
    }
    return 0;
}

void CommandAddresses::NoteFailure(const std::string& output) {
    // The program's first line says why; one that said nothing is named.
    const std::string firstLine = output.substr(0, output.find('\n'));
    m_strFailure = firstLine.empty() ? m_commands.m_strProgram + ": no answer" : firstLine;
}

}  // namespace somvix
