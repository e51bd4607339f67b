#include "color/ColorCalc.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kMinDenominator = 1e-7;  // a slope's run of at most this is taken as this
constexpr double kFarDistance = 99999.0;  // starting distance of the wavelength search
constexpr double kRedFrom = 600.0;        // nm, first grid wavelength of the red ratio

// Slope from the white point (xw, yw) to (x, y); a vertical run keeps its sign so that the
// search can still tell the two sides apart.
double slopeFrom(double xw, double yw, double x, double y) {
    double run = x - xw;
    if (std::fabs(run) <= kMinDenominator) run = run < 0.0 ? -kMinDenominator : kMinDenominator;
    return (y - yw) / run;
}

// A negative k asks for the factor that makes Y = 100. Without light (Y = 0) or with a sum
// that is not finite there is no such factor: 0 then, rather than an infinity that would turn
// every later value into NaN.
double normalise(double k, double sumY) {
    if (k >= 0.0) return k;
    const double factor = 100.0 / sumY;
    return std::isfinite(factor) ? factor : 0.0;
}

bool strictlyBetween(double s, double a, double b) {
    return (a < s && s < b) || (b < s && s < a);
}

}  // namespace

CColorCalc::CColorCalc() {
    prepareWhitePoint(0);
}

const std::array<std::array<double, 3>, kCieGridCount>& CColorCalc::observerTable() const {
    return observer_ == 2 ? kCieObserver2 : kCieObserver10;
}

void CColorCalc::report(ColorMessage message) const {
    if (messageSink_) messageSink_(message);
}

int CColorCalc::prepareWhitePoint(int illuminant) {
    if (illuminant < 0 || illuminant >= kCieIlluminantCount) return 0;
    illuminant_ = illuminant;
    whitePoint_ = kCieWhitePoints[observer_ == 2 ? 0 : 1][illuminant];
    const double sum = whitePoint_[0] + whitePoint_[1] + whitePoint_[2];
    xw_ = whitePoint_[0] / sum;
    yw_ = whitePoint_[1] / sum;

    k0_ = 0;
    double nearest = std::numeric_limits<double>::infinity();
    for (int j = 0; j < kCieLocusCount; ++j) {
        const CieLocusRow& row = kCieSpectralLocus[j];
        slopes_[j] = slopeFrom(xw_, yw_, row.x, row.y);
        const double d = std::fabs(row.x - xw_);
        if (d < nearest) {
            nearest = d;
            k0_ = j;
        }
    }

    // kA and kB are where the lines from the white point to the two ends of the locus meet the
    // locus again; they bound the purple region's complementary search.
    const double redEnd = slopes_[kCieLocusCount - 1];
    kA_ = k0_;
    double best = std::numeric_limits<double>::infinity();
    for (int j = k0_; j >= 1; --j) {
        const double d = std::fabs(slopes_[j] - redEnd);
        if (d < best) {
            best = d;
            kA_ = j;
        }
    }
    const double blueEnd = slopes_[0];
    kB_ = k0_;
    if (k0_ < kCieLocusCount - 2) {
        best = std::numeric_limits<double>::infinity();
        for (int j = k0_; j <= kCieLocusCount - 3; ++j) {
            const double d = std::fabs(slopes_[j] - blueEnd);
            if (d < best) {
                best = d;
                kB_ = j;
            }
        }
    }
    return 1;
}

int CColorCalc::nearestSampleIndex(double lambda, const double* wavelengths, int count) {
    if (count <= 0 || !wavelengths) return -1;
    if (count == 1) return 0;
    const bool descending = wavelengths[count - 1] < wavelengths[0];
    int lo = 0;
    int hi = count - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        const double w = wavelengths[mid];
        if (w == lambda) return mid;
        if (descending ? w > lambda : w < lambda)
            lo = mid;
        else
            hi = mid;
    }
    return std::fabs(wavelengths[lo] - lambda) < std::fabs(wavelengths[hi] - lambda) ? lo : hi;
}

double CColorCalc::computeTristimulus(int count, const double* wavelengths, const double* values,
                                      double k, double* X, double* Y, double* Z) {
    const auto& cmf = observerTable();
    double sx = 0.0, sy = 0.0, sz = 0.0;
    for (int i = 0; i < kCieGridCount; ++i) {
        const int j = nearestSampleIndex(kCieGridWavelengths[i], wavelengths, count);
        if (j < 0 || !values) {
            report(ColorMessage::TristimulusError);
            break;
        }
        sx += values[j] * cmf[i][0] * kCieGridStep;
        sy += values[j] * cmf[i][1] * kCieGridStep;
        sz += values[j] * cmf[i][2] * kCieGridStep;
    }
    k = normalise(k, sy);
    *X = k == 0.0 ? 0.0 : sx * k;
    *Y = k == 0.0 ? 0.0 : sy * k;
    *Z = k == 0.0 ? 0.0 : sz * k;
    return k;
}

double CColorCalc::gridTristimulus(const std::array<double, kCieGridCount>& spectrum, int sample,
                                   double k, double xyz[3]) const {
    const auto& cmf = observerTable();
    double sx = 0.0, sy = 0.0, sz = 0.0;
    for (int i = 0; i < kCieGridCount; ++i) {
        double s = spectrum[i] * kCieGridStep;
        if (sample >= 0) s *= kCieTestColourSamples[i][sample];
        sx += s * cmf[i][0];
        sy += s * cmf[i][1];
        sz += s * cmf[i][2];
    }
    k = normalise(k, sy);
    xyz[0] = k == 0.0 ? 0.0 : sx * k;
    xyz[1] = k == 0.0 ? 0.0 : sy * k;
    xyz[2] = k == 0.0 ? 0.0 : sz * k;
    return k;
}

