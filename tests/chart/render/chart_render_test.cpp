#include <gtest/gtest.h>

#include <QImage>

#include <set>

#include "chart/render/render_fixture.h"

namespace somvix {
namespace {

constexpr QRgb WHITE = 0xFFFFFFFF;
constexpr QRgb GRID_GREY = 0xFF808080;
constexpr QRgb LABEL_GREEN = 0xFF008C00;

bool IsReddish(QRgb pixel) {
    return qRed(pixel) > 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}
bool IsBluish(QRgb pixel) {
    return qBlue(pixel) > 0 && qRed(pixel) == 0 && qGreen(pixel) == 0;
}

// Runs of pixels that satisfy a test along one row, as [first, last] columns.
std::vector<std::pair<int, int>> Runs(const QImage& image, int row, bool (*test)(QRgb)) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < image.width(); ++x) {
        if (!test(image.pixel(x, row))) {
            continue;
        }
        if (!runs.empty() && runs.back().second == x - 1) {
            runs.back().second = x;
        } else {
            runs.emplace_back(x, x);
        }
    }
    return runs;
}

int CountInRow(const QImage& image, int row, bool (*test)(QRgb)) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
        count += test(image.pixel(x, row)) ? 1 : 0;
    }
    return count;
}

std::vector<int> RowsWith(const QImage& image, bool (*test)(QRgb)) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (CountInRow(image, y, test) > 0) {
            rows.push_back(y);
        }
    }
    return rows;
}

class ChartRenderTest : public test::RenderFixture {};

TEST_F(ChartRenderTest, NothingIsDrawnBeforeARecordingIsShown) {
    m_store->m_bChartShown = 0;
    m_store->m_trend1.fill(50.0);
    const QImage image = Render();
    EXPECT_EQ(image.pixel(500, 300), WHITE);
    EXPECT_TRUE(RowsWith(image, [](QRgb p) { return p != WHITE; }).empty());
}

TEST_F(ChartRenderTest, AllNoDataDrawsOnlyGridAndLabelsWithoutAntiAliasing) {
    const QImage image = Render();
    std::set<QRgb> colours;
    int grey = 0;
    int green = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(pixel);
            grey += pixel == GRID_GREY ? 1 : 0;
            green += pixel == LABEL_GREEN ? 1 : 0;
        }
    }
    EXPECT_EQ(colours, (std::set<QRgb>{WHITE, GRID_GREY, LABEL_GREEN}));
    EXPECT_GT(grey, 1000);
    EXPECT_GT(green, 100);
    // Everything lies inside the two chart rectangles.
    const ChartGeometry& upper = m_upper.Geometry();
    EXPECT_EQ(image.pixel(m_upper.Properties().m_nLeft - 1, upper.nPlotTop + 10), WHITE);
    EXPECT_GT(upper.nPlotWidth, 900);
}

TEST_F(ChartRenderTest, GridIsDottedThreeOnThreeOff) {
    const QImage image = Render();
    // The plot's left edge is a vertical grid line, drawn upward from the plot bottom.
    const ChartGeometry& g = m_upper.Geometry();
    std::string pattern;
    for (int y = g.nPlotBottom; y > g.nPlotBottom - 12; --y) {
        pattern += image.pixel(g.nPlotLeft, y) == GRID_GREY ? '#' : '.';
    }
    EXPECT_EQ(pattern, "###...###...");
}

TEST_F(ChartRenderTest, SegmentsNextToHiddenSamplesAreMissing) {
    // 2048 pixels wide: about 2.8 pixels per sample.
    const QSize size(2048, 700);
    m_store->m_trend1.fill(NO_DATA);
    for (size_t i = 0; i < 720; ++i) {
        m_store->m_trend1[i] = 65.0;  // between the lines of 60 and 70: no label in the way
    }
    const QImage whole = Render(size);
    const std::vector<int> rows = RowsWith(whole, IsReddish);
    ASSERT_EQ(rows.size(), 4u);  // a flat curve, 4 pixels thick
    const int pathRow = rows.front();
    const auto wholeRuns = Runs(whole, pathRow, IsReddish);
    ASSERT_EQ(wholeRuns.size(), 1u);

    m_store->m_trend1[10] = NO_DATA;
    m_store->m_trend1[11] = NO_DATA;
    const QImage hidden = Render(size);
    EXPECT_EQ(RowsWith(hidden, IsReddish), rows);  // no segment towards a hidden sample
    const auto runs = Runs(hidden, pathRow, IsReddish);
    ASSERT_EQ(runs.size(), 2u);
    // Segment 8-9 is drawn (then thickened 3 pixels to the right); 9-10, 10-11 and 11-12
    // are not; 12-13 is drawn from sample 12 on.
    const double pixelsPerSample = m_upper.Geometry().dPixelsPerSample;
    const int plotLeft = m_upper.GetPlotLeft();
    EXPECT_EQ(runs[0].first, wholeRuns[0].first);
    EXPECT_NEAR(runs[0].second, plotLeft + 9 * pixelsPerSample - 1 + 3, 1.0);
    EXPECT_NEAR(runs[1].first, plotLeft + 12 * pixelsPerSample, 1.0);
    EXPECT_EQ(runs[1].second, wholeRuns[0].second);
    EXPECT_GT(runs[0].second - runs[0].first, 8 * pixelsPerSample);
}

