// Opening a full recording (all four files) and one paint of both charts at 1920 x 1080.
//   build/bin/chart_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "chart/recording_reader.h"
#include "chart/render/fonts.h"
#include "chart/render/marker_draw.h"
#include "chart/render/paint_charts.h"
#include "chart/trend_chart.h"

namespace {

using somvix::MAX_SAMPLES;

// A monitoring folder with a 3600-sample recording, removed at the end.
class BenchRecording {
public:
    BenchRecording() {
        m_root = std::filesystem::temp_directory_path() /
                 ("somvix_chart_bench_" + std::to_string(std::random_device{}()));
        const auto folder = m_root / "paciente00012";
        std::filesystem::create_directories(folder);
        std::mt19937 random(12);
        std::uniform_real_distribution<double> noise(-3.0, 3.0);
        std::ofstream trend(folder / "p00012m.htr");
        std::ofstream impedances(folder / "p00012m.imp");
        for (int i = 0; i < MAX_SAMPLES; ++i) {
            trend << 50 + 30 * std::sin(i / 120.0) + noise(random) << ' '
                  << 40 + 20 * std::cos(i / 90.0) + noise(random) << '\n';
            impedances << (i % 500 < 30 ? 13.5 : 4.0) << ' ' << (i % 700 < 10 ? 16.0 : 3.0) << '\n';
        }
        std::ofstream(folder / "p00012m.fhi") << "12-05-2007 22:30:15\n";
        std::ofstream events(folder / "p00012m.evt");
        events << "EventResults_v1 a b c\n";
        for (int e = 0; e < somvix::MAX_EVENTS; ++e) {
            events << 2 + e * 18 << " E" << e << " EVENT" << e << '\n';
        }
        m_strHtr = (folder / "p00012m.htr").string();
    }
    ~BenchRecording() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    const std::string& Htr() const { return m_strHtr; }

private:
    std::filesystem::path m_root;
    std::string m_strHtr;
};

const BenchRecording& Recording() {
    static const BenchRecording recording;
    return recording;
}

void OpenRecording(somvix::RecordingStore& store) {
    somvix::SelectRecordingFile(store, Recording().Htr());
    somvix::LoadRecording(store, somvix::DisplaySettings{}, {});
}

void BM_OpenRecording(benchmark::State& state) {
    auto store = std::make_unique<somvix::RecordingStore>();
    for (auto _ : state) {
        OpenRecording(*store);
        benchmark::DoNotOptimize(store->m_nSamples);
    }
    if (store->m_nSamples != MAX_SAMPLES || store->m_nEvents != somvix::MAX_EVENTS) {
        state.SkipWithError("the recording was not read whole");
    }
}
BENCHMARK(BM_OpenRecording)->Unit(benchmark::kMillisecond);

void BM_PaintCharts(benchmark::State& state) {
    auto store = std::make_unique<somvix::RecordingStore>();
    OpenRecording(*store);
    const QSize client(1920, 1080);
    QImage image(client, QImage::Format_RGB32);
    image.fill(Qt::white);
    const somvix::PanelLayout layout =
        somvix::ComputeLayoutWithoutToolbar(client, image.logicalDpiY());
    somvix::CTrendChart upper;
    somvix::CTrendChart lower;
    const somvix::EventMarkerStyle markers = somvix::MakeEventMarkerStyle(image.logicalDpiY());
    for (auto _ : state) {
        QPainter painter(&image);
        somvix::PaintCharts(painter, *store, layout, upper, lower, markers);
    }
}
BENCHMARK(BM_PaintCharts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    somvix::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
