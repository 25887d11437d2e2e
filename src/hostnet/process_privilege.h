#pragma once

namespace somvix {

// Whether this process holds a privilege that the programs it starts must not be chosen by its
// caller for: it runs as root, was started set-user-id or set-group-id or with a file
// capability, or holds any capability. The command runner then never searches PATH.
bool ProcessHoldsPrivilege();

// Empties the calling thread's ambient capability set, the one set that passes a capability on
// to a program it starts; called before every start.
void KeepCapabilitiesFromChildren();

}  // namespace somvix
