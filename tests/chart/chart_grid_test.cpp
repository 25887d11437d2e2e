#include <gtest/gtest.h>

#include <memory>

#include "chart/chart_config.h"
#include "chart/chart_grid.h"

namespace somvix {
namespace {

// Both charts configured for a 1024 x 700 client with a recording of the given span.
class ChartGridTest : public ::testing::Test {
protected:
    void Configure(int spanUnits, int clientWidth = 1024) {
        Configure(WholeWindow(spanUnits), clientWidth);
    }
    void Configure(TimeWindow window, int clientWidth = 1024) {
        m_store->m_nSamplesPerUnit = 4;
        PanelLayout layout;
        layout.m_nTopPanelX = 6;
        layout.m_nTopPanelY = 13;
        layout.m_dTopPanelWidth = 1012.0 / 1024;
        layout.m_dTopPanelHeight = 0.7 * 661 / 700;
        layout.m_nBottomPanelX = 6;
        layout.m_nBottomPanelY = 488;
        layout.m_dBottomPanelWidth = 1012.0 / 1024;
        layout.m_dBottomPanelHeight = 0.3 * 661 / 700;
        layout.m_nClientWidth = clientWidth;
        layout.m_nClientHeight = 700;
        ConfigureCharts(m_upper, m_lower, *m_store, layout, window);
        m_upper.UpdateGeometry();
        m_lower.UpdateGeometry();
    }

    static std::vector<std::string> Texts(const std::vector<HorizontalGridRow>& rows) {
        std::vector<std::string> texts;
        for (const HorizontalGridRow& row : rows) {
            if (row.label) {
                texts.push_back(row.label->strText);
            }
        }
        return texts;
    }

    std::unique_ptr<RecordingStore> m_store = std::make_unique<RecordingStore>();
    CTrendChart m_upper;
    CTrendChart m_lower;
};

TEST_F(ChartGridTest, ValueLabelsUpperTenToNinetyWarpedLowerQuarters) {
    Configure(180);
    const auto upperRows = HorizontalGridRows(m_upper, m_upper.Geometry(), 13);
    const auto lowerRows = HorizontalGridRows(m_lower, m_lower.Geometry(), 13);
    ASSERT_EQ(upperRows.size(), 11u);
    ASSERT_EQ(lowerRows.size(), 5u);
    EXPECT_EQ(Texts(upperRows),
              (std::vector<std::string>{"10", "20", "30", "40", "50", "60", "70", "80", "90"}));
    EXPECT_EQ(Texts(lowerRows), (std::vector<std::string>{"25", "50", "75"}));
    EXPECT_FALSE(upperRows.front().label.has_value());
    EXPECT_FALSE(upperRows.back().label.has_value());

    // Heights from the plot bottom: the bottom line on it, the line of 50 at 44.5 per cent of
    // the 443-pixel plot (the warp), labels centred on their lines, one pixel inside the plot.
    const double plotHeight = 700.0 * 6000 / m_upper.Geometry().nLogicalHeight;
    EXPECT_EQ(upperRows[0].line.y0, 0);
    EXPECT_NEAR(-upperRows[5].line.y0, 0.445 * plotHeight, 1.0);
    EXPECT_EQ(upperRows[5].label->y, upperRows[5].line.y0 - 6);
    EXPECT_EQ(upperRows[5].label->x, 1);
    EXPECT_EQ(upperRows[5].line.x0, 1);
    // Uneven spacing: 10 to 20 is narrower than 50 to 60.
    EXPECT_LT(upperRows[1].line.y0 - upperRows[2].line.y0,
              upperRows[5].line.y0 - upperRows[6].line.y0);
    // Linear on the lower chart: 25, 50, 75 evenly spaced.
    EXPECT_NEAR(lowerRows[1].line.y0 - lowerRows[2].line.y0,
                lowerRows[2].line.y0 - lowerRows[3].line.y0, 1.0);
}

TEST_F(ChartGridTest, TimeLabelsEveryFortySamplesOnTheUpperChartOnly) {
    Configure(180);
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()) * 6; };
    const auto labels = TimeLabels(m_upper, m_upper.Geometry(), 13, width);
    // 720 samples: grid lines at 40, 80, ... 680 carry 10 ... 170; none at 0 nor at 720.
    ASSERT_EQ(labels.size(), 17u);
    EXPECT_EQ(labels[0].strText, "10");
    EXPECT_EQ(labels[1].strText, "20");
    EXPECT_EQ(labels[2].strText, "30");
    EXPECT_EQ(labels[16].strText, "170");
    const double pixelsPerSample = m_upper.Geometry().dPixelsPerSample;
    EXPECT_EQ(labels[0].x, static_cast<int>(40 * pixelsPerSample - 6));  // centred, width 12
    EXPECT_EQ(labels[16].x, static_cast<int>(680 * pixelsPerSample - 9));
    // The row stands inside the plot, about the line height plus one above its bottom (whole
    // logical units: one pixel less here).
    EXPECT_EQ(labels[0].y, -13);
    EXPECT_EQ(labels[16].y, labels[0].y);
    EXPECT_TRUE(TimeLabels(m_lower, m_lower.Geometry(), 13, width).empty());
}

