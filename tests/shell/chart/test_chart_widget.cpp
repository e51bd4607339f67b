// The chart as a widget, drawn offscreen: objects and defaults, redraw suspension, cursors,
// and where the drawing puts the axes, the curve, the legend and the peak display.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <random>

#include "ChartTestSupport.h"
#include "shell/chart/PlotCtrl.h"
#include "shell/chart/PlotRaster.h"

namespace {

class ChartWidget : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureChartTestApp(); }
};

CPlotLineSeries* addLine(CPlotCtrl& chart, const QString& name, QColor color,
                         std::vector<SPlotXYPoint> points) {
    CPlotLineSeries* s = chart.createLineSeries();
    s->setName(name);
    s->setColor(color);
    s->setPoints(std::move(points));
    return s;
}

int countColour(const QImage& img, const SPlotRect& r, QColor c) {
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(img.height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(img.width(), r.right); ++x) {
            if (img.pixelColor(x, y) == c) ++n;
        }
    }
    return n;
}

/// Pixels of the peak display's green, antialiased text edges included.
int countGreen(const QImage& img, const SPlotRect& r) {
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(img.height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(img.width(), r.right); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.green() > c.red() + 60 && c.green() > c.blue() + 60) ++n;
        }
    }
    return n;
}

TEST_F(ChartWidget, ObjectsStartWithTheirDefaults) {
    CPlotCtrl chart;
    EXPECT_EQ(chart.redrawCounter(), 1);
    EXPECT_EQ(chart.mouseMode(), kMouseModeRectZoom);
    EXPECT_TRUE(chart.isZoomEnabled());
    EXPECT_TRUE(chart.isPanEnabled());
    EXPECT_EQ(chart.backgroundColor(), chart.palette().color(QPalette::Button));

    const CPlotLegend& legend = chart.legend();
    EXPECT_FALSE(legend.isVisible());
    EXPECT_TRUE(legend.hasShadow());
    EXPECT_EQ(legend.shadowDepth(), 3);
    EXPECT_EQ(legend.backgroundColor(), QColor(Qt::white));
    EXPECT_EQ(legend.font().family(), "Times New Roman");
    EXPECT_EQ(legend.font().pointSize(), 10);

    CPlotStandardAxis* bottom = chart.createAxis(kAxisBottom);
    EXPECT_EQ(bottom->rangeMin(), 0.0);
    EXPECT_EQ(bottom->rangeMax(), 0.0);
    EXPECT_EQ(bottom->margin(), 7);
    EXPECT_DOUBLE_EQ(bottom->smallestRange(), 0.001);
    EXPECT_EQ(bottom->tickFont().family(), "Microsoft Sans Serif");
    EXPECT_EQ(bottom->tickFont().pointSize(), 10);
    EXPECT_EQ(bottom->grid().color(), QColor(128, 128, 128));
    EXPECT_TRUE(bottom->grid().isVisible());
    EXPECT_TRUE(bottom->isVisible());
    EXPECT_FALSE(bottom->isInverted());
    EXPECT_FALSE(bottom->isAutomatic());

    for (int slot : {kAxisLeft, kAxisBottom, kAxisRight, kAxisTop}) {
        CPlotAxis* a = chart.createAxis(slot);
        EXPECT_EQ(a->isHorizontal(), slot == kAxisBottom || slot == kAxisTop) << slot;
        EXPECT_EQ(a->isSecondary(), slot == kAxisRight || slot == kAxisTop) << slot;
        EXPECT_EQ(chart.axis(slot), a);
    }
    EXPECT_EQ(chart.createAxis(4), nullptr);
    EXPECT_EQ(chart.createAxis(-1), nullptr);

    EXPECT_EQ(chart.create(nullptr, QRect(10, 20, 300, 200)), 1);
    EXPECT_EQ(chart.objectName(), "1000");
    EXPECT_EQ(chart.geometry(), QRect(10, 20, 300, 200));
}

TEST_F(ChartWidget, ReplacedAxisTakesOverItsSeriesAndCursors) {
    CPlotCtrl chart;
    setUpChart(chart, 300, 200, 0, 100, 0, 10);
    CPlotLineSeries* s = addLine(chart, "s", Qt::red, {{0, 1}, {100, 9}});
    CPlotDragLineCursor* c = chart.createDragLineCursor(chart.axis(kAxisBottom), 50);

    CPlotStandardAxis* replacement = chart.createAxis(kAxisBottom);
    replacement->setRange(0, 200);
    EXPECT_EQ(s->horizontalAxis(), replacement);
    EXPECT_EQ(c->axis(), replacement);
    chart.redraw();  // drawing against the deleted axis would be a use after free
    EXPECT_EQ(c->pixelPosition(), replacement->valueToPixel(50));
}

