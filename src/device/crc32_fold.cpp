#include "device/crc32_fold.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define SOMVIX_CRC32_FOLD 1
#endif

namespace somvix {

#ifdef SOMVIX_CRC32_FOLD

bool CanFoldCrc32() {
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
}

namespace {

// Powers of x modulo the polynomial, bit-reflected: x^(512±32) to fold four 128-bit lanes across
// 64 bytes, x^(128±32) to fold one lane into the next, x^64 to bring 96 bits to 64, then the
// polynomial with its Barrett constant to reduce to 32.
alignas(16) constexpr std::uint64_t FOLD_BY_FOUR[] = {0x0154442bd4, 0x01c6e41596};
alignas(16) constexpr std::uint64_t FOLD_BY_ONE[] = {0x01751997d0, 0x00ccaa009e};
alignas(16) constexpr std::uint64_t FOLD_TO_64[] = {0x0163cd6124, 0};
alignas(16) constexpr std::uint64_t BARRETT[] = {0x01db710641, 0x01f7011641};

__attribute__((target("pclmul,sse4.1"))) inline __m128i Load(const char* data) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i Constants(const std::uint64_t* pair) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(pair));
}

// lane times the constants, both halves, added to next.
__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i lane, __m128i constants,
                                                             __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

}  // namespace

__attribute__((target("pclmul,sse4.1"))) std::uint32_t FoldCrc32(std::uint32_t reg,
                                                                 const char* data,
                                                                 std::size_t count) {
    __m128i lane1 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(reg)));
    __m128i lane2 = Load(data + 16);
    __m128i lane3 = Load(data + 32);
    __m128i lane4 = Load(data + 48);
    data += 64;
    count -= 64;

    // Four lanes in parallel, so that the multiplies of one do not wait for another's.
    __m128i constants = Constants(FOLD_BY_FOUR);
    for (; count >= 64; data += 64, count -= 64) {
        lane1 = Fold(lane1, constants, Load(data));
        lane2 = Fold(lane2, constants, Load(data + 16));
        lane3 = Fold(lane3, constants, Load(data + 32));
        lane4 = Fold(lane4, constants, Load(data + 48));
    }

    constants = Constants(FOLD_BY_ONE);
    __m128i folded = Fold(lane1, constants, lane2);
    folded = Fold(folded, constants, lane3);
    folded = Fold(folded, constants, lane4);
    for (; count >= 16; data += 16, count -= 16) {
        folded = Fold(folded, constants, Load(data));
    }

    // 128 bits to 64.
    const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
    folded =
        _mm_xor_si128(_mm_srli_si128(folded, 8), _mm_clmulepi64_si128(folded, constants, 0x10));
    folded = _mm_xor_si128(
        _mm_srli_si128(folded, 4),
        _mm_clmulepi64_si128(_mm_and_si128(folded, low32), Constants(FOLD_TO_64), 0x00));

    // Barrett reduction to the 32-bit register.
    const __m128i barrett = Constants(BARRETT);
    __m128i quotient = _mm_clmulepi64_si128(_mm_and_si128(folded, low32), barrett, 0x10);
    quotient = _mm_clmulepi64_si128(_mm_and_si128(quotient, low32), barrett, 0x00);
    return static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(folded, quotient), 1));
}

#else

bool CanFoldCrc32() {
    return false;
}

std::uint32_t FoldCrc32(std::uint32_t reg, const char*, std::size_t) {
    return reg;
}

#endif

}  // namespace somvix
