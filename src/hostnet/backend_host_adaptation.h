#pragma once

#include <memory>

#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_backend.h"

namespace somvix {

inline constexpr const char* TEXT_RESTORING = "Restaurando configuración de red ...";
inline constexpr const char* TEXT_ADAPT_ERROR = "ERROR adaptando configuración de red";
inline constexpr const char* TEXT_RESTORE_ERROR = "ERROR restaurando configuración de red";

// The host adaptation over one platform's backend. For the cable it renews DHCP leases when the
// adapters use DHCP, reuses 10.8.0.2 when it is already there, and otherwise adds it and
// remembers that it did (m_bAddressAdded), so that only an address this program added is ever
// removed.
class BackendHostAdaptation : public HostAdaptation {
public:
    explicit BackendHostAdaptation(std::unique_ptr<HostAddressBackend> backend);

    int AdaptHostAddress(HostAddressState& state, OperationUi* ui) override;
    void RestoreHostAddress(HostAddressState& state, OperationUi* ui) override;
    std::string FailureText() const override { return m_strFailure; }

private:
    std::unique_ptr<HostAddressBackend> m_pBackend;
    std::string m_strFailure;  // the last adaptation's failing step and the tool's words
};

}  // namespace somvix
