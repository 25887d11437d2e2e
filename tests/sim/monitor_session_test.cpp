#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "device/byte_order.h"
#include "device/crc32.h"
#include "sim/monitor_session.h"
#include "support/temp_dir.h"

namespace somvix::sim {
namespace {

class MonitorSessionTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"paciente00002", "paciente00001"}) {
            std::filesystem::create_directories(Root() / name);
            const std::string base = std::string("p") + (name + 8) + "m";
            test::WriteFileBytes(Root() / name / (base + ".htr"), "55.2 48.0\n");
            test::WriteFileBytes(Root() / name / (base + ".IMP"), "1.0 2.0\n");
            test::WriteFileBytes(Root() / name / (base + ".fhi"), "12-05-2007 22:30:15\n");
        }
        std::filesystem::create_directories(Root() / "otros");
        test::WriteFileBytes(Root() / "paciente-suelto.txt", "not a folder");
        m_options.m_strName = "MONITOR7";
    }

    std::filesystem::path Root() const { return m_folder.Path(); }
    // A connection's session over the folder, with the options as the test set them.
    MonitorSession NewSession() const { return MonitorSession(m_store, m_options); }

    std::string Text(MonitorSession& session, const std::string& command) {
        const MonitorReply reply = session.Answer(command);
        EXPECT_EQ(reply.m_kind, MonitorReply::Kind::Text) << command;
        return reply.m_strText;
    }

    std::string LoggedIn(MonitorSession& session) { return Text(session, "AUTH KAVOTE"); }

    test::TempDir m_folder;
    const MonitoringStore m_store{m_folder.Path()};
    MonitorOptions m_options;
};

TEST_F(MonitorSessionTest, OnlyTheNameAndQuitAreAnsweredBeforeTheLogin) {
    MonitorSession session = NewSession();
    EXPECT_EQ(Text(session, "SOMVIXNAME"), "MONITOR7");
    EXPECT_EQ(Text(session, "GETLIST"), "");
    EXPECT_EQ(Text(session, "GETHTRLIST paciente00001"), "");
    EXPECT_EQ(Text(session, "DELETE paciente00001"), "");
    // "FILE" gets an empty message too: as a file reply its length is 0, which is refused.
    EXPECT_EQ(Text(session, "FILE paciente00001\\p00001m.htr"), "");
    EXPECT_EQ(Text(session, "AUTH KAVOTO"), "AUTHERROR");
    EXPECT_EQ(Text(session, "GETLIST"), "");
    EXPECT_TRUE(std::filesystem::exists(Root() / "paciente00001"));
    const MonitorReply quit = session.Answer("QUIT");
    EXPECT_EQ(quit.m_strText, "QUITOK");
    EXPECT_TRUE(quit.m_bEndsConversation);
}

TEST_F(MonitorSessionTest, UnknownCommandsGetInvalidCmd) {
    MonitorSession session = NewSession();
    EXPECT_EQ(Text(session, "HELLO"), "INVALIDCMD");
    EXPECT_EQ(LoggedIn(session), "AUTHOK");
    EXPECT_EQ(Text(session, "getlist"), "INVALIDCMD");
    EXPECT_EQ(Text(session, "GETLIST paciente00001"), "INVALIDCMD");
    EXPECT_EQ(Text(session, ""), "INVALIDCMD");
}

TEST_F(MonitorSessionTest, ListsMonitoringFoldersAndTheirFilesByKind) {
    MonitorSession session = NewSession();
    ASSERT_EQ(LoggedIn(session), "AUTHOK");
    EXPECT_EQ(Text(session, "GETLIST"), "paciente00001 paciente00002");
    EXPECT_EQ(Text(session, "GETHTRLIST paciente00002"), "p00002m.htr");
    EXPECT_EQ(Text(session, "GETIMPLIST paciente00002"), "p00002m.IMP");
    EXPECT_EQ(Text(session, "GETEEGLIST paciente00002"), "");
    EXPECT_EQ(Text(session, "GETHTRLIST paciente00009"), "");
    EXPECT_EQ(Text(session, "GETHTRLIST otros"), "");
}

TEST_F(MonitorSessionTest, FaultOptionsChangeTheReplies) {
    m_options.m_bRefuseLogin = true;
    m_options.m_strQuitReply = "BYE";
    {
        MonitorSession session = NewSession();
        EXPECT_EQ(LoggedIn(session), "AUTHERROR");
        EXPECT_EQ(Text(session, "GETLIST"), "");
        EXPECT_EQ(Text(session, "QUIT"), "BYE");
    }
    m_options.m_bRefuseLogin = false;
    m_options.m_invalidListCommands = {"GETIMPLIST"};
    m_options.m_fixedList = "paciente00001  paciente77";
    MonitorSession session = NewSession();
    ASSERT_EQ(LoggedIn(session), "AUTHOK");
    EXPECT_EQ(Text(session, "GETLIST"), "paciente00001  paciente77");
    EXPECT_EQ(Text(session, "GETIMPLIST paciente00001"), "INVALIDCMD");
    EXPECT_EQ(Text(session, "GETHTRLIST paciente00001"), "p00001m.htr");
}

