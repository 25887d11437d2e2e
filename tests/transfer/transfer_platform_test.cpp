#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "transfer/transfer_platform.h"

namespace somvix {
namespace {

TEST(TransferPlatform, SyncsWhatExistsAndReportsWhatDoesNot) {
    test::TempDir dir;
    test::WriteFileBytes(dir.Path() / "a.htr", "data");
    EXPECT_EQ(SyncFile(dir.Path() / "a.htr"), 0);
    EXPECT_EQ(SyncFolder(dir.Path()), 0);
    EXPECT_EQ(SyncFile(dir.Path() / "missing.htr"), -1);
    EXPECT_EQ(SyncFolder(dir.Path() / "missing"), -1);
}

TEST(TransferPlatform, TodayIsAPlausibleCalendarDate) {
    const RecordDate today = TodayLocalDate();
    EXPECT_GE(today.year, 2024);
    EXPECT_GE(today.month, 1);
    EXPECT_LE(today.month, 12);
    EXPECT_GE(today.day, 1);
    EXPECT_LE(today.day, 31);
}

}  // namespace
}  // namespace somvix
