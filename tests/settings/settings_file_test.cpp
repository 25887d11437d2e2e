#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <string>

#include "settings/decimal_text.h"
#include "settings/settings_file.h"
#include "support/child_run.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

const std::string DEFAULT_FILE =
    "3\r\nUMBRALELECTRODOMAL\t5\r\nVERCONTACTOMAL\t1\r\nVERIMPEDANCIAOFF\t1\r\n";

struct Values {
    int threshold;
    int showBadContact;
    int showImpedanceOff;
};

Values ValuesOf(const DisplaySettings& settings) {
    return {settings.m_nBadElectrodeThreshold, settings.m_bShowBadContact,
            settings.m_bShowImpedanceOff};
}

void ExpectValues(const DisplaySettings& settings, Values expected, const std::string& what) {
    const Values actual = ValuesOf(settings);
    EXPECT_EQ(actual.threshold, expected.threshold) << what;
    EXPECT_EQ(actual.showBadContact, expected.showBadContact) << what;
    EXPECT_EQ(actual.showImpedanceOff, expected.showImpedanceOff) << what;
}

class SettingsFileTest : public ::testing::Test {
protected:
    std::filesystem::path Path() const { return m_folder.Path() / SETTINGS_FILE_NAME; }

    test::TempDir m_folder;
};

TEST_F(SettingsFileTest, MissingFileIsCreatedWithTheFourDefaultLines) {
    DisplaySettings settings{99, 0, 0};
    LoadSettingsAtStartUp(Path(), settings);
    ExpectValues(settings, {5, 1, 1}, "defaults");
    EXPECT_EQ(test::ReadFileBytes(Path()), DEFAULT_FILE);
}

TEST_F(SettingsFileTest, ExistingFileIsReadAndLeftAsItIs) {
    const std::string content = "1\nVERCONTACTOMAL 0\n";
    test::WriteFileBytes(Path(), content);
    DisplaySettings settings;
    LoadSettingsAtStartUp(Path(), settings);
    ExpectValues(settings, {5, 0, 1}, "count 1 with VERCONTACTOMAL 0");
    EXPECT_EQ(test::ReadFileBytes(Path()), content);
}

TEST_F(SettingsFileTest, StartUpOverFileThatCannotBeOpenedKeepsDefaultsAndTouchesNothing) {
    // Found by the look-up but no file to read: a FIFO would wait for a writer without end.
    const struct {
        const char* name;
        void (*make)(const std::filesystem::path&);
        std::filesystem::file_type type;
    } rows[] = {
        {"folder", [](const auto& path) { std::filesystem::create_directory(path); },
         std::filesystem::file_type::directory},
        {"FIFO", [](const auto& path) { mkfifo(path.c_str(), 0600); },
         std::filesystem::file_type::fifo},
        {"endless zeros",
         [](const auto& path) { std::filesystem::create_symlink("/dev/zero", path); },
         std::filesystem::file_type::symlink},
    };
    DisplaySettings settings;
    for (const auto& row : rows) {
        row.make(Path());
        settings = DisplaySettings{40, 0, 0};
        const int read = test::RunInChild(20, [&] { return ReadSettingsFile(Path(), settings); });
        EXPECT_EQ(read, 255) << row.name;  // -1, in time
        if (read == 255) {                 // else the start-up could hang the suite here
            LoadSettingsAtStartUp(Path(), settings);
        }
        ExpectValues(settings, {5, 1, 1}, row.name);
        EXPECT_EQ(std::filesystem::symlink_status(Path()).type(), row.type) << row.name;
        std::filesystem::remove(Path());
    }

    if (geteuid() != 0) {  // root reads files whatever their permissions
        const std::filesystem::path locked = m_folder.Path() / "locked.txt";
        test::WriteFileBytes(locked, "3 UMBRALELECTRODOMAL 9");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        settings = DisplaySettings{40, 0, 0};
        LoadSettingsAtStartUp(locked, settings);
        ExpectValues(settings, {5, 1, 1}, "unreadable file");
        std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
        EXPECT_EQ(test::ReadFileBytes(locked), "3 UMBRALELECTRODOMAL 9");
    }
}

