// The chart's rules as plain arithmetic: ticks, legend layout and hit tests, zoom steps, the
// printed page, the visible points of a series and the peak texts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ChartTestSupport.h"
#include "resources/StringTable.h"
#include "shell/chart/PlotLegendLayout.h"
#include "shell/chart/PlotPeakText.h"
#include "shell/chart/PlotPrintLayout.h"
#include "shell/chart/PlotSeriesRange.h"
#include "shell/chart/PlotTicks.h"
#include "shell/chart/PlotZoom.h"

namespace {

// Ticks --------------------------------------------------------------------------------------

struct TickCase {
    double min, max;
    int length;
    double increment;
    int decimals;
};

TEST(ChartTicks, IncrementAndDecimals) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const TickCase cases[] = {
        {0, 1000, 500, 100, 0},   // c = 100
        {0, 0.3, 500, 0.05, 2},   // c = 0.03, d = 0.01
        {0, 0.2, 500, 0.02, 2},   // c = 0.02 lands on 2d despite binary rounding
        {0, 7, 500, 1, 0},        // c = 0.7 > 5d: 10d, one decimal less
        {1000, 0, 500, 100, 0},   // reversed range
        {200, 1100, 900, 50, 0},  // c = 50
        {0, 1, 30, 1, 0},         // shorter than one tick spacing: one division, no division by 0
        {5, 5, 500, 0, 0},        // empty range
        {0, nan, 500, 0, 0},
    };
    for (const TickCase& c : cases) {
        const SPlotTickStep s = computeTickStep(c.min, c.max, c.length);
        EXPECT_NEAR(s.increment, c.increment, 1e-12)
            << c.min << ".." << c.max << " on " << c.length;
        EXPECT_EQ(s.decimals, c.decimals) << c.min << ".." << c.max << " on " << c.length;
    }
}

TEST(ChartTicks, FirstTickIsSmallestMultipleAtOrAboveMin) {
    const struct {
        double min, increment, first;
    } cases[] = {
        {0, 100, 0},       {150, 100, 200},   {200, 100, 200},
        {-150, 100, -100}, {-0.3, 0.1, -0.3},  // -0.3 / 0.1 is -2.9999...; -0.3 is still a tick
        {0.07, 0.05, 0.1}, {5, 0, 5},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(firstTick(c.min, c.increment), c.first, 1e-12)
            << c.min << " by " << c.increment;
    }
}

TEST(ChartTicks, TicksAndLabelsOfBothExamples) {
    SPlotTickStep s = computeTickStep(0, 1000, 500);
    std::vector<double> ticks = tickValues(firstTick(0, s.increment), 1000, s.increment);
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_EQ(tickLabel(ticks[1], s.decimals), "100");
    EXPECT_EQ(tickLabel(ticks.back(), s.decimals), "1000");

    s = computeTickStep(0, 0.3, 500);
    ticks = tickValues(firstTick(0, s.increment), 0.3, s.increment);
    ASSERT_EQ(ticks.size(), 7u);  // 0, 0.05 ... 0.30
    EXPECT_EQ(tickLabel(ticks[1], s.decimals), "0.05");
    EXPECT_EQ(tickLabel(ticks.back(), s.decimals), "0.30");
}

TEST(ChartTicks, LabelsNeverShowMinusZeroAndTickCountIsBounded) {
    EXPECT_EQ(tickLabel(-0.0001, 2), "0.00");
    EXPECT_EQ(tickLabel(-0.0, 0), "0");
    // A range far wider than its increment cannot hang the drawing.
    EXPECT_EQ(tickValues(0, 1, 1e-9).size(), static_cast<size_t>(kMaxTicksPerAxis));
    EXPECT_EQ(tickValues(3, 3, 0).size(), 1u);
}

// Legend text --------------------------------------------------------------------------------

