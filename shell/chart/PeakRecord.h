#pragma once
// One peak as the views' peak search hands it to the chart, which marks it on the curve and
// lists it in a text block.

#include <cstdint>

struct PeakRecord {
    std::int32_t index = 0;   ///< point index of the peak in the main series; 0 = empty entry
    double halfLevel = 0.0;   ///< baseline + (peak value - baseline) x 0.5, in Y units
    double peakX = 0.0;       ///< X of the peak point
    double cwl = 0.0;         ///< centre wavelength (left + right) x 0.5
    double fwhm = 0.0;        ///< right - left; 0 when invalid, -1 when FWHM display is off
    double left = 0.0;        ///< X where the signal crosses halfLevel left of the peak
    double right = 0.0;       ///< X where it crosses halfLevel right of the peak
    double valueLeft = 0.0;   ///< Y of the curve at left
    double valueRight = 0.0;  ///< Y of the curve at right
};
