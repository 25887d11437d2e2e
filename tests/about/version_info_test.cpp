#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "about/product_text.h"
#include "about/program_record.h"
#include "about/version_block.h"
#include "about/version_info.h"
#include "support/temp_dir.h"
#include "support/version_text.h"

namespace somvix {
namespace {

constexpr uint16_t SPANISH_SPAIN = 0x0C0A;
constexpr uint16_t SPANISH_MEXICO = 0x080A;
constexpr uint16_t ENGLISH_US = 0x0409;
constexpr uint16_t GERMAN = 0x0407;
constexpr uint16_t UNICODE_PAGE = 1200;
constexpr uint16_t WESTERN_PAGE = 1252;

std::vector<uint8_t> TableBytes(std::initializer_list<uint32_t> entries) {
    std::vector<uint8_t> bytes;
    for (const uint32_t entry : entries) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<uint8_t>(entry >> shift));
        }
    }
    return bytes;
}

TEST(FindTranslation, ExactThenPrimaryLanguageMatch) {
    const uint32_t english = MakeTranslation(ENGLISH_US, WESTERN_PAGE);
    const uint32_t spanish = MakeTranslation(SPANISH_SPAIN, UNICODE_PAGE);
    const std::vector<uint8_t> table = TableBytes({english, spanish});
    uint32_t found = 0;

    EXPECT_TRUE(CVersionInfo::FindTranslation(table, SPANISH_SPAIN, found, false));
    EXPECT_EQ(found, spanish);
    EXPECT_TRUE(CVersionInfo::FindTranslation(table, ENGLISH_US, found, false));
    EXPECT_EQ(found, english);

    found = 0;
    EXPECT_FALSE(CVersionInfo::FindTranslation(table, SPANISH_MEXICO, found, false));
    EXPECT_EQ(found, 0u);
    EXPECT_TRUE(CVersionInfo::FindTranslation(table, SPANISH_MEXICO, found, true));
    EXPECT_EQ(found, spanish);
    EXPECT_FALSE(CVersionInfo::FindTranslation(table, GERMAN, found, true));

    // An exact match wins over an earlier entry of the same primary language.
    const std::vector<uint8_t> twoSpanish =
        TableBytes({MakeTranslation(SPANISH_MEXICO, UNICODE_PAGE), spanish});
    EXPECT_TRUE(CVersionInfo::FindTranslation(twoSpanish, SPANISH_SPAIN, found, true));
    EXPECT_EQ(found, spanish);

    // Only whole entries count.
    const std::vector<uint8_t> cut(table.begin(), table.begin() + 6);
    EXPECT_FALSE(CVersionInfo::FindTranslation(cut, SPANISH_SPAIN, found, true));
    EXPECT_FALSE(CVersionInfo::FindTranslation({}, SPANISH_SPAIN, found, true));
}

// A record with one string table per translation, each giving its own "FileVersion".
struct TranslatedRecord {
    explicit TranslatedRecord(std::vector<uint32_t> translationsIn, size_t fixedSize = 52)
        : translations(std::move(translationsIn)) {
        versions.reserve(translations.size());
        for (const uint32_t translation : translations) {
            char text[16];
            std::snprintf(text, sizeof text, "%04X%04X", translation & 0xFFFF, translation >> 16);
            versions.emplace_back(text);
        }
        for (size_t i = 0; i < translations.size(); ++i) {
            strings.push_back(
                std::make_unique<std::array<VersionString, 2>>(std::array<VersionString, 2>{
                    {{"FileVersion", versions[i]}, {"ProductName", "Prueba"}}}));
            tables.push_back({translations[i], *strings.back()});
        }
        VersionRecordContents contents;
        contents.m_fixed = ProgramFixedFileInfo();
        contents.m_nFixedSize = fixedSize;
        contents.m_tables = tables;
        contents.m_translations = translations;
        bytes = BuildVersionRecord(contents);
    }

    std::vector<uint32_t> translations;
    std::vector<std::string> versions;
    std::vector<std::unique_ptr<std::array<VersionString, 2>>> strings;
    std::vector<VersionStringTable> tables;
    std::vector<uint8_t> bytes;
};

