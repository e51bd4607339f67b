// Mouse interaction on an offscreen chart: click zooms, the zoom rectangle, the drag-line
// cursor, panning, the axis strips and the pointer shapes.

#include <gtest/gtest.h>

#include <QEvent>
#include <cmath>

#include "ChartTestSupport.h"
#include "shell/chart/PlotCtrl.h"

namespace {

class ChartMouse : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureChartTestApp(); }
    void SetUp() override { setUpChart(chart, 600, 400, 0, 100, 0, 100); }

    CPlotAxis& bottom() { return *chart.axis(kAxisBottom); }
    CPlotAxis& left() { return *chart.axis(kAxisLeft); }
    /// The client point showing the values (x, y).
    QPoint at(double x, double y) { return {bottom().valueToPixel(x), left().valueToPixel(y)}; }
    /// Value distance of one pixel on the bottom axis.
    double pixelX() { return 100.0 / (bottom().endPixel() - bottom().startPixel()); }

    CPlotCtrl chart;
};

void expectRange(const CPlotAxis& a, double min, double max, double tolerance) {
    EXPECT_NEAR(a.rangeMin(), min, tolerance);
    EXPECT_NEAR(a.rangeMax(), max, tolerance);
}

TEST_F(ChartMouse, ClickZoomInAndOutAroundTheMiddle) {
    chart.setMouseMode(kMouseModeZoomIn);
    click(&chart, at(50, 50));
    expectRange(bottom(), 15, 85, 0.3);
    expectRange(left(), 15, 85, 0.3);
    EXPECT_NEAR(bottom().homeMin(), bottom().rangeMin(), 1e-12);  // the home range moves along

    bottom().setRange(0, 100);
    left().setRange(0, 100);
    chart.redraw();
    chart.setMouseMode(kMouseModeZoomOut);
    click(&chart, at(50, 50));
    expectRange(bottom(), -15, 115, 0.3);
    expectRange(left(), -15, 115, 0.3);
}

TEST_F(ChartMouse, ZoomRectangleOfTwentyFortyAndMinusTwentyPixels) {
    const QPoint start = at(20, 80);
    drag(&chart, start, start + QPoint(20, 20));
    expectRange(bottom(), 0, 100, 0);  // too narrow: nothing

    const double px = pixelX();
    drag(&chart, start, start + QPoint(40, 20));
    expectRange(bottom(), 20, 20 + 40 * px, px);
    EXPECT_GT(left().rangeMin(), 60);
    EXPECT_LT(left().rangeMax(), 81);
    EXPECT_EQ(bottom().homeMax(), 100);  // shown range only

    const SPlotRect plot = chart.plotRect();
    const QPoint centre((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    drag(&chart, centre, centre + QPoint(-20, 0));
    expectRange(bottom(), 0, 100, 0);
    expectRange(left(), 0, 100, 0);
}

TEST_F(ChartMouse, ZoomRectangleIsOffWhenZoomIsDisabled) {
    chart.setZoomEnabled(false);
    drag(&chart, at(20, 80), at(20, 80) + QPoint(60, 40));
    expectRange(bottom(), 0, 100, 0);
}

TEST_F(ChartMouse, DraggingTheCursorTellsListeners) {
    CPlotDragLineCursor* cursor = chart.createDragLineCursor(&bottom(), 50);
    chart.redraw();
    std::vector<std::pair<double, double>> heard;
    cursor->addListener([&](double x, double y) { heard.emplace_back(x, y); });

    const QPoint grab = at(50, 50) + QPoint(3, 0);  // 3 pixels off the line still grabs
    sendMouse(&chart, QEvent::MouseButtonPress, Qt::LeftButton, grab, Qt::LeftButton);
    EXPECT_TRUE(cursor->isDragging());
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, at(70, 20), Qt::LeftButton);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_NEAR(heard[0].first, 70, pixelX());
    EXPECT_EQ(heard[0].second, 0.0);
    // Past the plot the line stops at the end of the range.
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, QPoint(599, 200), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(cursor->value(), 100);
    EXPECT_TRUE(cursor->isVisible());
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, at(70, 20), Qt::LeftButton);
    sendMouse(&chart, QEvent::MouseButtonRelease, Qt::LeftButton, at(70, 20), Qt::NoButton);
    EXPECT_FALSE(cursor->isDragging());
    EXPECT_NEAR(cursor->value(), 70, pixelX());
    expectRange(bottom(), 0, 100, 0);  // a cursor drag is no zoom

    // 4 pixels off the line starts a zoom rectangle instead (too small to zoom here).
    sendMouse(&chart, QEvent::MouseButtonPress, Qt::LeftButton,
              QPoint(cursor->pixelPosition() - 4, 100), Qt::LeftButton);
    EXPECT_FALSE(cursor->isDragging());
    sendMouse(&chart, QEvent::MouseButtonRelease, Qt::LeftButton,
              QPoint(cursor->pixelPosition() + 20, 110), Qt::NoButton);
    EXPECT_NEAR(cursor->value(), 70, pixelX());
    expectRange(bottom(), 0, 100, 0);
}

