#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "apps/MeasurementViews.h"
#include "apps/framework/MyList.h"
#include "apps/spectrum/CorvaneView.h"
#include "core/XAxis.h"
#include "device/AcquisitionSettings.h"
#include "device/SpectrometerDevice.h"
#include "files/AppPaths.h"
#include "files/DataFile.h"
#include "platform/simulator/Simulator.h"
#include "resources/CommandIds.h"
#include "shell/app/MainFrame.h"
#include "shell/app/TabGroupArea.h"
#include "shell/settings/ControlPanel.h"
#include "tests/support/FakeViewContext.h"
#include "tests/support/FrameTest.h"

namespace {

using namespace std::chrono_literals;

class ViewTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        registerMeasurementViews();
        installSeriesFileWriter();
    }

    CCorvaneView* open(CMainFrame& frame) {
        auto* v = static_cast<CCorvaneView*>(createSpectrumView(frame));
        frame.tabs()->addView(v, v->windowTitle());
        return v;
    }
    // One redraw as the timer's repaint would do it.
    static void redraw(CCorvaneView* v) {
        QImage image(v->size().expandedTo(QSize(10, 10)), QImage::Format_ARGB32);
        QPainter p(&image);
        v->OnDraw(p);
    }
    static bool connectedWithSpectrum(CMainFrame& frame) {
        return frame.device().isConnected() && frame.record().frameCount() > 0;
    }
};

// A view is built on the view context alone: what it draws comes from the context's record
// and acquisition block, its name from the context's registers.
TEST_F(ViewTest, ViewRunsOnAFakeContext) {
    FakeViewContext context(dir.file("fake"));
    const double wave[] = {400.0, 500.0, 600.0};
    const double counts[] = {1000.0, 3000.0, 2000.0};
    ASSERT_EQ(context.record().setSpectrum(wave, counts, 3), 1);
    auto* v = static_cast<CCorvaneView*>(createSpectrumView(context));
    context.tabs()->addView(v, v->windowTitle());
    EXPECT_EQ(v->viewName, "Spectrum");
    EXPECT_EQ(context.instances()->lists[1].size(), 1u);
    redraw(v);
    ASSERT_EQ(v->pointCount, 3);
    EXPECT_DOUBLE_EQ(v->valueArray[1], 3000.0);
    const CPlotSeries* curve = v->chart()->FindNamedSeries("Spectrum View");
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->pointCount(), 3u);

    // "Remove background" of the context's block: the stored dark is taken off.
    const double dark[] = {100.0, 100.0, 100.0};
    ASSERT_EQ(context.record().setSpectrum(wave, dark, 3), 1);
    ASSERT_EQ(context.record().storeDark(), 1);
    ASSERT_EQ(context.record().setSpectrum(wave, counts, 3), 1);
    context.block.removeBackground = 1;
    redraw(v);
    EXPECT_DOUBLE_EQ(v->valueArray[1], 2900.0);
    delete v;
    EXPECT_TRUE(context.instances()->lists[1].empty());
}

TEST_F(ViewTest, NamesComeFromTheInstanceRegister) {
    CMainFrame frame(options);
    CCorvaneView* first = open(frame);
    CCorvaneView* second = open(frame);
    EXPECT_EQ(first->viewName, "Spectrum");
    EXPECT_EQ(second->viewName, "Spectrum(2)");
    EXPECT_EQ(second->windowTitle(), "Spectrum(2)");
    delete first;
    CCorvaneView* third = open(frame);
    EXPECT_EQ(third->viewName, "Spectrum(3)");
    delete second;
    delete third;
    EXPECT_EQ(open(frame)->viewName, "Spectrum");  // all closed: the plain name again
}

TEST_F(ViewTest, LiveSpectrumReachesTheFrontViewOnly) {
    CMainFrame frame(options);
    frame.resize(1200, 800);
    frame.show();
    CCorvaneView* back = open(frame);
    CCorvaneView* front = open(frame);  // same tab group, now the front tab
    ASSERT_TRUE(waitFor([&] { return connectedWithSpectrum(frame); }));
    const int backBefore = back->redrawCount();
    ASSERT_TRUE(waitFor([&] { return front->redrawCount() > 5 && front->pointCount > 2000; }));
    EXPECT_EQ(back->redrawCount(), backBefore);

    redraw(front);
    // 16-bit simulator: [0, 66000] while connected; the X range follows the wavelengths.
    EXPECT_EQ(front->chart()->leftAxis->rangeMax(), 66000);
    EXPECT_EQ(front->chart()->yRangeMax, 66000);
    EXPECT_NEAR(front->chart()->bottomAxis->rangeMin(), front->waveArray[0], 1e-9);
    const CPlotSeries* curve = front->chart()->FindNamedSeries("Spectrum View");
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(static_cast<int>(curve->pointCount()), front->pointCount);

    // Quit stops the view's timer.
    frame.runControl().runState = kRunStateQuit;
    front->onTimer();
    EXPECT_FALSE(front->refreshTimer().isActive());
    frame.shutdown();
}

