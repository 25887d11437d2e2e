#include "hostnet/backend_host_adaptation.h"

#include "shared/operation_ui.h"

namespace somvix {

namespace {

// With no status window (the monitor-name query of the erase) the texts are not shown.
void ShowStatus(OperationUi* ui, const std::string& text) {
    if (ui != nullptr) {
        ui->SetStatusText(text);
    }
}

// The error, then what refused the change where something said.
void ShowFailure(OperationUi* ui, const char* error, const HostAddressBackend& backend) {
    ShowStatus(ui, error);
    if (const std::string cause = backend.FailureText(); !cause.empty()) {
        ShowStatus(ui, cause);
    }
}

}  // namespace

BackendHostAdaptation::BackendHostAdaptation(std::unique_ptr<HostAddressBackend> backend)
    : m_pBackend(std::move(backend)) {}

int BackendHostAdaptation::AdaptHostAddress(HostAddressState& state, OperationUi* ui) {
    m_strFailure.clear();
    if (state.m_connectionKind == ConnectionKind::Lan) {
        state.m_strDeviceAddress = state.m_strHostName;
        return 0;
    }
    const AdapterLook look = m_pBackend->LookAtAdapter();
    if (look.m_bDhcpInUse) {
        m_pBackend->RenewLeases();
    } else if (!look.m_bHostAddressPresent) {
        // An address found present is reused and m_bAddressAdded stays as it was: true only when
        // this program added it and an earlier removal failed.
        // The second look only where the add itself did not say that it worked.
        if (m_pBackend->AddHostAddress(state.m_language) != AdditionResult::Confirmed &&
            !m_pBackend->LookAtAdapter().m_bHostAddressShown) {
            ShowFailure(ui, TEXT_ADAPT_ERROR, *m_pBackend);
            m_strFailure = std::string("no se pudo añadir la dirección ") + HOST_ADDRESS;
            if (const std::string said = m_pBackend->FailureText(); !said.empty()) {
                m_strFailure += ": " + said;
            }
            return -1;
        }
        state.m_bAddressAdded = true;
    }
    state.m_strDeviceAddress = MONITOR_ADDRESS;
    return 0;
}

void BackendHostAdaptation::RestoreHostAddress(HostAddressState& state, OperationUi* ui) {
    if (!state.m_bAddressAdded) {
        return;
    }
    ShowStatus(ui, TEXT_RESTORING);
    if (m_pBackend->RemoveHostAddress(state.m_language) == RemovalResult::StillPresent) {
        // Tried again after the next device operation, which reuses the address meanwhile.
        ShowFailure(ui, TEXT_RESTORE_ERROR, *m_pBackend);
        return;
    }
    state.m_bAddressAdded = false;
}

}  // namespace somvix