TEST_F(ChartWidget, SeriesNeedTheirAxesAndTakeTheLowestFreeId) {
    CPlotCtrl chart;
    EXPECT_EQ(chart.createLineSeries(), nullptr);
    chart.createAxis(kAxisBottom);
    EXPECT_EQ(chart.createPointsSeries(), nullptr);  // no left axis yet
    chart.createAxis(kAxisLeft);
    EXPECT_EQ(chart.createLineSeries(true, false), nullptr);  // no top axis

    CPlotSeries* a = chart.createLineSeries();
    CPlotSeries* b = chart.createPointsSeries();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->id(), 0u);
    EXPECT_EQ(b->id(), 1u);
    // Overlays come and go on every redraw; ids must not climb past what views look up.
    for (int i = 0; i < 200; ++i) {
        CPlotSeries* s = chart.createLineSeries();
        EXPECT_EQ(s->id(), 2u);
        EXPECT_TRUE(chart.removeSeries(s->id()));
    }
    EXPECT_TRUE(chart.removeSeries(0));
    EXPECT_EQ(chart.createLineSeries()->id(), 0u);
    EXPECT_FALSE(chart.removeSeries(99));
    EXPECT_EQ(chart.allSeries().size(), 2u);
}

TEST_F(ChartWidget, SuspendedRedrawIsDoneOnResume) {
    CPlotCtrl chart;
    setUpChart(chart, 200, 150, 0, 100, 0, 10);
    chart.setBackgroundColor(Qt::white);
    chart.redraw();
    ASSERT_EQ(chart.bufferImage().pixelColor(1, 1).rgb() != QColor(Qt::blue).rgb(), true);

    chart.suspendRedraw();
    chart.suspendRedraw();
    chart.setBackgroundColor(Qt::blue);
    chart.setEdgeType(EPlotEdge::None);
    chart.redraw();
    EXPECT_TRUE(chart.isRedrawPending());
    EXPECT_NE(chart.bufferImage().pixelColor(1, 1), QColor(Qt::blue));
    chart.resumeRedraw();  // still below 1
    EXPECT_NE(chart.bufferImage().pixelColor(1, 1), QColor(Qt::blue));
    chart.resumeRedraw();
    EXPECT_FALSE(chart.isRedrawPending());
    EXPECT_EQ(chart.bufferImage().pixelColor(1, 1), QColor(Qt::blue));

    // An unmatched resume cannot bank a credit against a later suspend.
    chart.resumeRedraw();
    EXPECT_EQ(chart.redrawCounter(), 1);
    chart.suspendRedraw();
    chart.redraw();
    EXPECT_TRUE(chart.isRedrawPending());
    chart.resumeRedraw();
}

TEST_F(ChartWidget, CursorValueOutsideTheRangeIsRefused) {
    CPlotCtrl chart;
    setUpChart(chart, 400, 300, 200, 1100, 0, 10);
    CPlotAxis* bottom = chart.axis(kAxisBottom);
    CPlotDragLineCursor* c = chart.createDragLineCursor(bottom, 100.0);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->color(), QColor(0, 100, 100));
    EXPECT_FALSE(c->isVisible());  // 100 lies left of 200..1100

    c->setCursorValue(5000);
    EXPECT_EQ(c->value(), 100.0);
    EXPECT_FALSE(c->isVisible());

    c->setCursorValue(500);
    EXPECT_EQ(c->value(), 500.0);
    EXPECT_TRUE(c->isVisible());
    c->setCursorValue(5000);
    EXPECT_EQ(c->value(), 500.0);
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->pixelPosition(), bottom->valueToPixel(500));

    bottom->setRange(600, 1100);  // the value stays, the line leaves the plot
    chart.redraw();
    EXPECT_EQ(c->value(), 500.0);
    EXPECT_FALSE(c->isVisible());

    CPlotStandardAxis foreign(kAxisBottom);
    EXPECT_EQ(chart.createDragLineCursor(&foreign, 1), nullptr);
}

