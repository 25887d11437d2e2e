#pragma once

#include <string>

#include "hostnet/host_address_state.h"

namespace somvix {

class OperationUi;

// Gives the PC an address on the monitor's cable subnet before a device operation and takes it
// away afterwards, and sets the address the device connection connects to. ui is the status
// line of the operation, or null when no status window is open (the texts are then not shown).
class HostAdaptation {
public:
    virtual ~HostAdaptation() = default;
    // 0 on success, -1 when the address cannot be added.
    virtual int AdaptHostAddress(HostAddressState& state, OperationUi* ui) = 0;
    virtual void RestoreHostAddress(HostAddressState& state, OperationUi* ui) = 0;
    // Why the last adaptation failed: the step and what the tool said; empty when nothing says.
    virtual std::string FailureText() const { return {}; }
};

}  // namespace somvix
