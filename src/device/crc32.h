#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace somvix {

// The checksum of the file transfer: the CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320),
// register preset to all ones and inverted at the end.
inline constexpr std::uint32_t CRC32_PRESET = 0xFFFFFFFFu;

// Feeds bytes into a running register; start from CRC32_PRESET and invert the final register.
std::uint32_t UpdateCrc32(std::uint32_t reg, const char* data, std::size_t count);

// The checksum of a whole byte string.
std::uint32_t Crc32(std::string_view bytes);

}  // namespace somvix