TEST(ChartLegend, EntryTextIsBareShortenedName) {
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"D:\\data\\absorbance_sample_2017.txt", "absor ... _2017"},
        {"/home/lab/run 3.data", "run 3"},
        {"Spectrum View", "Spectrum View"},
        {"a.b.c", "a.b"},
        {"D:\\data.v2\\sample", "sample"},  // a dot in a folder name is not an extension
        {"fourteen_chars", "fourteen_chars"},
        {"fifteen_chars_x", "fifte ... ars_x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(legendText(QString::fromUtf8(c.name)), QString::fromUtf8(c.text)) << c.name;
    }
    // Characters, not UTF-16 units, are counted and kept.
    EXPECT_EQ(legendText(QString::fromUtf8("光谱甲乙丙丁戊己庚辛壬癸子丑寅")),
              QString::fromUtf8("光谱甲乙丙 ... 壬癸子丑寅"));
    const QString emoji = QString::fromUtf8("😀😀😀😀😀 middle 😁😁😁😁😁");
    EXPECT_EQ(legendText(emoji), QString::fromUtf8("😀😀😀😀😀 ... 😁😁😁😁😁"));
}

// Legend layout ------------------------------------------------------------------------------

const SPlotSize kText{90, 15};  // "Spectrum View" as measured
const SPlotRect kChart{3, 40, 797, 597};

std::vector<SPlotLegendItem> threeNamedSeries() {
    return {{true, "D:\\data\\first.txt"},
            {true, "D:\\data\\second_series_2017.txt"},
            {true, "D:\\data\\third.txt"}};
}

TEST(ChartLegend, SizePositionAndPlotEdge) {
    const SPlotLegendLayout l = layoutLegend(true, threeNamedSeries(), kChart, kText);
    // Height: 3 x (max(15, 16) + 2) + 6; width: 16 + 90 + 12.
    EXPECT_EQ(l.box.height(), 60);
    EXPECT_EQ(l.box.width(), 118);
    EXPECT_EQ(l.box.left, kChart.right - 118 - 6);
    EXPECT_EQ(l.box.top, kChart.height() / 2 - (60 + 2) / 2);
    EXPECT_EQ(l.plotRight, l.box.left + 2);
    ASSERT_EQ(l.entries.size(), 3u);
    EXPECT_EQ(l.entries[0].symbol,
              (SPlotRect{l.box.left + 2, l.box.top + 5 + 0, l.box.left + 18, l.box.top + 5 + 16}));
    EXPECT_EQ(l.entries[0].textLeft, l.box.left + 22);
    EXPECT_EQ(l.entries[0].textTop, l.box.top + 5);  // 15 px text centred on a 16 px box
    EXPECT_EQ(l.entries[1].recordTop, l.box.top + 5 + 18);
    EXPECT_EQ(l.entries[1].text, "secon ... _2017");
}

TEST(ChartLegend, TallTextCentresTheSymbolBox) {
    const SPlotLegendLayout l = layoutLegend(true, threeNamedSeries(), kChart, {90, 24});
    EXPECT_EQ(l.entries[0].symbol.top, l.box.top + 5 + 4);
    EXPECT_EQ(l.entries[0].textTop, l.box.top + 5);
    EXPECT_EQ(l.entries[1].recordTop, l.box.top + 5 + 26);
    EXPECT_EQ(l.box.height(), 3 * 26 + 6);
}

TEST(ChartLegend, HiddenOrUnnamedSeriesTakeNoRoom) {
    std::vector<SPlotLegendItem> items = threeNamedSeries();
    items.insert(items.begin() + 1, {false, "hidden"});
    items.push_back({true, ""});
    const SPlotLegendLayout with = layoutLegend(true, items, kChart, kText);
    const SPlotLegendLayout plain = layoutLegend(true, threeNamedSeries(), kChart, kText);
    EXPECT_EQ(with.box, plain.box);
    ASSERT_EQ(with.entries.size(), 3u);
    EXPECT_EQ(with.entries[1].item, 2);  // the hidden one is skipped, ids keep their order

    for (const SPlotLegendLayout& empty :
         {layoutLegend(false, threeNamedSeries(), kChart, kText),
          layoutLegend(true, {{false, "a"}, {true, ""}}, kChart, kText)}) {
        EXPECT_TRUE(empty.box.isEmpty());
        EXPECT_EQ(empty.plotRight, kChart.right);
        EXPECT_EQ(empty.record.count, 0);
    }
}

