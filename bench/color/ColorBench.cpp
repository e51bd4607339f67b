// The colour view recomputes everything on every redraw, at least once a second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "color/ColorCalc.h"
#include "color/Regression.h"

namespace {

// A 2048-pixel spectrometer over about 200..1100 nm looking at a warm lamp.
void makeSpectrum(std::vector<double>& wave, std::vector<double>& value) {
    const int n = 2048;
    wave.resize(n);
    value.resize(n);
    for (int i = 0; i < n; ++i) {
        const double p = i / double(n - 1);
        wave[i] = 200.0 + 900.0 * p - 15.0 * p * p + 3.0 * p * p * p;
        value[i] = CColorCalc::planckRadiance(wave[i], 3200.0) * 1e-8 + 20.0;
    }
}

void BM_ComputeColor(benchmark::State& state) {
    std::vector<double> wave, value;
    makeSpectrum(wave, value);
    CColorCalc calc;
    calc.setObserver(2);
    for (auto _ : state) {
        calc.prepareWhitePoint(4);
        ColorResult r = calc.computeColor(value.data(), wave.data(), int(wave.size()));
        benchmark::DoNotOptimize(r);
    }
    const ColorResult check = calc.computeColor(value.data(), wave.data(), int(wave.size()));
    if (!check.valid || !check.criValid) state.SkipWithError("no colour rendering computed");
}
BENCHMARK(BM_ComputeColor);

void BM_FitPolynomialThroughOrigin(benchmark::State& state) {
    std::vector<double> x, y;
    for (int i = 1; i <= 20; ++i) {
        x.push_back(0.05 * i);
        y.push_back(3.0 * x.back() + 0.4 * x.back() * x.back() + 0.01 * std::sin(i));
    }
    double c[3], r2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fitPolynomialThroughOrigin(3, x.data(), y.data(), 20, c, &r2));
    }
}
BENCHMARK(BM_FitPolynomialThroughOrigin);

}  // namespace