// The simulator's mercury-argon lines with PEAK and FWHM on: the strongest lines are found
// where the lamp has them, with a width near the instrument's 1.2 nm.
TEST_F(ViewTest, PeaksOfTheEmissionLinesAreMarked) {
    corvaneSimSetScene(CORVANE_SIM_LINES);
    CMainFrame frame(options);
    frame.resize(1400, 900);
    frame.show();
    CCorvaneView* v = open(frame);
    AcquisitionSettings s = frame.controlPanel()->settings();
    s.showPeak = 1;
    s.showFwhm = 1;
    frame.controlPanel()->applyAllValues(s);
    ASSERT_TRUE(waitFor([&] { return connectedWithSpectrum(frame); }));
    // Frames from the lines scene, not just the wavelength axis of the connect.
    ASSERT_TRUE(waitFor([&] { return frame.record().frameCount() > 5; }));
    redraw(v);
    ASSERT_FALSE(v->peakResults.empty());
    bool found546 = false;
    for (const PeakRecord& p : v->peakResults) {
        if (p.index == 0) continue;
        if (std::abs(p.peakX - 546.07) < 1.0) {
            found546 = true;
            EXPECT_NEAR(p.fwhm, 1.2, 0.6);
        }
    }
    EXPECT_TRUE(found546);
    // CORVANE_SHOT_DIR=folder keeps a picture of the view for a look by eye.
    if (const char* shots = std::getenv("CORVANE_SHOT_DIR"))
        v->grab().save(QString("%1/peaks-view.png").arg(shots));
    frame.shutdown();
}

TEST_F(ViewTest, TwelveBitDeviceGivesFiveThousand) {
    corvaneSimSetIdentity(9999, "adbits", "12");
    CMainFrame frame(options);
    CCorvaneView* v = open(frame);
    ASSERT_TRUE(waitFor([&] { return connectedWithSpectrum(frame); }));
    // Start from another range, so that only the ADC rule can bring 5000.
    v->chart()->leftAxis->setRange(0.0, 123.0);
    v->chart()->yRangeMax = 123.0;
    redraw(v);
    EXPECT_EQ(v->chart()->leftAxis->rangeMax(), 5000);
    EXPECT_EQ(v->chart()->yRangeMax, 5000);
    frame.shutdown();
}

