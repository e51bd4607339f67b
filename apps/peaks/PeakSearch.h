#pragma once
// Peak analysis of a view's visible curve: up to ten peaks found above a falling series of
// thresholds and filtered by prominence and height, or the one highest peak with its centre
// wavelength; half widths by linear interpolation between samples. Pure functions on arrays.

#include <vector>

#include "shell/chart/PeakRecord.h"

inline constexpr int kMaxPeaks = 10;

/// Minimum prominence and minimum height above the baseline (the views' peakParams).
struct PeakParams {
    double minProminence = 50.0;
    double minHeight = 1.0;
};

/// The three check boxes "PEAK", "FWHM" and "CWL (Center Wavelength)".
struct PeakSwitches {
    int showPeak = 0;
    int showFwhm = 0;
    int showCwl = 0;
};

/// Index of the first minimum of y[a..b] (b included); a when b < a.
int firstMinIndex(const double* y, int a, int b);
/// Index of the first maximum of y[a..b-1]; a when b - 1 < a.
int firstMaxIndex(const double* y, int a, int b);
/// min(y[lo..hi]), 0 when that is negative.
double peakBaseline(const double* y, int lo, int hi);

/// Multi-peak mode over [lo, hi] (0 <= lo < hi, indices into x and y).
void findPeaksMulti(const double* x, const double* y, int lo, int hi, double baseline,
                    const PeakParams& params, std::vector<PeakRecord>& results);
/// Single-peak mode: the highest sample of [lo, hi - 1] with its half-level crossings and CWL.
void findPeakSingle(const double* x, const double* y, int lo, int hi, double baseline,
                    const PeakParams& params, std::vector<PeakRecord>& results);

/// The chart's table from the results: it grows to the result count, surplus entries get
/// index 0; fwhm is -1 with FWHM off, cwl is set with CWL on; the curve values at the two
/// crossings are read from (x, y).
void fillPeakTable(const std::vector<PeakRecord>& results, const PeakSwitches& switches,
                   const double* x, const double* y, int count, std::vector<PeakRecord>& table);

/// The whole analysis of one redraw over the X range [rangeMin, rangeMax] of a curve of count
/// points. With every switch off the table is emptied and nothing is computed.
void FindPeaks(const double* x, const double* y, int count, double rangeMin, double rangeMax,
               const PeakSwitches& switches, const PeakParams& params,
               std::vector<PeakRecord>& results, std::vector<PeakRecord>& table);
