#pragma once

#include <memory>

#include "hostnet/command_runner.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/network_tools.h"

namespace somvix {

inline constexpr const char* TEXT_RESTORING = "Restaurando configuración de red ...";
inline constexpr const char* TEXT_ADAPT_ERROR = "ERROR adaptando configuración de red";
inline constexpr const char* TEXT_RESTORE_ERROR = "ERROR restaurando configuración de red";

// The host adaptation over the platform's network tools, run through the command runner. For
// the cable it renews DHCP leases when the adapters use DHCP, reuses 10.8.0.2 when it is already
// there, and otherwise adds it and remembers that it did (m_bAddressAdded), so that only an
// address this program added is ever removed.
class ToolHostAdaptation : public HostAdaptation {
public:
    ToolHostAdaptation(std::unique_ptr<CommandRunner> runner, std::unique_ptr<NetworkTools> tools);

    int AdaptHostAddress(HostAddressState& state, OperationUi* ui) override;
    void RestoreHostAddress(HostAddressState& state, OperationUi* ui) override;

private:
    std::string Run(const ToolCommand& command);

    std::unique_ptr<CommandRunner> m_pRunner;
    std::unique_ptr<NetworkTools> m_pTools;
};

}  // namespace somvix