TEST(ChartLegend, EntryAtWithThreeEntries) {
    const SPlotLegendLayout l = layoutLegend(true, threeNamedSeries(), kChart, kText);
    const SPlotRect& box = l.box;
    const int textX = l.entries[1].textLeft + 10;

    SPlotLegendHit hit = legendEntryAt(box, l.record, textX, l.entries[1].textTop + 7);
    EXPECT_EQ(hit.index, 1);
    EXPECT_EQ(hit.name, "D:\\data\\second_series_2017.txt");

    hit = legendEntryAt(box, l.record, textX, box.top + 1);  // the box's top margin
    EXPECT_EQ(hit.index, 2);
    EXPECT_EQ(hit.name, "D:\\data\\third.txt");
    EXPECT_EQ(legendEntryAt(box, l.record, textX, l.entries[2].textTop + 7).index, 2);
    EXPECT_EQ(legendEntryAt(box, l.record, textX, box.bottom - 1).index, 2);
    EXPECT_EQ(legendEntryAt(box, l.record, textX, l.entries[0].recordTop).index, 0);

    EXPECT_EQ(legendEntryAt(box, l.record, box.left - 1, l.entries[1].textTop).index, -1);
    EXPECT_EQ(legendEntryAt(box, l.record, textX, box.bottom).index, -1);
    EXPECT_EQ(legendEntryAt({}, l.record, textX, l.entries[1].textTop).index, -1);
}

TEST(ChartLegend, SingleEntryReportsItsName) {
    const SPlotLegendLayout l = layoutLegend(true, {{true, "Spectrum View"}}, kChart, kText);
    const SPlotLegendHit hit = legendEntryAt(l.box, l.record, l.box.left + 30, l.box.top + 10);
    EXPECT_EQ(hit.index, 0);
    EXPECT_EQ(hit.name, "Spectrum View");
}

TEST(ChartLegend, RecordHoldsTwentyEntriesAndNothingPast) {
    std::vector<SPlotLegendItem> items;
    for (int i = 0; i < 25; ++i)
        items.push_back({true, QStringLiteral("series %1").arg(i)});
    const SPlotLegendLayout l = layoutLegend(true, items, {0, 0, 800, 2000}, kText);
    ASSERT_EQ(l.entries.size(), 25u);
    EXPECT_EQ(l.record.count, SPlotLegendHitRecord::kCapacity);
    EXPECT_EQ(l.record.name[19], "series 19");
    EXPECT_EQ(l.record.unrecordedTop, l.entries[20].recordTop);

    const int x = l.entries[0].textLeft;
    EXPECT_EQ(legendEntryAt(l.box, l.record, x, l.entries[19].recordTop + 3).index, 19);
    // Past the record there is no name to give; a wrong one would be worse than none.
    EXPECT_EQ(legendEntryAt(l.box, l.record, x, l.entries[22].recordTop + 3).index, -1);
}

// Zoom ---------------------------------------------------------------------------------------

TEST(ChartZoom, ClickZoomsOnZeroToHundred) {
    EXPECT_EQ(clickZoomRange({0, 100}, 50, kMouseModeZoomIn), (SPlotRange{15, 85}));
    EXPECT_EQ(clickZoomRange({0, 100}, 50, kMouseModeZoomOut), (SPlotRange{-15, 115}));
    const SPlotRange offCentre = clickZoomRange({0, 100}, 20, kMouseModeZoomIn);
    EXPECT_DOUBLE_EQ(offCentre.min, 6);
    EXPECT_DOUBLE_EQ(offCentre.max, 76);
    EXPECT_EQ(clickZoomRange({0, 100}, 50, kMouseModeRectZoom), (SPlotRange{0, 100}));
}