struct ReadCase {
    const char* name;
    std::string content;
    Values expected;
};

TEST_F(SettingsFileTest, TokensAreReadWhateverTheLayout) {
    const std::string longKey = "UMBRALELECTRODOMAL" + std::string(60, 'X');
    const ReadCase cases[] = {
        {"canonical file",
         "3\r\nUMBRALELECTRODOMAL\t7\r\nVERCONTACTOMAL\t0\r\nVERIMPEDANCIAOFF\t0\r\n",
         {7, 0, 0}},
        {"keys in another order",
         "3\nVERIMPEDANCIAOFF\t0\nUMBRALELECTRODOMAL\t8\nVERCONTACTOMAL\t0\n",
         {8, 0, 0}},
        {"blanks instead of tabs",
         "3\nUMBRALELECTRODOMAL   6\nVERCONTACTOMAL 0\nVERIMPEDANCIAOFF 1\n",
         {6, 0, 1}},
        {"all on one line",
         "3 UMBRALELECTRODOMAL 4 VERCONTACTOMAL 1 VERIMPEDANCIAOFF 0",
         {4, 1, 0}},
        {"lower-case key ignored", "2\numbralelectrodomal\t9\nVERCONTACTOMAL\t0\n", {5, 0, 1}},
        {"threshold 99 kept", "1\nUMBRALELECTRODOMAL\t99\n", {99, 1, 1}},
        {"negative values kept", "2\nUMBRALELECTRODOMAL\t-2\nVERIMPEDANCIAOFF\t-1\n", {-2, 1, -1}},
        {"show flag other than 0 or 1 kept", "1\nVERCONTACTOMAL\t7\n", {5, 7, 1}},
        {"repeated key takes the later value",
         "2\nUMBRALELECTRODOMAL 3\nUMBRALELECTRODOMAL 11\n",
         {11, 1, 1}},
        {"count 0 reads nothing", "0\nUMBRALELECTRODOMAL\t9\n", {5, 1, 1}},
        {"negative count reads nothing", "-4\nUMBRALELECTRODOMAL\t9\n", {5, 1, 1}},
        {"entries beyond the count ignored",
         "1\nVERCONTACTOMAL 0\nVERIMPEDANCIAOFF 0\n",
         {5, 0, 1}},
        {"count beyond the entries reads to the end", "50\nVERCONTACTOMAL 0\n", {5, 0, 1}},
        {"key without value at the end", "3\nVERCONTACTOMAL 0\nVERIMPEDANCIAOFF", {5, 0, 1}},
        {"empty file", "", {5, 1, 1}},
        {"count not a number", "three\nVERCONTACTOMAL 0\n", {5, 1, 1}},
        {"value not a number ends the reading",
         "3\nVERCONTACTOMAL 0\nUMBRALELECTRODOMAL x\n"
         "VERIMPEDANCIAOFF 0\n",
         {5, 0, 1}},
        {"value with trailing letters read up to them", "2\nUMBRALELECTRODOMAL 7x 0\n", {7, 1, 1}},
        {"signed values", "2\nUMBRALELECTRODOMAL +6\nVERCONTACTOMAL -0\n", {6, 0, 1}},
        {"value beyond 32 bits held at the end of the range",
         "2\nUMBRALELECTRODOMAL 99999999999\nVERCONTACTOMAL -99999999999\n",
         {INT_MAX, INT_MIN, 1}},
        {"over-long key skipped with its value",
         "2\n" + longKey + " 9\nVERCONTACTOMAL 0\n",
         {5, 0, 1}},
        {"form feeds and vertical tabs are blanks", "1\f\vVERCONTACTOMAL\v0", {5, 0, 1}},
    };
    for (const ReadCase& readCase : cases) {
        test::WriteFileBytes(Path(), readCase.content);
        DisplaySettings settings;
        EXPECT_EQ(ReadSettingsFile(Path(), settings), 0) << readCase.name;
        ExpectValues(settings, readCase.expected, readCase.name);
    }
}

