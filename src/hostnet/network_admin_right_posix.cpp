#include "hostnet/network_admin_right.h"

#if defined(__linux__)
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace somvix {

#if defined(__linux__)

bool PassNetworkAdminRightToChildren() {
    // A capability survives the start of another program only in the ambient set, which may
    // hold only what is both permitted and inheritable.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    constexpr unsigned BIT = 1u << CAP_NET_ADMIN;  // CAP_NET_ADMIN < 32: in the first word
    if ((data[0].permitted & BIT) == 0) {
        return false;
    }
    if ((data[0].inheritable & BIT) == 0) {
        data[0].inheritable |= BIT;
        if (::syscall(SYS_capset, &header, data) != 0) {
            return false;
        }
    }
    return ::prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_RAISE, CAP_NET_ADMIN, 0, 0) == 0;
}

#else

bool PassNetworkAdminRightToChildren() {
    return false;
}

#endif

}  // namespace somvix
