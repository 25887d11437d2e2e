#pragma once

#include <memory>
#include <string>

#include "hostnet/command_runner.h"
#include "hostnet/interface_addresses.h"

namespace somvix {

// The program and arguments that add or remove our address on the adapter.
struct AddressCommands {
    std::string m_strProgram;
    std::string m_strAddArguments;
    std::string m_strRemoveArguments;
};

// NetworkManager's nmcli on the adapter's active connection, for the run only: "device modify"
// changes what is applied now and never the stored connection.
AddressCommands NetworkManagerCommands(const std::string& nmcliPath, const std::string& adapter);

// The helper program started through pkexec, which asks polkit whether this user may.
AddressCommands HelperCommands(const std::string& pkexecPath, const std::string& helperPath,
                               const std::string& adapter);

// Addresses read in-process and changed by another program, for a process without the
// network-admin right. What a change did is judged by the addresses read afterwards, not by the
// program's words; those are kept as the cause of a failure.
class CommandAddresses : public InterfaceAddresses {
public:
    CommandAddresses(std::unique_ptr<InterfaceAddresses> reader,
                     std::unique_ptr<CommandRunner> runner, AddressCommands commands);

    int ListAddresses(std::vector<InterfaceAddress>& addresses) override;
    // EPERM when the address is not there afterwards.
    int AddAddress(const std::string& address, int prefixLength) override;
    // EPERM when the address is still there afterwards; ENODEV when the adapter is gone.
    int RemoveAddress(const std::string& address, int prefixLength) override;
    std::string FailureText() const override { return m_strFailure; }

private:
    // 0, or the listing's error; present tells whether the address is on the adapter.
    int FindAddress(const std::string& address, int prefixLength, bool& present);
    void NoteFailure(const std::string& output);

    std::unique_ptr<InterfaceAddresses> m_pReader;
    std::unique_ptr<CommandRunner> m_pRunner;
    AddressCommands m_commands;
    std::string m_strFailure;
};

}  // namespace somvix
