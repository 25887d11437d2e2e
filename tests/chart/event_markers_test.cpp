#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "chart/chart_config.h"
#include "chart/event_markers.h"

namespace somvix {
namespace {

// The upper chart of a 1000 x 700 client: plot at (20, 30), 900 x 400 pixels.
class EventMarkersTest : public ::testing::Test {
protected:
    EventMarkersTest() {
        m_store->m_trend1.fill(NO_DATA);
        m_store->m_nSamplesPerUnit = 4;
        CTrendChart lower;
        ConfigureCharts(m_upper, lower, *m_store, PanelLayout{}, WholeWindow(180));
        m_frame = MarkerFrame{20, 30, 0.9, 400.0 / 700, 1000, 700, 180};
    }

    std::optional<MarkerPlacement> Place(int time) {
        return PlaceEventMarker(time, *m_store, m_frame, m_upper);
    }

    std::unique_ptr<RecordingStore> m_store = std::make_unique<RecordingStore>();
    CTrendChart m_upper;
    MarkerFrame m_frame;
};

TEST_F(EventMarkersTest, OnlyEventsAfterTimeOneInsideTheWindowGetMarkers) {
    const struct {
        int firstUnit;  // the window shown is 180 units wide from here
        int time;
        std::optional<int> x;
    } rows[] = {{0, -5, {}},          {0, 0, {}},     {0, 1, {}},     {0, 2, 20 + 10},
                {0, 180, 20 + 900},   {0, 181, {}},   {100, 100, {}}, {100, 101, 20 + 5},
                {100, 280, 20 + 900}, {100, 281, {}}, {100, 50, {}}};
    for (const auto& [firstUnit, time, x] : rows) {
        m_frame.nFirstUnit = firstUnit;
        const auto marker = Place(time);
        EXPECT_EQ(marker ? std::optional(marker->nX) : std::nullopt, x)
            << "time " << time << " from " << firstUnit;
    }
}

TEST_F(EventMarkersTest, MarkerSitsOnTheSampleJustLeftOfTheEvent) {
    m_store->m_trend1[7] = 50.0;
    m_store->m_trend1[8] = 90.0;
    const auto marker = Place(2);
    ASSERT_TRUE(marker);
    EXPECT_TRUE(marker->bOnCurve);
    // 5 pixels per unit; the warp puts 50 at 44.5 per cent of the 400-pixel plot.
    EXPECT_EQ(marker->nX, 20 + 10);
    EXPECT_EQ(marker->nY, 30 + static_cast<int>((100 - m_upper.Warp(50.0)) * 4.0));
    EXPECT_EQ(marker->nY, 30 + 222);
}

TEST_F(EventMarkersTest, EventAtTheSpanIsAtThePlotsRightEdge) {
    m_store->m_trend1[719] = 20.0;
    const auto marker = Place(180);
    ASSERT_TRUE(marker);
    EXPECT_EQ(marker->nX, 20 + 900);
    EXPECT_TRUE(marker->bOnCurve);
}

TEST_F(EventMarkersTest, HiddenOrMissingSampleGoesToMidHeightWithTheLabelBelow) {
    const auto hidden = Place(50);
    ASSERT_TRUE(hidden);
    EXPECT_FALSE(hidden->bOnCurve);
    EXPECT_EQ(hidden->nY, 30 + 200);
    EXPECT_FALSE(hidden->bLabelAbove);

    // A 3600-sample recording spans 910 units: events above 900 point beyond the arrays.
    m_store->m_trend1.fill(30.0);
    m_frame.nSpanUnits = 910;
    const auto beyond = Place(905);
    ASSERT_TRUE(beyond);
    EXPECT_FALSE(beyond->bOnCurve);
    EXPECT_EQ(beyond->nY, 30 + 200);
    EXPECT_TRUE(Place(900)->bOnCurve);
}

TEST_F(EventMarkersTest, ValueFarBelowTheAxisPutsTheMarkerFarBelowThePlot) {
    for (const double value : {-20000.0, -1.0e9}) {
        m_store->m_trend1[7] = value;
        const auto marker = Place(2);
        ASSERT_TRUE(marker);
        EXPECT_GT(marker->nY, 30 + 400) << value;
        // Room for the marker bitmap and the mnemonic below it.
        EXPECT_LT(marker->nY, INT_MAX / 2) << value;
    }
}

TEST_F(EventMarkersTest, LabelAboveBelowFiftyBelowFromFifty) {
    m_store->m_trend1[39] = 49.9;
    m_store->m_trend1[79] = 50.0;
    EXPECT_TRUE(Place(10)->bLabelAbove);
    EXPECT_FALSE(Place(20)->bLabelAbove);
}

TEST_F(EventMarkersTest, MnemonicIsCentredOnTheMarkerColumn) {
    MarkerPlacement marker{100, 200, true, true};
    const TextOrigin above = MnemonicOrigin(marker, 40, 11, 11);
    EXPECT_EQ(above.x, 95);
    EXPECT_EQ(above.y, 192);  // the text reads upward from 8 pixels above the point
    marker.bLabelAbove = false;
    const TextOrigin below = MnemonicOrigin(marker, 40, 11, 11);
    EXPECT_EQ(below.y, 254);  // from 14 + 40 pixels below the point, upward
}

TEST(EventMnemonics, WrittenOnlyForFilesWithMnemonicsAndNotEmpty) {
    auto store = std::make_unique<RecordingStore>();
    EventRecord event{5, "C", "APNEA"};
    store->m_bEventsV1 = 1;
    EXPECT_TRUE(HasMnemonicText(*store, event));
    event.strMnemonic = "EMPTY_MNEMO";
    EXPECT_FALSE(HasMnemonicText(*store, event));
    event.strMnemonic = "LEFT_BY_AN_EARLIER_FILE";
    store->m_bEventsV1 = 0;
    EXPECT_FALSE(HasMnemonicText(*store, event));
}

}  // namespace
}  // namespace somvix
