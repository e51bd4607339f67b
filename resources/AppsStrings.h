#pragma once
// String ids of the apps subsystem (block 2100-, see StringIds.h). The view texts that the
// applications' documentation numbers keep those ids.

namespace AppsStr {
constexpr int kSpectrumViewTitle = 3;  ///< "Spectrum View": chart title and main series
constexpr int kIntensity = 4;          ///< value title of the spectrum view
constexpr int kSpectrum = 365;         ///< name of the spectrum application

constexpr int kCoordinateTitle = 2100;  ///< "Coordinate Setting"
constexpr int kXAxisRange = 2101;       ///< "X-Axis Range"
constexpr int kYAxisRange = 2102;       ///< "Y-Axis Range"
constexpr int kMin = 2103;              ///< "Min :"
constexpr int kMax = 2104;              ///< "Max :"
constexpr int kInputXRange = 2105;      ///< "Please input X-Axis range!"
constexpr int kInputYRange = 2106;      ///< "Please input Y-Axis range!"
constexpr int kXMaxBelowMin = 2107;     ///< "Max value of X axis is less than min value!"
constexpr int kYMaxBelowMin = 2108;     ///< "Max value of Y axis is less than min value!"
}  // namespace AppsStr
