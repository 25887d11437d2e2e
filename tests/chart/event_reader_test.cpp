#include <gtest/gtest.h>

#include <memory>

#include "chart/recording_files.h"
#include "chart/recording_reader.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

class EventReaderTest : public ::testing::Test {
protected:
    // Reads the event file written under eventName in folder, for the recording p01234m.htr.
    void Read(const std::string& folder, const std::string& eventName,
              const std::string& eventText) {
        const auto directory = test::WriteRecordingFolder(
            m_root.Path(), folder, {{"p01234m.htr", "1 2"}, {eventName, eventText}});
        ASSERT_EQ(SelectRecordingFile(*m_store, (directory / "p01234m.htr").string()), 0);
        m_messages.clear();
        ReadEventFile(*m_store, [this](const std::string& text, const std::string& caption,
                                       MessageIcon icon) {
            m_messages.push_back(caption + "|" + text + "|" +
                                 std::to_string(static_cast<int>(icon)));
        });
    }

    static std::string Records(int count, bool withMnemonic) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += std::to_string(i + 2) + " C" + std::to_string(i);
            text += withMnemonic ? " M" + std::to_string(i) + "\n" : "\n";
        }
        return text;
    }

    test::TempDir m_root;
    std::unique_ptr<RecordingStore> m_store = std::make_unique<RecordingStore>();
    std::vector<std::string> m_messages;
};

TEST_F(EventReaderTest, SixtyRecordsGiveTheFirstFifty) {
    Read("p01234", "p01234m.evt", "EventResults_v1 a b c\n" + Records(60, true));
    ASSERT_EQ(m_store->m_nEvents, MAX_EVENTS);
    EXPECT_EQ(m_store->m_bEventsV1, 1);
    EXPECT_EQ(m_store->m_events[0].nTime, 2);
    EXPECT_EQ(m_store->m_events[0].strCode, "C0");
    EXPECT_EQ(m_store->m_events[49].strMnemonic, "M49");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(EventReaderTest, OlderKindHasTwoHeaderWordsAndNoMnemonics) {
    Read("p01234", "p01234m.evt", "EventResults h1 h2 5 X 7 Y\n");
    ASSERT_EQ(m_store->m_nEvents, 2);
    EXPECT_EQ(m_store->m_bEventsV1, 0);
    EXPECT_EQ(m_store->m_events[1].nTime, 7);
    EXPECT_EQ(m_store->m_events[1].strCode, "Y");
}

TEST_F(EventReaderTest, KindWordAloneGivesNoEventsAndNoMessage) {
    Read("p01234", "p01234m.evt", "EventResults");
    EXPECT_EQ(m_store->m_nEvents, 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(EventReaderTest, WrongKindWordIsReportedAndGivesNoEvents) {
    for (const char* kind : {"eventresults_v1", "EventResults_v2", ""}) {
        SCOPED_TRACE(kind);
        Read("p01234", "p01234m.evt", std::string(kind) + " a b c 5 X M\n");
        EXPECT_EQ(m_store->m_nEvents, 0);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0], "Error|Archivo de eventos incorrecto|48");
    }
}

TEST_F(EventReaderTest, MissingFileGivesNoEventsSilently) {
    Read("p01234", "other.evt", "EventResults_v1 a b c 5 X M\n");
    EXPECT_EQ(m_store->m_nEvents, 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(EventReaderTest, ShortFolderNameNamesTheFileWhole) {
    Read("abc", "pabcm.evt", "EventResults a b 9 Z\n");
    ASSERT_EQ(m_store->m_nEvents, 1);
    EXPECT_EQ(m_store->m_events[0].nTime, 9);
}

TEST_F(EventReaderTest, LastRecordWithoutMnemonicIsDropped) {
    Read("p01234", "p01234m.evt", "EventResults_v1 a b c 5 X M1 6 Y");
    EXPECT_EQ(m_store->m_nEvents, 1);
    EXPECT_EQ(m_store->m_events[0].strMnemonic, "M1");
}

TEST_F(EventReaderTest, TimeThatIsNoIntegerEndsTheList) {
    Read("p01234", "p01234m.evt", "EventResults a b 5 X t6 Y 7 Z");
    EXPECT_EQ(m_store->m_nEvents, 1);
}

TEST_F(EventReaderTest, EveryOpenStartsAFreshList) {
    Read("p01234", "p01234m.evt", "EventResults_v1 a b c\n" + Records(3, true));
    ASSERT_EQ(m_store->m_nEvents, 3);
    Read("p55555", "unrelated.txt", "");
    EXPECT_EQ(m_store->m_nEvents, 0);
}

TEST_F(EventReaderTest, OverLongCodeIsKeptEmpty) {
    Read("p01234", "p01234m.evt", "EventResults a b 5 " + std::string(60, 'c') + " 6 Y");
    ASSERT_EQ(m_store->m_nEvents, 2);
    EXPECT_EQ(m_store->m_events[0].strCode, "");
    EXPECT_EQ(m_store->m_events[1].strCode, "Y");
}

}  // namespace
}  // namespace somvix
