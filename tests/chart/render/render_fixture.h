#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <memory>

#include "chart/render/marker_draw.h"
#include "chart/render/paint_charts.h"
#include "chart/trend_chart.h"

namespace somvix::test {

// A shown recording of 720 empty samples, four to a unit, drawn on white by the two charts at
// 96 dots per inch, with the event markers of that resolution.
class RenderFixture : public ::testing::Test {
protected:
    RenderFixture() {
        m_store->m_trend1.fill(NO_DATA);
        m_store->m_trend2.fill(NO_DATA);
        m_store->m_nSamples = 720;
        m_store->m_nSamplesPerUnit = 4;
        m_store->m_bChartShown = 1;
    }

    QImage Render(QSize size = QSize(1024, 700)) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintCharts(painter, *m_store, ComputeLayoutWithoutToolbar(size, DPI), m_upper, m_lower,
                    m_style);
        return image;
    }

    static constexpr int DPI = 96;
    std::unique_ptr<RecordingStore> m_store = std::make_unique<RecordingStore>();
    CTrendChart m_upper;
    CTrendChart m_lower;
    EventMarkerStyle m_style = MakeEventMarkerStyle(DPI);
};

}  // namespace somvix::test
