#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <ostream>
#include <regex>

#include "chart/charts_png.h"
#include "cli/charts_png_loader.h"
#include "cli/recording_commands.h"
#include "hostnet/network_admin_right.h"

namespace somvix {

namespace {

// Largest picture side accepted: beyond it the image alone would take gigabytes.
constexpr int MAX_RENDER_SIDE = 10000;

bool ParseSize(const std::string& text, ChartsPngRequest& request) {
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
    request.nWidth = width;
    request.nHeight = height;
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
        verb.add_option("--png", m_request.strPng, "The PNG file to write")->required();
        verb.add_option("--size", m_strSize, "Client area in pixels, WIDTHxHEIGHT")
            ->default_val("1024x700");
        verb.add_option("--from", m_request.fromUnit,
                        "First time-axis unit shown (4 samples each); the whole recording "
                        "without --from and --to");
        verb.add_option("--to", m_request.toUnit, "Last time-axis unit shown");
    }

    int CheckOptions(CliContext& context) override {
        if (!ParseSize(m_strSize, m_request)) {
            context.err << "somvixmn-cli: --size " << m_strSize
                        << ": expected WIDTHxHEIGHT, each 1 to " << MAX_RENDER_SIDE << '\n';
            return EXIT_USAGE;
        }
        const std::optional<int>& from = m_request.fromUnit;
        const std::optional<int>& to = m_request.toUnit;
        if ((from || to) && (!from || !to || *from < 0 || *to <= *from)) {
            context.err << "somvixmn-cli: --from and --to: expected both, 0 <= FROM < TO\n";
            return EXIT_USAGE;
        }
        return 0;
    }

    int RunOnRecording(const RecordingStore& store, CliContext& context) override {
        // Nothing of the drawing's libraries runs with a right the program was given.
        GiveUpGrantedNetworkAdminRight();
        std::string problem;
        const WriteChartsPngFunction write = LoadChartsPngWriter(problem);
        if (write == nullptr) {
            context.err << "somvixmn-cli: render: cannot draw: " << problem << '\n';
            return 1;
        }
        if (write(store, m_request) != ChartsPngResult::Written) {
            context.err << "somvixmn-cli: " << m_request.strPng << ": cannot be written\n";
            return 1;
        }
        return 0;
    }

private:
    std::string m_strSize = "1024x700";
    ChartsPngRequest m_request;  // the options go straight into it; the size once checked
};

}  // namespace

std::unique_ptr<CliCommand> MakeRenderCommand() {
    return std::make_unique<RenderCommand>();
}

}  // namespace somvix