TEST_F(SettingsFileTest, WriterGivesCanonicalBytesThatReadBack) {
    const DisplaySettings written{-2, 0, 1};
    ASSERT_EQ(WriteSettingsFile(Path(), written), 0);
    EXPECT_EQ(test::ReadFileBytes(Path()),
              "3\r\nUMBRALELECTRODOMAL\t-2\r\nVERCONTACTOMAL\t0\r\nVERIMPEDANCIAOFF\t1\r\n");
    DisplaySettings read{1, 1, 0};
    ASSERT_EQ(ReadSettingsFile(Path(), read), 0);
    ExpectValues(read, {-2, 0, 1}, "read back");

    // A longer file is replaced whole, not overwritten in part.
    test::WriteFileBytes(Path(), std::string(500, '#'));
    ASSERT_EQ(WriteSettingsFile(Path(), DisplaySettings{}), 0);
    EXPECT_EQ(test::ReadFileBytes(Path()), DEFAULT_FILE);

    // A link in the file's place is replaced by the file; what it points to stays as it was.
    const std::filesystem::path elsewhere = m_folder.Path() / "elsewhere.txt";
    test::WriteFileBytes(elsewhere, "not the settings");
    std::filesystem::remove(Path());
    std::filesystem::create_symlink(elsewhere, Path());
    ASSERT_EQ(WriteSettingsFile(Path(), written), 0);
    EXPECT_EQ(test::ReadFileBytes(elsewhere), "not the settings");
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(Path())));
    ASSERT_EQ(ReadSettingsFile(Path(), read), 0);
    ExpectValues(read, {-2, 0, 1}, "written over a link");
}

TEST_F(SettingsFileTest, FailuresAreReportedAndChangeNothing) {
    const std::filesystem::path missingFolder = m_folder.Path() / "missing" / SETTINGS_FILE_NAME;
    EXPECT_EQ(WriteSettingsFile(missingFolder, DisplaySettings{}), -1);
    EXPECT_FALSE(std::filesystem::exists(missingFolder.parent_path()));

    DisplaySettings settings{12, 0, 0};
    EXPECT_EQ(ReadSettingsFile(missingFolder, settings), -1);
    ExpectValues(settings, {12, 0, 0}, "unreadable file leaves the settings");

    // Start-up where the file cannot be created: the defaults hold for the run.
    LoadSettingsAtStartUp(missingFolder, settings);
    ExpectValues(settings, {5, 1, 1}, "start-up without a writable folder");

    // A disk that fills up during the write (here a file size limit of 10 bytes) leaves the
    // old file whole and no other file behind.
    const std::string old = "3\r\nUMBRALELECTRODOMAL\t9\r\nVERCONTACTOMAL\t0\r\n";
    test::WriteFileBytes(Path(), old);
    const int status = test::RunInChild(20, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10, 10};
        setrlimit(RLIMIT_FSIZE, &limit);
        return WriteSettingsFile(Path(), DisplaySettings{});
    });
    EXPECT_EQ(status, 255);  // -1
    EXPECT_EQ(test::ReadFileBytes(Path()), old);
    const auto entries = std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

TEST(DecimalPrefixValue, ReadsLikeAtoi) {
    const std::pair<const char*, int> cases[] = {
        {"7x", 7},
        {"", 0},
        {"40", 40},
        {"-2", -2},
        {"  +12abc", 12},
        {"x7", 0},
        {"- 5", 0},
        {"\t\n\v\f\r 3", 3},
        {"007", 7},
        {"-2147483648", INT_MIN},
        {"2147483647", INT_MAX},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"1 2", 1},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(DecimalPrefixValue(text), expected) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace somvix
