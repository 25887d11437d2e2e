#include "device/crc32.h"

#include <array>

#include "device/byte_order.h"
#include "device/crc32_fold.h"

namespace somvix {

namespace {

// Eight tables: table k gives the register change of a byte followed by k zero bytes, so that
// eight bytes are folded into the register with eight look-ups and no dependence between them
// ("slicing by eight"). A byte at a time, the checksum of a 200 KB file took longer than its
// transfer over the cable's loopback.
using Crc32Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Crc32Tables MakeCrc32Tables() {
    Crc32Tables tables{};
    for (std::uint32_t index = 0; index < 256; ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1u) != 0 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        }
        tables[0][index] = value;
    }
    for (std::size_t k = 1; k < tables.size(); ++k) {
        for (std::uint32_t index = 0; index < 256; ++index) {
            const std::uint32_t previous = tables[k - 1][index];
            tables[k][index] = (previous >> 8) ^ tables[0][previous & 0xFFu];
        }
    }
    return tables;
}

constexpr Crc32Tables CRC32_TABLES = MakeCrc32Tables();

std::uint32_t UpdateCrc32WithTables(std::uint32_t reg, const char* data, std::size_t count) {
    const auto& t = CRC32_TABLES;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const std::uint32_t low = reg ^ ReadUint32Le(data + i);
        const std::uint32_t high = ReadUint32Le(data + i + 4);
        reg = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^
              t[4][low >> 24] ^ t[3][high & 0xFFu] ^ t[2][(high >> 8) & 0xFFu] ^
              t[1][(high >> 16) & 0xFFu] ^ t[0][high >> 24];
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    for (; i < count; ++i) {
        reg = t[0][(reg ^ bytes[i]) & 0xFFu] ^ (reg >> 8);
    }
    return reg;
}

}  // namespace

std::uint32_t UpdateCrc32(std::uint32_t reg, const char* data, std::size_t count) {
    if (count >= CRC32_FOLD_MINIMUM && CanFoldCrc32()) {
        const std::size_t folded = count - count % CRC32_FOLD_STEP;
        reg = FoldCrc32(reg, data, folded);
        data += folded;
        count -= folded;
    }
    return UpdateCrc32WithTables(reg, data, count);
}

std::uint32_t Crc32(std::string_view bytes) {
    return ~UpdateCrc32(CRC32_PRESET, bytes.data(), bytes.size());
}

}  // namespace somvix