TEST_F(ChartMouse, ClickSetsTheCursorAndVerticalCursorsReportY) {
    CPlotDragLineCursor* vertical = chart.createDragLineCursor(&bottom(), 50);
    CPlotDragLineCursor* horizontal = chart.createDragLineCursor(&left(), 50);
    chart.redraw();
    std::vector<std::pair<double, double>> heard;
    horizontal->addListener([&](double x, double y) { heard.emplace_back(x, y); });

    sendMouse(&chart, QEvent::MouseButtonPress, Qt::LeftButton, at(30, 80), Qt::LeftButton);
    sendMouse(&chart, QEvent::MouseButtonRelease, Qt::LeftButton, at(30, 80) + QPoint(2, 3),
              Qt::NoButton);
    EXPECT_NEAR(vertical->value(), 30, 3 * pixelX());
    EXPECT_NEAR(horizontal->value(), 80, 1.5);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].first, 0.0);
    EXPECT_NEAR(heard[0].second, 80, 1.5);
}

TEST_F(ChartMouse, RightButtonPansWithRedrawSuspended) {
    chart.setMouseMode(kMouseModeZoomIn);
    const double px = pixelX();
    const QPoint from = at(50, 50);
    sendMouse(&chart, QEvent::MouseButtonPress, Qt::RightButton, from, Qt::RightButton);
    EXPECT_EQ(chart.mouseMode(), kMouseModeRectZoom);
    EXPECT_EQ(chart.cursor().shape(), Qt::SizeAllCursor);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, from + QPoint(50, -20), Qt::RightButton);
    // The content follows the pointer: the range moves the other way.
    expectRange(bottom(), -50 * px, 100 - 50 * px, 1e-9);
    EXPECT_LT(left().rangeMin(), 0);  // dragged up: lower values come into view
    EXPECT_EQ(bottom().homeMin(), 0);
    EXPECT_EQ(chart.redrawCounter(), 1);
    EXPECT_FALSE(chart.isRedrawPending());
    sendMouse(&chart, QEvent::MouseButtonRelease, Qt::RightButton, from + QPoint(50, -20),
              Qt::NoButton);
    EXPECT_EQ(chart.cursor().shape(), Qt::ArrowCursor);

    chart.setPanEnabled(false);
    drag(&chart, from, from + QPoint(50, 0), Qt::RightButton);
    expectRange(bottom(), -50 * px, 100 - 50 * px, 1e-9);
}

