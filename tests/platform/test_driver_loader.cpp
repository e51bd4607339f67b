#include <gtest/gtest.h>

#include <dlfcn.h>
#include <stdlib.h>

#include <string>

#include "core/RunLog.h"
#include "device/Driver.h"
#include "device/SpectrometerDevice.h"
#include "platform/simulator/Simulator.h"
#include "platform/spectrometer/DriverLoader.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(DriverLoader, LoadsTheSimulatorPluginAndTalksToItThroughTheTable) {
    DriverLoadResult r = loadDriverLibrary(SIM_DRIVER_PATH);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.missing.empty());
    ASSERT_TRUE(isComplete(r.api));
    // The plug-in has its own simulator, not the one linked into this test.
    EXPECT_NE(r.api.connect, simulatorApi().connect);
    SPHANDLE h = r.api.connect(SP_SIMULATOR_ID);
    ASSERT_NE(h, nullptr);
    char model[SP_TEXT_SIZE] = {};
    EXPECT_TRUE(r.api.getDeviceModelName(h, model));
    EXPECT_STRNE(model, "");
    double frame[SP_MAX_PIXELS];
    void* lib = dlopen(SIM_DRIVER_PATH, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(lib, nullptr);
    auto setRealtime = reinterpret_cast<void (*)(int)>(dlsym(lib, "corvaneSimSetRealtime"));
    ASSERT_NE(setRealtime, nullptr);
    setRealtime(0);
    EXPECT_EQ(r.api.readDoubleCCD(h, frame), 2048);
    r.api.close(h);
    dlclose(lib);
}

TEST(DriverLoader, RefusesALibraryLackingSymbolsAndNamesThem) {
    DriverLoadResult r = loadDriverLibrary(INCOMPLETE_DRIVER_PATH);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.missing.size(), 22u);
    EXPECT_EQ(r.missing.front(), "SPSetState");
    EXPECT_EQ(r.missing.back(), "SPWaveLengthToPixel");

    DriverLoadResult none = loadDriverLibrary("/nonexistent/libspectrometer.so");
    EXPECT_FALSE(none.ok);
    EXPECT_FALSE(none.error.empty());
}

TEST(DriverLoader, StartupFallsBackToTheSimulatorAndLogsWhy) {
    TempDir dir;
    setRunLogPath(dir.file("runlog.log"));
    setenv("CORVANE_DRIVER", INCOMPLETE_DRIVER_PATH, 1);
    EXPECT_FALSE(initSpectrometerDriver("/nonexistent"));
    EXPECT_FALSE(vendorDriverLoaded());
    EXPECT_EQ(activeDriver().connect, simulatorApi().connect);
    const std::string log = readUtf16File(dir.file("runlog.log"));
    EXPECT_NE(log.find("SPSetState, SPGetDeviceModelName"), std::string::npos) << log;

    setenv("CORVANE_DRIVER", SIM_DRIVER_PATH, 1);
    EXPECT_TRUE(initSpectrometerDriver("/nonexistent"));
    EXPECT_TRUE(vendorDriverLoaded());
    CSpectrometerDevice device;  // uses the loaded library
    EXPECT_NE(device.connect(SP_SIMULATOR_ID), nullptr);
    EXPECT_EQ(device.usablePixels(), 2048);
    CSpectrometerDevice::setClosePause(std::chrono::milliseconds(0));
    device.disconnect();

    unsetenv("CORVANE_DRIVER");
    EXPECT_EQ(driverLibraryPath("/opt/corvane"), "/opt/corvane/libspectrometer.so");
    EXPECT_FALSE(initSpectrometerDriver("/nonexistent"));
    EXPECT_EQ(activeDriver().connect, simulatorApi().connect);
    setRunLogPath("");
}

}  // namespace
