#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/fake_operation_ui.h"
#include "support/temp_dir.h"
#include "transfer/download_folder.h"
#include "transfer/folded_names.h"
#include "transfer/safe_name.h"
#include "transfer/transfer_platform.h"

namespace somvix {
namespace {

namespace fs = std::filesystem;
using test::FakeOperationUi;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(CutAtLastSeparator, FolderIsEverythingBeforeTheLastSeparator) {
    std::string folder;
    ASSERT_TRUE(CutAtLastSeparator("/home/ana/datos/*", folder));
    EXPECT_EQ(folder, "/home/ana/datos");
    ASSERT_TRUE(CutAtLastSeparator("/*", folder));
    EXPECT_EQ(folder, "");  // the root folder
    EXPECT_FALSE(CutAtLastSeparator("*", folder));
#if defined(_WIN32)
    ASSERT_TRUE(CutAtLastSeparator("C:\\datos/sub\\*", folder));
    EXPECT_EQ(folder, "C:\\datos/sub");
#else
    ASSERT_TRUE(CutAtLastSeparator("/datos/a\\b*", folder));
    EXPECT_EQ(folder, "/datos");  // a backslash is an ordinary character here
#endif
}

TEST(FolderChoicePath, FolderSeparatorAndStarCutBackToTheFolder) {
    std::string folder;
    for (const std::string chosen : {"/home/ana/datos", "relative/datos"}) {
        const std::string path = FolderChoicePath(chosen);
        EXPECT_EQ(path, chosen + PATH_SEPARATOR + "*");
        ASSERT_TRUE(CutAtLastSeparator(path, folder));
        EXPECT_EQ(folder, chosen);
    }
#if !defined(_WIN32)
    // The root keeps its one separator; the cut leaves the empty text that stands for it.
    EXPECT_EQ(FolderChoicePath("/"), "/*");
    ASSERT_TRUE(CutAtLastSeparator(FolderChoicePath("/"), folder));
    EXPECT_EQ(JoinPath(folder, "SOMVIX-7"), "/SOMVIX-7");
#endif
}

TEST(IsSafeName, RefusesWhatCouldLeaveItsFolder) {
    using namespace std::string_literals;
    for (const std::string& name :
         {""s, "."s, ".."s, "a/b"s, "..\\x"s, "C:x"s, "a\nb"s, "a\0b"s, "tab\there"s, "del\x7f"s}) {
        EXPECT_FALSE(IsSafeName(name)) << name;
    }
    for (const char* name :
         {"paciente1", "SOMVIX-7", "...", ".hidden", "a b", "trend.htr", "Núñez"}) {
        EXPECT_TRUE(IsSafeName(name)) << name;
    }
}

TEST(FoldName, OneFormForNamesThatAFoldingDiskTakesForOne) {
    const std::tuple<std::string, std::string, bool> pairs[] = {
        {"pacienteA", "pacientea", true},
        {"pacienteA", "pacienteA. . ", true},
        {"paciente\xDA\xD1", "paciente\xFA\xF1", true},  // ÚÑ, úñ
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},  // ŠŒŽŸ, šœžÿ
        {".paciente", "paciente", false},                // leading dots stay
        {"\xD7", "\xF7", false},                         // × and ÷ are no letters
        {"pacienteA.b", "pacientea", false},
    };
    for (const auto& [left, right, same] : pairs) {
        EXPECT_EQ(FoldName(left) == FoldName(right), same) << left << " " << right;
    }
}

TEST(EnsureFolder, CreatesOnlyTheLastLevel) {
    TempDir dir;
    const std::string folder = (dir.Path() / "datos").string();
    EXPECT_TRUE(EnsureFolder(folder));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(EnsureFolder(folder));  // already there: nothing happens
    EXPECT_TRUE(fs::is_directory(folder));
    const std::string deep = (dir.Path() / "a" / "b").string();
    EXPECT_FALSE(EnsureFolder(deep));
    EXPECT_FALSE(fs::exists(deep));
}

TEST(EmptyFolder, DeletesFilesAndStopsAtASubFolderFollowingNoLink) {
    TempDir dir;
    const fs::path outside = dir.Path() / "outside";
    fs::create_directory(outside);
    WriteFileBytes(outside / "keep.htr", "1");
    const fs::path folder = dir.Path() / "folder";
    fs::create_directory(folder);
    WriteFileBytes(folder / "a.eeg", "1");
    fs::create_directory_symlink(outside, folder / "link");
    fs::create_directory_symlink(outside, dir.Path() / "link");
    EmptyFolder(dir.Path() / "link");
    EmptyFolder(folder);
    EXPECT_TRUE(fs::is_empty(folder));  // the link in it went as a link
    EXPECT_EQ(ReadFileBytes(outside / "keep.htr"), "1");

    // With a sub-folder, the emptying ends there: the sub-folder and at least it stay.
    fs::create_directory(folder / "sub");
    WriteFileBytes(folder / "sub" / "inner", "3");
    EmptyFolder(folder);
    EXPECT_TRUE(fs::exists(folder / "sub" / "inner"));
}

class PrepareMonitoringFolderTest : public ::testing::Test {
protected:
    std::string Folder() const { return (m_dir.Path() / "paciente1").string(); }
    FolderPrepared Prepare() {
        return PrepareMonitoringFolder(Folder(), "paciente1", "SOMVIX-7", DOWNLOAD_PREPARE_TEXTS,
                                       m_ui);
    }

