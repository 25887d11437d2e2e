#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The version record in the layout of a Windows version resource (VS_VERSIONINFO): nodes of
// wLength, wValueLength, wType, a UTF-16 key with its terminating zero, padding to 32 bits, the
// value, padding, and the child nodes. Numbers are little-endian. The builder is constexpr so
// that the program can carry its own record as constant bytes made from the build's version.
namespace somvix {

// The fixed part of the record, 52 bytes (the system's VS_FIXEDFILEINFO, fields named as
// there).
struct FixedFileInfo {
    uint32_t dwSignature = 0;  // 0xFEEF04BD
    uint32_t dwStrucVersion = 0;
    uint32_t dwFileVersionMS = 0;  // major << 16 | minor
    uint32_t dwFileVersionLS = 0;  // patch << 16 | tweak
    uint32_t dwProductVersionMS = 0;
    uint32_t dwProductVersionLS = 0;
    uint32_t dwFileFlagsMask = 0;
    uint32_t dwFileFlags = 0;
    uint32_t dwFileOS = 0;
    uint32_t dwFileType = 0;
    uint32_t dwFileSubtype = 0;
    uint32_t dwFileDateMS = 0;
    uint32_t dwFileDateLS = 0;

    friend constexpr bool operator==(const FixedFileInfo&, const FixedFileInfo&) = default;
};

inline constexpr size_t FIXED_FILE_INFO_SIZE = 52;
inline constexpr uint32_t FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD;
inline constexpr uint16_t VERSION_NODE_BINARY = 0;
inline constexpr uint16_t VERSION_NODE_TEXT = 1;
inline constexpr std::string_view VERSION_ROOT_KEY = "VS_VERSION_INFO";

// The fields of FixedFileInfo in the order they are stored.
inline constexpr uint32_t FixedFileInfo::*FIXED_FILE_INFO_FIELDS[] = {
    &FixedFileInfo::dwSignature,        &FixedFileInfo::dwStrucVersion,
    &FixedFileInfo::dwFileVersionMS,    &FixedFileInfo::dwFileVersionLS,
    &FixedFileInfo::dwProductVersionMS, &FixedFileInfo::dwProductVersionLS,
    &FixedFileInfo::dwFileFlagsMask,    &FixedFileInfo::dwFileFlags,
    &FixedFileInfo::dwFileOS,           &FixedFileInfo::dwFileType,
    &FixedFileInfo::dwFileSubtype,      &FixedFileInfo::dwFileDateMS,
    &FixedFileInfo::dwFileDateLS,
};

// The twelve standard version strings, in the order of the record and of its readers.
inline constexpr std::array<std::string_view, 12> VERSION_STRING_NAMES = {
    "CompanyName",    "FileDescription",  "FileVersion",  "InternalName",
    "LegalCopyright", "OriginalFileName", "ProductName",  "ProductVersion",
    "Comments",       "LegalTrademarks",  "PrivateBuild", "SpecialBuild",
};

// A translation: language id in the low 16 bits, code page in the high 16 bits.
constexpr uint32_t MakeTranslation(uint16_t languageId, uint16_t codePage) {
    return (static_cast<uint32_t>(codePage) << 16) | languageId;
}

struct VersionString {
    std::string_view m_strName;
    std::string_view m_strValue;  // UTF-8
};

struct VersionStringTable {
    uint32_t m_nTranslation = 0;  // names the table "llllcccc" in lower-case hexadecimal
    std::span<const VersionString> m_strings;
};

struct VersionRecordContents {
    FixedFileInfo m_fixed;
    // Bytes of the fixed part as stored: 52 in every real record; another size is written
    // zero-padded or cut, to try readers on records of other layouts.
    size_t m_nFixedSize = FIXED_FILE_INFO_SIZE;
    std::span<const VersionStringTable> m_tables;
    std::span<const uint32_t> m_translations;
};

namespace version_record_detail {

constexpr void PutWord(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

constexpr void PutDword(std::vector<uint8_t>& out, uint32_t value) {
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

// Offsets are counted from the start of the record, which is itself 32-bit aligned.
constexpr void Align(std::vector<uint8_t>& out) {
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

// UTF-8 to UTF-16 code units; a malformed sequence gives U+FFFD.
constexpr std::vector<uint16_t> ToUtf16(std::string_view text) {
    std::vector<uint16_t> units;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        const size_t length = lead < 0x80           ? 1
                              : (lead >> 5) == 0x6  ? 2
                              : (lead >> 4) == 0xE  ? 3
                              : (lead >> 3) == 0x1E ? 4
                                                    : 0;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = length != 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            valid = (next >> 6) == 0x2;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid || code > 0x10FFFF) {
            code = 0xFFFD;
        }
        i += valid ? length : 1;
        if (code >= 0x10000) {
            units.push_back(static_cast<uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(code));
        }
    }
    return units;
}

// Writes a node's header and key; the length is filled in by EndNode.
constexpr size_t BeginNode(std::vector<uint8_t>& out, std::string_view key, size_t valueLength,
                           uint16_t type) {
    Align(out);
    const size_t start = out.size();
    PutWord(out, 0);
    PutWord(out, static_cast<uint32_t>(valueLength));
    PutWord(out, type);
    for (const uint16_t unit : ToUtf16(key)) {
        PutWord(out, unit);
    }
    PutWord(out, 0);
    Align(out);
    return start;
}

constexpr void EndNode(std::vector<uint8_t>& out, size_t start) {
    const size_t length = out.size() - start;
    out[start] = static_cast<uint8_t>(length & 0xFF);
    out[start + 1] = static_cast<uint8_t>((length >> 8) & 0xFF);
}

constexpr void PutStringNode(std::vector<uint8_t>& out, const VersionString& entry) {
    const std::vector<uint16_t> value = ToUtf16(entry.m_strValue);
    // The value length of a text node counts UTF-16 units, the terminating zero included.
    const size_t start = BeginNode(out, entry.m_strName, value.size() + 1, VERSION_NODE_TEXT);
    for (const uint16_t unit : value) {
        PutWord(out, unit);
    }
    PutWord(out, 0);
    EndNode(out, start);
}

constexpr char HexDigit(uint32_t value) {
    return "0123456789abcdef"[value & 0xF];
}

}  // namespace version_record_detail

constexpr std::vector<uint8_t> BuildVersionRecord(const VersionRecordContents& contents) {
    using namespace version_record_detail;
    std::vector<uint8_t> out;
    const size_t root =
        BeginNode(out, VERSION_ROOT_KEY, contents.m_nFixedSize, VERSION_NODE_BINARY);
    std::vector<uint8_t> fixed;
    for (const auto field : FIXED_FILE_INFO_FIELDS) {
        PutDword(fixed, contents.m_fixed.*field);
    }
    fixed.resize(contents.m_nFixedSize, 0);
    out.insert(out.end(), fixed.begin(), fixed.end());

    const size_t stringInfo = BeginNode(out, "StringFileInfo", 0, VERSION_NODE_TEXT);
    for (const VersionStringTable& table : contents.m_tables) {
        char key[8] = {};
        for (int digit = 0; digit < 8; ++digit) {
            // Language first, then code page: the reverse of their order in the 32-bit value.
            const uint32_t part = digit < 4 ? table.m_nTranslation : table.m_nTranslation >> 16;
            key[digit] = HexDigit(part >> (12 - 4 * (digit % 4)));
        }
        const size_t tableStart = BeginNode(out, std::string_view(key, 8), 0, VERSION_NODE_TEXT);
        for (const VersionString& entry : table.m_strings) {
            PutStringNode(out, entry);
        }
        EndNode(out, tableStart);
    }
    EndNode(out, stringInfo);

    const size_t varInfo = BeginNode(out, "VarFileInfo", 0, VERSION_NODE_TEXT);
    const size_t var =
        BeginNode(out, "Translation", contents.m_translations.size() * 4, VERSION_NODE_BINARY);
    for (const uint32_t translation : contents.m_translations) {
        PutDword(out, translation);
    }
    EndNode(out, var);
    EndNode(out, varInfo);
    EndNode(out, root);
    return out;
}

}  // namespace somvix
