#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "app/program_dir.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

// Runs the test body with another current directory and restores the old one.
class OtherCurrentDirectory {
public:
    explicit OtherCurrentDirectory(const std::filesystem::path& folder)
        : m_saved(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~OtherCurrentDirectory() { std::filesystem::current_path(m_saved); }

private:
    std::filesystem::path m_saved;
};

TEST(ProgramDirectory, IsFolderOfProgramFileWhateverCurrentDirectory) {
    const std::filesystem::path expected = std::filesystem::canonical(SOMVIX_BIN_DIR);
    test::TempDir elsewhere;
    OtherCurrentDirectory change(elsewhere.Path());
    EXPECT_EQ(ProgramDirectory(), expected);
    EXPECT_EQ(ProgramFilePath().parent_path(), expected);
    EXPECT_EQ(ProgramFilePath().filename(), "test_app_core");
}

TEST(DataDirectory, IsProgramDirectoryWhenWritable) {
    test::TempDir elsewhere;
    OtherCurrentDirectory change(elsewhere.Path());
    EXPECT_EQ(DataDirectory(), std::filesystem::canonical(SOMVIX_BIN_DIR));
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

TEST(PerUserDataDirectory, FollowsXdgDataHome) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", "/srv/users/ana/data", 1);
    EXPECT_EQ(PerUserDataDirectory(), std::filesystem::path("/srv/users/ana/data/somvixmn"));
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(PerUserDataDirectory().filename(), "somvixmn");
    EXPECT_NE(PerUserDataDirectory().string().find("/.local/share/"), std::string::npos);

    // Without HOME the account's own home is taken, never a folder shared by all users.
    unsetenv("XDG_DATA_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    unsetenv("HOME");
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(PerUserDataDirectory(),
              std::filesystem::path(user->pw_dir) / ".local" / "share" / "somvixmn");
    if (oldHome) {
        setenv("HOME", savedHome.c_str(), 1);
    }
    if (old) {
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    }
}

}  // namespace
}  // namespace somvix
