#include "hostnet/connection_kinds.h"

namespace somvix {

const std::array<std::string, 2> g_connectionKinds = {"Cable cruzado Ethernet", "LAN"};

}  // namespace somvix
