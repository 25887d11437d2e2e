#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shared/program_dir.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

TEST(ProgramDirectory, IsFolderOfProgramFileWhateverCurrentDirectory) {
    const std::filesystem::path expected = std::filesystem::canonical(SOMVIX_BIN_DIR);
    test::TempDir elsewhere;
    test::OtherCurrentDirectory change(elsewhere.Path());
    EXPECT_EQ(ProgramDirectory(), expected);
    EXPECT_EQ(ProgramFilePath().parent_path(), expected);
    EXPECT_EQ(ProgramFilePath().filename(), "test_shared");
}

TEST(DataDirectory, IsProgramDirectoryWhenWritable) {
    test::TempDir elsewhere;
    test::OtherCurrentDirectory change(elsewhere.Path());
    const DataFolder dataFolder = DataDirectory();
    EXPECT_EQ(dataFolder.status, DataFolderStatus::Ready);
    EXPECT_EQ(dataFolder.path, std::filesystem::canonical(SOMVIX_BIN_DIR));
}

TEST(IsInstalledProgramDirectory, DecidesByWholeFolderNamesBelowTheRoots) {
    const std::vector<std::filesystem::path> roots = {"/usr", "/opt/somvixmn/bin/", "relative"};
    const struct {
        const char* folder;
        bool installed;
    } rows[] = {
        {"/usr/bin", true},
        {"/usr/local/bin", true},
        {"/usr", true},
        {"/opt/somvixmn/bin", true},
        {"/usrlocal/bin", false},
        {"/opt/somvixmn", false},
        {"/home/ana/somvixmn/build/bin", false},
        {"/tmp/unpacked/usr/bin", false},  // a package unpacked elsewhere
        {"/usr/../home/ana/bin", false},
        {"relative/bin", false},  // a root that is no absolute path names nothing
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsInstalledProgramDirectory(row.folder, roots), row.installed) << row.folder;
    }
    EXPECT_TRUE(IsInstalledProgramDirectory("/usr/bin", InstalledProgramRoots()));
    EXPECT_FALSE(IsInstalledProgramDirectory(ProgramDirectory(), InstalledProgramRoots()));
}

TEST(IsWritableDirectory, TellsWritableReadOnlyAndMissingFolders) {
    test::TempDir folder;
    EXPECT_TRUE(IsWritableDirectory(folder.Path()));
    EXPECT_FALSE(IsWritableDirectory(folder.Path() / "missing"));
    // A probe file must not stay behind.
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    if (geteuid() != 0) {  // root writes into read-only folders
        std::filesystem::permissions(
            folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(IsWritableDirectory(folder.Path()));
    }
}

// Sets an environment variable (nullptr: removes it) and restores it at the end.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_strName(name) {
        const char* old = std::getenv(name);
        m_bWasSet = old != nullptr;
        m_strOld = m_bWasSet ? old : "";
        Set(value);
    }
    ~ScopedVariable() { Set(m_bWasSet ? m_strOld.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void Set(const char* value) {
        if (value != nullptr) {
            setenv(m_strName.c_str(), value, 1);
        } else {
            unsetenv(m_strName.c_str());
        }
    }

    std::string m_strName;
    std::string m_strOld;
    bool m_bWasSet = false;
};

TEST(PerUserDataDirectory, IsTheUsersOwnFolderOrNone) {
    const struct {
        const char* dataHome;
        const char* home;
        const char* expected;  // nullptr: no per-user folder
    } rows[] = {
        {"/srv/users/ana/data", "/home/ana", "/srv/users/ana/data/somvixmn"},
        {"relative/ignored", "/home/ana", "/home/ana/.local/share/somvixmn"},
        {nullptr, "/home/ana", "/home/ana/.local/share/somvixmn"},
        // Never a folder others can write in, such as one inside the temporary folder.
        {nullptr, nullptr, nullptr},
        {"", "", nullptr},
        {nullptr, "ana", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.dataHome ? row.dataHome : "(unset)") + " " +
                     (row.home ? row.home : "(unset)"));
        const ScopedVariable dataHome("XDG_DATA_HOME", row.dataHome);
        const ScopedVariable home("HOME", row.home);
        const std::optional<std::filesystem::path> folder = PerUserDataDirectory();
        if (row.expected == nullptr) {
            EXPECT_FALSE(folder.has_value());
        } else {
            EXPECT_EQ(folder.value_or(""), std::filesystem::path(row.expected));
        }
    }
}

}  // namespace
}  // namespace somvix
