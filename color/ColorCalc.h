#pragma once
// Colorimetry of one spectrum on the fixed CIE tables: tristimulus values, chromaticity in four
// systems, CIE L*a*b*, Hunter Lab, yellowness, red ratio, dominant wavelength and purity,
// correlated colour temperature and the colour rendering indices.
//
// A CColorCalc is owned by its colour view and used on the UI thread only: it keeps the prepared
// white point and the colour-rendering working data between calls, so one object must not be
// shared by threads. The spectrum is integrated as it comes; the illuminant only sets the white
// point.

#include <array>
#include <functional>
#include <utility>

#include "color/ColorTables.h"

/// X, Y, Z come out on an absolute scale: 100 * sum(S * ybar * 5) / this, not Y = 100.
inline constexpr double kColorAbsoluteScale = 10587.65;
/// Above this CCT no reference illuminant exists and the rendering indices are not available.
inline constexpr double kMaxReferenceTemperature = 23000.0;

/// All colour results of one spectrum. A value: the caller copies it.
/// When valid is 0 (empty, all-zero or otherwise colourless spectrum) every number is 0.
struct ColorResult {
    int valid = 0;                                    ///< 1 once computed
    double x = 0.0, y = 0.0, z = 0.0;                 ///< CIE 1931 chromaticity
    double X = 0.0, Y = 0.0, Z = 0.0;                 ///< tristimulus values on the absolute scale
    double u = 0.0, v = 0.0;                          ///< CIE 1960 UCS
    double uPrime = 0.0, vPrime = 0.0, wPrime = 0.0;  ///< CIE 1976 u', v' and w' = 1 - u' - v'
    double dominantWavelength = 0.0;                  ///< nm; 0 when none was found
    double purity = 0.0;  ///< excitation purity "Pe"; negative for a complementary one
    double cct = 0.0;     ///< correlated colour temperature, K
    double ra = 0.0;      ///< general colour rendering index; see criValid
    std::array<double, kCieTestSampleCount> r{};  ///< R1..R14; see criValid
    double hunterL = 0.0, hunterA = 0.0, hunterB = 0.0;
    double labL = 0.0, labA = 0.0, labB = 0.0;
    double yi = 0.0;        ///< yellowness index
    double redRatio = 0.0;  ///< share (0..1) of the ybar-weighted signal at 600 nm and above
    int complementary = 0;  ///< 1 when dominantWavelength holds a complementary wavelength
    int criValid = 0;  ///< 1 when ra and r hold indices; 0 when not available (ra, r are then 0)
};

/// Messages the computation reports to the user; the owner turns them into texts.
enum class ColorMessage {
    TristimulusError,  ///< no sample to integrate (empty spectrum)
};
using ColorMessageSink = std::function<void(ColorMessage)>;

/// What the last computeCri worked with, kept for inspection (all overwritten by each call).
struct CriWorkingData {
    std::array<double, kCieGridCount> reference{};            ///< reference illuminant on the grid
    std::array<double, kCieGridCount> test{};                 ///< test source on the grid
    double kr = 0.0, ur = 0.0, vr = 0.0, cr = 0.0, dr = 0.0;  ///< reference source
    double kt = 0.0, ut = 0.0, vt = 0.0, ct = 0.0, dt = 0.0;  ///< test source
    std::array<double, kCieTestSampleCount> yRef{}, uRef{}, vRef{};     ///< samples, reference
    std::array<double, kCieTestSampleCount> yTest{}, uTest{}, vTest{};  ///< samples, test
    std::array<double, kCieTestSampleCount> cTest{}, dTest{};
    std::array<double, kCieTestSampleCount> uAdapted{}, vAdapted{};
    std::array<double, kCieTestSampleCount> wStarRef{}, uStarRef{}, vStarRef{};
    std::array<double, kCieTestSampleCount> wStarTest{}, uStarTest{}, vStarTest{};
    std::array<double, kCieTestSampleCount> deltaE{}, r{};
    double ra = 0.0;
};

class CColorCalc {
  public:
    /// Starts with the 2 degree observer and illuminant A prepared.
    CColorCalc();

