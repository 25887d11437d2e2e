#include "about/version_info.h"

#include <array>
#include <cstdio>
#include <vector>

#include "about/version_block.h"

namespace somvix {

namespace {

// The members of the twelve strings, in the order of VERSION_STRING_NAMES.
constexpr std::array<std::string CVersionInfo::*, 12> STRING_MEMBERS = {
    &CVersionInfo::m_strCompanyName,    &CVersionInfo::m_strFileDescription,
    &CVersionInfo::m_strFileVersion,    &CVersionInfo::m_strInternalName,
    &CVersionInfo::m_strLegalCopyright, &CVersionInfo::m_strOriginalFileName,
    &CVersionInfo::m_strProductName,    &CVersionInfo::m_strProductVersion,
    &CVersionInfo::m_strComments,       &CVersionInfo::m_strLegalTrademarks,
    &CVersionInfo::m_strPrivateBuild,   &CVersionInfo::m_strSpecialBuild,
};

constexpr uint16_t LANGUAGE_NEUTRAL = 0;
constexpr uint16_t LANGUAGE_ENGLISH = 9;

uint32_t ReadDword(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

}  // namespace

void CVersionInfo::Reset() {
    m_fixed = FixedFileInfo{};
    for (const auto member : STRING_MEMBERS) {
        (this->*member).clear();
    }
}

bool CVersionInfo::Create(ModuleHandle module) {
    return Create(ModuleFilePath(module));
}

bool CVersionInfo::Create(const std::filesystem::path& path) {
    Reset();
    std::vector<uint8_t> record;
    if (path.empty() || ReadFileVersionRecord(path, record) != 0) {
        return false;
    }
    return ReadRecord(record, UserDefaultLanguageId());
}

bool CVersionInfo::ReadRecord(std::span<const uint8_t> record, uint16_t userLanguageId) {
    Reset();
    VersionValue root;
    if (!QueryVersionValue(record, "\\", root)) {
        return false;  // not a version record at all
    }
    if (root.m_bytes.size() == FIXED_FILE_INFO_SIZE) {
        size_t offset = 0;
        for (const auto field : FIXED_FILE_INFO_FIELDS) {
            m_fixed.*field = ReadDword(root.m_bytes, offset);
            offset += 4;
        }
    }

    VersionValue table;
    if (!QueryVersionValue(record, "\\VarFileInfo\\Translation", table) ||
        table.m_bytes.size() < 4) {
        // Without a translation there is no string table to name: the strings stay empty.
        return true;
    }
    const std::span<const uint8_t> entries = table.m_bytes;
    uint32_t translation = 0;
    if (!FindTranslation(entries, userLanguageId, translation, false) &&
        !FindTranslation(entries, userLanguageId, translation, true) &&
        !FindTranslation(entries, LANGUAGE_NEUTRAL, translation, true) &&
        !FindTranslation(entries, LANGUAGE_ENGLISH, translation, true)) {
        translation = ReadDword(entries, 0);
    }

    char tableName[16];
    std::snprintf(tableName, sizeof tableName, "%04X%04X", translation & 0xFFFF, translation >> 16);
    const std::string prefix = "\\StringFileInfo\\" + std::string(tableName) + "\\";
    for (size_t i = 0; i < STRING_MEMBERS.size(); ++i) {
        VersionValue text;
        if (QueryVersionValue(record, prefix + std::string(VERSION_STRING_NAMES[i]), text)) {
            this->*STRING_MEMBERS[i] = VersionValueText(text);
        }
    }
    return true;
}

bool CVersionInfo::FindTranslation(std::span<const uint8_t> table, uint16_t languageId,
                                   uint32_t& translation, bool allowPrimary) {
    const size_t entries = table.size() / 4;
    for (size_t i = 0; i < entries; ++i) {
        const uint32_t entry = ReadDword(table, i * 4);
        if ((entry & 0xFFFF) == languageId) {
            translation = entry;
            return true;
        }
    }
    if (!allowPrimary) {
        return false;
    }
    for (size_t i = 0; i < entries; ++i) {
        const uint32_t entry = ReadDword(table, i * 4);
        if ((entry & 0xFF) == (languageId & 0xFF)) {
            translation = entry;
            return true;
        }
    }
    return false;
}

}  // namespace somvix
