#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_operation_ui.h"
#include "transfer/monitoring_progress.h"

// One monitoring's share of the bar as its five lists and their files arrive.

namespace somvix::test {
namespace {

struct ShareCase {
    std::string what;
    int share;
    std::function<void(MonitoringProgress&)> arrive;
    int position;  // of the bar afterwards
};

TEST(MonitoringProgress, GivesOutTheShareByListFileAndByte) {
    const std::vector<ShareCase> cases = {
        {"half the first of two files of the first list", 250,
         [](MonitoringProgress& p) {
             p.BeginList(0, 2);
             p.FileBytes(0, 100, 200);
         },
         12},
        {"the first list whole", 250,
         [](MonitoringProgress& p) {
             p.BeginList(0, 2);
             p.FileBytes(1, 200, 200);
         },
         50},
        {"an empty file counts whole", 250,
         [](MonitoringProgress& p) {
             p.BeginList(1, 1);
             p.FileBytes(0, 0, 0);
         },
         100},
        {"a list skipped moves to the next one's start", 500,
         [](MonitoringProgress& p) { p.BeginList(3, 4); }, 300},
        {"more bytes than the size stay within the file's part", 500,
         [](MonitoringProgress& p) {
             p.BeginList(4, 2);
             p.FileBytes(0, 999, 10);
         },
         450},
        {"an earlier list after a later one does not move it back", 500,
         [](MonitoringProgress& p) {
             p.BeginList(2, 1);
             p.BeginList(0, 1);
             p.FileBytes(0, 5, 10);
         },
         200},
        {"a list index past the last stays in the share", 500,
         [](MonitoringProgress& p) {
             p.BeginList(9, 1);
             p.FileBytes(7, 10, 10);
         },
         500},
        {"complete gives the rest", 166,
         [](MonitoringProgress& p) {
             p.BeginList(0, 3);
             p.FileBytes(0, 1, 3);
             p.Complete();
         },
         166},
        {"a share of nothing never moves the bar", 0,
         [](MonitoringProgress& p) {
             p.BeginList(4, 1);
             p.Complete();
         },
         0},
    };
    for (const ShareCase& row : cases) {
        FakeOperationUi ui;
        MonitoringProgress progress(ui, row.share, 5);
        row.arrive(progress);
        EXPECT_EQ(ui.ProgressPosition(), row.position) << row.what;
        // The fake fails on a move back; a move of nothing is never asked for.
        EXPECT_EQ(ui.CallsStartingWith("progress:+0").size(), 0u) << row.what;
    }
}

}  // namespace
}  // namespace somvix::test