    /// 2 selects the 2 degree tables, any other value the 10 degree ones. Call
    /// prepareWhitePoint afterwards: the white point depends on the observer.
    void setObserver(int observer) { observer_ = observer; }
    int observer() const { return observer_; }

    /// Takes Xn, Yn, Zn of illuminant 0..5 (A, C, D50, D55, D65, D75) for the current observer
    /// and prepares the dominant-wavelength search. 0, with nothing changed, for another index.
    int prepareWhitePoint(int illuminant);

    /// All results of one spectrum (wavelengths in nm, either order).
    ColorResult computeColor(const double* values, const double* wavelengths, int count);

    /// Integrates values on the grid with the nearest sample of each grid wavelength. A negative
    /// k asks for k = 100 / Y; X, Y and Z are multiplied by k and k is returned. When Y gives no
    /// such k (0 or not finite), 0 is returned and X, Y, Z are 0. An empty spectrum reports
    /// ColorMessage::TristimulusError.
    double computeTristimulus(int count, const double* wavelengths, const double* values, double k,
                              double* X, double* Y, double* Z);

    /// Index of the sample nearest lambda (bisection; ascending or descending arrays); -1 when
    /// count is 0.
    static int nearestSampleIndex(double lambda, const double* wavelengths, int count);

    /// Dominant (or complementary) wavelength and excitation purity of (x, y) against the
    /// prepared white point. False, with wavelength and purity 0, when none is found.
    bool dominantWavelength(double x, double y, double* wavelength, double* purity,
                            int* complementary) const;

    /// CCT in K of a CIE 1960 (u, v) chromaticity from the temperature-locus table; 0 for a
    /// chromaticity that is not finite.
    static double correlatedColorTemperature(double u, double v);

    /// The blackbody term of the reference illuminant; lambda in nm, T in K.
    static double planckRadiance(double lambda, double temperature);

    /// Forms the reference spectrum for T: Planckian below 5000 K, CIE daylight up to 23000 K.
    /// False, with the previous reference kept, above 23000 K or for a T that is not positive.
    bool referenceIlluminant(double temperature);

    /// R1..R14 (14 values into r) and Ra of the spectrum against the reference for T, with the
    /// current observer. False, with r and ra set to 0, when they are not available: no
    /// reference for T, an empty or colourless spectrum, or a degenerate chromaticity.
    bool computeCri(const double* values, const double* wavelengths, int count, double temperature,
                    double* r, double* ra);

    int illuminant() const { return illuminant_; }
    const std::array<double, 3>& whitePoint() const { return whitePoint_; }
    double whiteX() const { return xw_; }  ///< chromaticity x of the white point
    double whiteY() const { return yw_; }
    const std::array<double, kCieLocusCount>& slopes() const { return slopes_; }
    int k0() const { return k0_; }
    int kA() const { return kA_; }
    int kB() const { return kB_; }
    const CriWorkingData& criWorkingData() const { return cri_; }

    /// Where the error message goes; without a sink it is dropped (the result still says invalid).
    void setMessageSink(ColorMessageSink sink) { messageSink_ = std::move(sink); }

  private:
    const std::array<std::array<double, 3>, kCieGridCount>& observerTable() const;
    // Tristimulus of a spectrum given on the grid, optionally times test colour sample
    // `sample` (-1 for none); same scaling rule as computeTristimulus.
    double gridTristimulus(const std::array<double, kCieGridCount>& spectrum, int sample, double k,
                           double xyz[3]) const;
    void report(ColorMessage message) const;
    using SampleValues = std::array<double, kCieTestSampleCount>;
    // k, u, v of a source on the grid (k makes its Y 100) and Y, u, v of the 14 samples under
    // it; false when the source has no light or v is degenerate.
    bool sourceColour(const std::array<double, kCieGridCount>& spectrum, double& k, double& u,
                      double& v, SampleValues& sampleY, SampleValues& sampleU,
                      SampleValues& sampleV) const;

    int observer_ = 2;
    int illuminant_ = 0;
    std::array<double, 3> whitePoint_{};
    double xw_ = 0.0;
    double yw_ = 0.0;
    std::array<double, kCieLocusCount> slopes_{};
    int k0_ = 0;
    int kA_ = 0;
    int kB_ = 0;
    CriWorkingData cri_;
    ColorMessageSink messageSink_;
};