TEST_F(ChartWidget, DrawingPlacesAxisCurveAndLegend) {
    CPlotCtrl chart;
    chart.setBackgroundColor(Qt::white);
    chart.setEdgeType(EPlotEdge::None);
    const QColor border(0, 0, 128);
    chart.setBorderColor(border);
    setUpChart(chart, 480, 320, 0, 100, 0, 10);
    chart.axis(kAxisBottom)->label().setText("Wavelength(nm)");
    chart.axis(kAxisLeft)->label().setText("Intensity");
    chart.title().setText("Spectrum View");
    addLine(chart, "D:\\data\\red_reference_file.txt", Qt::red, {{-10, 5}, {50, 5}, {110, 5}});
    addLine(chart, "blue", Qt::blue, {{0, 1}, {100, 1}});
    chart.legend().setVisible(true);
    chart.redraw();

    const QImage& img = chart.bufferImage();
    img.save(QStringLiteral(CORVANE_BINARY_DIR "/chart_render.png"));
    const SPlotRect plot = chart.plotRect();
    const SPlotRect box = chart.legend().boxRect();
    const CPlotAxis* left = chart.axis(kAxisLeft);
    const CPlotAxis* bottom = chart.axis(kAxisBottom);
    ASSERT_FALSE(plot.isEmpty());
    ASSERT_FALSE(box.isEmpty());

    // Axes: the border on the plot's edges, tick marks 1..3 pixels outside, at the ticks.
    EXPECT_EQ(img.pixelColor(plot.left, (plot.top + plot.bottom) / 2), border);
    EXPECT_EQ(left->tickPixels().front(), plot.bottom);  // 0 at the bottom row
    EXPECT_EQ(left->tickPixels().back(), plot.top);      // 10 at the top row
    for (int y : left->tickPixels()) {
        EXPECT_EQ(img.pixelColor(plot.left - 2, y), QColor(Qt::black)) << y;
    }
    const int tickX = bottom->tickPixels()[2];
    EXPECT_EQ(img.pixelColor(tickX, plot.bottom + 2), QColor(Qt::black));
    // Grid: a 3-pixel dash from the bottom row up, then a gap.
    EXPECT_EQ(img.pixelColor(tickX, plot.bottom - 1), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(tickX, plot.bottom - 4), QColor(Qt::white));

    // The curve at y = 5 reaches both plot edges; the legend is drawn over its right end.
    const int y5 = left->valueToPixel(5);
    EXPECT_EQ(img.pixelColor((plot.left + plot.right) / 2, y5), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(plot.left + 1, y5), QColor(Qt::red));
    EXPECT_NE(img.pixelColor((plot.left + plot.right) / 2, y5 - 1), QColor(Qt::red));
    EXPECT_EQ(countColour(img, {0, 0, plot.left, img.height()}, Qt::red), 0);  // clipped

    // Legend: right edge 6 px inside the chart, plot border 2 px inside the box, shadow of 3.
    EXPECT_EQ(box.right, 480 - kPlotChartInset - 6);
    EXPECT_EQ(plot.right, box.left + 2);
    EXPECT_EQ(img.pixelColor(box.left, box.top + 10), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(box.right - 2, box.top + 2), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(box.right + 1, box.bottom + 1), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(box.right + 4, box.bottom + 1), QColor(Qt::white));
    const int symbolRow = box.top + 5 + 8;
    EXPECT_EQ(img.pixelColor(box.left + 2 + 8, symbolRow), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(box.left + 2 + 8, symbolRow + 18), QColor(Qt::blue));

    const SPlotLegendHit hit = chart.legendEntryAt(QPoint(box.left + 30, box.top + 5 + 18 + 5));
    EXPECT_EQ(hit.index, 1);
    EXPECT_EQ(hit.name, "blue");
    chart.legend().setVisible(false);
    EXPECT_EQ(chart.legendEntryAt(QPoint(box.left + 30, box.top + 10)).index, -1);
}

TEST_F(ChartWidget, HolesAndFallingXStillDraw) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (bool falling : {false, true}) {
        CPlotCtrl chart;
        chart.setBackgroundColor(Qt::white);
        setUpChart(chart, 400, 300, 0, 100, 0, 10);
        std::vector<SPlotXYPoint> pts;
        for (int i = 0; i <= 100; ++i)
            pts.push_back({double(i), i == 50 ? inf : (i == 51 ? nan : 5.0)});
        if (falling) std::reverse(pts.begin(), pts.end());
        addLine(chart, "s", Qt::red, pts);
        chart.redraw();
        const QImage& img = chart.bufferImage();
        const int y5 = chart.axis(kAxisLeft)->valueToPixel(5);
        const CPlotAxis* b = chart.axis(kAxisBottom);
        EXPECT_EQ(img.pixelColor(b->valueToPixel(20), y5), QColor(Qt::red)) << falling;
        EXPECT_EQ(img.pixelColor(b->valueToPixel(80), y5), QColor(Qt::red)) << falling;
        // The hole leaves a gap instead of a spike to infinity.
        EXPECT_NE(img.pixelColor(b->valueToPixel(50), y5 - 20), QColor(Qt::red)) << falling;
    }
}