    TempDir m_dir;
    FakeOperationUi m_ui;
};

TEST_F(PrepareMonitoringFolderTest, NewFolderIsCreatedWithoutAQuestion) {
    EXPECT_EQ(Prepare(), FolderPrepared::Ready);
    EXPECT_TRUE(fs::is_directory(Folder()));
    EXPECT_TRUE(m_ui.Calls().empty());
}

TEST_F(PrepareMonitoringFolderTest, LeftoverAnsweredSiIsEmptiedAndMadeAnew) {
    fs::create_directory(Folder());
    WriteFileBytes(fs::path(Folder()) / "partial.htr", "abc");
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    EXPECT_EQ(Prepare(), FolderPrepared::Ready);
    EXPECT_TRUE(fs::is_directory(Folder()));
    EXPECT_TRUE(fs::is_empty(Folder()));
    EXPECT_EQ(m_ui.Calls(),
              std::vector<std::string>{"confirm:Se han encontrado datos de la monitorización "
                                       "paciente1-SOMVIX-7, de una descarga previa aparentemente "
                                       "incompleta.|¿Desea reemplazarlos?"});
}

TEST_F(PrepareMonitoringFolderTest, LeftoverAnsweredNoIsLeftUntouched) {
    fs::create_directory(Folder());
    WriteFileBytes(fs::path(Folder()) / "partial.htr", "abc");
    m_ui.QueueAnswers({ConfirmAnswer::No});
    EXPECT_EQ(Prepare(), FolderPrepared::Declined);
    EXPECT_EQ(ReadFileBytes(fs::path(Folder()) / "partial.htr"), "abc");
    EXPECT_TRUE(m_ui.CallsStartingWith("message:").empty());
}

TEST_F(PrepareMonitoringFolderTest, LeftoverWithSubFolderCannotBeRemoved) {
    fs::create_directories(fs::path(Folder()) / "sub");
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    EXPECT_EQ(Prepare(), FolderPrepared::Failed);
    EXPECT_TRUE(fs::is_directory(fs::path(Folder()) / "sub"));
    EXPECT_EQ(m_ui.CallsStartingWith("message:"),
              std::vector<std::string>{"message:Error|Error descargando datos de paciente1!|16"});
}

TEST_F(PrepareMonitoringFolderTest, EraseTextsAskAndReportTheirOwnWay) {
    fs::create_directories(fs::path(Folder()) / "sub");
    m_ui.QueueAnswers({ConfirmAnswer::Yes});
    EXPECT_EQ(PrepareMonitoringFolder(Folder(), "paciente1", "SOMVIX-7", ERASE_PREPARE_TEXTS, m_ui),
              FolderPrepared::Failed);
    ASSERT_EQ(m_ui.Calls().size(), 2u);
    EXPECT_NE(m_ui.Calls()[0].find("|¿Desea reemplazarlos antes de eliminar?"), std::string::npos);
    EXPECT_EQ(m_ui.Calls()[1],
              "message:Error|Error descargando datos de paciente1. No se eliminan datos.|16");
}

TEST_F(PrepareMonitoringFolderTest, NoFolderInItsPlaceIsReportedWithoutQuestionNorDeletion) {
    const fs::path outside = m_dir.Path() / "outside";
    fs::create_directory(outside);
    WriteFileBytes(outside / "keep.htr", "outside");
    for (const bool link : {false, true}) {
        m_ui = FakeOperationUi();
        link ? fs::create_directory_symlink(outside, Folder())
             : WriteFileBytes(Folder(), "not a folder");
        EXPECT_EQ(Prepare(), FolderPrepared::Failed) << link;
        EXPECT_EQ(
            m_ui.Calls(),
            std::vector<std::string>{"message:Error|Error descargando datos de paciente1!|16"})
            << link;
        EXPECT_EQ(ReadFileBytes(outside / "keep.htr"), "outside") << link;
        EXPECT_TRUE(fs::remove(Folder())) << link;  // what stood there stays until now
    }
}

}  // namespace
}  // namespace somvix
