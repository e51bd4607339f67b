// Drawing speed of the chart against QCustomPlot: the same 3700-point noisy spectrum with
// axes, captions and grids into the same 1920 x 1080 image, and ours zoomed to a tenth of the
// range. Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>
#include <vector>

#include "shell/chart/PlotCtrl.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPoints = 3700;
constexpr double kXMin = 200.0;
constexpr double kXMax = 1100.0;
constexpr double kYMax = 40000.0;
const QColor kGridColor(128, 128, 128);

struct Spectrum {
    std::vector<double> x;
    std::vector<double> y;
};

/// A lamp-like spectrum with a few emission lines and shot-like noise, the same on every run.
const Spectrum& noisySpectrum() {
    static const Spectrum s = [] {
        Spectrum out;
        std::mt19937 rng(20170);
        std::normal_distribution<double> noise(0.0, 1.0);
        const double lines[][3] = {{435.8, 9000, 0.8}, {546.1, 22000, 0.9}, {811.5, 6000, 1.2}};
        for (int i = 0; i < kPoints; ++i) {
            const double x = kXMin + (kXMax - kXMin) * i / (kPoints - 1);
            double y = 800 + 26000 * std::exp(-std::pow((x - 620) / 210, 2));
            for (const auto& l : lines)
                y += l[1] * std::exp(-std::pow((x - l[0]) / l[2], 2));
            y += noise(rng) * std::sqrt(y) * 2.0;
            out.x.push_back(x);
            out.y.push_back(y);
        }
        return out;
    }();
    return s;
}

void setUpCorvane(CPlotCtrl& chart, double xMin, double xMax) {
    chart.resize(kWidth, kHeight);
    chart.setBackgroundColor(Qt::white);
    CPlotStandardAxis* bottom = chart.createAxis(kAxisBottom);
    bottom->setRange(xMin, xMax);
    bottom->label().setText("Wavelength (nm)");
    CPlotStandardAxis* left = chart.createAxis(kAxisLeft);
    left->setRange(0, kYMax);
    left->label().setText("Intensity (counts)");
    CPlotLineSeries* s = chart.createLineSeries();
    s->setColor(Qt::red);
    const Spectrum& data = noisySpectrum();
    s->setPoints(data.x.data(), data.y.data(), data.x.size());
}

void renderCorvane(benchmark::State& state, double xMin, double xMax) {
    CPlotCtrl chart;
    setUpCorvane(chart, xMin, xMax);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        chart.renderTo(p, QRect(0, 0, kWidth, kHeight));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
}

void BM_PlotRender_Corvane(benchmark::State& state) {
    renderCorvane(state, kXMin, kXMax);
}

void BM_PlotRender_Zoomed(benchmark::State& state) {
    const double centre = (kXMin + kXMax) / 2;
    const double half = (kXMax - kXMin) * 0.05;
    renderCorvane(state, centre - half, centre + half);
}

void BM_PlotRender_QCustomPlot(benchmark::State& state) {
    QCustomPlot plot;
    plot.resize(kWidth, kHeight);
    // Our chart draws without antialiasing, as does an instrument display; the peer is asked
    // for the same picture.
    plot.setNotAntialiasedElements(QCP::aeAll);
    QCPGraph* graph = plot.addGraph();
    const Spectrum& data = noisySpectrum();
    graph->setData(QVector<double>(data.x.begin(), data.x.end()),
                   QVector<double>(data.y.begin(), data.y.end()), true);
    graph->setPen(QPen(Qt::red, 1));
    plot.xAxis->setRange(kXMin, kXMax);
    plot.yAxis->setRange(0, kYMax);
    plot.xAxis->setLabel("Wavelength (nm)");
    plot.yAxis->setLabel("Intensity (counts)");
    for (QCPAxis* a : {plot.xAxis, plot.yAxis}) {
        a->grid()->setVisible(true);
        a->grid()->setPen(QPen(kGridColor, 1, Qt::DotLine));
    }
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QCPPainter p(&image);
        plot.toPainter(&p, kWidth, kHeight);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_PlotRender_Corvane)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotRender_QCustomPlot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotRender_Zoomed)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
