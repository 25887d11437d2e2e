#include "hostnet/tool_host_adaptation.h"

#include "app/operation_ui.h"

namespace somvix {

namespace {

// With no status window (the monitor-name query of the erase) the texts are not shown.
void ShowStatus(OperationUi* ui, const char* text) {
    if (ui != nullptr) {
        ui->SetStatusText(text);
    }
}

}  // namespace

ToolHostAdaptation::ToolHostAdaptation(std::unique_ptr<CommandRunner> runner,
                                       std::unique_ptr<NetworkTools> tools)
    : m_pRunner(std::move(runner)), m_pTools(std::move(tools)) {}

std::string ToolHostAdaptation::Run(const ToolCommand& command) {
    return m_pRunner->RunCommand(command.m_strProgram, command.m_strArguments);
}

int ToolHostAdaptation::AdaptHostAddress(HostAddressState& state, OperationUi* ui) {
    if (state.m_nConnectionKind == CONNECTION_LAN) {
        state.m_strDeviceAddress = state.m_strHostName;
        return 0;
    }
    if (state.m_nConnectionKind != CONNECTION_CABLE) {
        return 0;
    }
    const std::string dump = Run(m_pTools->DumpCommand());
    if (m_pTools->DhcpInUse(dump)) {
        Run(m_pTools->RenewCommand());
    } else if (!m_pTools->AddressPresent(dump)) {
        // An address found present is reused and m_bAddressAdded stays as it was: 1 only when
        // this program added it and an earlier removal failed.
        Run(m_pTools->AddCommand(state.m_nLanguage));
        if (!m_pTools->AddressAdded(Run(m_pTools->DumpCommand()))) {
            ShowStatus(ui, TEXT_ADAPT_ERROR);
            return -1;
        }
        state.m_bAddressAdded = 1;
    }
    state.m_strDeviceAddress = MONITOR_ADDRESS;
    return 0;
}

void ToolHostAdaptation::RestoreHostAddress(HostAddressState& state, OperationUi* ui) {
    if (state.m_bAddressAdded != 1) {
        return;
    }
    ShowStatus(ui, TEXT_RESTORING);
    const std::string output = Run(m_pTools->RemoveCommand(state.m_nLanguage));
    if (m_pTools->AddressStillPresent(output)) {
        // Tried again after the next device operation, which reuses the address meanwhile.
        ShowStatus(ui, TEXT_RESTORE_ERROR);
        return;
    }
    state.m_bAddressAdded = 0;
}

}  // namespace somvix