TEST(ChartZoom, RectangleReleaseDecision) {
    const struct {
        int dx, dy;
        ERectZoom action;
    } cases[] = {
        {20, 20, ERectZoom::None},         {40, 20, ERectZoom::Zoom},
        {-20, 5, ERectZoom::RestoreHome},  {5, -20, ERectZoom::RestoreHome},
        {40, -20, ERectZoom::RestoreHome}, {40, 0, ERectZoom::None},  // no height
        {40, -5, ERectZoom::Zoom},         {32, 5, ERectZoom::None},
        {33, 5, ERectZoom::Zoom},          {-10, 0, ERectZoom::None},
        {-11, 0, ERectZoom::RestoreHome},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rectZoomAction(c.dx, c.dy), c.action) << c.dx << ", " << c.dy;
    }
}

TEST(ChartZoom, LeftStripStretchesTheMaximum) {
    EXPECT_DOUBLE_EQ(stretchMaximum({0, 100}, 1).max, 102);
    EXPECT_DOUBLE_EQ(stretchMaximum({0, 100}, -4).max, 98);
    EXPECT_EQ(stretchMaximum({0, 100}, 0), (SPlotRange{0, 100}));
    EXPECT_DOUBLE_EQ(stretchMaximum({50, 50.5}, -1).max, 50.5);  // 49.49 < 50: min x 1.01
    // Below zero, min x 1.01 would fall under the minimum and flip the axis.
    const SPlotRange negative = stretchMaximum({-10, -9.9}, 1);
    EXPECT_DOUBLE_EQ(negative.min, -10);
    EXPECT_GT(negative.max, negative.min);
}

TEST(ChartZoom, BottomStripStepsWithAndWithoutCursor) {
    EXPECT_EQ(bottomStripStep({0, 100}, -1, 50.0), (SPlotRange{-10, 110}));
    EXPECT_EQ(bottomStripStep({0, 100}, 1, 50.0), (SPlotRange{10, 90}));
    EXPECT_EQ(bottomStripStep({0, 100}, 1, 20.0), (SPlotRange{4, 84}));
    EXPECT_EQ(bottomStripStep({0, 100}, 1, std::nullopt), (SPlotRange{20, 80}));
    EXPECT_EQ(bottomStripStep({0, 100}, -1, 0.0), (SPlotRange{-20, 120}));  // not strictly inside
    EXPECT_EQ(bottomStripStep({0, 100}, 1, 150.0), (SPlotRange{20, 80}));
}

TEST(ChartZoom, SmallestRangeAndNonFiniteRangesAreNotShown) {
    EXPECT_TRUE(isShowableRange({0, 0.001}, kDefaultSmallestRange));
    EXPECT_FALSE(isShowableRange({0, 0.0009}, kDefaultSmallestRange));
    EXPECT_FALSE(isShowableRange({5, 1}, kDefaultSmallestRange));
    EXPECT_FALSE(isShowableRange({0, std::numeric_limits<double>::infinity()}, 0.001));
}

// Printed page -------------------------------------------------------------------------------

TEST(ChartPrintLayout, NotesBandOnlyWithNotes) {
    const SPlotPrintLayout plain = printPageLayout(800, 1000, false);
    EXPECT_EQ(plain.titleBand, (SPlotRect{0, 25, 800, 66}));
    EXPECT_TRUE(plain.notesBand.isEmpty());
    EXPECT_EQ(plain.chart, (SPlotRect{0, 66, 800, 990}));  // full height below the title

    const SPlotPrintLayout notes = printPageLayout(800, 1000, true);
    EXPECT_EQ(notes.notesBand, (SPlotRect{40, 900, 800, 1000}));
    EXPECT_EQ(notes.chart, (SPlotRect{0, 66, 800, 890}));
}

// Visible points -----------------------------------------------------------------------------

