// Correlated colour temperature and the colour rendering indices of CColorCalc.
#include <cmath>

#include "color/ColorCalc.h"

namespace {

constexpr double kDegenerate = 1e-7;  // a v, c, d or D closer to 0 than this cannot divide
constexpr double kCriExponent = 0.3333;
constexpr double kPlanckianBelow = 5000.0;  // K; from here up the reference is daylight
constexpr double kDaylightFirstUpTo = 7000.0;
constexpr int kGeneralIndexSamples = 8;  // Ra is the mean of R1..R8

struct Uv {
    double u;
    double v;
};

Uv uvOf(const double xyz[3]) {
    const double d = xyz[0] + 15.0 * xyz[1] + 3.0 * xyz[2];
    return {4.0 * xyz[0] / d, 6.0 * xyz[1] / d};
}

double cOf(double u, double v) {
    return (4.0 - u - 10.0 * v) / v;
}
double dOf(double u, double v) {
    return (1.708 * v + 0.404 - 1.481 * u) / v;
}

}  // namespace

double CColorCalc::correlatedColorTemperature(double u, double v) {
    if (!std::isfinite(u) || !std::isfinite(v)) return 0.0;
    // The two nearest rows, the lower index first on equal distances (a stable sort's order).
    int first = -1, second = -1;
    double dFirst = 0.0, dSecond = 0.0;
    for (int i = 0; i < kCieTemperatureRowCount; ++i) {
        const CieTemperatureRow& row = kCieTemperatureLocus[i];
        const double d = std::hypot(row.u - u, row.v - v);
        if (first < 0 || d < dFirst) {
            second = first;
            dSecond = dFirst;
            first = i;
            dFirst = d;
        } else if (second < 0 || d < dSecond) {
            second = i;
            dSecond = d;
        }
    }
    const CieTemperatureRow& c = kCieTemperatureLocus[first < second ? first : second];
    const CieTemperatureRow& d = kCieTemperatureLocus[first < second ? second : first];

    const double L = std::hypot(c.u - d.u, c.v - d.v);
    const double M = std::hypot(c.u - u, c.v - v);
    const double O = std::hypot(d.u - u, d.v - v);
    const double s = (L + M + O) / 2.0;
    // On or very near the chord Heron's product and M^2 - h^2 can round below 0; the true
    // values are 0 there, and a square root of the rounding error would be NaN.
    const double area = std::sqrt(std::fmax(0.0, s * (s - L) * (s - M) * (s - O)));
    const double h = 2.0 * area / L;
    const double p = std::sqrt(std::fmax(0.0, M * M - h * h));
    return c.temperature + p * (d.temperature - c.temperature) / L;
}

double CColorCalc::planckRadiance(double lambda, double temperature) {
    const double L = lambda / 1e7;  // nm to cm
    return 3.741844e-12 /
           (std::pow(L, 5) * (std::pow(2.71828, 1.438833 / (L * temperature)) - 1.0));
}

bool CColorCalc::referenceIlluminant(double temperature) {
    const double T = temperature;
    if (!(T > 0.0) || T > kMaxReferenceTemperature) return false;
    if (T < kPlanckianBelow) {
        for (int i = 0; i < kCieGridCount; ++i)
            cri_.reference[i] = planckRadiance(kCieGridWavelengths[i], T);
        return true;
    }
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double xD = T <= kDaylightFirstUpTo
                          ? -4.607e9 / T3 + 2967800.0 / T2 + 99.11 / T + 0.244063
                          : -2.0064e9 / T3 + 1901800.0 / T2 + 247.48 / T + 0.23704;
    const double yD = -3.0 * xD * xD + 2.87 * xD - 0.275;
    const double M = 0.0241 + 0.2562 * xD - 0.7341 * yD;
    const double M1 = (-1.3515 - 1.7703 * xD + 5.9114 * yD) / M;
    const double M2 = (0.03 - 31.4424 * xD + 30.0717 * yD) / M;
    for (int i = 0; i < kCieGridCount; ++i) {
        const auto& s = kCieDaylightComponents[i];
        cri_.reference[i] = s[0] + M1 * s[1] + M2 * s[2];
    }
    return true;
}

