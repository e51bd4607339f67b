#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RunLog.h"
#include "core/SpectrumData.h"
#include "device/DeviceManager.h"
#include "device/SpectrometerDevice.h"
#include "platform/simulator/SceneModel.h"
#include "platform/simulator/Simulator.h"
#include "tests/support/FakeDriver.h"
#include "tests/support/TestSupport.h"

namespace {

class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fakeDriver().reset();
        corvaneSimReset();
        corvaneSimSetRealtime(0);
        CSpectrometerDevice::setClosePause(std::chrono::milliseconds(0));
        setRunLogPath(dir.file("runlog.log"));
    }
    void TearDown() override {
        setRunLogPath("");
        corvaneSimReset();
    }
    std::string log() const { return readUtf16File(dir.file("runlog.log")); }
    TempDir dir;
};

TEST(FirmwareRule, ScaleFactorByDateProtocolAndModel) {
    struct Case {
        const char* firmware;
        unsigned protocol;
        const char* model;
        int scale;
    };
    const std::vector<Case> cases = {
        {"7.30.2015", 1, "KVR-2104", 5},  // July 2015: old
        {"8.1.2015", 1, "KVR-2104", 1},   // August 2015: new
        {"12.31.2014", 1, "X KVR-2704 Y", 5},
        {"7.30.2015", 1, "KVR-3000", 3},
        {"7.30.2015", 0, "OTHER", 3},
        {"7.30.2015", 2, "KVR-2104", 1},  // protocol 2: new whatever the date
        {"1.1.2010", 0x102, "KVR-2104", 1},
        {"20150730", 1, "KVR-2104", 5},  // no dots: invalid, counts as old
        {".7.2015", 1, "OTHER", 3},      // the first '.' must come after the first character
        {"7.2015", 1, "OTHER", 3},       // no second '.'
        {"", 1, "OTHER", 3},
        {"V2", 0x102, "KVR-2104", 1},  // unreadable but a newer device: never scaled up
    };
    for (const Case& c : cases)
        EXPECT_EQ(firmwareScaleFactor(c.firmware, c.protocol, c.model), c.scale)
            << c.firmware << " protocol " << c.protocol << " " << c.model;
}

TEST_F(DeviceTest, InvalidFirmwareIsLogged) {
    isOldFirmware("20150730", 1);
    EXPECT_NE(log().find("Invalid Firmware version. 20150730 ."), std::string::npos);
}

TEST_F(DeviceTest, ConnectReadsTheIdentityInOrderAndStopsAtTheFirstFailure) {
    CSpectrometerDevice device(fakeDriverApi());
    ASSERT_NE(device.connect(1), nullptr);
    EXPECT_TRUE(device.isConnected());
    EXPECT_EQ(device.connectedId, 1);
    EXPECT_EQ(device.modelName, "FAKE-100");
    EXPECT_EQ(device.calibrationDate, "2023-1-2");
    EXPECT_EQ(device.usablePixels(), 2048);
    EXPECT_EQ(device.integrationMaxUs, 10'000'000);
    EXPECT_EQ(device.grating, "1200 l/mm");
    EXPECT_EQ(fakeDriver().stateCalls.back(), kStateConnected);

    // Later identity queries are not made once one has failed; the range is not fatal.
    SpectrometerInfo info;
    fakeDriver().failQuery = "ccd";
    EXPECT_EQ(device.readInfo(device.handle, info), 0);
    EXPECT_EQ(info.wavelengthEnd, 0.0);
    fakeDriver().failQuery = "time";
    EXPECT_EQ(device.readInfo(device.handle, info), 1);
    EXPECT_EQ(info.integrationRangeValid, 0);
    fakeDriver().failQuery = "filter";
    EXPECT_EQ(device.readInfo(device.handle, info), 0);
    EXPECT_EQ(info.integrationRangeValid, 1);  // a range read again counts again
    fakeDriver().protocol = 0x101;             // no grating, lens and filter to read
    EXPECT_EQ(device.readInfo(device.handle, info), 1);

    device.disconnect();
    EXPECT_FALSE(device.isConnected());
    EXPECT_EQ(device.readInfo(device.handle, info), 0);
    EXPECT_TRUE(fakeDriver().open.empty());
}