TEST_F(ChartWidget, AutomaticAxisFollowsItsSeries) {
    CPlotCtrl chart;
    setUpChart(chart, 300, 200, 0, 1, 0, 1);
    addLine(chart, "s", Qt::red, {{200, -3}, {1100, 40}});
    chart.axis(kAxisLeft)->setAutomatic(true);
    chart.redraw();
    EXPECT_EQ(chart.axis(kAxisLeft)->rangeMin(), -3);
    EXPECT_EQ(chart.axis(kAxisLeft)->rangeMax(), 40);
    EXPECT_EQ(chart.axis(kAxisBottom)->rangeMax(), 1);  // not automatic
}

TEST_F(ChartWidget, PeakMarkersAndTextBlockFollowTheSwitches) {
    const QColor green(0, 200, 0);
    CPlotCtrl chart;
    chart.setBackgroundColor(Qt::white);
    setUpChart(chart, 640, 400, 0, 100, 0, 100);
    std::vector<SPlotXYPoint> pts;
    for (int i = 0; i <= 100; ++i)
        pts.push_back({double(i), 10 + 80 * std::exp(-(i - 40) * (i - 40) / 20.0)});
    addLine(chart, "main", Qt::red, pts);

    PeakRecord peak;
    peak.index = 40;
    peak.peakX = 40;
    peak.halfLevel = 50;
    peak.left = 36;
    peak.right = 44;
    peak.fwhm = 8;
    PeakRecord wild = peak;
    wild.index = 5000;  // past the series: ignored, not read
    chart.peakTable = {peak, wild, PeakRecord{}};

    chart.redraw();
    EXPECT_EQ(countGreen(chart.bufferImage(), {0, 0, 640, 400}), 0);  // all switches off

    chart.showFwhm = 1;
    chart.redraw();
    const QImage& img = chart.bufferImage();
    img.save(QStringLiteral(CORVANE_BINARY_DIR "/chart_peaks.png"));
    const SPlotRect plot = chart.plotRect();
    const SPlotRect block{plot.right - 230, plot.top + 50, plot.right, plot.bottom};
    EXPECT_GT(countGreen(img, block), 50);
    // The half-level line from left to right at halfLevel.
    const CPlotAxis* b = chart.axis(kAxisBottom);
    const int yHalf = chart.axis(kAxisLeft)->valueToPixel(50);
    EXPECT_EQ(img.pixelColor(b->valueToPixel(38), yHalf), green);
    EXPECT_NE(img.pixelColor(b->valueToPixel(30), yHalf), green);
    // The marker number above the peak.
    const int yTop = chart.axis(kAxisLeft)->valueToPixel(90);
    EXPECT_GT(countGreen(img, {b->valueToPixel(40) - 8, yTop - 25, b->valueToPixel(40) + 8, yTop}),
              0);

    chart.showFwhm = 0;
    chart.showPeak = 1;  // marker with the X only, no block
    chart.redraw();
    EXPECT_EQ(
        countGreen(chart.bufferImage(), {plot.right - 230, plot.top + 80, plot.right, plot.bottom}),
        0);
    EXPECT_GT(countGreen(chart.bufferImage(), {0, 0, 640, 400}), 0);
}

TEST_F(ChartWidget, DegenerateChartsDrawWithoutFault) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        int width, height;
        double min, max;
    } cases[] = {
        {300, 200, 0, 0},    // the default range
        {300, 200, 5, 1},    // reversed
        {300, 200, nan, 1},  // garbage
        {300, 200, 0, inf},  //
        {300, 200, 1e15, 1e15 + 0.001},
        {12, 9, 0, 100},  // smaller than its own axes
        {1, 1, 0, 100},
    };
    for (const auto& c : cases) {
        CPlotCtrl chart;
        setUpChart(chart, c.width, c.height, c.min, c.max, c.min, c.max);
        addLine(chart, "s", Qt::red, {{0, 0}, {50, 50}, {100, 100}});
        chart.createDragLineCursor(chart.axis(kAxisBottom), 50);
        chart.legend().setVisible(true);
        chart.peakTable = {PeakRecord{1, 1, 50, 0, 1, 49, 51, 0, 0}};
        chart.showFwhm = 1;
        chart.redraw();
        EXPECT_LE(chart.plotRect().left, chart.plotRect().right) << c.width << " " << c.min;
        EXPECT_LE(chart.plotRect().top, chart.plotRect().bottom) << c.width << " " << c.min;
    }
    CPlotCtrl bare;  // no axes at all
    bare.resize(200, 100);
    bare.redraw();
    EXPECT_FALSE(bare.bufferImage().isNull());
    CPlotCtrl empty;  // no size: nothing to draw into
    empty.resize(0, 0);
    empty.redraw();
    EXPECT_TRUE(empty.bufferImage().isNull());
}

