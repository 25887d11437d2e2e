#include <gtest/gtest.h>

#include "chart/hover_readout.h"
#include "chart/time_window.h"

#include <memory>

namespace somvix {
namespace {

TEST(TimeWindow, ZoomPanAndCentreStayInsideTheRecording) {
    constexpr int SPAN = 180;
    const struct {
        const char* name;
        TimeWindow result;
        TimeWindow expected;
    } rows[] = {
        {"zoom in on the middle", ZoomWindow({0, 180}, SPAN, 0.5, 90.0), {45, 90}},
        {"zoom in on the left edge", ZoomWindow({0, 180}, SPAN, 0.5, 0.0), {0, 90}},
        {"anchor keeps its place", ZoomWindow({40, 100}, SPAN, 0.5, 65.0), {53, 50}},
        {"zoom out past the whole", ZoomWindow({45, 90}, SPAN, 4.0, 90.0), {0, 180}},
        {"zoom in past the narrowest", ZoomWindow({50, 8}, SPAN, 0.1, 54.0), {52, 5}},
        {"zoom out of a short recording", ZoomWindow({0, 3}, 3, 2.0, 1.0), {0, 3}},
        {"pan right", PanWindow({10, 50}, SPAN, 30), {40, 50}},
        {"pan past the right end", PanWindow({100, 50}, SPAN, 60), {130, 50}},
        {"pan past the start", PanWindow({10, 50}, SPAN, -30), {0, 50}},
        {"centre on an event", CenterWindow({0, 40}, SPAN, 100), {80, 40}},
        {"centre near the end", CenterWindow({0, 40}, SPAN, 175), {140, 40}},
        {"clamp a window wider than the span", ClampWindow({-5, 400}, SPAN), {0, 180}},
    };
    for (const auto& [name, result, expected] : rows) {
        EXPECT_EQ(result, expected)
            << name << ": got " << result.nFirstUnit << "+" << result.nUnits;
    }
}

TEST(TimeWindow, GridStepNarrowsWithTheWindowAndUnitsUnderThePointer) {
    const struct {
        int units;
        int step;
    } steps[] = {{910, 10}, {180, 10}, {80, 10}, {79, 5}, {40, 5}, {39, 2}, {16, 2}, {15, 1}};
    for (const auto& [units, step] : steps) {
        EXPECT_EQ(GridStepUnits({0, units}), step) << units;
    }
    EXPECT_DOUBLE_EQ(UnitAtX({20, 40}, 110, 10, 5.0), 40.0);
    EXPECT_DOUBLE_EQ(UnitAtX({20, 40}, 10, 10, 5.0), 20.0);
    EXPECT_DOUBLE_EQ(UnitAtX({20, 40}, 12, 10, 0.0), 20.0);
}

TEST(HoverReadout, PointerFindsTheNearestSampleAndTellsItsValues) {
    // A plot from x = 10, 400 pixels wide, 2 pixels per sample, showing units 20 to 70 of a
    // recording of 250 samples.
    const TimeWindow window{20, 50};
    const struct {
        int x;
        std::optional<int> sample;
    } rows[] = {{9, {}},    {10, 80},   {11, 81},  {12, 81},
                {250, 200}, {348, 249}, {349, {}}, {411, {}}};
    for (const auto& [x, sample] : rows) {
        EXPECT_EQ(SampleUnderX(window, 4, 250, x, 10, 400, 2.0), sample) << "x " << x;
    }
    EXPECT_TRUE(IsOnMarker(13, 20, 10, 17, 4));
    EXPECT_FALSE(IsOnMarker(15, 20, 10, 17, 4));

    auto store = std::make_unique<RecordingStore>();
    store->m_nSamples = 3;
    store->m_nSamplesPerUnit = 4;
    store->m_trend1Read = store->m_trend1 = SampleArray{55.25, 40.0, 12.0};
    store->m_trend2Read = store->m_trend2 = SampleArray{48.0, 47.5, 47.0};
    store->m_impedance1[1] = 13.5;
    store->m_impedance2[1] = 3.0;
    store->m_trend1[1] = store->m_trend2[1] = NO_DATA;  // hidden
    EXPECT_EQ(SampleReadout(*store, 0), "Muestra 0  t 0.0  C1 55.2  C2 48.0  Imp. 0.0/0.0");
    EXPECT_EQ(SampleReadout(*store, 1),
              "Muestra 1  t 0.2  C1 40.0  C2 47.5  Imp. 13.5/3.0  (oculta)");
    EXPECT_EQ(SampleReadout(*store, 3), "");
    store->m_nEvents = 1;
    store->m_bEventsV1 = 1;
    store->m_events[0] = EventRecord{12, "7", "INICIO"};
    EXPECT_EQ(EventReadout(*store, 0),
              "Evento en 12  INICIO  C\xF3"
              "digo 7");
    store->m_bEventsV1 = 0;
    EXPECT_EQ(EventReadout(*store, 0),
              "Evento en 12  C\xF3"
              "digo 7");
}

}  // namespace
}  // namespace somvix