TEST(ChartSeriesRange, BisectionKeepsOneNeighbourEachSide) {
    std::vector<SPlotXYPoint> up(100);
    for (int i = 0; i < 100; ++i)
        up[i] = {double(i), 0};
    std::vector<SPlotXYPoint> down(up.rbegin(), up.rend());  // wavenumbers fall as nm rise

    ASSERT_EQ(xOrderOf(up.data(), up.size()), EPlotXOrder::Ascending);
    ASSERT_EQ(xOrderOf(down.data(), down.size()), EPlotXOrder::Descending);
    SPlotIndexRange r = visiblePointRange(up.data(), up.size(), EPlotXOrder::Ascending, 10.5, 20);
    EXPECT_EQ(r.first, 10u);  // 10 is the neighbour left of 11
    EXPECT_EQ(r.end, 22u);    // 20 inside, 21 the neighbour
    r = visiblePointRange(down.data(), down.size(), EPlotXOrder::Descending, 10.5, 20);
    EXPECT_EQ(r.first, 78u);  // x = 21
    EXPECT_EQ(r.end, 90u);    // up to x = 10
    r = visiblePointRange(up.data(), up.size(), EPlotXOrder::Ascending, 0, 1000);
    EXPECT_EQ(r.first, 0u);
    EXPECT_EQ(r.end, 100u);
    r = visiblePointRange(up.data(), up.size(), EPlotXOrder::Ascending, 500, 600);
    EXPECT_EQ(r.end - r.first, 1u);  // only the last point, as the line's way in

    std::vector<SPlotXYPoint> zigzag = {{0, 0}, {5, 0}, {2, 0}};
    EXPECT_EQ(xOrderOf(zigzag.data(), 3), EPlotXOrder::Unordered);
    zigzag[1].x = std::nan("");
    EXPECT_EQ(xOrderOf(zigzag.data(), 3), EPlotXOrder::Unordered);
    r = visiblePointRange(zigzag.data(), 3, EPlotXOrder::Unordered, 1, 2);
    EXPECT_EQ(r.end - r.first, 3u);
}

// Peak texts ---------------------------------------------------------------------------------

std::vector<PeakRecord> twoPeaksAndAnEmptyEntry() {
    PeakRecord a;
    a.index = 120;
    a.peakX = 546.07;
    a.fwhm = 1.25;
    a.cwl = 546.1;
    PeakRecord b = a;
    b.index = 300;
    b.peakX = 811.53;
    b.fwhm = 2.5;
    b.cwl = 811.5;
    return {a, b, PeakRecord{}};
}

TEST(ChartPeakText, BlockLinesForEachSwitchSet) {
    setUiLanguage(kLangEnglish);
    const auto table = twoPeaksAndAnEmptyEntry();
    const QString header = QStringLiteral("                                   Unit: nm\r\n\r\n");

    EXPECT_EQ(peakTextBlock(table, 1, 0),
              header +
                  "ID   Peak          FWHM\r\n==========================\r\n"
                  "1     546.07          1.25\r\n2     811.53          2.50\r\n");
    EXPECT_EQ(peakTextBlock(table, 0, 1),
              header +
                  "ID   Peak             CWL\r\n==========================\r\n"
                  "1     546.07        546.10\r\n2     811.53        811.50\r\n");
    EXPECT_EQ(peakTextBlock(table, 1, 1),
              header +
                  "ID   Peak          FWHM        CWL\r\n============================\r\n"
                  "1     546.07          1.25        546.10\r\n"
                  "2     811.53          2.50        811.50\r\n");
    EXPECT_EQ(peakTextLines(peakTextBlock(table, 1, 0)).size(), 6);
}

TEST(ChartPeakText, NoBlockWithoutUsedFirstEntryOrSwitches) {
    auto table = twoPeaksAndAnEmptyEntry();
    EXPECT_TRUE(peakTextBlock(table, 0, 0).isEmpty());  // PEAK alone shows no block
    EXPECT_TRUE(peakTextBlock({}, 1, 1).isEmpty());
    table[0].index = 0;
    EXPECT_TRUE(peakTextBlock(table, 1, 1).isEmpty());
}

TEST(ChartPeakText, MarkerLabels) {
    const auto table = twoPeaksAndAnEmptyEntry();
    EXPECT_EQ(peakMarkerLabel(table[1], 2, 1, 1, 0), "2");
    EXPECT_EQ(peakMarkerLabel(table[1], 2, 0, 0, 1), "2");
    EXPECT_EQ(peakMarkerLabel(table[1], 2, 1, 0, 0), "811.53");
    EXPECT_EQ(peakMarkerLabel(table[1], 2, 0, 0, 0), "");
    EXPECT_EQ(peakMarkerLabel(table[2], 3, 1, 1, 1), "");
}

}  // namespace
