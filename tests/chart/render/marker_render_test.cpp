#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QRect>

#include "chart/event_markers.h"
#include "chart/render/render_fixture.h"

namespace somvix {
namespace {

// A flat upper curve and one event at time 100, drawn at 1024 x 700.
class MarkerRenderTest : public test::RenderFixture {
protected:
    void SetCurve(double value) {
        for (size_t i = 0; i < 720; ++i) {
            m_store->m_trend1[i] = value;
        }
    }

    void SetEvent(int v1, const std::string& mnemonic) {
        m_store->m_events[0] = EventRecord{100, "E1", mnemonic};
        m_store->m_nEvents = 1;
        m_store->m_bEventsV1 = v1;
    }

    // The pixels the event changed, against a paint without it.
    std::vector<QPoint> EventPixels(QRgb* colour = nullptr) {
        const int events = m_store->m_nEvents;
        m_store->m_nEvents = 0;
        const QImage without = Render(m_size);
        m_store->m_nEvents = events;
        const QImage with = Render(m_size);
        std::vector<QPoint> changed;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    changed.emplace_back(x, y);
                    if (colour != nullptr) {
                        *colour = with.pixel(x, y);
                    }
                }
            }
        }
        return changed;
    }

    MarkerPlacement Placement() const {
        const MarkerFrame frame{m_upper.GetPlotLeft(),
                                m_upper.GetPlotTop(),
                                m_upper.GetXScale(),
                                m_upper.GetYScale(),
                                1024,
                                700,
                                180};
        return *PlaceEventMarker(100, *m_store, frame, m_upper);
    }

    QSize m_size{1024, 700};
};

TEST_F(MarkerRenderTest, MarkerIsABlackFiveByFiveSquareBelowThePoint) {
    SetCurve(30.0);
    SetEvent(0, "UNUSED");
    QRgb colour = 0;
    const std::vector<QPoint> changed = EventPixels(&colour);
    const MarkerPlacement marker = Placement();
    EXPECT_TRUE(marker.bOnCurve);
    ASSERT_EQ(changed.size(), 25u);  // no text: the file has no mnemonics
    for (const QPoint& pixel : changed) {
        EXPECT_TRUE(QRect(marker.nX - 2, marker.nY + 1, 5, 5).contains(pixel))
            << pixel.x() << "," << pixel.y();
    }
    EXPECT_EQ(colour, qRgb(0, 0, 0));
}

TEST_F(MarkerRenderTest, NoMarkerWhereThereIsNoPlotToMark) {
    const struct {
        const char* name;
        QSize size;
        double value;
    } rows[] = {
        {"value far below the axis", {1024, 700}, -20000.0},
        {"chart too small to plot", {40, 30}, 30.0},
    };
    for (const auto& row : rows) {
        m_size = row.size;
        SetCurve(row.value);
        SetEvent(1, "APNEA");
        EXPECT_TRUE(EventPixels().empty()) << row.name;
    }
}

TEST_F(MarkerRenderTest, EmptyMnemonicWritesNoText) {
    SetCurve(30.0);
    SetEvent(1, "EMPTY_MNEMO");
    EXPECT_EQ(EventPixels().size(), 25u);
}

TEST_F(MarkerRenderTest, MnemonicStandsUprightAboveOrBelowTheMarker) {
    const QFontMetrics metrics(m_style.verticalFont);
    const int cx = metrics.horizontalAdvance(QStringLiteral("APNEA"));
    const int cy = metrics.height();
    const struct {
        const char* name;
        double value;
        int bandTop;  // rows of the text's cell, relative to the marker point
        int bandBottom;
    } rows[] = {{"value below 50: above", 30.0, -8 - cx, -8},
                {"from 50: below", 70.0, 14, 14 + cx}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetCurve(row.value);
        SetEvent(1, "APNEA");
        const std::vector<QPoint> changed = EventPixels();
        const MarkerPlacement marker = Placement();
        const QRect square(marker.nX - 2, marker.nY + 1, 5, 5);
        const QRect cell(marker.nX - cy / 2, marker.nY + row.bandTop, cy, cx + 1);
        int top = 100000;
        int bottom = -1;
        int text = 0;
        for (const QPoint& pixel : changed) {
            if (square.contains(pixel)) {
                continue;
            }
            ++text;
            EXPECT_TRUE(cell.contains(pixel)) << pixel.x() << "," << pixel.y();
            top = std::min(top, pixel.y());
            bottom = std::max(bottom, pixel.y());
        }
        EXPECT_GT(text, 30);
        // The word runs along the column: nearly the whole length of its advance.
        EXPECT_GT(bottom - top, cx - 6);
    }
}

}  // namespace
}  // namespace somvix