TEST_F(ChartMouse, LeftStripStretchesTheMaximum) {
    const SPlotRect strip = left().strip();
    ASSERT_FALSE(strip.isEmpty());
    QPoint p((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);
    sendMouse(&chart, QEvent::MouseButtonPress, Qt::LeftButton, p, Qt::LeftButton);
    EXPECT_EQ(chart.cursor().shape(), Qt::SizeVerCursor);
    for (int i = 0; i < 3; ++i) {
        p += QPoint(0, 1);
        sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, p, Qt::LeftButton);
    }
    EXPECT_NEAR(left().rangeMax(), 100 * 1.02 * 1.02 * 1.02, 1e-9);
    p += QPoint(0, -5);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, p, Qt::LeftButton);
    EXPECT_NEAR(left().rangeMax(), 100 * 1.02 * 1.02 * 1.02 * 0.98, 1e-9);
    EXPECT_EQ(left().rangeMin(), 0);
    EXPECT_EQ(left().homeMax(), left().rangeMax());
    sendMouse(&chart, QEvent::MouseButtonRelease, Qt::LeftButton, p, Qt::NoButton);
    expectRange(bottom(), 0, 100, 0);
}

TEST_F(ChartMouse, BottomStripZoomsInStepsOfMoreThanFivePixels) {
    const SPlotRect strip = bottom().strip();
    ASSERT_FALSE(strip.isEmpty());
    const QPoint p((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);

    sendMouse(&chart, QEvent::MouseButtonPress, Qt::LeftButton, p, Qt::LeftButton);
    EXPECT_EQ(chart.cursor().shape(), Qt::SizeHorCursor);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, p + QPoint(5, 0), Qt::LeftButton);
    expectRange(bottom(), 0, 100, 0);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, p + QPoint(6, 0), Qt::LeftButton);
    expectRange(bottom(), 20, 80, 1e-9);  // no cursor: 0.2 of the span at both ends
    sendMouse(&chart, QEvent::MouseButtonRelease, Qt::LeftButton, p, Qt::NoButton);

    bottom().setRange(0, 100);
    chart.createDragLineCursor(&bottom(), 20);
    chart.redraw();
    sendMouse(&chart, QEvent::MouseButtonPress, Qt::LeftButton, p, Qt::LeftButton);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, p + QPoint(8, 0), Qt::LeftButton);
    expectRange(bottom(), 4, 84, 1e-9);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, p + QPoint(1, 0), Qt::LeftButton);
    expectRange(bottom(), 4 - 0.2 * 16, 84 + 0.2 * 64, 1e-9);
    sendMouse(&chart, QEvent::MouseButtonRelease, Qt::LeftButton, p, Qt::NoButton);
    EXPECT_EQ(bottom().homeMin(), bottom().rangeMin());
}

TEST_F(ChartMouse, ClickZoomStopsAtTheSmallestRange) {
    chart.setMouseMode(kMouseModeZoomIn);
    for (int i = 0; i < 40; ++i)
        click(&chart, at(50, 50));
    EXPECT_GE(bottom().rangeMax() - bottom().rangeMin(), bottom().smallestRange());
    EXPECT_GE(left().rangeMax() - left().rangeMin(), left().smallestRange());
}

TEST_F(ChartMouse, PointerShowsTheZoomMode) {
    const QPoint inside = at(50, 50);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, inside);
    EXPECT_EQ(chart.cursor().shape(), Qt::ArrowCursor);
    chart.setMouseMode(kMouseModeZoomIn);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, inside);
    EXPECT_EQ(chart.cursor().shape(), Qt::BitmapCursor);
    const qint64 zoomIn = chart.cursor().pixmap().cacheKey();
    chart.setMouseMode(kMouseModeZoomOut);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, inside);
    EXPECT_EQ(chart.cursor().shape(), Qt::BitmapCursor);
    EXPECT_NE(chart.cursor().pixmap().cacheKey(), zoomIn);
    sendMouse(&chart, QEvent::MouseMove, Qt::NoButton, QPoint(2, 2));  // off the plot
    EXPECT_EQ(chart.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
