#pragma once
// A main frame for widget tests: fresh program and data folders, no splash and no start-up
// pauses, the simulator, no close pause, and message boxes answered at once.

#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <functional>
#include <thread>

#include "device/SpectrometerDevice.h"
#include "files/AppPaths.h"
#include "platform/simulator/Simulator.h"
#include "shell/app/MainFrame.h"
#include "tests/support/TestSupport.h"

/// Runs the event loop until condition holds (at most about 10 s); returns it.
inline bool waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 2000 && !condition(); ++i) {
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        corvaneSimReset();
        CSpectrometerDevice::setClosePause(std::chrono::milliseconds(0));
        options.setup = readAppSetup(dir.file("program"), dir.file("data"));
        createAppFolders(options.setup.paths);
        options.showSplash = false;
        options.startupPauses = false;
        options.simulatorDefault = true;
    }
    void TearDown() override { corvaneSimReset(); }

    TempDir dir;
    MessageRecorder messages;
    MainFrameOptions options;
};
