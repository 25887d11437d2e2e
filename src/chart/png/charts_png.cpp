#include "chart/png/charts_png.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>

#include "chart/render/fonts.h"
#include "chart/render/marker_draw.h"
#include "chart/render/paint_charts.h"
#include "chart/trend_chart.h"

namespace somvix {

namespace {

class GuiForRendering {
public:
    GuiForRendering() {
        if (QGuiApplication::instance() != nullptr) {
            return;
        }
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        m_app = std::make_unique<QGuiApplication>(s_argc, s_argv);
    }

private:
    // Qt keeps references to the arguments for the application's lifetime.
    static inline int s_argc = 1;
    static inline char s_name[] = "somvixmn-cli";
    static inline char* s_argv[] = {s_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

}  // namespace

ChartsPngResult WriteChartsPng(const RecordingStore& store, const ChartsPngRequest& request) {
    const QSize size(request.nWidth, request.nHeight);
    const GuiForRendering gui;
    InstallFontSubstitutions();

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CTrendChart upper;
        CTrendChart lower;
        // The window is cut to the recording's span, as the main window's is.
        const TimeWindow window =
            request.fromUnit && request.toUnit
                ? TimeWindow{*request.fromUnit, *request.toUnit - *request.fromUnit}
                : WholeWindow(RecordingSpanUnits(store));
        PaintCharts(painter, store, ComputeLayoutWithoutToolbar(size, image.logicalDpiY()), upper,
                    lower, MakeEventMarkerStyle(image.logicalDpiY()), window);
    }
    return image.save(QString::fromStdString(request.strPng), "PNG") ? ChartsPngResult::Written
                                                                     : ChartsPngResult::NotWritten;
}

}  // namespace somvix
