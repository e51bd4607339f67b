// The spectrum view's per-redraw cost and the peak search on a 2048-point spectrum.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <vector>

#include "apps/MeasurementViews.h"
#include "apps/peaks/PeakSearch.h"
#include "apps/spectrum/CorvaneView.h"
#include "device/SpectrometerDevice.h"
#include "files/AppPaths.h"
#include "platform/simulator/Simulator.h"
#include "shell/app/MainFrame.h"
#include "shell/app/TabGroupArea.h"
#include "shell/settings/ControlPanel.h"

namespace {

constexpr int kPoints = 2048;

// Emission lines on a lamp continuum, 200-1100 nm.
void makeSpectrum(std::vector<double>& x, std::vector<double>& y) {
    x.resize(kPoints);
    y.resize(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        x[i] = 200.0 + 900.0 * i / (kPoints - 1);
        y[i] = 1000 + 30000 * std::exp(-0.5 * std::pow((x[i] - 750) / 180, 2));
        for (double line : {404.7, 435.8, 546.1, 577.0, 696.5, 763.5, 811.5, 912.3})
            y[i] += 20000 * std::exp(-0.5 * std::pow((x[i] - line) / 0.8, 2));
    }
}

void BM_FindPeaks(benchmark::State& state) {
    std::vector<double> x, y;
    makeSpectrum(x, y);
    std::vector<PeakRecord> results, table;
    results.reserve(64);
    for (auto _ : state) {
        FindPeaks(x.data(), y.data(), kPoints, 200, 1100, {1, 1, 0}, {}, results, table);
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(BM_FindPeaks)->Unit(benchmark::kMicrosecond);

void BM_SpectrumViewRedraw(benchmark::State& state) {
    using namespace std::chrono_literals;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvane_bench_apps";
    std::filesystem::create_directories(dir);
    MainFrameOptions options;
    options.setup = readAppSetup((dir / "program").string(), (dir / "data").string());
    createAppFolders(options.setup.paths);
    options.showSplash = false;
    options.startupPauses = false;
    options.simulatorDefault = false;  // the live spectrum comes from the benchmark
    CSpectrometerDevice::setClosePause(0ms);
    registerMeasurementViews();
    {
        CMainFrame frame(options);
        auto* view = static_cast<CCorvaneView*>(createSpectrumView(frame));
        frame.tabs()->addView(view, view->windowTitle());
        frame.resize(1920, 1080);
        view->resize(1920, 1080);
        view->layoutView();  // a hidden widget gets its resize event only when shown
        state.counters["chart_w"] = view->chart()->width();
        state.counters["chart_h"] = view->chart()->height();
        std::vector<double> x, y;
        makeSpectrum(x, y);
        frame.record().setSpectrum(x.data(), y.data(), kPoints);
        QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
        if (ControlPanel* panel = frame.controlPanel()) {
            AcquisitionSettings s = panel->settings();
            s.showPeak = 1;
            s.showFwhm = 1;
            panel->applyAllValues(s);
        }
        for (auto _ : state) {
            QPainter p(&image);
            view->OnDraw(p);
        }
        frame.shutdown();
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SpectrumViewRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
