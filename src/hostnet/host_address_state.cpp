#include "hostnet/host_address_state.h"

#include "shared/language.h"

namespace somvix {

HostAddressState NewHostAddressState() {
    HostAddressState state;
    state.m_nLanguage = DetectLanguage();
    return state;
}

}  // namespace somvix
