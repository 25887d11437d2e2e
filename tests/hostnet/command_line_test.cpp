#include <gtest/gtest.h>

#include "hostnet/command_line.h"
#include "hostnet/command_runner.h"
#include "hostnet/command_runner_piece.h"

namespace somvix {
namespace {

using Items = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string commandLine;
    Items items;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, GivesTheItemsAWindowsProgramWouldSee) {
    EXPECT_EQ(SplitCommandLine(GetParam().commandLine), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"Blanks", "netsh -c interface dump", {"netsh", "-c", "interface", "dump"}},
        SplitCase{"RunsOfBlanksAndTabs", "  a \t b  ", {"a", "b"}},
        SplitCase{"QuotedAdapterIsOneItemWithoutQuotes",
                  "netsh interface ip add address \"Conexión de área local\" 10.8.0.2 "
                  "255.255.255.0",
                  {"netsh", "interface", "ip", "add", "address", "Conexión de área local",
                   "10.8.0.2", "255.255.255.0"}},
        SplitCase{"QuotesInsideAnItem", "a\"b c\"d e", {"ab cd", "e"}},
        SplitCase{"EmptyQuotesAreAnEmptyItem", "a \"\" b", {"a", "", "b"}},
        SplitCase{"UnclosedQuoteRunsToTheEnd", "a \"b c", {"a", "b c"}},
        SplitCase{"SingleQuotesAreOrdinary", "sh -c 'x y'", {"sh", "-c", "'x", "y'"}},
        SplitCase{"EscapedQuoteIsLiteral", "a \\\"b\\\" c", {"a", "\"b\"", "c"}},
        SplitCase{"EvenBackslashesBeforeQuoteHalveAndGroup", "a\\\\\"b c\"", {"a\\b c"}},
        SplitCase{"BackslashesElsewhereAreLiteral", "C:\\dir\\ x\\\\", {"C:\\dir\\", "x\\\\"}},
        SplitCase{"Empty", "", {}}, SplitCase{"OnlyBlanks", "   ", {}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(JoinCommandLine, JoinsWithOneBlankAndAddsNoQuotes) {
    EXPECT_EQ(JoinCommandLine("netsh", "-c interface dump"), "netsh -c interface dump");
    EXPECT_EQ(JoinCommandLine("ipconfig", "/renew"), "ipconfig /renew");
}

TEST(AppendOutputPiece, AddsBytesUpToTheFirstZeroOfThePiece) {
    std::string output = "x";
    const char piece[] = {'a', 'b', '\0', 'c', 'd'};
    AppendOutputPiece(output, piece, sizeof piece);
    EXPECT_EQ(output, "xab");
    AppendOutputPiece(output, "cd", 2);
    EXPECT_EQ(output, "xabcd");  // a zero of an earlier piece does not end later ones
}

TEST(AppendOutputPiece, AddsOnlyTheBytesThisReadDelivered) {
    // The buffer still holds a longer earlier piece behind the short one.
    char buffer[READ_PIECE_SIZE];
    std::fill(std::begin(buffer), std::end(buffer), 'z');
    buffer[0] = 'e';
    buffer[1] = 'n';
    buffer[2] = 'd';
    std::string output;
    AppendOutputPiece(output, buffer, 3);
    EXPECT_EQ(output, "end");
}

}  // namespace
}  // namespace somvix
