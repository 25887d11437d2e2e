#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

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
    if (old) {
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

}  // namespace
}  // namespace somvix
