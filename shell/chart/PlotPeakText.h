#pragma once
// Texts of the peak display: the block listing the peaks and the label of each marker.

#include <QString>
#include <QStringList>
#include <vector>

#include "shell/chart/PeakRecord.h"

inline constexpr int kPeakTextOffsetRight = 230;  ///< block starts this far left of plot right
inline constexpr int kPeakTextOffsetTop = 50;     ///< and this far below plot top

/// True when the block is shown: a table whose first entry is used, with FWHM or CWL on.
bool peakTextShown(const std::vector<PeakRecord>& table, int showFwhm, int showCwl);

/// The block as CR LF separated lines; empty when it is not shown.
QString peakTextBlock(const std::vector<PeakRecord>& table, int showFwhm, int showCwl);

/// The lines of a block, for drawing line by line.
QStringList peakTextLines(const QString& block);

/// The label drawn at a marker: its 1-based number with FWHM or CWL on, else its X ("%.2f")
/// with PEAK on; empty when nothing is drawn.
QString peakMarkerLabel(const PeakRecord& peak, int number, int showPeak, int showFwhm,
                        int showCwl);
