#include "device/crc32.h"

#include <array>

namespace somvix {

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrc32Table() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t index = 0; index < 256; ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1u) != 0 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        }
        table[index] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CRC32_TABLE = MakeCrc32Table();

}  // namespace

std::uint32_t UpdateCrc32(std::uint32_t reg, const char* data, std::size_t count) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < count; ++i) {
        reg = CRC32_TABLE[(reg ^ bytes[i]) & 0xFFu] ^ (reg >> 8);
    }
    return reg;
}

std::uint32_t Crc32(std::string_view bytes) {
    return ~UpdateCrc32(CRC32_PRESET, bytes.data(), bytes.size());
}

}  // namespace somvix
