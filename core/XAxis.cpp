#include "core/XAxis.h"

#include <cmath>

#include "resources/CoreStrings.h"

namespace {

constexpr double kNmPerCm = 1e7;
constexpr double kLightSpeed = 299792458.0;  // m/s; divided by nm gives GHz
constexpr double kMinWavelength = 1.0;       // nm; below it the reciprocal units read 0

}  // namespace

int xUnitTitleId(int unit) {
    if (unit < 0 || unit >= kXUnitCount) unit = kXUnitNm;
    return CoreStr::kXUnitTitleFirst + unit;
}

double convertWavelength(int unit, double lambda, int i, double laserWavelength) {
    switch (unit) {
        case kXUnitUm:
            return lambda / 1000.0;
        case kXUnitPixel:
            return i + 1;
        case kXUnitRamanShift: {
            if (lambda < kMinWavelength) return 0.0;
            const double excitation =
                laserWavelength >= kMinWavelength ? kNmPerCm / laserWavelength : 0.0;
            return excitation - kNmPerCm / lambda;
        }
        case kXUnitWavenumber:
            return lambda < kMinWavelength ? 0.0 : kNmPerCm / lambda;
        case kXUnitGhz:
            return lambda < kMinWavelength ? 0.0 : kLightSpeed / lambda;
        default:
            return lambda;
    }
}

int ConvertXAxis(const double* wave, int count, int unit, double laserWavelength, double* displayX,
                 XAxisCache& cache) {
    if (!wave || !displayX || count < kXAxisMinPoints) return 0;
    // The excitation and the count are part of the key too: a new laser wavelength or a longer
    // array must not leave a stale axis on screen.
    const bool same = std::abs(wave[0] - cache.wave[0]) < kXAxisCacheTol &&
                      std::abs(wave[1] - cache.wave[1]) < kXAxisCacheTol &&
                      std::abs(wave[2] - cache.wave[2]) < kXAxisCacheTol && unit == cache.unit &&
                      count == cache.count &&
                      (unit != kXUnitRamanShift || laserWavelength == cache.laserWavelength);
    if (same) return 0;
    for (int i = 0; i < count; ++i)
        displayX[i] = convertWavelength(unit, wave[i], i, laserWavelength);
    cache.wave = {wave[0], wave[1], wave[2]};
    cache.unit = unit;
    cache.count = count;
    cache.laserWavelength = laserWavelength;
    return 1;
}
