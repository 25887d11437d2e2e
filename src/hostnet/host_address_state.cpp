#include "hostnet/host_address_state.h"

namespace somvix {

HostAddressState NewHostAddressState() {
    HostAddressState state;
    state.m_language = DetectLanguage();
    return state;
}

}  // namespace somvix
