#include <gtest/gtest.h>

#include <memory>

#include "chart/chart_config.h"
#include "chart/natural_spline.h"
#include "chart/trend_chart.h"
#include "res/resource_ids.h"

namespace somvix {
namespace {

TEST(SpanUnits, GrowsInTensBeyond180Units) {
    const struct {
        int samples;
        int span;
    } rows[] = {{0, 180},   {1, 180},   {719, 180}, {720, 180},  {721, 190},  {756, 190},
                {757, 190}, {759, 190}, {760, 200}, {1500, 380}, {3599, 900}, {3600, 910}};
    for (const auto& row : rows) {
        EXPECT_EQ(SpanUnits(row.samples, 4), row.span) << row.samples << " samples";
    }
}

// The upper chart's warp with its four knots, as a paint configures it.
CTrendChart ConfiguredUpperChart() {
    CTrendChart upper;
    CTrendChart lower;
    const auto store = std::make_unique<RecordingStore>();
    store->m_nSamplesPerUnit = 4;
    ConfigureCharts(upper, lower, *store, PanelLayout{}, WholeWindow(180));
    return upper;
}

TEST(Warp, UpperChartKnotsCompressLowValues) {
    const CTrendChart upper = ConfiguredUpperChart();
    EXPECT_NEAR(upper.Warp(50.0), 44.5, 0.005);
    EXPECT_NEAR(upper.Warp(10.0), 5.3, 0.05);
    EXPECT_NEAR(upper.Warp(90.0), 93.8, 0.05);
    // Beyond the last knot the last interval's cubic goes on: 100 lies just below the top.
    EXPECT_NEAR(upper.Warp(100.0), 99.5, 0.05);
    EXPECT_LT(upper.Warp(100.0), 100.0);
    // The curve passes through its knots.
    EXPECT_NEAR(upper.Warp(0.0), 0.0, 1e-12);
    EXPECT_NEAR(upper.Warp(35.0), 25.0, 1e-12);
    EXPECT_NEAR(upper.Warp(85.0), 90.0, 1e-12);
    EXPECT_NEAR(upper.Warp(99.0), 99.0, 1e-12);
    // Heights in logical units: W(50) x 60.
    EXPECT_EQ(upper.LogicalY(50.0), 2669);
}

TEST(Warp, EqualKnotAbscissaeLeaveValuesUnwarped) {
    CTrendChart chart;
    TrendChartProperties properties;
    properties.m_dFullScale = 100.0;
    properties.m_bWarpY = true;
    chart.SetProperties(properties);
    const double abscissae[] = {0.0, 0.5, 0.5, 1.0};
    const double ordinates[] = {0.0, 0.2, 0.8, 1.0};
    chart.SetWarpKnots(abscissae, ordinates, 4);
    for (const double value : {0.0, 30.0, 50.0, 77.7, 150.0}) {
        EXPECT_EQ(chart.Warp(value), value);
    }
    EXPECT_EQ(chart.HeightFraction(0.3), 0.3);
    EXPECT_EQ(chart.LogicalY(30.0), 1800);
}

TEST(NaturalSpline, SecondDerivativesAreZeroAtTheEndsAndComputedWithTheKnots) {
    NaturalSpline spline;
    const double abscissae[] = {0.0, 1.0, 2.0};
    const double ordinates[] = {0.0, 1.0, 0.0};
    ASSERT_TRUE(spline.SetKnots(abscissae, ordinates, 3));
    ASSERT_EQ(spline.SecondDerivatives().size(), 3u);
    EXPECT_EQ(spline.SecondDerivatives()[0], 0.0);
    EXPECT_EQ(spline.SecondDerivatives()[2], 0.0);
    // Symmetric tent: 6 * (slope change) / (interval sum) / 2 = -3.
    EXPECT_DOUBLE_EQ(spline.SecondDerivatives()[1], -3.0);
    EXPECT_DOUBLE_EQ(*spline.Evaluate(0.5), 0.6875);
    EXPECT_DOUBLE_EQ(*spline.Evaluate(-1.0), -1.0);  // first interval's cubic, extrapolated
    EXPECT_FALSE(spline.SetKnots(abscissae, ordinates, 1));
    EXPECT_FALSE(spline.Evaluate(0.5).has_value());
    const double decreasing[] = {1.0, 0.0, 2.0};
    EXPECT_FALSE(spline.SetKnots(decreasing, ordinates, 3));
}

struct GeometryRow {
    const char* name;
    TrendChartProperties properties;
    ChartGeometry expected;
};

TrendChartProperties Properties(int refWidth, int refHeight, int left, int top, double widthFrac,
                                double heightFrac, int lineWidth, int xRange) {
    TrendChartProperties p;
    p.m_nRefWidth = refWidth;
    p.m_nRefHeight = refHeight;
    p.m_nLeft = left;
    p.m_nTop = top;
    p.m_dWidthFrac = widthFrac;
    p.m_dHeightFrac = heightFrac;
    p.m_nLineWidth = lineWidth;
    p.m_nXRange = xRange;
    return p;
}

TEST(ChartGeometry, BothChartsOfAGivenLayout) {
    // 1024 x 700 client without toolbar, character width 6, line height 13: 661 pixels of
    // height shared 70/30.
    const double shared = 700 - 3 * 13;
    const GeometryRow rows[] = {
        {"upper chart, 720 samples",
         Properties(1024, 700, 6, 13, 1012.0 / 1024, 0.7 * shared / 700, 4, 720),
         {1012, 462, 18, 18, 994, 444, 15, 22, 465, 994.0 / 1024, 444.0 / 700, 741, 9459,
          1024.0 / 741, 700.0 / 9459}},
        {"lower chart, 720 samples",
         Properties(1024, 700, 6, 488, 1012.0 / 1024, 0.3 * shared / 700, 3, 720),
         {1012, 198, 16, 16, 996, 182, 14, 496, 678, 996.0 / 1024, 182.0 / 700, 740, 23076,
          1024.0 / 740, 700.0 / 23076}},
        {"upper chart, 1920 x 1080, 3600 samples",
         Properties(1920, 1080, 7, 14, 1906.0 / 1920, 0.7 * 1038 / 1080, 4, 3640),
         {1906, 726, 18, 18, 1888, 708, 16, 23, 731, 1888.0 / 1920, 708.0 / 1080, 3701, 9152,
          1920.0 / 3701, 1080.0 / 9152}},
    };
    for (const GeometryRow& row : rows) {
        SCOPED_TRACE(row.name);
        const ChartGeometry g =
            ComputeChartGeometry(row.properties, CURSOR_BITMAP_WIDTH, CURSOR_BITMAP_HEIGHT);
        const ChartGeometry& e = row.expected;
        EXPECT_EQ(g.nChartWidth, e.nChartWidth);
        EXPECT_EQ(g.nChartHeight, e.nChartHeight);
        EXPECT_EQ(g.nMarginX, e.nMarginX);
        EXPECT_EQ(g.nMarginY, e.nMarginY);
        EXPECT_EQ(g.nPlotWidth, e.nPlotWidth);
        EXPECT_EQ(g.nPlotHeight, e.nPlotHeight);
        EXPECT_EQ(g.nPlotLeft, e.nPlotLeft);
        EXPECT_EQ(g.nPlotTop, e.nPlotTop);
        EXPECT_EQ(g.nPlotBottom, e.nPlotBottom);
        EXPECT_DOUBLE_EQ(g.dXScale, e.dXScale);
        EXPECT_DOUBLE_EQ(g.dYScale, e.dYScale);
        EXPECT_EQ(g.nLogicalWidth, e.nLogicalWidth);
        EXPECT_EQ(g.nLogicalHeight, e.nLogicalHeight);
        EXPECT_DOUBLE_EQ(g.dPixelsPerSample, e.dPixelsPerSample);
        EXPECT_DOUBLE_EQ(g.dPixelsPerLogicalUnit, e.dPixelsPerLogicalUnit);
        EXPECT_TRUE(g.IsDrawable());
    }
}

TEST(ChartGeometry, TooSmallOrEmptyChartsAreNotDrawable) {
    const TrendChartProperties rows[] = {
        Properties(30, 30, 0, 0, 0.5, 0.5, 4, 720),   // smaller than its margins
        Properties(0, 0, 0, 0, 0.9, 0.9, 4, 720),     // minimised window
        Properties(1024, 700, 0, 0, 0.9, 0.9, 4, 0),  // empty axis
    };
    for (const TrendChartProperties& p : rows) {
        EXPECT_FALSE(
            ComputeChartGeometry(p, CURSOR_BITMAP_WIDTH, CURSOR_BITMAP_HEIGHT).IsDrawable());
    }
}

TEST(ConfigureCharts, UpperWarpedWithTimeLabelsLowerLinearWithout) {
    CTrendChart upper;
    CTrendChart lower;
    auto store = std::make_unique<RecordingStore>();
    store->m_nSamplesPerUnit = 4;
    PanelLayout layout;
    layout.m_nTopPanelX = 6;
    layout.m_nTopPanelY = 40;
    layout.m_dTopPanelHeight = 0.6;
    layout.m_nBottomPanelY = 500;
    layout.m_dBottomPanelWidth = 0.9;
    layout.m_nClientWidth = 1024;
    layout.m_nClientHeight = 700;
    ConfigureCharts(upper, lower, *store, layout, WholeWindow(190));

    const TrendChartProperties& u = upper.Properties();
    const TrendChartProperties& l = lower.Properties();
    EXPECT_EQ(u.m_nXRange, 760);
    EXPECT_EQ(l.m_nXRange, 760);
    EXPECT_EQ(u.m_nTop, 40);
    EXPECT_EQ(u.m_dHeightFrac, 0.6);
    EXPECT_EQ(l.m_nTop, 500);
    EXPECT_EQ(l.m_dWidthFrac, 0.9);
    EXPECT_EQ(u.m_nRefWidth, 1024);
    EXPECT_EQ(l.m_nRefHeight, 700);
    EXPECT_EQ(u.m_nYLines, 11);
    EXPECT_EQ(l.m_nYLines, 5);
    EXPECT_EQ(u.m_nLineWidth, 4);
    EXPECT_EQ(l.m_nLineWidth, 3);
    EXPECT_TRUE(u.m_bWarpY);
    EXPECT_FALSE(l.m_bWarpY);
    EXPECT_EQ(u.m_dXLabelOrigin, 0.0);
    EXPECT_LT(l.m_dXLabelOrigin, 0.0);
    EXPECT_EQ(u.m_nXGridStep, 40);
    EXPECT_EQ(u.m_dXLabelStep, 10.0);
    EXPECT_EQ(u.m_series[0].pValues, &store->m_trend1);
    EXPECT_EQ(l.m_series[0].pValues, &store->m_trend2);
    EXPECT_EQ(u.m_series[0].color, 255u);
    EXPECT_EQ(l.m_series[0].color, 16711680u);
    // Beyond the arrays (a 3600-sample recording spans 3640 samples) a series reads NO_DATA.
    store->m_trend1.fill(1.0);
    EXPECT_EQ(upper.SeriesValue(0, MAX_SAMPLES - 1), 1.0);
    EXPECT_EQ(upper.SeriesValue(0, MAX_SAMPLES), NO_DATA);
    EXPECT_EQ(upper.SeriesValue(0, 3639), NO_DATA);
}

}  // namespace
}  // namespace somvix
