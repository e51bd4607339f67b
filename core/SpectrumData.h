#pragma once
// The one shared measurement record. It lives in the main frame for the whole run. The
// acquisition thread publishes frames with setSpectrum; every other operation runs on the UI
// thread. setSpectrum and every operation that copies `current` take one short lock, so a copy
// always holds one whole frame.

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

inline constexpr int kMaxPixels = 3700;  ///< every spectrum array holds at most this many points
inline constexpr int kFileTypeCount = 13;

/// One named series.
struct SpectrumSeries {
    std::string typeName;       ///< data type name, e.g. "Spectrum data"
    int typeCode = 0;           ///< file type index for loaded series; 0 for the live spectrum
    std::vector<double> wave;   ///< abscissa, nm
    std::vector<double> value;  ///< ordinate
    int count = 0;              ///< number of valid points
    int valid = 0;              ///< 1 once filled
    int displayColour = 0;      ///< 0x00BBGGRR a view gave the overlay curve; 0 until drawn
    int displayOrder = 0;       ///< sort key of overlays in a view's side table

    bool allocated() const { return !wave.empty() && !value.empty(); }
};

/// Filled by the concentration wizard.
struct ConcentrationSettings {
    int beerLambert = 0;           ///< nonzero: single-wavelength Beer-Lambert evaluation
    double beerFactor = 0.0;       ///< concentration per absorbance unit
    double beerWavelength = 0.0;   ///< nm
    int curveMethod = 0;           ///< 0 one wavelength, 1 mean over a band, 2 integrated
    double curveWavelength = 0.0;  ///< nm, method 0
    double bandStart = 0.0;        ///< nm, method 1 (inclusive)
    double bandEnd = 0.0;          ///< nm, method 1 (inclusive)
    double integralStart = 0.0;    ///< nm, method 2
    double integralEnd = 0.0;      ///< nm, method 2
    int integralRule = 0;          ///< rule of integrateSeries for method 2
    int samplingInterval = 0;      ///< ms between two evaluations of the concentration view
    int fitMethod = 0;             ///< 0 quadratic, 1 straight line
    double curveA0 = 0.0;          ///< c = a0 + a1 A + a2 A^2
    double curveA1 = 0.0;
    double curveA2 = 0.0;
    std::string concentrationUnit;
    std::string compoundName;
    std::string curveNote;
};

/// An entry of the records manager.
struct RecordEntry {
    std::string name;           ///< full path of the imported file
    int checked = 1;            ///< shown in the views
    int colour = 0;             ///< 0x00BBGGRR
    int typeCode = 12;          ///< file type index of the record
    std::vector<double> wave;   ///< abscissa as read from the file
    std::vector<double> value;  ///< ordinate
    int count = 0;              ///< points; 0 once deleted in the records manager
};

class CSpectrumData;

/// The data-file writer the record hands lastStored to (installed by the files subsystem).
using SeriesFileWriter =
    std::function<int(CSpectrumData& data, const std::string& path, const std::string& header,
                      const double* x, const double* y, int count)>;

class CSpectrumData {
  public:
    CSpectrumData();
    CSpectrumData(const CSpectrumData&) = delete;
    CSpectrumData& operator=(const CSpectrumData&) = delete;

    // ---- the live spectrum ----
    int setSpectrum(const double* wave, const double* values, int count);
    int getSpectrum(double* wave, double* values, int* count) const;
    int getSpectrumMinusDark(double* wave, double* values, int* count) const;

    // ---- stored spectra ----
    int storeDark();
    int storeReference();
    int computeNetReference();
    int copyToLastStored(int count, const double* wave, const double* values);

    // ---- derived spectra over the net-reference axis ----
    int getAbsorbance(double* values, double* wave, int* count);
    int getTransmissivity(double* values, double* wave, int* count);
    int getReflectivity(double* values, double* wave, int* count);

    // ---- loaded series and results ----
    int addSeries(int typeCode, const std::string& name, const double* wave, const double* values,
                  int count);
    int setAbsoluteIrradiance(const double* wave, const double* values, int count);
    double integrateAbsoluteIrradiance(int rule, double from, double to) const;
    int evaluateConcentration(double* result);
    int saveLastStored(const std::string& fileName, const std::string& header, int fileType);

    /// Installed once by the files subsystem; saveLastStored fails while none is installed.
    static void setSeriesFileWriter(SeriesFileWriter writer);

    /// Reloads the file type names in the current UI language.
    void loadFileTypeNames();

    /// Frames published so far (read from any thread).
    int frameCount() const;

    // ---- fields, in the record's order ----
    std::vector<SpectrumSeries> extraSeries;
    SpectrumSeries current;
    SpectrumSeries dark;
    SpectrumSeries reference;
    SpectrumSeries netReference;
    SpectrumSeries whiteBoard;
    SpectrumSeries standardLamp;
    SpectrumSeries irradianceCal;
    SpectrumSeries lastStored;
    SpectrumSeries absoluteIrradiance;
    std::vector<RecordEntry> records;
    std::array<std::string, kFileTypeCount> fileTypeNames;
    std::array<std::string, kFileTypeCount> fileExtensions;
    std::atomic<int> frameCounter{0};  ///< +1 on every setSpectrum (acquisition thread)
    int hasReference = 0;
    int hasDark = 0;
    int hasNetReference = 0;
    int hasStandardLamp = 0;
    int hasIrradianceCal = 0;
    int hasWhiteBoard = 0;
    int nonlinearEnabled = 0;  ///< user switch "Nonlinear correction"
    int fileLayout = 0;        ///< 0 data lines only, 1 with header; copied before each write
    ConcentrationSettings concentration;
    std::atomic<int> scaleFactor{1};  ///< multiplier of every published frame; set at connect
    int valueDecimals = 2;            ///< decimals of values when a series is written
    int testSeriesShown = 0;
    double laserWavelength = 0.0;  ///< Raman excitation, nm
    double powerRangeStart = 0.0;  ///< nm
    double powerRangeEnd = 0.0;    ///< nm
    int powerRule = 0;
    std::array<double, 6> nonlinearCoeff{};  ///< k0..k5 in the device's order
    int nonlinearCount = 0;                  ///< 6 when the coefficients came from the device
    std::string savedLocale;

  private:
    void applyNonlinear(double* values, int count) const;
    // Copies current's wave and value under the frame lock; returns the count.
    int copyCurrent(double* wave, double* values) const;

    mutable std::mutex frameLock_;  // guards current and frameCounter
    std::vector<double> scratch_;   // UI-thread copy of current.value for derived spectra
};

/// Integral of y over x between from and to: rule 0 rectangle, 1 Simpson, other trapezoid.
double integrateSeries(const double* x, const double* y, int count, int rule, double from,
                       double to);

/// Splits a line at blanks, tabs and commas into numbers (C convention, "." decimals).
int splitNumbers(const std::string& line, std::vector<double>& out);

/// Allocates a fixed slot's arrays (3700 doubles each) if missing; false when memory is short.
bool allocateSlot(SpectrumSeries& series);
