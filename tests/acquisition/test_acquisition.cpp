#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "acquisition/AcquisitionThread.h"
#include "core/RunLog.h"
#include "core/SpectrumData.h"
#include "device/DeviceManager.h"
#include "platform/simulator/Simulator.h"
#include "resources/CommandIds.h"
#include "tests/support/FakeDriver.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace std::chrono_literals;

// Waits for a condition the thread brings about; the limit only stops a broken test.
bool eventually(const std::function<bool()>& condition) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// The scripted driver: frame k holds the value k in every pixel.
class AcquisitionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fakeDriver().reset();
        CSpectrometerDevice::setClosePause(0ms);
        ASSERT_NE(device.connect(1), nullptr);
    }
    void TearDown() override { thread.stop(); }

    double published() { return record.current.value[0]; }

    CSpectrumData record;
    CSpectrometerDevice device{fakeDriverApi()};
    RunControl control;
    AcquisitionThread thread{record, device, control};
};

TEST_F(AcquisitionTest, EveryReadIsPublishedWithoutAveraging) {
    thread.start();
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() >= 20; }));
    thread.stop();
    EXPECT_EQ(thread.framesPublished(), thread.framesRead());
    EXPECT_EQ(published(), static_cast<double>(fakeDriver().reads));
    EXPECT_EQ(record.current.count, 2048);
    EXPECT_EQ(control.newFrameFlag, 1);
}

TEST_F(AcquisitionTest, AveragesOfThreeCostFourReadsAndDropTheFourth) {
    device.averages = 3;
    thread.start();
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() >= 2; }));
    control.pause();
    thread.stop();
    // Reads 1-3 make the first average, read 4 is discarded, reads 5-7 make the second, ...:
    // average m holds reads 4m-3 .. 4m-1, whose mean is 4m-2.
    const long long m = thread.framesPublished();
    EXPECT_EQ(published(), 4.0 * m - 2.0);
    EXPECT_GE(thread.framesRead(), 4 * m);
}

TEST_F(AcquisitionTest, LoweringTheAverageCountRestartsTheSum) {
    device.averages = 10;
    control.pause();
    thread.start();
    // Each step is waited for until the thread has handled its read, not only made it: the
    // count is lowered below only once the fifth read sits in the sum.
    for (int i = 1; i <= 5; ++i) {
        control.singleStep();
        ASSERT_TRUE(eventually([&] { return thread.framesRead() == i; }));
        ASSERT_TRUE(eventually([&] { return control.runState == kRunStatePause; }));
    }
    EXPECT_EQ(thread.framesPublished(), 0);
    device.averages = 2;
    control.newFrameFlag = 0;
    control.singleStep();  // read 6: 5 > 2, the sum restarts
    ASSERT_TRUE(eventually([&] { return control.newFrameFlag == 1; }));
    EXPECT_EQ(thread.framesPublished(), 0);
    for (int read = 7; read <= 9; ++read) {  // 7 and 8 are summed, 9 publishes and is dropped
        ASSERT_TRUE(eventually([&] { return control.runState == kRunStatePause; }));
        control.singleStep();
        ASSERT_TRUE(eventually([&] { return thread.framesRead() == read; }));
    }
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() == 1; }));
    EXPECT_EQ(published(), (7.0 + 8.0) / 2.0);
}

TEST_F(AcquisitionTest, SingleStepWhilePausedPublishesExactlyOneFrame) {
    control.pause();
    thread.start();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(fakeDriver().reads, 0);
    control.singleStep();
    EXPECT_EQ(control.lastRunCommand, Cmd::kSingleStep);
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() == 1; }));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(thread.framesPublished(), 1);
    EXPECT_EQ(control.runState, kRunStatePause);
    control.run();
    EXPECT_EQ(control.lastRunCommand, Cmd::kRun);
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() > 3; }));
}

TEST_F(AcquisitionTest, EmptyReadsAreRetriedAndPublishNothing) {
    fakeDriver().zeroReads = 50;
    const int before = record.frameCount();
    thread.start();
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() >= 1; }));
    thread.stop();
    // Past the 50 empty reads, and every frame that came was published, none of the empty.
    EXPECT_EQ(fakeDriver().zeroReads, 0);
    EXPECT_EQ(thread.framesPublished(), thread.framesRead());
    EXPECT_EQ(thread.framesRead(), fakeDriver().reads);
    EXPECT_EQ(record.frameCount(), before + static_cast<int>(thread.framesPublished()));
}

TEST_F(AcquisitionTest, AnIdleDeviceIsNeverRead) {
    device.disconnect();
    thread.start();
    std::this_thread::sleep_for(250ms);
    EXPECT_EQ(fakeDriver().reads, 0);
    EXPECT_EQ(fakeDriver().staleCalls, 0);
}

TEST_F(AcquisitionTest, StopJoinsTheThreadAndIsSafeTwice) {
    thread.start();
    EXPECT_TRUE(thread.isRunning());
    thread.stop();
    EXPECT_FALSE(thread.isRunning());
    EXPECT_EQ(control.runState, kRunStateQuit);
    thread.stop();
}

// The simulator end to end: unplugged while acquiring, the thread idles and the log says so;
// plugged back and connected again, frames flow again. Both threads check presence and may
// disconnect; no handle is ever used after it was closed.
TEST(AcquisitionWithSimulator, UnplugIdlesAndReconnectAcquiresAgain) {
    TempDir dir;
    setRunLogPath(dir.file("runlog.log"));
    corvaneSimReset();
    CSpectrometerDevice::setClosePause(5ms);
    corvaneSimPlug(2);
    CSpectrumData record;
    DeviceManager manager(record);
    RunControl control;
    AcquisitionThread thread(record, manager.device(), control);
    manager.device().integrationTimeUs = 1000;
    manager.tick();
    ASSERT_TRUE(manager.device().isConnected());
    thread.start();
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() >= 5; }));

    corvaneSimUnplug(2);
    ASSERT_TRUE(eventually([&] { return !manager.device().isConnected(); }));
    const long long idleCount = thread.framesPublished();
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(thread.framesPublished(), idleCount);
    EXPECT_NE(readUtf16File(dir.file("runlog.log")).find("sp removed ,do close,41"),
              std::string::npos);

    corvaneSimPlug(2);
    for (int i = 0; i < 3 && !manager.device().isConnected(); ++i)
        manager.tick();
    ASSERT_TRUE(manager.device().isConnected());
    ASSERT_TRUE(eventually([&] { return thread.framesPublished() >= idleCount + 5; }));

    // The two threads both checking presence and one disconnecting and reconnecting.
    for (int i = 0; i < 20; ++i) {
        manager.tick();
        manager.device().disconnect();
        manager.tick();
    }
    thread.stop();
    EXPECT_EQ(corvaneSimStaleHandleCalls(), 0);
    setRunLogPath("");
    corvaneSimReset();
}

}  // namespace
