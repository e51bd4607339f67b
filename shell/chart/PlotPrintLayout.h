#pragma once
// The bands of a printed page, in the logical page's units (W x H).

#include "shell/chart/PlotGeometry.h"

struct SPlotPrintLayout {
    SPlotRect titleBand;  ///< the document title is centred in here
    SPlotRect notesBand;  ///< empty without notes
    SPlotRect chart;      ///< the chart is drawn into this rectangle
};

SPlotPrintLayout printPageLayout(int width, int height, bool hasNotes);