TEST_F(DeviceTest, ConfigurationIsKeptOnlyWhenTheDriverAcceptsIt) {
    CSpectrometerDevice device(fakeDriverApi());
    EXPECT_EQ(device.configure(1000, 17, 3), 0);  // no handle
    ASSERT_NE(device.connect(1), nullptr);
    EXPECT_EQ(device.configure(2500, 18, 3), 1);
    EXPECT_EQ(device.integrationTimeUs, 2500);
    EXPECT_EQ(device.triggerMode, 18);
    EXPECT_EQ(device.configAverages, 3);

    fakeDriver().configResult = 2;  // nonzero but not 1 is a refusal
    EXPECT_EQ(device.configure(9000, 21, 4), 0);
    EXPECT_EQ(device.integrationTimeUs, 2500);
    EXPECT_EQ(device.setBoxcar(5), 1);  // always 1 ...
    EXPECT_EQ(device.boxcar, 1);        // ... but kept only when accepted
    fakeDriver().configResult = 1;
    device.setBoxcar(5);
    EXPECT_EQ(device.boxcar, 5);
    EXPECT_EQ(fakeDriver().lastIntegration, 2500);

    EXPECT_EQ(device.setTriggerPulse(20, 30, 4, 1), 1);
    EXPECT_EQ(device.triggerLowMs, 30);
    fakeDriver().pulseResult = 0;
    EXPECT_EQ(device.setTriggerPulse(1, 1, 1, 0), 0);
    EXPECT_EQ(device.triggerHighMs, 20);

    double c[4];
    std::string date;
    EXPECT_EQ(device.readCalibration(c, date), 1);
    EXPECT_EQ(date, "2023-1-2");
    EXPECT_DOUBLE_EQ(c[1], 0.5);
    device.disconnect();
}

TEST_F(DeviceTest, AFailedConnectLeavesEverythingIdle) {
    fakeDriver().connectFails = true;
    CSpectrumData record;
    DeviceManager manager(record, fakeDriverApi());
    EXPECT_EQ(manager.search(), 0);
    EXPECT_TRUE(manager.devices.empty());
    manager.autoConnect = 1;
    manager.tick();
    EXPECT_FALSE(manager.device().isConnected());
    EXPECT_FALSE(manager.device().hasHandle());
    EXPECT_EQ(record.frameCounter, 0);
}

TEST_F(DeviceTest, SimulatorAloneIsListedAndAutoConnectedWithinOneTick) {
    CSpectrumData record;
    DeviceManager manager(record);
    manager.simulator = 1;
    const auto result = manager.tick();
    EXPECT_TRUE(result.listChanged);
    EXPECT_TRUE(result.connected);
    ASSERT_EQ(manager.devices.size(), 1u);
    EXPECT_EQ(manager.devices[0].deviceId, SP_SIMULATOR_ID);
    EXPECT_EQ(manager.devices[0].state, kStateConnected);
    EXPECT_TRUE(manager.device().isConnected());
    // The wavelength axis: usable pixels from pixel 1 upward.
    EXPECT_EQ(record.current.count, 2048);
    EXPECT_DOUBLE_EQ(record.current.wave[0], manager.device().wavelengthStart);
    EXPECT_DOUBLE_EQ(record.current.wave[2047], manager.device().wavelengthEnd);
    EXPECT_EQ(record.nonlinearCount, 6);
    EXPECT_DOUBLE_EQ(record.nonlinearCoeff[0], kNonlinearCoefficients[0]);
    EXPECT_EQ(corvaneSimOpenHandles(), 1);  // the probe's handle was closed
}

TEST_F(DeviceTest, TwoDevicesAreNotAutoConnectedAndConnectingOneLetsGoOfTheOther) {
    corvaneSimPlug(4);
    corvaneSimPlug(7);
    CSpectrumData record;
    DeviceManager manager(record);
    manager.tick();
    ASSERT_EQ(manager.devices.size(), 2u);
    EXPECT_FALSE(manager.device().isConnected());

    manager.selectionMark = 0;
    ASSERT_EQ(manager.connectSelected(), 1);
    EXPECT_EQ(manager.device().connectedId, manager.devices[0].deviceId);
    manager.selectionMark = 1;
    ASSERT_EQ(manager.connectSelected(), 1);
    EXPECT_EQ(manager.devices[0].state, kStateIdle);
    EXPECT_EQ(manager.devices[1].state, kStateConnected);
    EXPECT_EQ(manager.device().connectedId, manager.devices[1].deviceId);
    EXPECT_EQ(corvaneSimOpenHandles(), 1);

    ASSERT_EQ(manager.disconnectSelected(), 1);
    EXPECT_EQ(manager.devices[1].state, kStateIdle);
    EXPECT_FALSE(manager.device().isConnected());
    EXPECT_EQ(corvaneSimOpenHandles(), 0);
    manager.selectionMark = -1;
    EXPECT_EQ(manager.connectSelected(), 0);
    EXPECT_EQ(corvaneSimStaleHandleCalls(), 0);
}

