#include <CLI/CLI.hpp>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>
#include <ostream>
#include <regex>

#include "chart/render/fonts.h"
#include "chart/render/marker_draw.h"
#include "chart/render/paint_charts.h"
#include "chart/trend_chart.h"
#include "cli/recording_commands.h"
#include "hostnet/network_admin_right.h"

namespace somvix {

namespace {

// Largest picture side accepted: beyond it the image alone would take gigabytes.
constexpr int MAX_RENDER_SIDE = 10000;

// The Gui application that drawing text needs, made for the verb when the process has none,
// on the offscreen platform unless the user chose another.
class GuiForRendering {
public:
    GuiForRendering() {
        if (QGuiApplication::instance() != nullptr) {
            return;
        }
        GiveUpGrantedNetworkAdminRight();
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

bool ParseSize(const std::string& text, QSize& size) {
    static const std::regex pattern("([0-9]{1,6})x([0-9]{1,6})");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        return false;
    }
    const int width = std::stoi(match[1].str());
    const int height = std::stoi(match[2].str());
    if (width < 1 || height < 1 || width > MAX_RENDER_SIDE || height > MAX_RENDER_SIDE) {
        return false;
    }
    size = QSize(width, height);
    return true;
}

// `render FILE.htr --png OUT.png [--size WxH] [--from U --to U]`: the charts as the main window
// paints a client area of that size without a toolbar, for the whole recording or the window
// of the time axis from unit U to unit U.
class RenderCommand : public RecordingVerb {
public:
    const char* Name() const override { return "render"; }
    const char* Description() const override {
        return "Draw a recording's charts into a PNG as the main window shows them";
    }

protected:
    void RegisterOptions(CLI::App& verb) override {
        verb.add_option("--png", m_strPng, "The PNG file to write")->required();
        verb.add_option("--size", m_strSize, "Client area in pixels, WIDTHxHEIGHT")
            ->default_val("1024x700");
        verb.add_option("--from", m_nFromUnit,
                        "First time-axis unit shown (4 samples each); the whole recording "
                        "without --from and --to");
        verb.add_option("--to", m_nToUnit, "Last time-axis unit shown");
    }

    int CheckOptions(CliContext& context) override {
        if (!ParseSize(m_strSize, m_size)) {
            context.err << "somvixmn-cli: --size " << m_strSize
                        << ": expected WIDTHxHEIGHT, each 1 to " << MAX_RENDER_SIDE << '\n';
            return EXIT_USAGE;
        }
        if ((m_nFromUnit || m_nToUnit) &&
            (!m_nFromUnit || !m_nToUnit || *m_nFromUnit < 0 || *m_nToUnit <= *m_nFromUnit)) {
            context.err << "somvixmn-cli: --from and --to: expected both, 0 <= FROM < TO\n";
            return EXIT_USAGE;
        }
        return 0;
    }

    int RunOnRecording(const RecordingStore& store, CliContext& context) override {
        const QSize size = m_size;
        const GuiForRendering gui;
        InstallFontSubstitutions();

        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            CTrendChart upper;
            CTrendChart lower;
            // The window is cut to the recording's span, as the main window's is.
            const TimeWindow window = m_nFromUnit
                                          ? TimeWindow{*m_nFromUnit, *m_nToUnit - *m_nFromUnit}
                                          : WholeWindow(RecordingSpanUnits(store));
            PaintCharts(painter, store, ComputeLayoutWithoutToolbar(size, image.logicalDpiY()),
                        upper, lower, MakeEventMarkerStyle(image.logicalDpiY()), window);
        }
        if (!image.save(QString::fromStdString(m_strPng), "PNG")) {
            context.err << "somvixmn-cli: " << m_strPng << ": cannot be written\n";
            return 1;
        }
        return 0;
    }

private:
    std::string m_strPng;
    std::string m_strSize = "1024x700";
    std::optional<int> m_nFromUnit;
    std::optional<int> m_nToUnit;
    QSize m_size;
};

}  // namespace

std::unique_ptr<CliCommand> MakeRenderCommand() {
    return std::make_unique<RenderCommand>();
}

}  // namespace somvix