TEST_F(MonitorSessionTest, StaysSilentFromTheChosenCommandOn) {
    m_options.m_strSilentAfter = "GETHTRLIST";
    MonitorSession session = NewSession();
    ASSERT_EQ(LoggedIn(session), "AUTHOK");
    EXPECT_EQ(Text(session, "GETEEGLIST paciente00001"), "");
    EXPECT_EQ(session.Answer("GETHTRLIST paciente00001").m_kind, MonitorReply::Kind::Silence);
    EXPECT_EQ(session.Answer("QUIT").m_kind, MonitorReply::Kind::Silence);
}

TEST_F(MonitorSessionTest, FileRequestsStayInsideTheMonitoringFolder) {
    test::WriteFileBytes(Root() / "secret.htr", "outside");
    m_options.m_badChecksumFiles = {"p00001m.fhi"};
    m_options.m_strCloseInFile = "p00001m.htr";
    m_options.m_nCloseAfterBytes = 3;
    MonitorSession session = NewSession();
    ASSERT_EQ(LoggedIn(session), "AUTHOK");

    const MonitorReply good = session.Answer("FILE paciente00001\\p00001m.htr");
    ASSERT_EQ(good.m_kind, MonitorReply::Kind::File);
    ASSERT_TRUE(good.m_file.has_value());
    EXPECT_EQ(*good.m_file, Root() / "paciente00001" / "p00001m.htr");
    EXPECT_EQ(good.m_closeAfterBytes, std::optional<std::size_t>(3));
    EXPECT_FALSE(good.m_bBadChecksum);
    EXPECT_TRUE(session.Answer("FILE paciente00001\\p00001m.fhi").m_bBadChecksum);

    for (const char* request : {"FILE paciente00001\\..\\secret.htr", "FILE ..\\secret.htr",
                                "FILE paciente00001\\../../secret.htr", "FILE paciente00001",
                                "FILE otros\\x", "FILE paciente00001\\missing.htr"}) {
        const MonitorReply refused = session.Answer(request);
        EXPECT_EQ(refused.m_kind, MonitorReply::Kind::File) << request;
        EXPECT_FALSE(refused.m_file.has_value()) << request;
    }
}

TEST_F(MonitorSessionTest, DeleteRemovesTheFolderUnlessKept) {
    m_options.m_refusedDeletes = {"paciente00002"};
    MonitorSession session = NewSession();
    ASSERT_EQ(LoggedIn(session), "AUTHOK");
    EXPECT_EQ(Text(session, "DELETE paciente00002"), "DELETEERROR");
    EXPECT_EQ(Text(session, "DELETE paciente00009"), "DELETEERROR");
    EXPECT_EQ(Text(session, "DELETE otros"), "DELETEERROR");
    EXPECT_EQ(Text(session, "DELETE paciente00001"), "DELETEOK");
    EXPECT_FALSE(std::filesystem::exists(Root() / "paciente00001"));
    EXPECT_EQ(Text(session, "GETLIST"), "paciente00002");
    EXPECT_EQ(Text(session, "DELETE paciente00001"), "DELETEERROR");
}

TEST_F(MonitorSessionTest, KeptDeleteHidesTheMonitoringForThisConnectionOnly) {
    m_options.m_bKeep = true;
    {
        MonitorSession session = NewSession();
        ASSERT_EQ(LoggedIn(session), "AUTHOK");
        EXPECT_EQ(Text(session, "DELETE paciente00001"), "DELETEOK");
        EXPECT_EQ(Text(session, "GETLIST"), "paciente00002");
        EXPECT_EQ(Text(session, "GETHTRLIST paciente00001"), "");
        EXPECT_FALSE(session.Answer("FILE paciente00001\\p00001m.htr").m_file.has_value());
        EXPECT_EQ(Text(session, "DELETE paciente00001"), "DELETEERROR");
    }
    EXPECT_TRUE(std::filesystem::exists(Root() / "paciente00001" / "p00001m.htr"));
    MonitorSession next = NewSession();
    ASSERT_EQ(LoggedIn(next), "AUTHOK");
    EXPECT_EQ(Text(next, "GETLIST"), "paciente00001 paciente00002");
}

TEST(BuildFileReply, FramesTheContentsWithLengthAndChecksum) {
    const test::TempDir folder;
    const auto path = folder.Path() / "p.htr";
    test::WriteFileBytes(path, "123456789");
    const std::string reply = BuildFileReply(path, false);
    ASSERT_EQ(reply.size(), 4u + 9u + 4u);
    EXPECT_EQ(ReadUint32Le(reply.data()), 13u);
    EXPECT_EQ(reply.substr(4, 9), "123456789");
    EXPECT_EQ(ReadUint32Le(reply.data() + 13), 0xCBF43926u);
    const std::string bad = BuildFileReply(path, true);
    EXPECT_NE(ReadUint32Le(bad.data() + 13), 0xCBF43926u);
    EXPECT_EQ(BuildFileReply(std::nullopt, false), std::string(4, '\0'));
}

}  // namespace
}  // namespace somvix::sim
