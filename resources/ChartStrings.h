#pragma once
// String ids of the chart subsystem (block 2000-, see StringIds.h).
//
// The peak text block's headings keep the documented ids 26-29: the chart is the only place
// that draws that block.

namespace ChartStr {
constexpr int kFwhm = 26;  ///< column heading "FWHM"
constexpr int kCwl = 27;   ///< column heading "   CWL" (its leading blanks align the column)
constexpr int kPeak = 28;  ///< column heading "Peak"
constexpr int kUnit = 29;  ///< "Unit" of the block's first line
}  // namespace ChartStr
