#pragma once

namespace somvix {

// Where the program file was given the network-admin right (file capability cap_net_admin, for
// example with `setcap cap_net_admin+ep somvixmn-cli`), passes it on to the tools the program
// starts: a capability of the program file alone is dropped when "ip" is started. It holds for
// the calling thread and the threads it starts afterwards; the command runner calls it. Does
// nothing where the process does not hold the right or the system has no such mechanism. Returns
// whether children now receive it.
bool PassNetworkAdminRightToChildren();

}  // namespace somvix