bool CColorCalc::sourceColour(const std::array<double, kCieGridCount>& spectrum, double& k,
                              double& u, double& v, SampleValues& sampleY, SampleValues& sampleU,
                              SampleValues& sampleV) const {
    double xyz[3];
    k = gridTristimulus(spectrum, -1, -1.0, xyz);
    // A fixed k must be positive: a negative one would ask the samples for their own scale.
    if (!(k > 0.0)) return false;
    const Uv white = uvOf(xyz);
    u = white.u;
    v = white.v;
    if (!(std::fabs(v) >= kDegenerate)) return false;
    for (int i = 0; i < kCieTestSampleCount; ++i) {
        gridTristimulus(spectrum, i, k, xyz);
        const Uv uv = uvOf(xyz);
        sampleY[i] = xyz[1];
        sampleU[i] = uv.u;
        sampleV[i] = uv.v;
    }
    return true;
}

bool CColorCalc::computeCri(const double* values, const double* wavelengths, int count,
                            double temperature, double* r, double* ra) {
    for (int i = 0; i < kCieTestSampleCount; ++i)
        r[i] = 0.0;
    *ra = 0.0;
    // Without a reference for this T the indices would be computed against a stale (or, before
    // the first one, all-zero) reference: report them as not available instead.
    if (!referenceIlluminant(temperature)) return false;
    if (count <= 0 || !values || !wavelengths) return false;
    CriWorkingData& w = cri_;
    for (int i = 0; i < kCieGridCount; ++i)
        w.test[i] = values[nearestSampleIndex(kCieGridWavelengths[i], wavelengths, count)];

    // Any degenerate step leaves quantities undefined; the indices are then not available
    // rather than built from the previous spectrum's numbers.
    if (!sourceColour(w.reference, w.kr, w.ur, w.vr, w.yRef, w.uRef, w.vRef)) return false;
    w.cr = cOf(w.ur, w.vr);
    w.dr = dOf(w.ur, w.vr);
    if (!sourceColour(w.test, w.kt, w.ut, w.vt, w.yTest, w.uTest, w.vTest)) return false;
    w.ct = cOf(w.ut, w.vt);
    w.dt = dOf(w.ut, w.vt);
    for (int i = 0; i < kCieTestSampleCount; ++i) {
        if (!(std::fabs(w.vTest[i]) >= kDegenerate)) return false;
        w.cTest[i] = cOf(w.uTest[i], w.vTest[i]);
        w.dTest[i] = dOf(w.uTest[i], w.vTest[i]);
    }

    if (!(std::fabs(w.ct) >= kDegenerate) || !(std::fabs(w.dt) >= kDegenerate)) return false;
    for (int i = 0; i < kCieTestSampleCount; ++i) {
        const double a = w.cr / w.ct * w.cTest[i];
        const double b = w.dr / w.dt * w.dTest[i];
        const double D = 16.518 + 1.481 * a - b;
        if (!(std::fabs(D) >= kDegenerate)) return false;
        w.uAdapted[i] = (10.872 + 0.404 * a - 4.0 * b) / D;
        w.vAdapted[i] = 5.520 / D;
    }

    double sum = 0.0;
    for (int i = 0; i < kCieTestSampleCount; ++i) {
        w.wStarTest[i] = 25.0 * std::pow(w.yTest[i], kCriExponent) - 17.0;
        w.uStarTest[i] = 13.0 * w.wStarTest[i] * (w.uAdapted[i] - w.ur);
        w.vStarTest[i] = 13.0 * w.wStarTest[i] * (w.vAdapted[i] - w.vr);
        w.wStarRef[i] = 25.0 * std::pow(w.yRef[i], kCriExponent) - 17.0;
        w.uStarRef[i] = 13.0 * w.wStarRef[i] * (w.uRef[i] - w.ur);
        w.vStarRef[i] = 13.0 * w.wStarRef[i] * (w.vRef[i] - w.vr);
        const double du = w.uStarRef[i] - w.uStarTest[i];
        const double dv = w.vStarRef[i] - w.vStarTest[i];
        const double dw = w.wStarRef[i] - w.wStarTest[i];
        w.deltaE[i] = std::sqrt(du * du + dv * dv + dw * dw);
        w.r[i] = 100.0 - 4.6 * w.deltaE[i];
        if (!std::isfinite(w.r[i])) return false;
        if (i < kGeneralIndexSamples) sum += w.r[i];
    }
    w.ra = sum * 0.125;
    for (int i = 0; i < kCieTestSampleCount; ++i)
        r[i] = w.r[i];
    *ra = w.ra;
    return true;
}
