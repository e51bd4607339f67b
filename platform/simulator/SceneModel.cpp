#include "platform/simulator/SceneModel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/simulator/Simulator.h"

namespace {

constexpr double kFullScale = 65535.0;
constexpr double kPedestalCounts = 1000.0;  // ADC offset with no light
constexpr double kDarkCountsPerMs = 0.03;   // thermal signal, grows with the exposure
constexpr double kReadNoiseCounts = 6.0;
constexpr double kCountsPerElectron = 0.5;  // shot-noise variance = signal * this
constexpr double kNonlinearOnset = 40000.0;
constexpr double kLampKelvin = 2856.0;
constexpr double kSecondRadiation = 1.4388e7;  // c2 in nm K
constexpr double kPeakRate = 7.5;              // counts/us at the brightest pixel: ~30000 at 4 ms

double instrumentResponse(double nm) {
    if (nm <= 190.0) return 0.0;
    const double grating = std::exp(-0.5 * std::pow((nm - 620.0) / 230.0, 2));
    const double uvEdge = 1.0 - std::exp(-(nm - 190.0) / 60.0);
    return grating * uvEdge;
}

double planck(double nm, double kelvin) {
    return 1.0 / (std::pow(nm, 5) * (std::exp(kSecondRadiation / (nm * kelvin)) - 1.0));
}

double gaussian(double x, double centre, double sigma) {
    return std::exp(-0.5 * (x - centre) * (x - centre) / (sigma * sigma));
}

double sampleTransmission(double nm) {
    const double t = 0.92 - 0.70 * gaussian(nm, 430.0, 12.0) - 0.50 * gaussian(nm, 540.0, 25.0) -
                     0.80 * gaussian(nm, 660.0, 18.0);
    return std::max(t, 0.02);
}

struct Line {
    double nm;
    double relative;
};
// Mercury-argon calibration lamp.
constexpr Line kLines[] = {
    {253.65, 0.35}, {296.73, 0.12}, {313.16, 0.20}, {365.02, 0.45}, {404.66, 0.55}, {435.83, 1.00},
    {546.07, 0.90}, {576.96, 0.25}, {579.07, 0.27}, {696.54, 0.30}, {706.72, 0.22}, {738.40, 0.18},
    {750.39, 0.40}, {763.51, 0.65}, {772.38, 0.20}, {794.82, 0.18}, {800.62, 0.25}, {811.53, 0.60},
    {826.45, 0.22}, {842.46, 0.30}, {912.30, 0.35},
};
constexpr double kLineSigmaNm = 1.2 / 2.3548;  // instrument line width 1.2 nm FWHM

double ledEmission(double nm) {
    const double sigma = nm < 525.0 ? 14.0 : 19.0;  // the long-wave flank is wider
    return gaussian(nm, 525.0, sigma);
}

// Standard normal deviates at 4096 equally probable quantiles: drawing one is a table look-up.
const std::array<double, 4096>& normalTable() {
    static const std::array<double, 4096> table = [] {
        std::array<double, 4096> t{};
        for (size_t i = 0; i < t.size(); ++i) {
            const double p = (i + 0.5) / t.size();
            // Inverse of the normal distribution by bisection on erfc; built once.
            double lo = -8, hi = 8;
            for (int k = 0; k < 80; ++k) {
                const double mid = 0.5 * (lo + hi);
                (0.5 * std::erfc(-mid / std::sqrt(2.0)) < p ? lo : hi) = mid;
            }
            t[i] = 0.5 * (lo + hi);
        }
        return t;
    }();
    return table;
}

double nonlinearCorrection(double v) {
    const double* k = kNonlinearCoefficients;
    return k[0] + v * (k[1] + v * (k[2] + v * (k[3] + v * (k[4] + v * k[5]))));
}

}  // namespace

void SceneModel::configure(const double cal[4], int pixels, int sceneKind) {
    kind_ = sceneKind;
    wave_.resize(pixels);
    rate_.assign(pixels, 0.0);
    for (int i = 0; i < pixels; ++i) {
        const double p = i + 1;
        wave_[i] = cal[0] + p * (cal[1] + p * (cal[2] + p * cal[3]));
    }
    for (int i = 0; i < pixels; ++i) {
        const double nm = wave_[i];
        double r = 0.0;
        switch (sceneKind) {
            case CORVANE_SIM_LAMP:
                r = planck(nm, kLampKelvin) * instrumentResponse(nm);
                break;
            case CORVANE_SIM_SAMPLE:
                r = planck(nm, kLampKelvin) * instrumentResponse(nm) * sampleTransmission(nm);
                break;
            case CORVANE_SIM_LINES:
                for (const Line& line : kLines)
                    if (std::abs(nm - line.nm) < 8.0)
                        r += line.relative * gaussian(nm, line.nm, kLineSigmaNm);
                r *= 0.3 + 0.7 * instrumentResponse(nm);
                break;
            case CORVANE_SIM_LED:
                r = ledEmission(nm) * instrumentResponse(nm);
                break;
            default:
                break;  // dark: shutter closed
        }
        rate_[i] = r;
    }
    // The sample shares the lamp's scale so that sample / lamp is its transmission.
    double peak = 0.0;
    if (sceneKind == CORVANE_SIM_SAMPLE) {
        for (int i = 0; i < pixels; ++i)
            peak = std::max(peak, planck(wave_[i], kLampKelvin) * instrumentResponse(wave_[i]));
    } else {
        for (double r : rate_)
            peak = std::max(peak, r);
    }
    if (peak > 0)
        for (double& r : rate_)
            r *= kPeakRate / peak;
    smooth_.resize(pixels);
}

double SceneModel::expectedCounts(int pixel, int integrationUs) const {
    return kPedestalCounts + kDarkCountsPerMs * integrationUs / 1000.0 +
           rate_[pixel] * integrationUs;
}

double SceneModel::nextGaussian() {
    // xorshift64*: cheap and good enough for sensor noise
    rng_ ^= rng_ >> 12;
    rng_ ^= rng_ << 25;
    rng_ ^= rng_ >> 27;
    const uint64_t r = rng_ * 0x2545F4914F6CDD1Dull;
    return normalTable()[r >> 52];
}

void SceneModel::render(int integrationUs, int boxcar, double* out) {
    const int n = pixels();
    const double t = integrationUs;
    const double darkSignal = kDarkCountsPerMs * t / 1000.0;
    const double readVar = kReadNoiseCounts * kReadNoiseCounts;
    for (int i = 0; i < n; ++i) {
        const double signal = rate_[i] * t + darkSignal;
        double v = kPedestalCounts + signal +
                   std::sqrt(signal * kCountsPerElectron + readVar) * nextGaussian();
        // The sensor compresses high counts; the device's coefficients undo it.
        if (v >= kNonlinearOnset) v -= nonlinearCorrection(v - nonlinearCorrection(v));
        out[i] = std::clamp(std::round(v), 0.0, kFullScale);
    }
    if (boxcar > 1 && n > 0) {
        // Moving average over boxcar pixels centred on each pixel, shortened at the ends.
        const int half = boxcar / 2;
        double sum = 0.0;
        int lo = 0, hi = -1;
        for (int i = 0; i < n; ++i) {
            const int wantLo = std::max(0, i - half),
                      wantHi = std::min(n - 1, i + boxcar - 1 - half);
            while (hi < wantHi)
                sum += out[++hi];
            while (lo < wantLo)
                sum -= out[lo++];
            smooth_[i] = sum / (hi - lo + 1);
        }
        std::copy(smooth_.begin(), smooth_.end(), out);
    }
}
