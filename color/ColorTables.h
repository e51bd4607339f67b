#pragma once
// The fixed CIE tables of the colour computations: constant data, shared by every thread.
// The numbers are in ColorTables.cpp, which color/tools/gen_color_tables.py writes from the
// CIE CSV tables; change the script and run it again rather than editing the output.

#include <array>

inline constexpr int kCieGridCount = 81;         ///< 380, 385, ..., 780 nm
inline constexpr double kCieGridFirst = 380.0;   ///< nm
inline constexpr double kCieGridStep = 5.0;      ///< nm, also the integration step
inline constexpr int kCieLocusCount = 401;       ///< 380, 381, ..., 780 nm
inline constexpr double kCieLocusFirst = 380.0;  ///< nm
inline constexpr int kCieTemperatureRowCount = 114;
inline constexpr int kCieTestSampleCount = 14;  ///< TCS01..TCS14
inline constexpr int kCieIlluminantCount = 6;   ///< A, C, D50, D55, D65, D75

struct CieLocusRow {
    double wavelength;  ///< nm
    double x;           ///< CIE 1931 chromaticity of the monochromatic stimulus
    double y;
};

struct CieTemperatureRow {
    double temperature;  ///< K
    double u;            ///< CIE 1960 UCS
    double v;
};

/// The integration grid, nm.
extern const std::array<double, kCieGridCount> kCieGridWavelengths;

/// x-bar, y-bar, z-bar on the grid: CIE 1931 2 degree and CIE 1964 10 degree observers.
extern const std::array<std::array<double, 3>, kCieGridCount> kCieObserver2;
extern const std::array<std::array<double, 3>, kCieGridCount> kCieObserver10;

/// Xn, Yn, Zn by [0 = 2 degrees, 1 = 10 degrees][illuminant A, C, D50, D55, D65, D75].
extern const std::array<std::array<std::array<double, 3>, kCieIlluminantCount>, 2> kCieWhitePoints;

/// CIE 1931 (2 degree) chromaticity of the spectrum locus at 1 nm; it serves both observers.
extern const std::array<CieLocusRow, kCieLocusCount> kCieSpectralLocus;

/// (T, u, v) ascending in T: Planckian 1000..4950 K in 50 K steps, then daylight 5000..25000 K.
extern const std::array<CieTemperatureRow, kCieTemperatureRowCount> kCieTemperatureLocus;

/// Daylight basis functions S0, S1, S2 on the grid.
extern const std::array<std::array<double, 3>, kCieGridCount> kCieDaylightComponents;

/// Spectral radiance factors of the 14 test colour samples, one row per grid wavelength.
extern const std::array<std::array<double, kCieTestSampleCount>, kCieGridCount>
    kCieTestColourSamples;
