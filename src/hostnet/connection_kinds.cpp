#include "hostnet/connection_kinds.h"

namespace somvix {

const std::array<std::string, 2> g_connectionKinds = {"Cable cruzado Ethernet", "LAN"};

int ConnectionKindIndex(ConnectionKind kind) {
    return static_cast<int>(kind);
}

std::optional<ConnectionKind> ConnectionKindAt(int index) {
    for (const ConnectionKind kind : {ConnectionKind::Cable, ConnectionKind::Lan}) {
        if (ConnectionKindIndex(kind) == index) {
            return kind;
        }
    }
    return std::nullopt;
}

}  // namespace somvix
