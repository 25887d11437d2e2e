#include "hostnet/make_host_adaptation.h"

namespace somvix {

namespace {

// FIXME: stands in until the network shell adaptation exists: it changes nothing on the PC and
// only aims the connection at the monitor's cable address or at the typed host name.
class AddressOnlyAdaptation : public HostAdaptation {
public:
    int AdaptHostAddress(HostAddressState& state, OperationUi* /*ui*/) override {
        if (state.m_nConnectionKind == CONNECTION_LAN) {
            state.m_strDeviceAddress = state.m_strHostName;
        } else if (state.m_nConnectionKind == CONNECTION_CABLE) {
            state.m_strDeviceAddress = "10.8.0.1";
        }
        return 0;
    }
    void RestoreHostAddress(HostAddressState& /*state*/, OperationUi* /*ui*/) override {}
};

}  // namespace

std::unique_ptr<HostAdaptation> MakeHostAdaptation(const std::string& /*interfaceName*/) {
    return std::make_unique<AddressOnlyAdaptation>();
}

}  // namespace somvix
