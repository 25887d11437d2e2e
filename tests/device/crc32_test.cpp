#include <gtest/gtest.h>

#include <random>
#include <string>

#include "device/crc32.h"
#include "device/protocol.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

// The checksum computed bit by bit from its definition, independent of the table.
std::uint32_t BitwiseCrc32(const std::string& bytes) {
    std::uint32_t reg = 0xFFFFFFFFu;
    for (const char c : bytes) {
        reg ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            reg = (reg >> 1) ^ ((reg & 1u) != 0 ? 0xEDB88320u : 0u);
        }
    }
    return ~reg;
}

std::string RandomBytes(std::mt19937& engine, std::size_t count) {
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(engine() & 0xFFu);
    }
    return bytes;
}

TEST(Crc32, GivesTheStandardCheckValue) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(""), 0u);
}

TEST(Crc32, MatchesTheBitwiseDefinitionOnRandomData) {
    std::mt19937 engine(20248);
    for (const std::size_t size :
         {1u,  2u,  3u,   7u,   8u,   9u,   17u,  63u,   64u,    65u,
          79u, 80u, 127u, 128u, 255u, 256u, 511u, 4096u, 10007u, 200000u}) {
        const std::string bytes = RandomBytes(engine, size);
        EXPECT_EQ(Crc32(bytes), BitwiseCrc32(bytes)) << size;
    }
}

TEST(Crc32, RunningRegisterEqualsTheWholeComputation) {
    std::mt19937 engine(7);
    const std::string bytes = RandomBytes(engine, 3000);
    std::uint32_t reg = CRC32_PRESET;
    reg = UpdateCrc32(reg, bytes.data(), 1);
    reg = UpdateCrc32(reg, bytes.data() + 1, 1022);
    reg = UpdateCrc32(reg, bytes.data() + 1023, bytes.size() - 1023);
    EXPECT_EQ(~reg, Crc32(bytes));
}

TEST(FileCrc32, ReadsTheStoredFileAcrossBlockBoundaries) {
    const test::TempDir folder;
    std::mt19937 engine(99);
    for (const std::size_t size : {0u, 4095u, 4096u, 4097u, 8192u, 200000u}) {
        const std::string bytes = RandomBytes(engine, size);
        const auto path = folder.Path() / ("f" + std::to_string(size) + ".htr");
        test::WriteFileBytes(path, bytes);
        EXPECT_EQ(FileCrc32(path), BitwiseCrc32(bytes)) << size;
    }
}

TEST(FileCrc32, IsZeroForAFileThatCannotBeOpened) {
    const test::TempDir folder;
    EXPECT_EQ(FileCrc32(folder.Path() / "missing.htr"), 0u);
}

}  // namespace
}  // namespace somvix