TEST_F(ChartGridTest, TimeLabelsThatWouldTouchTheOneBeforeAreLeftOut) {
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()) * 6; };
    struct Row {
        int spanUnits;
        int clientWidth;
        size_t drawn;  // of the labels, one per grid line inside the axis
    };
    for (const Row row :
         {Row{180, 1024, 17}, Row{910, 1024, 32}, Row{910, 480, 19}, Row{190, 480, 18}}) {
        Configure(row.spanUnits, row.clientWidth);
        const double pixelsPerSample = m_upper.Geometry().dPixelsPerSample;
        const auto labels = TimeLabels(m_upper, m_upper.Geometry(), 13, width);
        ASSERT_EQ(labels.size(), row.drawn) << row.spanUnits << " units, " << row.clientWidth;
        EXPECT_EQ(labels.front().strText, "10");
        for (size_t i = 0; i < labels.size(); ++i) {
            // A label drawn stands where it stood before: centred on its own grid line.
            const int samples = std::stoi(labels[i].strText) * 4;
            const int textWidth = width(labels[i].strText);
            EXPECT_EQ(labels[i].x, static_cast<int>(samples * pixelsPerSample - textWidth / 2));
            if (i > 0) {
                EXPECT_GE(labels[i].x, labels[i - 1].x + width(labels[i - 1].strText) + 6);
            }
        }
    }
}

TEST_F(ChartGridTest, ZoomedWindowKeepsLinesAndLabelsOnTheRecordingsUnits) {
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()) * 6; };
    struct Row {
        TimeWindow window;
        std::vector<std::string> firstLabels;
        int firstLineUnit;  // the unit of the leftmost line
        size_t lines;
    };
    for (const Row& row : {
             Row{{100, 20}, {"102", "104", "106"}, 100, 11},  // steps of 2 units
             Row{{33, 50}, {"35", "40", "45"}, 35, 10},       // of 5, none on the left edge
             Row{{7, 9}, {"8", "9", "10"}, 7, 10},            // of 1
             Row{{0, 180}, {"10", "20", "30"}, 0, 19},        // the whole recording
         }) {
        Configure(row.window);
        const ChartGeometry& g = m_upper.Geometry();
        const auto labels = TimeLabels(m_upper, g, 13, width);
        ASSERT_GE(labels.size(), row.firstLabels.size()) << row.window.nFirstUnit;
        for (size_t i = 0; i < row.firstLabels.size(); ++i) {
            EXPECT_EQ(labels[i].strText, row.firstLabels[i]);
        }
        const auto lines = VerticalGridLines(m_upper, g);
        ASSERT_EQ(lines.size(), row.lines) << row.window.nFirstUnit;
        const double pixelsPerUnit = 4 * g.dPixelsPerSample;
        EXPECT_EQ(lines[0].x0,
                  static_cast<int>((row.firstLineUnit - row.window.nFirstUnit) * pixelsPerUnit));
    }
}

TEST_F(ChartGridTest, VerticalLinesFromOriginToRightEdge) {
    Configure(190);
    const auto lines = VerticalGridLines(m_upper, m_upper.Geometry());
    ASSERT_EQ(lines.size(), 20u);  // 0, 40, ... 760
    EXPECT_EQ(lines[0].x0, 0);
    EXPECT_EQ(lines[19].x0, static_cast<int>(760 * m_upper.Geometry().dPixelsPerSample));
    EXPECT_EQ(lines[0].y0, 0);
    EXPECT_EQ(lines[0].y1, static_cast<int>(-6000 * m_upper.Geometry().dPixelsPerLogicalUnit));
}

TEST(FormatLabel, RoundsLikePrintfWithoutDecimals) {
    EXPECT_EQ(FormatLabel(100.0 * 0.1), "10");
    EXPECT_EQ(FormatLabel(100.0 * 0.7000000000000001), "70");
    EXPECT_EQ(FormatLabel(2.5), "2");  // ties to even, as the C library prints them
    EXPECT_EQ(FormatLabel(-1.0), "-1");
}

}  // namespace
}  // namespace somvix