std::string ChosenVersion(const TranslatedRecord& record, uint16_t userLanguage) {
    CVersionInfo info;
    EXPECT_TRUE(info.ReadRecord(record.bytes, userLanguage));
    return info.GetFileVersion();
}

TEST(VersionInfoReadRecord, ChoosesTheTranslationByTheFallbackOrder) {
    const uint32_t english = MakeTranslation(ENGLISH_US, WESTERN_PAGE);
    const uint32_t neutral = MakeTranslation(0x0000, UNICODE_PAGE);
    const uint32_t mexico = MakeTranslation(SPANISH_MEXICO, UNICODE_PAGE);
    const uint32_t spain = MakeTranslation(SPANISH_SPAIN, UNICODE_PAGE);
    const uint32_t french = MakeTranslation(0x040C, WESTERN_PAGE);

    const TranslatedRecord all({english, neutral, mexico, spain});
    EXPECT_EQ(ChosenVersion(all, SPANISH_SPAIN), "0C0A04B0") << "exact";
    EXPECT_EQ(ChosenVersion(all, SPANISH_MEXICO), "080A04B0") << "exact";
    EXPECT_EQ(ChosenVersion(all, 0x2C0A), "080A04B0") << "first of the primary language";
    EXPECT_EQ(ChosenVersion(all, GERMAN), "000004B0") << "neutral";

    const TranslatedRecord noNeutral({french, english, spain});
    EXPECT_EQ(ChosenVersion(noNeutral, GERMAN), "040904E4") << "English";

    const TranslatedRecord neither({french, spain});
    EXPECT_EQ(ChosenVersion(neither, GERMAN), "040C04E4") << "first entry";
}

TEST(VersionInfoReadRecord, ProgramRecordGivesItsVersionToEveryUser) {
    const std::vector<uint8_t> record = BuildProgramVersionRecord();
    for (const uint16_t user : {SPANISH_SPAIN, SPANISH_MEXICO, ENGLISH_US, GERMAN, uint16_t{0}}) {
        CVersionInfo info;
        ASSERT_TRUE(info.ReadRecord(record, user));
        EXPECT_EQ(info.GetFileVersion(), test::VersionText(", ")) << std::hex << user;
    }
}

