#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "chart/recording_files.h"
#include "chart/recording_reader.h"
#include "chart/zone_hiding.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

// One sample per impedance pair, trend values 40 / 60 everywhere.
class ZoneHidingTest : public ::testing::Test {
protected:
    void Load(const std::vector<std::pair<double, double>>& impedances) {
        std::map<std::string, std::string> files{
            {"p01234m.htr", test::SteadyTrend(static_cast<int>(impedances.size()), 40)}};
        if (!impedances.empty()) {
            files["p01234m.imp"] = test::PairLines(impedances);
        }
        const auto folder = test::WriteRecordingFolder(m_root.Path(), "x", files);
        ASSERT_EQ(SelectRecordingFile(*m_store, (folder / "p01234m.htr").string()), 0);
        ASSERT_EQ(LoadRecording(*m_store, m_settings, {}), 0);
    }

    std::vector<int> HiddenWith(int threshold, int showBadContact, int showImpedanceOff) {
        m_settings = DisplaySettings{threshold, showBadContact, showImpedanceOff};
        ApplyZoneHiding(*m_store, m_settings);
        return HiddenSamples(*m_store);
    }

    test::TempDir m_root;
    std::unique_ptr<RecordingStore> m_store = std::make_unique<RecordingStore>();
    DisplaySettings m_settings;
};

TEST_F(ZoneHidingTest, DefaultsHideOnlyTheBandFrom13ToBelow15) {
    Load({{12.9, 3}, {13.0, 3}, {3, 14.99}, {15.0, 3}, {16.0, 16.0}, {5, 5}, {3, 13.5}});
    EXPECT_EQ(HiddenWith(5, 1, 1), (std::vector<int>{1, 2, 6}));
    EXPECT_EQ(m_store->m_trend1[1], NO_DATA);
    EXPECT_EQ(m_store->m_trend2[1], NO_DATA);
    EXPECT_EQ(m_store->m_trend1[0], 40.0);
    EXPECT_EQ(m_store->m_trend1Read[1], 40.0);  // the trend as read is never changed
}

TEST_F(ZoneHidingTest, BadContactFromTheThresholdToBelow15) {
    Load({{4.9, 5.0}, {4.9, 15.0}, {4.9, 4.99}, {14.9, 2}, {-1, 2}});
    EXPECT_EQ(HiddenWith(5, 0, 1), (std::vector<int>{0, 3}));
    // Shown again by the setting, and the band still hides its sample.
    EXPECT_EQ(HiddenWith(5, 1, 1), (std::vector<int>{3}));
    EXPECT_EQ(HiddenWith(-2, 0, 1), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(HiddenWith(40, 0, 1), (std::vector<int>{3}));
}

TEST_F(ZoneHidingTest, ImpedanceOffIsExactly16) {
    Load({{16.0, 3}, {3, 16.5}, {15.99, 3}, {3, 16.0}});
    EXPECT_EQ(HiddenWith(5, 1, 0), (std::vector<int>{0, 3}));
    EXPECT_TRUE(HiddenWith(5, 1, 1).empty());
}

TEST_F(ZoneHidingTest, SwitchingBackRestoresWithoutReadingAFile) {
    Load({{7, 3}, {3, 16}, {3, 3}});
    EXPECT_EQ(HiddenWith(5, 0, 0), (std::vector<int>{0, 1}));
    std::filesystem::remove_all(m_root.Path() / "x");
    EXPECT_TRUE(HiddenWith(5, 1, 1).empty());
    EXPECT_EQ(m_store->m_trend1[0], 40.0);
    EXPECT_EQ(m_store->m_trend2[1], 20.0);
}

TEST_F(ZoneHidingTest, MissingImpedanceFileWithThresholdZeroHidesEverything) {
    Load({});
    m_store->m_nSamples = 0;
    const auto folder =
        test::WriteRecordingFolder(m_root.Path(), "y", {{"p01234m.htr", test::SteadyTrend(6, 40)}});
    ASSERT_EQ(SelectRecordingFile(*m_store, (folder / "p01234m.htr").string()), 0);
    m_settings = DisplaySettings{0, 0, 1};
    ASSERT_EQ(LoadRecording(*m_store, m_settings, {}), 0);
    EXPECT_EQ(HiddenSamples(*m_store), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // With bad contacts shown, 0.0 impedances hide nothing.
    EXPECT_TRUE(HiddenWith(0, 1, 1).empty());
    EXPECT_TRUE(HiddenWith(1, 0, 1).empty());
}

TEST_F(ZoneHidingTest, SamplesBeyondTheRecordingAreNotTouched) {
    Load({{13.5, 13.5}, {3, 3}});
    EXPECT_EQ(HiddenWith(5, 1, 1), (std::vector<int>{0}));
    EXPECT_EQ(m_store->m_trend1[2], NO_DATA);
    EXPECT_EQ(m_store->m_impedance1[2], 0.0);
}

}  // namespace
}  // namespace somvix
