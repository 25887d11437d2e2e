#include "hostnet/network_admin_right.h"

#include <sys/capability.h>
#include <unistd.h>

#include <memory>
#include <type_traits>

namespace somvix {

namespace {

struct FreeCapabilities {
    void operator()(std::remove_pointer_t<cap_t>* capabilities) const { cap_free(capabilities); }
};
using Capabilities = std::unique_ptr<std::remove_pointer_t<cap_t>, FreeCapabilities>;

const cap_value_t NETWORK_ADMIN[] = {CAP_NET_ADMIN};

// Capability sets are the calling thread's own on Linux: another thread of the program keeps
// whatever it has.
void SetNetworkAdminEffective(cap_flag_value_t value) {
    const Capabilities capabilities(cap_get_proc());
    cap_flag_value_t permitted = CAP_CLEAR;
    if (!capabilities ||
        cap_get_flag(capabilities.get(), CAP_NET_ADMIN, CAP_PERMITTED, &permitted) != 0 ||
        permitted != CAP_SET) {
        return;
    }
    if (cap_set_flag(capabilities.get(), CAP_EFFECTIVE, 1, NETWORK_ADMIN, value) == 0) {
        cap_set_proc(capabilities.get());
    }
}

}  // namespace

RaisedNetworkAdminRight::RaisedNetworkAdminRight() {
    SetNetworkAdminEffective(CAP_SET);
}

RaisedNetworkAdminRight::~RaisedNetworkAdminRight() {
    SetNetworkAdminEffective(CAP_CLEAR);
}

bool HoldsNetworkAdminRight() {
    const Capabilities capabilities(cap_get_proc());
    cap_flag_value_t permitted = CAP_CLEAR;
    return capabilities &&
           cap_get_flag(capabilities.get(), CAP_NET_ADMIN, CAP_PERMITTED, &permitted) == 0 &&
           permitted == CAP_SET;
}

void GiveUpGrantedNetworkAdminRight() {
    if (::geteuid() == 0) {
        return;
    }
    const Capabilities capabilities(cap_get_proc());
    if (capabilities &&
        cap_set_flag(capabilities.get(), CAP_EFFECTIVE, 1, NETWORK_ADMIN, CAP_CLEAR) == 0 &&
        cap_set_flag(capabilities.get(), CAP_INHERITABLE, 1, NETWORK_ADMIN, CAP_CLEAR) == 0 &&
        cap_set_flag(capabilities.get(), CAP_PERMITTED, 1, NETWORK_ADMIN, CAP_CLEAR) == 0) {
        cap_set_proc(capabilities.get());
    }
}

}  // namespace somvix