TEST_F(ViewTest, CommandsActOnTheActiveView) {
    CMainFrame frame(options);
    frame.resize(1200, 800);
    frame.show();
    // The view main-frame timer 1 opens a second after start, so the commands find it active.
    ASSERT_TRUE(waitFor([&] { return frame.tabs()->activeView() != nullptr; }));
    auto* v = dynamic_cast<CCorvaneView*>(frame.tabs()->activeView());
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->viewName, "Spectrum");
    ASSERT_TRUE(waitFor([&] { return connectedWithSpectrum(frame); }));
    redraw(v);
    CPlotAxis* bottom = v->chart()->bottomAxis;
    const double autoMin = bottom->rangeMin(), autoMax = bottom->rangeMax();

    frame.runCommand(Cmd::kZoomXRange);  // cursor at 100 nm lies outside: both ends move
    const double span = autoMax - autoMin;
    EXPECT_NEAR(bottom->rangeMin(), autoMin + 0.1 * span, 1e-6);
    EXPECT_NEAR(bottom->rangeMax(), autoMax - 0.1 * span, 1e-6);
    redraw(v);  // a user zoom survives redraws while the automatic range stays
    EXPECT_NEAR(bottom->rangeMin(), autoMin + 0.1 * span, 1e-6);
    frame.runCommand(Cmd::kRecover);
    EXPECT_DOUBLE_EQ(bottom->rangeMin(), autoMin);

    frame.runCommand(Cmd::kZoomIn);
    EXPECT_EQ(v->chart()->mouseMode(), 2);
    frame.runCommand(Cmd::kSelectZoom);
    EXPECT_EQ(v->chart()->mouseMode(), 0);

    frame.runCommand(Cmd::kAddTableView);
    EXPECT_EQ(v->tableShown, 1);
    EXPECT_TRUE(v->sideTable()->isVisible());
    for (int i = 0; i < 3; ++i)
        redraw(v);
    EXPECT_EQ(v->sideTable()->rowCount(), v->pointCount);
    ASSERT_NE(v->sideTable()->item(0, 0), nullptr);
    EXPECT_EQ(v->sideTable()->item(0, 0)->text(), "1");

    // Pixel unit: the axis shows pixel numbers and the spin steps by exactly one.
    frame.runCommand(Cmd::kUnitPixel);
    EXPECT_EQ(v->xUnit, kXUnitPixel);
    EXPECT_EQ(v->tableRefreshCounter, 0);
    redraw(v);
    EXPECT_DOUBLE_EQ(v->displayXArray[0], 1.0);
    EXPECT_DOUBLE_EQ(bottom->rangeMin(), 1.0);
    v->cursorEdit()->setText("100");
    v->onCursorEnter();
    EXPECT_DOUBLE_EQ(v->chart()->dragCursor->value(), 100.0);
    v->onCursorSpin(-1);
    EXPECT_DOUBLE_EQ(v->chart()->dragCursor->value(), 101.0);
    EXPECT_EQ(v->cursorEdit()->text(), "101");
    // An X outside the axis is ignored.
    v->cursorEdit()->setText("99999");
    v->onCursorEnter();
    EXPECT_DOUBLE_EQ(v->chart()->dragCursor->value(), 101.0);

    frame.updateCommandUi();
    EXPECT_FALSE(frame.action(Cmd::kUnitRaman)->isEnabled());  // only on a Raman view
    frame.runCommand(Cmd::kXAxisInverted);
    EXPECT_TRUE(bottom->isInverted());

    // Back in nm the spin steps one detector pixel through the driver.
    frame.runCommand(Cmd::kUnitNm);
    redraw(v);
    frame.runCommand(Cmd::kBestX);
    EXPECT_DOUBLE_EQ(bottom->rangeMin(), std::max(100.0, v->waveArray[0]));
    v->cursorEdit()->setText("500");
    v->onCursorEnter();
    v->onCursorSpin(-1);
    const double step = v->chart()->dragCursor->value() - 500.0;
    EXPECT_GT(step, 0.1);
    EXPECT_LT(step, 1.0);
    frame.shutdown();
}

TEST_F(ViewTest, BackgroundColourAndExport) {
    CMainFrame frame(options);
    frame.settings().bkColor = 0x1e64c8;  // RGB(200, 100, 30)
    CCorvaneView* v = open(frame);
    EXPECT_EQ(v->backgroundColor, 0x1e64c8);
    EXPECT_EQ(v->gridColor, 120 | (160 << 8) | (90 << 16));
    ASSERT_TRUE(waitFor([&] { return connectedWithSpectrum(frame); }));
    redraw(v);
    EXPECT_EQ(v->chart()->backgroundColor(), QColor(200, 100, 30));

    const std::string path = dir.file("export.data");
    ASSERT_EQ(v->exportData(path), 1);
    std::ifstream in(path);
    int lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    EXPECT_EQ(lines, v->pointCount);
    EXPECT_EQ(frame.record().lastStored.count, v->pointCount);

    // A folder that cannot be written: the writer says why, the view names the export that
    // did not happen, and nothing is claimed.
    messages.shown.clear();
    EXPECT_EQ(v->exportData(dir.file("missing/folder/x.data")), 0);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text.rfind("File could not be opened!", 0), 0u);
    EXPECT_EQ(messages.shown[1].text,
              "Save file '" + dir.file("missing/folder/x.data") + " ' error !");
    frame.shutdown();
}

TEST_F(ViewTest, NamedSeriesRules) {
    CMainFrame frame(options);
    CCorvaneView* v = open(frame);
    CTavrinPlotCtrl* chart = v->chart();
    EXPECT_FALSE(chart->legend().isVisible());
    ASSERT_EQ(chart->AddNamedSeries("overlay"), 1);
    EXPECT_TRUE(chart->legend().isVisible());
    std::vector<double> x(3701, 1.0), y(3701, 2.0);
    EXPECT_EQ(chart->SetNamedSeriesData("overlay", x.data(), y.data(), 3), 1);
    EXPECT_EQ(chart->SetNamedSeriesData("overlay", x.data(), y.data(), 3701), 0);
    EXPECT_EQ(chart->FindNamedSeries("overlay")->pointCount(), 3u);
    EXPECT_EQ(chart->SetNamedSeriesData("nothing", x.data(), y.data(), 3), 0);
    chart->RemoveNamedSeries("overlay");
    EXPECT_EQ(chart->FindNamedSeries("overlay"), nullptr);
    EXPECT_FALSE(chart->legend().isVisible());
    frame.shutdown();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
