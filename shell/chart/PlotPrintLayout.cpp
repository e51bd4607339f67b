#include "shell/chart/PlotPrintLayout.h"

namespace {
constexpr int kChartGapAboveNotes = 10;
}

SPlotPrintLayout printPageLayout(int width, int height, bool hasNotes) {
    SPlotPrintLayout page;
    page.titleBand = {0, height / 40, width, height / 15};
    int chartBottom = height - kChartGapAboveNotes;
    if (hasNotes) {
        page.notesBand = {width * 5 / 100, height - height / 10, width, height};
        chartBottom = page.notesBand.top - kChartGapAboveNotes;
    }
    page.chart = {0, height / 15, width, chartBottom};
    return page;
}
