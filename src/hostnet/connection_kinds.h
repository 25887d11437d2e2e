#pragma once

#include <array>
#include <optional>
#include <string>

#include "hostnet/host_address_state.h"

namespace somvix {

// The texts of the connection kinds, each at the position of its kind in the communication
// options list.
extern const std::array<std::string, 2> g_connectionKinds;

// The position of a kind in the list and in g_connectionKinds.
int ConnectionKindIndex(ConnectionKind kind);
// The kind at a position of the list; none for a position that holds no kind (-1 is no
// selection).
std::optional<ConnectionKind> ConnectionKindAt(int index);

}  // namespace somvix