bool CColorCalc::dominantWavelength(double x, double y, double* wavelength, double* purity,
                                    int* complementary) const {
    *wavelength = 0.0;
    *purity = 0.0;
    *complementary = 0;
    const double s = slopeFrom(xw_, yw_, x, y);
    const int last = kCieLocusCount - 1;
    int from = 0;
    int to = last;
    if (x > xw_) {
        if (s < slopes_[last] && y < yw_) {
            *complementary = 1;
            from = kA_;
            to = k0_;
        } else {
            from = k0_;
        }
    } else {
        if (s > slopes_[0] && y < yw_) {
            *complementary = 1;
            from = k0_;
            to = kB_;
        } else {
            to = k0_;
        }
    }

    int j = -1;
    double best = kFarDistance;
    for (int row = from; row <= to; ++row) {
        const double d = std::fabs(s - slopes_[row]);
        if (d < best) {
            best = d;
            j = row;
        }
    }
    if (j < 0) {
        *complementary = 0;
        return false;
    }

    double lambda = kCieSpectralLocus[j].wavelength;
    if (j >= 1 && j <= last - 1) {
        if (strictlyBetween(s, slopes_[j], slopes_[j + 1]))
            lambda += (s - slopes_[j]) / (slopes_[j + 1] - slopes_[j]);
        else if (strictlyBetween(s, slopes_[j - 1], slopes_[j]))
            lambda += (s - slopes_[j]) / (slopes_[j] - slopes_[j - 1]);
    }
    *wavelength = lambda;

    // Measured along x as a rule; where the locus row sits straight above or below the white
    // point x says nothing, and the same ratio is taken along y.
    const CieLocusRow& row = kCieSpectralLocus[j];
    if (row.x != xw_)
        *purity = (x - xw_) / (row.x - xw_);
    else if (row.y != yw_)
        *purity = (y - yw_) / (row.y - yw_);
    return true;
}

ColorResult CColorCalc::computeColor(const double* values, const double* wavelengths, int count) {
    ColorResult r;
    double X = 0.0, Y = 0.0, Z = 0.0;
    const double k = computeTristimulus(count, wavelengths, values, -1.0, &X, &Y, &Z);
    // Nothing to integrate, or a spectrum without light: there is no colour to report.
    if (count <= 0 || !values || k == 0.0) return ColorResult{};
    r.X = X / k / kColorAbsoluteScale * 100.0;
    r.Y = Y / k / kColorAbsoluteScale * 100.0;
    r.Z = Z / k / kColorAbsoluteScale * 100.0;
    const double sum = r.X + r.Y + r.Z;
    if (!(r.Y > 0.0) || !(sum > 0.0)) return ColorResult{};

    r.x = r.X / sum;
    r.y = r.Y / sum;
    r.z = r.Z / sum;
    const double uvDenominator = r.X + 15.0 * r.Y + 3.0 * r.Z;
    r.u = 4.0 * r.X / uvDenominator;
    r.v = 6.0 * r.Y / uvDenominator;

    dominantWavelength(r.x, r.y, &r.dominantWavelength, &r.purity, &r.complementary);
    r.cct = correlatedColorTemperature(r.u, r.v);
    r.criValid = computeCri(values, wavelengths, count, r.cct, r.r.data(), &r.ra) ? 1 : 0;

    const double tx = std::cbrt(r.X / whitePoint_[0]);
    const double ty = std::cbrt(r.Y / whitePoint_[1]);
    const double tz = std::cbrt(r.Z / whitePoint_[2]);
    r.labL = 116.0 * ty - 16.0;
    r.labA = 500.0 * (tx - ty);
    r.labB = 200.0 * (ty - tz);

    const double rootY = std::sqrt(r.Y);
    r.hunterL = 10.0 * rootY;
    r.hunterA = 17.5 * (1.02 * r.X - r.Y) / rootY;
    r.hunterB = 7.0 * (r.Y - 0.847 * r.Z) / rootY;

    r.uPrime = r.u;
    r.vPrime = 1.5 * r.v;
    r.wPrime = 1.0 - r.uPrime - r.vPrime;

    r.yi = 100.0 * (1.28 * r.X - 1.06 * r.Z) / r.Y;

    const auto& cmf = observerTable();
    double red = 0.0, all = 0.0;
    for (int i = 0; i < kCieGridCount; ++i) {
        const int j = nearestSampleIndex(kCieGridWavelengths[i], wavelengths, count);
        const double s = values[j] * cmf[i][1] * kCieGridStep;
        all += s;
        if (kCieGridWavelengths[i] >= kRedFrom) red += s;
    }
    r.redRatio = red / all;

    for (double n : {r.x,      r.y,    r.z,       r.X,       r.Y,       r.Z,
                     r.u,      r.v,    r.uPrime,  r.vPrime,  r.wPrime,  r.dominantWavelength,
                     r.purity, r.cct,  r.hunterL, r.hunterA, r.hunterB, r.labL,
                     r.labA,   r.labB, r.yi,      r.redRatio})
        if (!std::isfinite(n)) return ColorResult{};
    r.valid = 1;
    return r;
}
