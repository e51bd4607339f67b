#pragma once
// The X-axis units a measurement view can show, and the conversion of its wavelengths into the
// displayed abscissa. Pure code on plain arrays: the views own the arrays and the cache and
// call ConvertXAxis on the UI thread at every redraw. Stored data always stay in nanometres.

#include <array>

/// The unit of a view's X axis (the view member `xUnit`).
enum XUnit : int {
    kXUnitNm = 0,          ///< wavelength, nm
    kXUnitUm = 1,          ///< wavelength, µm
    kXUnitPixel = 2,       ///< pixel number, 1-based
    kXUnitRamanShift = 3,  ///< Raman shift, cm-1
    kXUnitWavenumber = 4,  ///< wavenumber, cm-1
    kXUnitGhz = 5,         ///< frequency, GHz
};
inline constexpr int kXUnitCount = 6;
inline constexpr int kXUnitNone = 6;             ///< cache state before the first conversion
inline constexpr int kXAxisMinPoints = 10;       ///< shorter arrays are never converted
inline constexpr double kXAxisCacheTol = 0.001;  ///< nm; wavelengths this close count as equal

/// What the last conversion was made from. A fresh cache matches nothing.
struct XAxisCache {
    std::array<double, 3> wave{};  ///< first three wavelengths, nm
    int unit = kXUnitNone;         ///< unit of the last conversion
    int count = 0;                 ///< points converted
    double laserWavelength = 0.0;  ///< nm, the excitation the Raman shift was taken from
};

/// String id of the axis and column title of unit ("λ ( nm )" ... "Frequency ( GHz )");
/// units outside 0..5 give the nm title.
int xUnitTitleId(int unit);

/// One abscissa: wavelength lambda (nm) of array index i in unit. Wavenumber, frequency and
/// Raman shift give 0 for lambda < 1 nm. A Raman shift while no excitation wavelength is set
/// (laserWavelength < 1 nm) is taken from 0 cm-1, that is -10^7 / lambda, so the axis stays
/// finite and ordered instead of becoming infinite.
double convertWavelength(int unit, double lambda, int i, double laserWavelength);

/// Fills displayX[0..count) from wave in unit unless count < 10 or the cache shows that the
/// same conversion was made last time. Returns 1 when displayX was rewritten, 0 when left alone.
int ConvertXAxis(const double* wave, int count, int unit, double laserWavelength, double* displayX,
                 XAxisCache& cache);