TEST(VersionInfoReadRecord, ProgramRecordHoldsFixedPartAndTwelveStrings) {
    CVersionInfo info;
    ASSERT_TRUE(info.ReadRecord(BuildProgramVersionRecord(), SPANISH_SPAIN));
    EXPECT_EQ(info.m_fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.m_fixed.dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(info.m_fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(info.m_fixed.dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(info.m_fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(info.m_fixed.dwFileFlags, 0u);
    EXPECT_EQ(info.m_fixed.dwFileOS, 4u);
    EXPECT_EQ(info.m_fixed.dwFileType, 1u);
    EXPECT_EQ(info.m_fixed.dwFileSubtype, 0u);
    EXPECT_EQ(info.m_strProductVersion, test::VersionText(", "));
    EXPECT_EQ(info.m_strProductName, PRODUCT_NAME);
    EXPECT_EQ(info.m_strFileDescription, PRODUCT_DESCRIPTION);  // not plain ASCII
    EXPECT_EQ(info.m_strLegalCopyright, PRODUCT_LICENCE_LINE);
    EXPECT_EQ(info.m_strInternalName, "somvixmn");
    EXPECT_FALSE(info.m_strOriginalFileName.empty());
    for (const std::string* empty :
         {&info.m_strCompanyName, &info.m_strComments, &info.m_strLegalTrademarks,
          &info.m_strPrivateBuild, &info.m_strSpecialBuild}) {
        EXPECT_TRUE(empty->empty()) << *empty;
    }

    const std::vector<uint8_t> record = BuildProgramVersionRecord();
    VersionValue translation;
    ASSERT_TRUE(QueryVersionValue(record, "\\VarFileInfo\\Translation", translation));
    EXPECT_EQ(std::vector<uint8_t>(translation.m_bytes.begin(), translation.m_bytes.end()),
              TableBytes({MakeTranslation(SPANISH_SPAIN, UNICODE_PAGE)}));
}

TEST(VersionInfoReadRecord, RootOfAnotherSizeLeavesFixedPartZeroButStringsAreRead) {
    for (const size_t size : {48u, 56u, 0u}) {
        const TranslatedRecord record({MakeTranslation(SPANISH_SPAIN, UNICODE_PAGE)}, size);
        CVersionInfo info;
        ASSERT_TRUE(info.ReadRecord(record.bytes, SPANISH_SPAIN)) << size;
        EXPECT_EQ(info.m_fixed, FixedFileInfo{}) << size;
        EXPECT_EQ(info.GetFileVersion(), "0C0A04B0") << size;
        EXPECT_EQ(info.m_strProductName, "Prueba") << size;
    }
}

TEST(VersionInfoReadRecord, RecordWithoutTranslationsGivesNoStrings) {
    const TranslatedRecord record({});
    CVersionInfo info;
    EXPECT_TRUE(info.ReadRecord(record.bytes, SPANISH_SPAIN));
    EXPECT_EQ(info.m_fixed, ProgramFixedFileInfo());
    EXPECT_EQ(info.GetFileVersion(), "");
}

TEST(VersionInfoReadRecord, CutOrDamagedRecordsAreNotReadPastTheirEnd) {
    const std::vector<uint8_t> whole = BuildProgramVersionRecord();
    for (size_t length = 0; length < whole.size(); ++length) {
        // A copy of its own, so that a read past the cut end is a read past the allocation.
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        CVersionInfo info;
        EXPECT_FALSE(info.ReadRecord(cut, SPANISH_SPAIN)) << length;
        EXPECT_EQ(info.GetFileVersion(), "") << length;
    }

    // A string node claiming more than its table holds ends the look-up of that table.
    std::vector<uint8_t> damaged = whole;
    CVersionInfo before;
    ASSERT_TRUE(before.ReadRecord(damaged, SPANISH_SPAIN));
    const std::string key = "CompanyName";
    std::vector<uint8_t> pattern;
    for (const char c : key) {
        pattern.insert(pattern.end(), {static_cast<uint8_t>(c), 0});
    }
    const auto found = std::search(damaged.begin(), damaged.end(), pattern.begin(), pattern.end());
    ASSERT_NE(found, damaged.end());
    const auto node = found - 6;
    node[0] = 0xFF;
    node[1] = 0x7F;
    CVersionInfo after;
    EXPECT_TRUE(after.ReadRecord(damaged, SPANISH_SPAIN));
    EXPECT_EQ(after.GetFileVersion(), "");
    EXPECT_EQ(after.m_fixed, before.m_fixed);
}

TEST(VersionInfoReadRecord, KeysMatchWithoutRegardToCase) {
    const std::vector<uint8_t> record = BuildProgramVersionRecord();
    VersionValue lower;
    VersionValue upper;
    ASSERT_TRUE(QueryVersionValue(record, "\\StringFileInfo\\0c0a04b0\\fileversion", lower));
    ASSERT_TRUE(QueryVersionValue(record, "\\STRINGFILEINFO\\0C0A04B0\\FILEVERSION", upper));
    EXPECT_EQ(VersionValueText(lower), test::VersionText(", "));
    EXPECT_EQ(VersionValueText(upper), test::VersionText(", "));
    VersionValue missing;
    EXPECT_FALSE(QueryVersionValue(record, "\\StringFileInfo\\0C0A04B0\\Nothing", missing));
    EXPECT_FALSE(QueryVersionValue(record, "\\StringFileInfo\\040904B0\\FileVersion", missing));
}

TEST(VersionValueText, DecodesUtf16IncludingPairsAndLoneHalves) {
    const std::vector<uint8_t> bytes = {'a',  0,    0xF3, 0x00, 0x3D, 0xD8, 0x00, 0xDE,
                                        0x3D, 0xD8, 'b',  0,    0,    0,    'c',  0};
    EXPECT_EQ(VersionValueText({bytes, 1}),
              "a\xC3\xB3\xF0\x9F\x98\x80\xEF\xBF\xBD"
              "b");
}

class VersionFileTest : public ::testing::Test {
protected:
    test::TempDir m_folder;
};

TEST_F(VersionFileTest, ProgramFilesCarryTheirRecord) {
    CVersionInfo info;
    EXPECT_TRUE(info.Create(std::filesystem::path(SOMVIX_BIN_DIR) / "somvixmn"));
    EXPECT_EQ(info.GetFileVersion(), test::VersionText(", "));
    EXPECT_EQ(info.m_fixed, ProgramFixedFileInfo());

    // The running program itself: this test program carries the record too.
    CVersionInfo self;
    EXPECT_TRUE(self.Create(ModuleHandle{}));
    EXPECT_EQ(self.GetFileVersion(), test::VersionText(", "));
}

TEST_F(VersionFileTest, FileWithoutRecordGivesEmptyVersionAndReset) {
    const std::filesystem::path plain = m_folder.Path() / "plain.bin";
    test::WriteFileBytes(plain, std::string(4096, 'x'));
    CVersionInfo info;
    ASSERT_TRUE(info.ReadRecord(BuildProgramVersionRecord(), SPANISH_SPAIN));
    EXPECT_FALSE(info.Create(plain));
    EXPECT_EQ(info.GetFileVersion(), "");
    EXPECT_EQ(info.m_fixed, FixedFileInfo{});
    EXPECT_FALSE(info.Create(m_folder.Path() / "missing"));
    EXPECT_FALSE(info.Create(m_folder.Path()));  // a folder
    test::WriteFileBytes(plain, "");
    EXPECT_FALSE(info.Create(plain));
}

TEST_F(VersionFileTest, RootKeyElsewhereInTheFileIsPassedOver) {
    // The key's text alone, then a root whose length runs past the file's end, then the record.
    std::string bytes(13, '\x01');
    for (const char c : VERSION_ROOT_KEY) {
        bytes += c;
        bytes += '\0';
    }
    bytes += std::string("\0\0", 2);
    bytes += std::string("\xFF\xFF\x34\x00\x00\x00", 6) + bytes.substr(13, 32);
    const std::vector<uint8_t> record = BuildProgramVersionRecord();
    bytes.append(record.begin(), record.end());
    bytes += std::string(7, '\x02');
    const std::filesystem::path file = m_folder.Path() / "program";
    test::WriteFileBytes(file, bytes);

    CVersionInfo info;
    EXPECT_TRUE(info.Create(file));
    EXPECT_EQ(info.GetFileVersion(), test::VersionText(", "));
}

TEST(LanguageIdFromLocaleName, MapsLocalesToWindowsLanguageIds) {
    const std::pair<const char*, uint16_t> cases[] = {
        {"es_ES.UTF-8", 0x0C0A},
        {"es_ES@euro", 0x0C0A},
        {"es_MX.UTF-8", 0x080A},
        {"es_PE", 0x040A},
        {"es", 0x040A},
        {"en_US.UTF-8", 0x0409},
        {"en_GB", 0x0809},
        {"de_DE.UTF-8", 0x0407},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"", 0x0409},
        {"C.UTF-8", 0x0409},
        {"tlh_XX", 0x0400},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(LanguageIdFromLocaleName(name), expected) << name;
    }
}

// Runs a program of the build with --version and returns what it printed.
std::string VersionOutput(const char* program) {
    const std::string command = std::string(SOMVIX_BIN_DIR) + "/" + program + " --version";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    if (!pipe) {
        return output;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        output += buffer;
    }
    return output;
}

TEST(ProgramVersion, BothProgramsPrintTheVersionTheirRecordHolds) {
    CVersionInfo info;
    ASSERT_TRUE(info.Create(std::filesystem::path(SOMVIX_BIN_DIR) / "somvixmn"));
    const std::string dotted = std::to_string(info.m_fixed.dwFileVersionMS >> 16) + "." +
                               std::to_string(info.m_fixed.dwFileVersionMS & 0xFFFF) + "." +
                               std::to_string(info.m_fixed.dwFileVersionLS >> 16) + "." +
                               std::to_string(info.m_fixed.dwFileVersionLS & 0xFFFF);
    EXPECT_EQ(dotted, test::VersionText("."));
    EXPECT_EQ(VersionOutput("somvixmn"), "somvixmn " + dotted + "\n");
    EXPECT_EQ(VersionOutput("somvixmn-cli"), "somvixmn-cli " + dotted + "\n");
}

}  // namespace
}  // namespace somvix
