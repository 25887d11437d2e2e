#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/fake_operation_ui.h"
#include "transfer/monitoring_progress.h"

// One monitoring's share of the bar as its five lists and their files arrive.

namespace somvix::test {
namespace {

// One call on the share: 'L' list a names b files; 'F' b of the c bytes of file a; 'C' complete.
struct Call {
    char kind;
    int a;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
};

struct ShareCase {
    std::string what;
    int share;
    std::vector<Call> calls;
    int position;  // of the bar afterwards
};

TEST(MonitoringProgress, GivesOutTheShareByListFileAndByte) {
    const std::vector<ShareCase> cases = {
        {"half of a first file", 250, {{'L', 0, 2}, {'F', 0, 100, 200}}, 12},
        {"the first list whole", 250, {{'L', 0, 2}, {'F', 1, 200, 200}}, 50},
        {"an empty file counts whole", 250, {{'L', 1, 1}, {'F', 0, 0, 0}}, 100},
        {"a list skipped: the next one's start", 500, {{'L', 3, 4}}, 300},
        {"bytes over the size stay in the file", 500, {{'L', 4, 2}, {'F', 0, 999, 10}}, 450},
        {"an earlier list never moves back", 500, {{'L', 2, 1}, {'L', 0, 1}, {'F', 0, 5, 10}}, 200},
        {"indexes past the last stay in the share", 500, {{'L', 9, 1}, {'F', 7, 10, 10}}, 500},
        {"complete gives the rest", 166, {{'L', 0, 3}, {'F', 0, 1, 3}, {'C', 0}}, 166},
        {"a share of nothing never moves the bar", 0, {{'L', 4, 1}, {'C', 0}}, 0},
    };
    for (const ShareCase& row : cases) {
        FakeOperationUi ui;
        MonitoringProgress progress(ui, row.share, 5);
        for (const Call& call : row.calls) {
            if (call.kind == 'L') {
                progress.BeginList(call.a, static_cast<int>(call.b));
            } else if (call.kind == 'F') {
                progress.FileBytes(call.a, call.b, call.c);
            } else {
                progress.Complete();
            }
        }
        EXPECT_EQ(ui.ProgressPosition(), row.position) << row.what;
        // The fake fails on a move back; a move of nothing is never asked for.
        EXPECT_EQ(ui.CallsStartingWith("progress:+0").size(), 0u) << row.what;
    }
}

}  // namespace
}  // namespace somvix::test
