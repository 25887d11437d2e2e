#pragma once

#include <array>
#include <string>
#include <vector>

#include "about/product_text.h"
#include "about/version_record.h"
#include "version.h"

// The program's own version record, made at compile time from the build's version number.
namespace somvix {

inline constexpr uint16_t PROGRAM_LANGUAGE_ID = 0x0C0A;  // Spanish (Spain)
inline constexpr uint16_t PROGRAM_CODE_PAGE = 1200;      // UTF-16

// "1, 1, 0, 0": the version as the record's strings give it. Its characters are kept in a
// vector: clang before version 15 cannot evaluate libstdc++'s std::string in a constant
// expression, and the fuzz build compiles this header with clang.
constexpr std::vector<char> ProgramFileVersionText() {
    std::vector<char> text;
    for (const int part : {VERSION_MAJOR, VERSION_MINOR, VERSION_PATCH, VERSION_TWEAK}) {
        if (!text.empty()) {
            text.push_back(',');
            text.push_back(' ');
        }
        const auto first = text.size();
        for (int rest = part; text.size() == first || rest > 0; rest /= 10) {
            text.insert(text.begin() + static_cast<std::ptrdiff_t>(first),
                        static_cast<char>('0' + rest % 10));
        }
    }
    return text;
}

constexpr FixedFileInfo ProgramFixedFileInfo() {
    FixedFileInfo fixed;
    fixed.dwSignature = FIXED_FILE_INFO_SIGNATURE;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = static_cast<uint32_t>((VERSION_MAJOR << 16) | VERSION_MINOR);
    fixed.dwFileVersionLS = static_cast<uint32_t>((VERSION_PATCH << 16) | VERSION_TWEAK);
    fixed.dwProductVersionMS = fixed.dwFileVersionMS;
    fixed.dwProductVersionLS = fixed.dwFileVersionLS;
    fixed.dwFileFlagsMask = 0x3F;
    fixed.dwFileOS = 4;    // VOS__WINDOWS32
    fixed.dwFileType = 1;  // VFT_APP
    return fixed;
}

constexpr std::vector<uint8_t> BuildProgramVersionRecord() {
    const std::vector<char> versionText = ProgramFileVersionText();
    const std::string_view version(versionText.data(), versionText.size());
    // In the order of VERSION_STRING_NAMES.
    const std::array<std::string_view, 12> values = {
        "",
        PRODUCT_DESCRIPTION,
        version,
        PRODUCT_INTERNAL_NAME,
        PRODUCT_LICENCE_LINE,
        PRODUCT_FILE_NAME,
        PRODUCT_NAME,
        version,
        "",
        "",
        "",
        "",
    };
    std::array<VersionString, 12> strings;
    for (size_t i = 0; i < strings.size(); ++i) {
        strings[i] = {VERSION_STRING_NAMES[i], values[i]};
    }
    const std::array<VersionStringTable, 1> tables = {
        {{MakeTranslation(PROGRAM_LANGUAGE_ID, PROGRAM_CODE_PAGE), strings}}};
    const std::array<uint32_t, 1> translations = {
        MakeTranslation(PROGRAM_LANGUAGE_ID, PROGRAM_CODE_PAGE)};
    VersionRecordContents contents;
    contents.m_fixed = ProgramFixedFileInfo();
    contents.m_tables = tables;
    contents.m_translations = translations;
    return BuildVersionRecord(contents);
}

inline constexpr size_t PROGRAM_VERSION_RECORD_SIZE = BuildProgramVersionRecord().size();

// The record as constant bytes, the form in which the program carries it.
constexpr std::array<uint8_t, PROGRAM_VERSION_RECORD_SIZE> ProgramVersionRecordBytes() {
    const std::vector<uint8_t> record = BuildProgramVersionRecord();
    std::array<uint8_t, PROGRAM_VERSION_RECORD_SIZE> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = record[i];
    }
    return bytes;
}

}  // namespace somvix
