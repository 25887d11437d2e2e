#include "device/crc32.h"

#include <zlib.h>

namespace somvix {

std::uint32_t UpdateCrc32(std::uint32_t reg, const char* data, std::size_t count) {
    // zlib's running value is the register inverted; its table-driven loop reads several bytes
    // a step, which matters at the rate files arrive.
    const uLong value = crc32_z(~reg & 0xFFFFFFFFu, reinterpret_cast<const Bytef*>(data), count);
    return ~static_cast<std::uint32_t>(value);
}

std::uint32_t Crc32(std::string_view bytes) {
    return ~UpdateCrc32(CRC32_PRESET, bytes.data(), bytes.size());
}

}  // namespace somvix
