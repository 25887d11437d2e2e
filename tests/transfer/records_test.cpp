#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "transfer/records.h"

namespace somvix {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(RecordPaths, ThreeRecordsPerDeviceInTheRecordsFolder) {
    const RecordPaths paths = MakeRecordPaths("/records", "SOMVIX-7");
    EXPECT_EQ(paths.downloadedList, std::filesystem::path("/records/SOMVIX-7.txt"));
    EXPECT_EQ(paths.downloadLog, std::filesystem::path("/records/descargas-SOMVIX-7.txt"));
    EXPECT_EQ(paths.eraseLog, std::filesystem::path("/records/eliminados-SOMVIX-7.txt"));
}

TEST(RecordDate, DayMonthYearWithLeadingZeros) {
    EXPECT_EQ(FormatRecordDate({5, 3, 2007}), "05-03-2007");
    EXPECT_EQ(FormatRecordDate({31, 12, 999}), "31-12-0999");
}

TEST(WriteLogHeading, NewLogStartsWithTabAndNoBlankLine) {
    TempDir dir;
    const auto log = dir.Path() / "descargas-M.txt";
    ASSERT_EQ(WriteLogHeading(log, DOWNLOAD_HEADING, "05-03-2007"), 0);
    EXPECT_EQ(ReadFileBytes(log), "\t--- 05-03-2007 ---\r\n\r\n");
}

TEST(WriteLogHeading, ExistingLogGetsEmptyLineBeforeTheNextHeading) {
    TempDir dir;
    const auto log = dir.Path() / "descargas-M.txt";
    WriteLogHeading(log, DOWNLOAD_HEADING, "05-03-2007");
    AppendNameLine(log, "paciente1");
    WriteLogHeading(log, DOWNLOAD_HEADING, "05-03-2007");
    EXPECT_EQ(ReadFileBytes(log),
              "\t--- 05-03-2007 ---\r\n\r\npaciente1\r\n\r\n\t--- 05-03-2007 ---\r\n\r\n");
}

TEST(WriteLogHeading, EraseRunHeadingsInBothForms) {
    TempDir dir;
    const auto log = dir.Path() / "descargas-M.txt";
    WriteLogHeading(log, ERASE_DOWNLOAD_HEADING, "01-02-2024");
    WriteLogHeading(log, ERASE_DOWNLOAD_HEADING, "01-02-2024");
    EXPECT_EQ(ReadFileBytes(log),
              "\t--- Descarga por vaciado 01-02-2024 ---\r\n\r\n"
              "\r\n\t--- Descarga por vaciado 01-02-2024 ---\r\n\r\n");
}

TEST(WriteLogHeading, UnopenableLogWritesNothingAndSaysSo) {
    TempDir dir;
    const auto log = dir.Path() / "missing-folder" / "descargas-M.txt";
    EXPECT_EQ(WriteLogHeading(log, DOWNLOAD_HEADING, "05-03-2007"), -1);
    EXPECT_EQ(AppendNameLine(log, "paciente1"), -1);
    EXPECT_FALSE(std::filesystem::exists(log));

    // A link in a record's place is not followed out of the records folder.
    const auto outside = dir.Path() / "outside.txt";
    const auto linked = dir.Path() / "M.txt";
    std::filesystem::create_symlink(outside, linked);
    EXPECT_TRUE(ReadDownloadedList(linked).empty());
    EXPECT_EQ(WriteLogHeading(linked, DOWNLOAD_HEADING, "05-03-2007"), -1);
    WriteFileBytes(outside, "kept");
    EXPECT_EQ(AppendNameLine(linked, "paciente1"), -1);
    EXPECT_EQ(ReadFileBytes(outside), "kept");
}

TEST(AppendNameLine, AppendsAfterWhatIsThereWithCrLf) {
    TempDir dir;
    const auto list = dir.Path() / "M.txt";
    WriteFileBytes(list, "paciente1\n");  // written elsewhere with a bare line feed
    ASSERT_EQ(AppendNameLine(list, "paciente2"), 0);
    EXPECT_EQ(ReadFileBytes(list), "paciente1\npaciente2\r\n");
}

TEST(ReadDownloadedList, MissingListIsCreatedEmpty) {
    TempDir dir;
    const auto list = dir.Path() / "M.txt";
    EXPECT_TRUE(ReadDownloadedList(list).empty());
    ASSERT_TRUE(std::filesystem::exists(list));
    EXPECT_EQ(std::filesystem::file_size(list), 0u);
}

TEST(ReadDownloadedList, WholeNamesWithAnyLineEnds) {
    TempDir dir;
    const auto list = dir.Path() / "M.txt";
    // The last line lost its end with the disk full: "paciente1" is what is left of a name.
    WriteFileBytes(list, "paciente12\r\npaciente3\npaciente4\r  paciente5\r\n\r\npaciente1");
    const std::set<std::string> expected = {"paciente12", "paciente3", "paciente4", "paciente5"};
    EXPECT_EQ(ReadDownloadedList(list), expected);
    // A name that only occurs inside a fetched one, or across two joined ones, is not fetched.
    const std::set<std::string> names = ReadDownloadedList(list);
    EXPECT_EQ(names.count("paciente1"), 0u);
    EXPECT_EQ(names.count("paciente3paciente4"), 0u);
}

TEST(ReadDownloadedList, LongNamesStayWhole) {
    TempDir dir;
    const auto list = dir.Path() / "M.txt";
    const std::string longName = "paciente" + std::string(200, 'x');
    WriteFileBytes(list, longName + "\r\n");
    EXPECT_EQ(ReadDownloadedList(list), std::set<std::string>{longName});
}

TEST(FormatWithText, ReplacesTheFirstPlaceholderOnly) {
    EXPECT_EQ(FormatWithText("Error descargando datos de %s!", "paciente1"),
              "Error descargando datos de paciente1!");
    EXPECT_EQ(FormatWithText("no placeholder", "x"), "no placeholder");
    EXPECT_EQ(FormatWithText("%s and %s", "a"), "a and %s");
}

}  // namespace
}  // namespace somvix