TEST_F(DeviceTest, ProtocolAbove0x101RestoresTheTriggerPulseInTriggerOutputMode) {
    fakeDriver().protocol = 0x102;
    CSpectrumData record;
    DeviceManager manager(record, fakeDriverApi());
    manager.triggerPulseSource = [] { return TriggerPulseSettings{15, 25, 3, 1}; };
    manager.device().triggerMode = 21;
    manager.tick();
    ASSERT_TRUE(manager.device().isConnected());
    EXPECT_EQ(fakeDriver().lastTrigger, 21);
    EXPECT_EQ(fakeDriver().pulse[0], 15);
    EXPECT_EQ(fakeDriver().pulse[2], 3);
    EXPECT_EQ(manager.device().triggerPulses, 3);
}

TEST_F(DeviceTest, OldFirmwareScalesEveryPublishedFrame) {
    fakeDriver().protocol = 1;
    fakeDriver().firmware = "7.30.2015";
    fakeDriver().model = "KVR-2104";
    CSpectrumData record;
    DeviceManager manager(record, fakeDriverApi());
    manager.tick();
    ASSERT_TRUE(manager.device().isConnected());
    EXPECT_EQ(record.scaleFactor, 5);
    const double one = 1.0;
    record.setSpectrum(nullptr, &one, 1);
    EXPECT_DOUBLE_EQ(record.current.value[0], 5.0);
}

TEST_F(DeviceTest, AnAxisTheRecordCannotHoldFailsTheConnect) {
    fakeDriver().ccdPixels = 3800;  // 3790 usable pixels
    CSpectrumData record;
    DeviceManager manager(record, fakeDriverApi());
    manager.tick();
    EXPECT_FALSE(manager.device().isConnected());
    EXPECT_EQ(manager.devices[0].state, kStateIdle);
    EXPECT_NE(log().find("SetWaveLengthArray error,409"), std::string::npos);
    EXPECT_TRUE(fakeDriver().open.empty());
}

TEST_F(DeviceTest, NonlinearCoefficientsAreTakenOnlyWhenSixCameBack) {
    CSpectrumData record;
    DeviceManager manager(record, fakeDriverApi());
    fakeDriver().nlCount = 4;
    manager.tick();
    EXPECT_EQ(record.nonlinearCount, 0);
    manager.device().disconnect();
    fakeDriver().nlCount = 6;
    manager.tick();
    EXPECT_EQ(record.nonlinearCount, 6);
    EXPECT_DOUBLE_EQ(record.nonlinearCoeff[5], 6.0);
    fakeDriver().nlResult = 0;
    EXPECT_EQ(manager.readNonlinearCoefficients(), 0);
    EXPECT_EQ(record.nonlinearCount, 0);
}

TEST_F(DeviceTest, UnpluggingIsNoticedByTheTickAndReplugReconnects) {
    corvaneSimPlug(5);
    CSpectrumData record;
    DeviceManager manager(record);
    manager.tick();
    ASSERT_TRUE(manager.device().isConnected());
    corvaneSimUnplug(5);
    manager.tick();
    EXPECT_FALSE(manager.device().isConnected());
    EXPECT_FALSE(manager.device().hasHandle());
    EXPECT_TRUE(manager.devices.empty());
    EXPECT_NE(log().find("sp removed ,do close,41"), std::string::npos);
    // Idle checks with nothing attached log nothing more.
    const size_t logged = log().size();
    manager.tick();
    manager.tick();
    EXPECT_EQ(log().size(), logged);
    corvaneSimPlug(5);
    manager.tick();
    EXPECT_TRUE(manager.device().isConnected());
    EXPECT_EQ(corvaneSimStaleHandleCalls(), 0);
}

TEST_F(DeviceTest, UntickingTheSimulatorDropsItsEntryAndLetsItGo) {
    CSpectrumData record;
    DeviceManager manager(record);
    manager.simulator = 1;
    manager.tick();
    ASSERT_TRUE(manager.device().isConnected());
    manager.simulator = 0;
    manager.autoConnect = 0;
    manager.tick();
    EXPECT_TRUE(manager.devices.empty());
    EXPECT_FALSE(manager.device().isConnected());
    EXPECT_EQ(corvaneSimOpenHandles(), 0);
}

}  // namespace