TEST_F(ChartWidget, InvertedAxisRunsTheOtherWay) {
    CPlotCtrl chart;
    setUpChart(chart, 400, 300, 0, 100, 0, 10);
    CPlotAxis* bottom = chart.axis(kAxisBottom);
    const SPlotRect plot = chart.plotRect();
    EXPECT_EQ(bottom->valueToPixel(0), plot.left);
    bottom->setInverted(true);
    chart.redraw();
    EXPECT_EQ(bottom->valueToPixel(0), plot.right);
    EXPECT_EQ(bottom->valueToPixel(100), plot.left);
    EXPECT_NEAR(bottom->pixelToValue(plot.left), 100, 1e-9);
    EXPECT_EQ(chart.axis(kAxisLeft)->valueToPixel(10), plot.top);
}

TEST_F(ChartWidget, PointsSeriesMarksVisiblePoints) {
    CPlotCtrl chart;
    chart.setBackgroundColor(Qt::white);
    setUpChart(chart, 400, 300, 0, 100, 0, 10);
    CPlotPointsSeries* s = chart.createPointsSeries();
    s->setColor(Qt::blue);
    s->setPoints({{25, 5}, {75, 5}, {150, 5}});
    for (EPlotMarker m : {EPlotMarker::Ellipse, EPlotMarker::Rectangle, EPlotMarker::Triangle}) {
        s->setMarker(m);
        chart.redraw();
        const QImage& img = chart.bufferImage();
        const int y = chart.axis(kAxisLeft)->valueToPixel(5);
        for (double x : {25.0, 75.0}) {
            const int px = chart.axis(kAxisBottom)->valueToPixel(x);
            EXPECT_GT(countColour(img, {px - 3, y - 3, px + 4, y + 4}, Qt::blue), 4) << x;
        }
        EXPECT_EQ(countColour(img, {chart.plotRect().right + 1, 0, 400, 300}, Qt::blue), 0);
    }
}

TEST_F(ChartWidget, DirectPolylineMatchesQPainterAndKeepsToItsClip) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> near(-40, 440);
    std::vector<QPoint> pts;
    for (int i = 0; i < 300; ++i)
        pts.emplace_back(near(rng), near(rng));
    pts.insert(pts.begin() + 100, QPoint(-4000000, 200));  // far off, as a clamped wild value
    pts.insert(pts.begin() + 200, QPoint(200, 4000000));
    const QRect clip(50, 60, 300, 250);

    QImage fast(400, 400, QImage::Format_ARGB32_Premultiplied);
    fast.fill(Qt::white);
    QImage reference = fast.convertToFormat(QImage::Format_RGB888);  // no direct path for it
    {
        QPainter p(&fast);
        ASSERT_TRUE(drawThinPolyline(p, pts.data(), pts.size(), Qt::red, clip));
    }
    {
        QPainter p(&reference);
        ASSERT_FALSE(drawThinPolyline(p, pts.data(), pts.size(), Qt::red, clip));
        p.setClipRect(clip);
        p.setPen(QPen(Qt::red, 1));
        p.drawPolyline(pts.data(), static_cast<int>(pts.size()));
    }
    auto red = [](const QImage& img, int x, int y) {
        return x >= 0 && y >= 0 && x < img.width() && y < img.height() &&
               img.pixelColor(x, y) == QColor(Qt::red);
    };
    auto nearRed = [&](const QImage& img, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (red(img, x + dx, y + dy)) return true;
            }
        }
        return false;
    };
    int drawn = 0;
    int unmatched = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 400; ++x) {
            const bool a = red(fast, x, y);
            const bool b = red(reference, x, y);
            if (a && !clip.contains(x, y)) ADD_FAILURE() << "outside the clip at " << x << "," << y;
            drawn += a;
            // The two may place a line's steps a pixel apart, never further.
            if ((a && !nearRed(reference, x, y)) || (b && !nearRed(fast, x, y))) ++unmatched;
        }
    }
    EXPECT_GT(drawn, 10000);
    EXPECT_LT(unmatched, drawn / 200);

    QImage translucent = fast;
    QPainter p(&translucent);
    EXPECT_FALSE(drawThinPolyline(p, pts.data(), pts.size(), QColor(255, 0, 0, 128), clip));
    p.scale(2, 2);
    EXPECT_FALSE(drawThinPolyline(p, pts.data(), pts.size(), Qt::red, clip));
}

}  // namespace
