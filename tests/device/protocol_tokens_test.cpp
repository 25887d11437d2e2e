#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/protocol.h"

namespace somvix {
namespace {

std::vector<std::string> AllTokens(std::string list) {
    std::vector<std::string> tokens;
    std::string token;
    for (int guard = 0; guard < 100 && TakeToken(list, token) == 0; ++guard) {
        tokens.push_back(token);
    }
    return tokens;
}

TEST(TakeToken, SplitsAtEverySingleBlank) {
    EXPECT_EQ(AllTokens("paciente1 paciente2"),
              (std::vector<std::string>{"paciente1", "paciente2"}));
    EXPECT_EQ(AllTokens("paciente1  paciente2"),
              (std::vector<std::string>{"paciente1", "", "paciente2"}));
    EXPECT_EQ(AllTokens(" a"), (std::vector<std::string>{"", "a"}));
    // A blank at the end leaves an empty list behind: no empty last token.
    EXPECT_EQ(AllTokens("a "), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(AllTokens("").empty());
}

TEST(TakeToken, RemovesTheTokenAndItsBlankFromTheList) {
    std::string list = "uno dos tres";
    std::string token;
    ASSERT_EQ(TakeToken(list, token), 0);
    EXPECT_EQ(token, "uno");
    EXPECT_EQ(list, "dos tres");
    ASSERT_EQ(TakeToken(list, token), 0);
    ASSERT_EQ(TakeToken(list, token), 0);
    EXPECT_EQ(token, "tres");
    EXPECT_EQ(list, "");
    EXPECT_EQ(TakeToken(list, token), -1);
}

TEST(TakeMonitoringName, StopsAtTheFirstTokenWithoutTheMark) {
    std::string list = "paciente01 otro paciente02";
    std::string name;
    ASSERT_EQ(TakeMonitoringName(list, name), 0);
    EXPECT_EQ(name, "paciente01");
    EXPECT_EQ(TakeMonitoringName(list, name), -1);
    EXPECT_EQ(name, "otro");
}

TEST(TakeMonitoringName, MarkIsCaseSensitiveAndMayStandAnywhere) {
    std::string list = "xpacientey Paciente3";
    std::string name;
    EXPECT_EQ(TakeMonitoringName(list, name), 0);
    EXPECT_EQ(name, "xpacientey");
    EXPECT_EQ(TakeMonitoringName(list, name), -1);
}

TEST(TakeMonitoringName, EmptyListGivesAnEmptyNameAndFails) {
    std::string list;
    std::string name = "before";
    EXPECT_EQ(TakeMonitoringName(list, name), -1);
    EXPECT_EQ(name, "");
}

TEST(CountTokens, IsOnePlusTheBlanks) {
    EXPECT_EQ(CountTokens(""), 1);
    EXPECT_EQ(CountTokens("paciente1"), 1);
    EXPECT_EQ(CountTokens("paciente1 paciente2"), 2);
    EXPECT_EQ(CountTokens("a  b"), 3);
    EXPECT_EQ(CountTokens(" "), 2);
}

struct SizeCase {
    const char* m_szName;
    std::uint32_t m_nSize;
    const char* m_szPath;
    int m_nExpected;
};

class CheckFileSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(CheckFileSizeTest, FollowsTheLimitOfTheExtension) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(CheckFileSize(c.m_nSize, c.m_szPath), c.m_nExpected) << c.m_szPath;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, CheckFileSizeTest,
    testing::Values(SizeCase{"FhiAtLimit", 200, "d/p01234m.fhi", 0},
                    SizeCase{"FhiOverLimit", 201, "d/p01234m.fhi", -1},
                    SizeCase{"FhiCapitalsAtLimit", 200, "d/P01234M.FHI", 0},
                    SizeCase{"FhiCapitalsOverLimit", 201, "d/P01234M.FHI", -1},
                    SizeCase{"EegAtLimit", 20000, "d/p.eeg", 0},
                    SizeCase{"EegOverLimit", 20001, "d/p.eeg", -1},
                    SizeCase{"HtrAtLimit", 200000, "d/p.htr", 0},
                    SizeCase{"HtrOverLimit", 200001, "d/p.htr", -1},
                    SizeCase{"EvtAtLimit", 200000, "d/p.Evt", 0},
                    SizeCase{"ImpOverLimit", 200001, "d/p.imp", -1},
                    SizeCase{"HugeHtr", 0xFFFFFFFFu, "d/p.htr", -1},
                    SizeCase{"OtherExtensionEmpty", 0, "d/notes.txt", 0},
                    SizeCase{"OtherExtensionOneByte", 1, "d/notes.txt", -1},
                    SizeCase{"NoDotAtAll", 0, "d/INVALIDCMD", -1},
                    SizeCase{"DotOnlyInFolderEmpty", 0, "dl.v2/INVALIDCMD", 0},
                    SizeCase{"DotOnlyInFolderOneByte", 1, "dl.v2/INVALIDCMD", -1},
                    SizeCase{"FolderNamedLikeEeg", 1, "dl\\x.eeg\\name", -1}),
    [](const testing::TestParamInfo<SizeCase>& info) { return info.param.m_szName; });

}  // namespace
}  // namespace somvix