TEST_F(ChartRenderTest, CurvesAreFourAndThreePixelsThickGrowingRightAndDown) {
    const QSize size(2048, 700);
    m_store->m_trend1[100] = 65.0;
    m_store->m_trend1[101] = 65.0;
    m_store->m_trend2[100] = 60.0;
    m_store->m_trend2[101] = 60.0;
    const QImage image = Render(size);

    const struct {
        const char* name;
        bool (*test)(QRgb);
        int thickness;
    } curves[] = {{"upper", IsReddish, 4}, {"lower", IsBluish, 3}};
    for (const auto& curve : curves) {
        SCOPED_TRACE(curve.name);
        const std::vector<int> rows = RowsWith(image, curve.test);
        ASSERT_EQ(static_cast<int>(rows.size()), curve.thickness);
        EXPECT_EQ(rows.back() - rows.front(), curve.thickness - 1);  // contiguous, downward
        const auto top = Runs(image, rows.front(), curve.test);
        ASSERT_EQ(top.size(), 1u);
        // The one-pixel path is the top row, lengthened to the right by thickness - 1; the
        // rows below are the path shifted down, starting in the same column.
        for (size_t r = 1; r < rows.size(); ++r) {
            const auto below = Runs(image, rows[r], curve.test);
            ASSERT_EQ(below.size(), 1u);
            EXPECT_EQ(below[0].first, top[0].first);
            EXPECT_EQ(below[0].second, top[0].second - (curve.thickness - 1));
        }
        EXPECT_GE(top[0].second - top[0].first, curve.thickness);
    }
}

TEST_F(ChartRenderTest, ValueAboveTheScaleIsClippedAtThePlotTop) {
    m_store->m_trend2[100] = 50.0;
    m_store->m_trend2[101] = 150.0;
    const QImage image = Render();
    const std::vector<int> rows = RowsWith(image, IsBluish);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), m_lower.GetPlotTop());
    // From the middle of the plot upward.
    EXPECT_GT(rows.back(), m_lower.GetPlotTop() + m_lower.Geometry().nPlotHeight / 3);
}

TEST_F(ChartRenderTest, TimeLabelsOnTheUpperChartOnly) {
    const QImage image = Render();
    const auto greenInBand = [&](const CTrendChart& chart) {
        // The band along the plot bottom, right of the value labels.
        const ChartGeometry& g = chart.Geometry();
        int green = 0;
        for (int y = g.nPlotBottom - 15; y < g.nPlotBottom; ++y) {
            for (int x = g.nPlotLeft + 30; x < g.nPlotLeft + g.nPlotWidth; ++x) {
                green += image.pixel(x, y) == LABEL_GREEN ? 1 : 0;
            }
        }
        return green;
    };
    EXPECT_GT(greenInBand(m_upper), 100);
    EXPECT_EQ(greenInBand(m_lower), 0);
}

TEST_F(ChartRenderTest, FullRecordingEndsAtItsLastSample) {
    m_store->m_nSamples = MAX_SAMPLES;
    m_store->m_trend1.fill(65.0);
    const QImage image = Render(QSize(1920, 1080));
    // 910 units: the axis spans 3640 samples and the curve stops at sample 3599.
    const ChartGeometry& g = m_upper.Geometry();
    const int pathRow = RowsWith(image, IsReddish).front();
    const auto runs = Runs(image, pathRow, IsReddish);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, g.nPlotLeft);
    EXPECT_NEAR(runs[0].second, g.nPlotLeft + 3599 * g.dPixelsPerSample - 1 + 3, 1.0);
    EXPECT_LT(runs[0].second, g.nPlotLeft + g.nPlotWidth - 15);
}

}  // namespace
}  // namespace somvix
