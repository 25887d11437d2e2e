#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "about/version_file.h"
#include "about/version_record.h"

namespace somvix {

// Reads a program file's version record: the fixed part and the twelve standard strings of the
// translation that best matches the user's language.
class CVersionInfo {
public:
    CVersionInfo() = default;
    virtual ~CVersionInfo() = default;

    // Empties everything: the fixed part to zeros, the strings to empty.
    virtual void Reset();

    // The record of a module's file (null: the program itself). True when it was read.
    bool Create(ModuleHandle module);
    // The record of a file. True when it was read; false, with everything empty, when the
    // file has none.
    bool Create(const std::filesystem::path& path);
    // The reading itself, from a record already loaded, for a user of the given language.
    bool ReadRecord(std::span<const uint8_t> record, uint16_t userLanguageId);

    std::string GetFileVersion() const { return m_strFileVersion; }

    // Looks in a translation table (the bytes of 32-bit entries, language id in the low 16
    // bits, code page in the high 16 bits) for the first entry of the language; failing that,
    // when allowPrimary, for the first whose lowest 8 bits equal the language's. True when
    // found.
    static bool FindTranslation(std::span<const uint8_t> table, uint16_t languageId,
                                uint32_t& translation, bool allowPrimary);

    FixedFileInfo m_fixed;
    std::string m_strCompanyName;
    std::string m_strFileDescription;
    std::string m_strFileVersion;
    std::string m_strInternalName;
    std::string m_strLegalCopyright;
    std::string m_strOriginalFileName;
    std::string m_strProductName;
    std::string m_strProductVersion;
    std::string m_strComments;
    std::string m_strLegalTrademarks;
    std::string m_strPrivateBuild;
    std::string m_strSpecialBuild;
};

}  // namespace somvix
