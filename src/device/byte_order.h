#pragma once

#include <cstdint>

namespace somvix {

// The length and checksum fields of the monitor's messages are little-endian whatever the host's
// byte order, so they are read and written byte by byte.
inline std::uint32_t ReadUint32Le(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

inline void WriteUint32Le(std::uint32_t value, char* bytes) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
}

}  // namespace somvix
