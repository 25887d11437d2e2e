#pragma once

#include <array>
#include <string>

namespace somvix {

// The texts of the connection kinds, by the index stored in m_nConnectionKind.
extern const std::array<std::string, 2> g_connectionKinds;

}  // namespace somvix
