#include "hostnet/process_privilege.h"

#include <unistd.h>

#if defined(__linux__)
#include <sys/auxv.h>
#include <sys/capability.h>
#endif

namespace somvix {

#if defined(__linux__)

bool ProcessHoldsPrivilege() {
    // The kernel tells a program started set-user-id, set-group-id or with a file capability.
    if (::getauxval(AT_SECURE) != 0 || ::geteuid() == 0 || ::geteuid() != ::getuid() ||
        ::getegid() != ::getgid()) {
        return true;
    }
    // A capability held otherwise, for example passed on by a parent through the ambient set.
    // Sets that cannot be read count as held.
    cap_t held = cap_get_proc();
    cap_t none = cap_init();
    const bool any = held == nullptr || none == nullptr || cap_compare(held, none) != 0;
    cap_free(held);
    cap_free(none);
    return any;
}

void KeepCapabilitiesFromChildren() {
    cap_reset_ambient();
}

#else

bool ProcessHoldsPrivilege() {
    return ::geteuid() == 0 || ::geteuid() != ::getuid() || ::getegid() != ::getgid();
}

void KeepCapabilitiesFromChildren() {}

#endif

}  // namespace somvix
