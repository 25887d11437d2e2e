#include "shared/code_page_text.h"

#include <array>

namespace somvix {

namespace {

constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

// Bytes 0x80..0x9F, where code page 1252 differs from Latin-1; 0 marks an undefined byte.
constexpr std::array<char16_t, 32> HIGH_CONTROL_RANGE = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t CharacterOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = HIGH_CONTROL_RANGE[byte - 0x80u];
        return mapped != 0 ? mapped : REPLACEMENT_CHARACTER;
    }
    return byte;  // elsewhere the code page is Latin-1, whose characters keep their numbers
}

}  // namespace

void AppendUtf8(std::string& text, char32_t character) {
    if (character < 0x80) {
        text += static_cast<char>(character);
    } else if (character < 0x800) {
        text += static_cast<char>(0xC0 | (character >> 6));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        text += static_cast<char>(0xE0 | (character >> 12));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (character >> 18));
        text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    }
}

std::string Utf8From1252(std::string_view text) {
    std::string converted;
    converted.reserve(text.size());
    for (const char byte : text) {
        AppendUtf8(converted, CharacterOf(static_cast<unsigned char>(byte)));
    }
    return converted;
}

}  // namespace somvix
